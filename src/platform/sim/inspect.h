// Control and inspection of the simulated platform, for tests and the preview
// tool. Only native code links the simulated platform, so only native code
// includes this header.
#pragma once

#include "platform/file.h"
#include "platform/menu.h"
#include "platform/window.h"

#include <string>
#include <vector>

namespace tg::platform::sim {

// Everything back to a fresh process: menus, windows, hooks, hotkeys, atoms,
// properties, key state, message boxes, drives, clock. Workers still alive are
// released (clock run out, pending sends answered with 0) and joined first.
void reset();

// Misuse the real system would punish or silently ignore: a destroyed menu or
// window handle used, an item position out of range where Win32 would fail, a
// cross-thread send that was never pumped. Taking them clears the list. The
// unit-test main fails every test that leaves a fault behind.
std::vector<std::string> takeFaults();

// ---- Menus -----------------------------------------------------------------
int liveMenuCount();

struct MenuItemView {
    std::string text;
    UINT flags = 0; // MF_SEPARATOR, MF_POPUP, MF_DISABLED, MF_GRAYED, MF_CHECKED,
                    // MF_MENUBARBREAK, MF_MENUBREAK, MF_USECHECKBITMAPS
    UINT id = 0;
    HMENU submenu = nullptr;
};
std::vector<MenuItemView> menuItems(HMENU menu);

// An indented text dump of a menu and all its submenus, one item per line:
// flags in brackets ([sep] [popup] [disabled] [checked] [break] ...), the id,
// the text with a tab shown as "\t". Stable, for golden comparisons.
std::string menuTree(HMENU menu);

struct TrackedPopup {
    HMENU menu = nullptr;
    UINT flags = 0;
    int x = 0;
    int y = 0;
    HWND owner = nullptr;
};
// Every trackPopupMenuEx call, oldest first. The simulated call returns at once;
// tests drive the menu loop by sending its messages themselves.
const std::vector<TrackedPopup>& trackedPopups();
// Makes the next trackPopupMenuEx calls fail with the given last error.
void failTrackPopup(bool fail, DWORD lastError = 0);
// The windows DrawMenuBar was called for, oldest first.
const std::vector<HWND>& drawnMenuBars();

// ---- Windows and input -----------------------------------------------------
int liveWindowCount();
// A window of another process's thread: getWindowThreadId tells a thread id of
// its own, and a message sent to it runs its procedure at once.
HWND createForeignWindow(WNDPROC procedure, const char* title);

void setCursorPos(Point point);
void setForegroundWindow(HWND window); // without the plug-in's call being recorded
// The plug-in's setForegroundWindow calls, oldest first, and a switch making them
// fail (the window then does not come forward), as Windows may refuse.
const std::vector<HWND>& foregroundRequests();
void failSetForegroundWindow(bool fail);

struct ThreadInputRecord {
    DWORD attachFrom = 0;
    DWORD attachTo = 0;
    BOOL attach = 0;
};
const std::vector<ThreadInputRecord>& threadInputCalls(); // attachThreadInput, oldest first

void setKeyDown(int virtualKey, bool down);

struct KeyEvent {
    BYTE virtualKey = 0;
    BYTE scanCode = 0;
    DWORD flags = 0;
};
const std::vector<KeyEvent>& keyEvents(); // keybd_event calls, oldest first

struct HookRecord {
    int hookId = 0;
    HOOKPROC procedure = nullptr;
    HINSTANCE module = nullptr;
    DWORD threadId = 0;
    HHOOK handle = nullptr;
};
std::vector<HookRecord> installedHooks();
// Passes a mouse event down the installed WH_MOUSE chain as the system would.
LRESULT callMouseHooks(UINT mouseMessage, Point point);

struct HotkeyRecord {
    HWND window = nullptr;
    int id = 0;
    UINT modifiers = 0;
    UINT virtualKey = 0;
};
std::vector<HotkeyRecord> registeredHotkeys();
std::vector<std::string> liveAtoms();
// Posts WM_HOTKEY for a registered combination, as pressing it would; false
// when no registration matches.
bool pressHotkey(UINT modifiers, UINT virtualKey);

struct MessageBoxRecord {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = 0;
};
const std::vector<MessageBoxRecord>& messageBoxes();
void clearMessageBoxes();

// browseForFolder records each call and answers with the path set here, or
// "cancelled" (the default) when chosen is false.
struct FolderBrowseRecord {
    HWND owner = nullptr;
    std::string title;
};
const std::vector<FolderBrowseRecord>& folderBrowses();
void setBrowseForFolderAnswer(bool chosen, const std::string& path = {});
const std::vector<std::string>& openedWebPages();

// ---- Files -----------------------------------------------------------------
// "X:\..." paths resolve below nativeDirectory.
void mapDrive(char letter, const std::string& nativeDirectory);
// Marks a native path hidden (FILE_ATTRIBUTE_HIDDEN). A folder may also list
// hidden names, one per line, in a file named ".hidden" inside it (the file
// managers' convention); the ".hidden" file itself is always hidden. Names that
// merely begin with "." are not hidden.
void setHidden(const std::string& nativePath, bool hidden = true);
int openFindCount(); // find handles not yet closed

// ---- Threads and the clock -------------------------------------------------
// Workers sleep on a virtual clock that only advanceClock moves, and a message a
// worker sends to a window waits until the window's thread pumps, as on Windows.
DWORD clockNow();
void advanceClock(DWORD milliseconds);
// Runs queued cross-thread sends and posted messages on the calling thread;
// returns how many ran.
int pump();
// Pumps until every worker is asleep on the clock, waiting on nothing, or done.
void settle();
int liveWorkerCount();

} // namespace tg::platform::sim
