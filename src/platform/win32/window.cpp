// Windows, messages, subclassing, focus and the keyboard: one user32 call each.
#include "platform/win32/windows_include.h"

#include "platform/text_encoding.h"
#include "platform/win32/wide_text.h"
#include "platform/window.h"

#include <cstddef>
#include <iterator>

namespace tg::platform {

// The seam's records are the system's, field for field.
static_assert(sizeof(Point) == sizeof(POINT) && offsetof(Point, y) == offsetof(POINT, y));
static_assert(sizeof(CopyData) == sizeof(COPYDATASTRUCT) &&
              offsetof(CopyData, lpData) == offsetof(COPYDATASTRUCT, lpData));
static_assert(offsetof(MouseHookData, pt) == offsetof(MOUSEHOOKSTRUCT, pt) &&
              offsetof(MouseHookData, hwnd) == offsetof(MOUSEHOOKSTRUCT, hwnd));

namespace {

constexpr char kWindowClass[] = "TunegroveWindow";

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&kWindowClass), &module);
    return module;
}

// The class is registered once; each window gets its own procedure right after.
bool registerWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = thisModule();
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

} // namespace

HWND createWindow(WNDPROC procedure, const char* title) {
    if (!registerWindowClass()) return nullptr;
    HWND window =
        CreateWindowExA(0, kWindowClass, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, thisModule(), nullptr);
    if (window != nullptr && procedure != nullptr) setWindowProc(window, procedure);
    return window;
}

BOOL destroyWindow(HWND window) {
    return DestroyWindow(window);
}
BOOL isWindow(HWND window) {
    return IsWindow(window);
}

LRESULT TG_CALLBACK defWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL setMenu(HWND window, HMENU menu) {
    return SetMenu(window, menu);
}
HMENU getMenu(HWND window) {
    return GetMenu(window);
}

LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(window, message, wParam, lParam);
}

BOOL postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PostMessageA(window, message, wParam, lParam);
}

WNDPROC getWindowProc(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

WNDPROC setWindowProc(HWND window, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

LRESULT callWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(procedure, window, message, wParam, lParam);
}

BOOL setProp(HWND window, const char* name, HANDLE data) {
    return SetPropA(window, name, data);
}
HANDLE getProp(HWND window, const char* name) {
    return GetPropA(window, name);
}
HANDLE removeProp(HWND window, const char* name) {
    return RemovePropA(window, name);
}

BOOL setWindowText(HWND window, const char* text) {
    if (utf8Texts()) return SetWindowTextW(window, win32::WideText(text).get());
    return SetWindowTextA(window, text);
}

int getWindowText(HWND window, char* buffer, int maxCount) {
    if (utf8Texts()) return win32::copyUtf8(win32::utf8WindowText(window), buffer, maxCount);
    return GetWindowTextA(window, buffer, maxCount);
}

HWND getForegroundWindow() {
    return GetForegroundWindow();
}
BOOL setForegroundWindow(HWND window) {
    return SetForegroundWindow(window);
}
DWORD getWindowThreadId(HWND window) {
    return GetWindowThreadProcessId(window, nullptr);
}
DWORD getCurrentThreadId() {
    return GetCurrentThreadId();
}

BOOL attachThreadInput(DWORD attachFrom, DWORD attachTo, BOOL attach) {
    return AttachThreadInput(attachFrom, attachTo, attach);
}

BOOL getCursorPos(Point* point) {
    POINT position;
    if (point == nullptr || !GetCursorPos(&position)) return FALSE;
    point->x = position.x;
    point->y = position.y;
    return TRUE;
}

short getKeyState(int virtualKey) {
    return GetKeyState(virtualKey);
}
short getAsyncKeyState(int virtualKey) {
    return GetAsyncKeyState(virtualKey);
}

void keybdEvent(BYTE virtualKey, BYTE scanCode, DWORD flags) {
    keybd_event(virtualKey, scanCode, flags, 0);
}

UINT mapVirtualKey(UINT code, UINT mapType) {
    return MapVirtualKeyA(code, mapType);
}

int getKeyNameText(LONG lParam, char* buffer, int size) {
    if (utf8Texts()) {
        wchar_t name[64] = {};
        const int length = GetKeyNameTextW(lParam, name, static_cast<int>(std::size(name)));
        return win32::copyUtf8(
            win32::utf8FromWide({name, length > 0 ? static_cast<std::size_t>(length) : 0}), buffer,
            size);
    }
    return GetKeyNameTextA(lParam, buffer, size);
}

DWORD getLastError() {
    return GetLastError();
}

} // namespace tg::platform
