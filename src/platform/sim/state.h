// The one store of the simulated platform. Every part of it lives here, under
// one mutex, because workers touch it from their own threads; user callbacks
// (window and hook procedures, worker functions) are always called with the
// mutex released, so they may call back into the platform.
#pragma once

#include "platform/sim/inspect.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tg::platform::sim::detail {

struct MenuItem {
    std::size_t textStart = 0; // the item's text in its menu's texts
    std::size_t textLength = 0;
    UINT flags = 0; // type and state bits; MF_BYPOSITION never kept
    UINT id = 0;
    HMENU submenu = nullptr;
};

struct Menu {
    std::vector<MenuItem> items;
    // Every item's text one after the other: a menu of thousands of items
    // grows one buffer instead of making a string per item. Deleted items
    // leave their text behind until it is most of the buffer.
    std::string texts;
    std::size_t liveTextBytes = 0;
    std::string_view textOf(const MenuItem& item) const {
        return std::string_view(texts).substr(item.textStart, item.textLength);
    }
    DWORD style = 0;
    HMENU parent = nullptr; // the menu holding the popup item that opens this one
    HWND window = nullptr;  // the window this menu bar is set on
    bool bar = false;
};

struct Window {
    DWORD thread = 0;
    WNDPROC procedure = nullptr;
    std::string text;
    std::vector<std::pair<std::string, HANDLE>> properties;
    HMENU menu = nullptr;
    bool foreign = false;
    bool destroying = false; // WM_DESTROY is on its way
    bool visible = true;
    bool enabled = true;
};

enum class ControlKind { Button, Edit, Static, ListBox, ComboBox, UpDown, Unknown };

struct ControlItem {
    std::string text;
    LPARAM data = 0;
};

// A control of a simulated dialog; its text is its window's text.
struct Control {
    HWND dialog = nullptr;
    int id = 0;
    ControlKind kind = ControlKind::Unknown;
    const ControlTemplate* source = nullptr;
    DWORD style = 0;
    std::vector<ControlItem> items;
    int selection = -1;
    UINT check = 0;
    int rangeLower = 100, rangeUpper = 0, position = 0; // the control's defaults
    int selectionStart = 0, selectionEnd = 0;
    int textLimit = 0;
};

struct Dialog {
    int templateId = 0;
    HWND parent = nullptr;
    DLGPROC procedure = nullptr;
    std::vector<HWND> controls; // template order
    HWND focus = nullptr;
    bool ended = false;
    INT_PTR result = 0;
};

enum class WorkerState { Running, Sleeping, Sending, Finished };

struct Worker {
    DWORD threadId = 0;
    WorkerState state = WorkerState::Running;
    std::uint64_t wakeAt = 0;
    std::thread thread;
};

// A message sent to a window of another thread, waiting for that thread to pump.
struct PendingSend {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD targetThread = 0;
    Worker* sender = nullptr; // null when the sender is not a worker
    bool taken = false;       // being run by the target thread
    bool done = false;
    LRESULT result = 0;
};

struct PostedMessage {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD thread = 0;
};

struct Atom {
    std::string name;
    int references = 0;
};

struct FindSearch {
    std::vector<FindData> entries;
    std::size_t next = 0;
};

// Everything reset puts back to a fresh process.
struct Store {
    std::vector<std::string> faults;

    // Menus. A handle issued once and no longer in `menus` was destroyed.
    std::unordered_map<std::uintptr_t, Menu> menus;
    std::unordered_set<std::uintptr_t> destroyedMenus;
    std::vector<TrackedPopup> trackedPopups;
    bool failTrackPopup = false;
    DWORD trackPopupError = 0;
    std::vector<HWND> drawnMenuBars;
    std::uint64_t menuTextReads = 0; // getMenuString calls, for cost counts
    bool utf8Texts = false;

    // Windows and messages.
    std::unordered_map<std::uintptr_t, Window> windows;
    std::unordered_set<std::uintptr_t> destroyedWindows;
    std::list<std::shared_ptr<PendingSend>> sends;
    std::list<PostedMessage> posted;
    HWND foreground = nullptr;
    std::vector<HWND> foregroundRequests;
    bool failForeground = false;
    std::vector<ThreadInputRecord> threadInputCalls;
    Point cursor;

    // Keyboard.
    bool keyDown[256] = {};
    bool keyToggled[256] = {};
    std::vector<KeyEvent> keyEvents;

    // Hooks (newest first), hotkeys, atoms.
    std::vector<HookRecord> hooks;
    std::unordered_set<std::uintptr_t> removedHooks;
    std::vector<HotkeyRecord> hotkeys;
    std::map<ATOM, Atom> atoms;
    ATOM nextAtom = 0xC000;

    // Dialogs: the open ones and their controls, scripts waiting, runs done.
    std::unordered_map<std::uintptr_t, Dialog> dialogs;
    std::vector<HWND> dialogStack;
    std::unordered_map<std::uintptr_t, Control> controls;
    std::map<int, std::list<DialogScript>> dialogScripts;
    std::vector<DialogRun> dialogRuns;
    std::set<void*> heapBlocks;

    // Shell.
    std::vector<MessageBoxRecord> messageBoxes;
    std::vector<FolderBrowseRecord> folderBrowses;
    bool browseChosen = false;
    std::string browsePath;
    std::vector<std::string> webPages;

    // Files.
    std::map<char, std::string> drives;
    std::set<std::string> hiddenPaths;
    std::unordered_map<std::uintptr_t, FindSearch> finds;
    std::function<void()> beforeNextReplace;
    bool failReplace = false;
    DWORD replaceError = 0;
    bool failDelete = false;
    std::vector<std::string> flushedFiles; // Windows paths, in order

    // Workers, modules kept loaded, and the clock.
    int pinnedModules = 0;
    std::uint64_t now = 0;
    std::list<Worker> workers;
    bool releasing = false; // reset is running the workers out
};

struct State : Store {
    std::mutex mutex;
    // Signalled on every change a waiting thread may care about: sends queued or
    // answered, posts, worker states, the clock.
    std::condition_variable changed;
    // Shared by every handle kind and kept across resets, so a handle is never
    // reused and a stale one is always told apart.
    std::uintptr_t nextHandle = 0x1000;

    ~State(); // runs remaining workers out, so none outlives the store
};

State& state();
using Lock = std::unique_lock<std::mutex>;

// Every helper below expects the caller to hold the mutex.
std::uintptr_t newHandle(State& s);
void fault(State& s, std::string text);
std::string handleText(const void* handle);

Menu* liveMenu(State& s, HMENU menu, const char* operation); // faults on a bad handle
Window* liveWindow(State& s, HWND window, const char* operation);
void destroyMenuTree(State& s, HMENU menu);

// Per thread, without the mutex.
DWORD threadId();
Worker*& currentWorker();
void setLastError(DWORD error);

Control* findControl(State& s, HWND window);
Dialog* findDialog(State& s, HWND window);

// The windows of a thread that ended go with it, as on Windows.
void dropWindowsOfThread(State& s, DWORD thread);
// Runs every worker out and joins it: pending sends answered with 0, sleepers
// woken, and sleeps and cross-thread sends return at once until the caller
// clears s.releasing. Called without the mutex.
void releaseWorkers(State& s);
// Answers a waiting cross-thread send and wakes its sender.
void completeSend(State& s, PendingSend& send, LRESULT result);

} // namespace tg::platform::sim::detail
