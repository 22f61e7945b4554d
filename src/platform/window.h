// Windows, messages, subclassing, window properties, focus and the keyboard.
#pragma once

#include "platform/types.h"

namespace tg::platform {

struct Point {
    LONG x = 0;
    LONG y = 0;
};

// The layout of the platform's COPYDATASTRUCT (WM_COPYDATA's lParam).
struct CopyData {
    UINT_PTR dwData = 0;
    DWORD cbData = 0;
    void* lpData = nullptr;
};

// The first fields of the platform's MOUSEHOOKSTRUCT (the mouse hook's lParam).
struct MouseHookData {
    Point pt;
    HWND hwnd = nullptr;
};

// A top-level window of the calling thread with the given procedure. The Win32
// side registers a private class once; the plug-in itself never creates windows,
// the simulated player and the tests do.
HWND createWindow(WNDPROC procedure, const char* title);
BOOL destroyWindow(HWND window);
BOOL isWindow(HWND window);

// DefWindowProcA: a procedure passes it what it does not handle itself. It keeps
// the window text (WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH) and destroys the
// window on WM_CLOSE; a window created with it as procedure is a plain one.
LRESULT TG_CALLBACK defWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// SetMenu / GetMenu: a window's menu bar. Destroying the window destroys it.
BOOL setMenu(HWND window, HMENU menu);
HMENU getMenu(HWND window);

LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// GetWindowLongA / SetWindowLongA with GWL_WNDPROC.
WNDPROC getWindowProc(HWND window);
WNDPROC setWindowProc(HWND window, WNDPROC procedure); // returns the previous one
LRESULT callWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL setProp(HWND window, const char* name, HANDLE data);
HANDLE getProp(HWND window, const char* name);
HANDLE removeProp(HWND window, const char* name);

// Sent as WM_SETTEXT / WM_GETTEXT, so a subclass sees them, as on Windows.
BOOL setWindowText(HWND window, const char* text);
int getWindowText(HWND window, char* buffer, int maxCount);

HWND getForegroundWindow();
BOOL setForegroundWindow(HWND window);
DWORD getWindowThreadId(HWND window); // GetWindowThreadProcessId without the process id
DWORD getCurrentThreadId();
BOOL attachThreadInput(DWORD attachFrom, DWORD attachTo, BOOL attach);

BOOL getCursorPos(Point* point);
short getKeyState(int virtualKey);
short getAsyncKeyState(int virtualKey);
void keybdEvent(BYTE virtualKey, BYTE scanCode, DWORD flags);
UINT mapVirtualKey(UINT code, UINT mapType);
int getKeyNameText(LONG lParam, char* buffer, int size);

DWORD getLastError();

} // namespace tg::platform
