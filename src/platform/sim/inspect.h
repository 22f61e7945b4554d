// Control and inspection of the simulated platform, for tests and the preview
// tool. Only native code links the simulated platform, so only native code
// includes this header.
#pragma once

#include "platform/dialog.h"
#include "platform/file.h"
#include "platform/menu.h"
#include "platform/window.h"

#include <cstdint>
#include <functional>
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
// How many times an item's text was read (getMenuString) since the last reset:
// what a search over built menus costs on the real system.
std::uint64_t menuTextReads();

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
// Passes a mouse event down the installed WH_MOUSE chain as the system would:
// HC_ACTION when the message is taken from the queue, HC_NOREMOVE when a
// PeekMessage only looks at it.
LRESULT callMouseHooks(UINT mouseMessage, Point point, int code = HC_ACTION);

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

// ---- Dialogs ---------------------------------------------------------------
// The simulated dialogBoxParam builds its dialogs from the resource script the
// DLL ships (src/resources/ml_tg.rc), parsed once.
struct ControlTemplate {
    std::string text;
    int id = 0;
    std::string className; // as written: "Button", "Edit", "msctls_updown32", ...
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
};
struct DialogTemplate {
    int id = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string caption;
    int fontSize = 0;
    std::string fontName;
    std::vector<ControlTemplate> controls; // in template (tab) order
};
struct ResourceScript {
    std::vector<DialogTemplate> dialogs;
    std::string error; // the first error, with its line; empty when it parsed
};
// Parses DIALOGEX templates; #include "file" is read relative to directory and
// its #defines are used, #include <...> is skipped (its names are known here).
ResourceScript parseResourceScript(const std::string& text, const std::string& directory);
// The shipped script, parsed on first use.
const ResourceScript& shippedResources();
const DialogTemplate* findDialogTemplate(int templateId);

// A script plays the user of one dialog: it runs once the dialog has had
// WM_INITDIALOG, and acts through the helpers below. Scripts for one template
// run in the order registered, one per dialogBoxParam call, so nested dialogs
// each take their own. A dialog still open when its script returns (or that
// has none) gets Esc; one that is still open after that is a fault, and so is a
// script that never ran.
using DialogScript = std::function<void(HWND dialog)>;
void onDialog(int templateId, DialogScript script);

struct DialogRun {
    int templateId = 0;
    HWND parent = nullptr;
    INT_PTR result = 0;
};
const std::vector<DialogRun>& dialogRuns(); // finished runs, in the order they ended
// Dialogs open right now, outermost first.
std::vector<HWND> openDialogs();

struct ControlView {
    int id = 0;
    std::string className;
    DWORD style = 0; // as created, with ES_READONLY following EM_SETREADONLY
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string text;
    bool visible = true;
    bool enabled = true;
    UINT check = 0;
    std::vector<std::string> items; // list and combo entries
    std::vector<LPARAM> itemData;
    int selection = -1;
    int rangeLower = 0, rangeUpper = 0, position = 0; // up-down: bottom, top, now
    int selectionStart = 0, selectionEnd = 0;         // edit caret / selection
    int textLimit = 0;                                // EM_LIMITTEXT; 0 = none
};
ControlView controlView(HWND dialog, int id);
std::vector<ControlView> controlViews(HWND dialog);
HWND focusedControl(HWND dialog);

// User actions. Each faults when the control is missing, hidden or disabled, or
// the dialog has ended, and pumps posted messages afterwards as the dialog's
// message loop would. A control the user acts on takes the focus first.
void focusControl(HWND dialog, int id);
// Push buttons send BN_CLICKED; automatic check boxes toggle, then send it.
void clickButton(HWND dialog, int id);
// List boxes: selection, then LBN_SELCHANGE (with LBS_NOTIFY). Combo boxes:
// CBN_DROPDOWN, selection, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP.
void selectItem(HWND dialog, int id, int index);
// Replaces the text as typed, one character at a time, each followed by
// EN_UPDATE and EN_CHANGE (a drop-down combo: CBN_EDITUPDATE, CBN_EDITCHANGE,
// selection cleared). Read-only edits take nothing, ES_NUMBER edits take
// digits only, EM_LIMITTEXT is kept. With UTF-8 texts each step is a whole
// character and the limit counts UTF-16 units, as in a Unicode edit control.
void typeText(HWND dialog, int id, const std::string& text);
// An arrow of an up-down control: UDN_DELTAPOS, the new position (kept within
// the range), then WM_VSCROLL with SB_THUMBPOSITION and SB_ENDSCROLL.
void clickUpDown(HWND dialog, int id, bool upArrow);
// A key pressed or released with the focus in the dialog. The dialog manager
// takes Tab (next control), Enter (the default button) and Esc (IDCANCEL);
// every other key goes to the focused control as WM_KEYDOWN / WM_KEYUP, or
// WM_SYSKEYDOWN / WM_SYSKEYUP while Alt is held without Ctrl.
void keyDown(HWND dialog, int virtualKey);
void keyUp(HWND dialog, int virtualKey);
// The close box: WM_CLOSE to the dialog.
void closeDialog(HWND dialog);

// Blocks from heapAllocZeroed not yet given back.
int liveHeapBlocks();

// ---- Files -----------------------------------------------------------------
// "X:\..." paths resolve below nativeDirectory.
void mapDrive(char letter, const std::string& nativeDirectory);
// Marks a native path hidden (FILE_ATTRIBUTE_HIDDEN). A folder may also list
// hidden names, one per line, in a file named ".hidden" inside it (the file
// managers' convention); the ".hidden" file itself is always hidden. Names that
// merely begin with "." are not hidden.
void setHidden(const std::string& nativePath, bool hidden = true);
int openFindCount(); // find handles not yet closed
// The moment between writing a new file and putting it in place: observe runs
// once, inside the next replaceFile call, before anything moves.
void beforeNextReplaceFile(std::function<void()> observe);
// Until turned off or reset, replaceFile fails with lastError and moves
// nothing (a full disk, a virus scanner holding the file, a lost drive).
void failReplaceFile(bool fail, DWORD lastError = ERROR_ACCESS_DENIED);
// Until turned off or reset, deleteFile fails. With a failing replace, this is
// what a process ended between the two steps leaves: the new file beside the old.
void failDeleteFile(bool fail);
// The files flushFileToDisk made durable, oldest first (Windows paths).
std::vector<std::string> flushedFiles();

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
// How many times keepModuleLoaded was called.
int pinnedModuleCount();

} // namespace tg::platform::sim
