// Windows: procedures and subclassing, properties, text, menu bars, focus and
// thread input, the cursor.
#include "platform/sim/state.h"
#include "platform/text_encoding.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tg::platform {
namespace {

using namespace sim::detail;

std::uintptr_t keyOf(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window);
}

// Property names are atoms on Windows, so they compare without case.
bool sameName(const std::string& a, const char* b) {
    const std::size_t length = std::strlen(b);
    if (a.size() != length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

HWND addWindow(WNDPROC procedure, const char* title, bool foreign) {
    State& s = state();
    Lock lock(s.mutex);
    const std::uintptr_t key = newHandle(s);
    Window& window = s.windows[key];
    window.procedure = procedure;
    window.text = title != nullptr ? title : "";
    window.foreign = foreign;
    // A foreign window's thread belongs to another process: an id nobody here has.
    window.thread = foreign ? static_cast<DWORD>(0x80000000u | (key & 0x7FFFFFFFu)) : threadId();
    return reinterpret_cast<HWND>(key);
}

// Removes a window that is going away; the caller holds the mutex.
void forgetWindow(State& s, HWND window) {
    auto found = s.windows.find(keyOf(window));
    if (found == s.windows.end()) return;
    const HMENU bar = found->second.menu;
    s.windows.erase(found);
    s.destroyedWindows.insert(keyOf(window));
    if (bar != nullptr) {
        if (auto menu = s.menus.find(reinterpret_cast<std::uintptr_t>(bar));
            menu != s.menus.end()) {
            menu->second.window = nullptr;
            destroyMenuTree(s, bar);
        }
    }
    s.posted.remove_if([window](const PostedMessage& m) { return m.window == window; });
    for (auto& send : s.sends)
        if (send->window == window && !send->done && !send->taken) completeSend(s, *send, 0);
    if (s.foreground == window) s.foreground = nullptr;
}

} // namespace

namespace sim::detail {

void dropWindowsOfThread(State& s, DWORD thread) {
    std::vector<HWND> gone;
    for (const auto& [key, window] : s.windows)
        if (window.thread == thread && !window.foreign) gone.push_back(reinterpret_cast<HWND>(key));
    for (HWND window : gone) forgetWindow(s, window);
}

} // namespace sim::detail

HWND createWindow(WNDPROC procedure, const char* title) {
    return addWindow(procedure, title, false);
}

BOOL destroyWindow(HWND window) {
    State& s = state();
    {
        Lock lock(s.mutex);
        Window* target = liveWindow(s, window, "destroyWindow");
        if (target == nullptr) return FALSE;
        if (target->thread != threadId() && !target->foreign) {
            setLastError(ERROR_ACCESS_DENIED); // only the owning thread may destroy a window
            return FALSE;
        }
        if (target->destroying) return TRUE;
        target->destroying = true;
    }
    sendMessage(window, WM_DESTROY, 0, 0);
    Lock lock(s.mutex);
    forgetWindow(s, window);
    return TRUE;
}

BOOL isWindow(HWND window) {
    State& s = state();
    Lock lock(s.mutex);
    return s.windows.count(keyOf(window)) != 0 ? TRUE : FALSE;
}

LRESULT TG_CALLBACK defWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        destroyWindow(window);
        return 0;
    }
    if (message != WM_SETTEXT && message != WM_GETTEXT && message != WM_GETTEXTLENGTH) return 0;
    State& s = state();
    Lock lock(s.mutex);
    Window* target = liveWindow(s, window, "defWindowProc");
    if (target == nullptr) return 0;
    if (message == WM_SETTEXT) {
        const char* text = reinterpret_cast<const char*>(lParam);
        target->text = text != nullptr ? text : "";
        return TRUE;
    }
    if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(target->text.size());
    char* buffer = reinterpret_cast<char*>(lParam);
    if (buffer == nullptr || wParam == 0) return 0;
    std::size_t copied = std::min<std::size_t>(target->text.size(), wParam - 1);
    // A Unicode window converts its whole characters into the caller's buffer.
    if (s.utf8Texts) copied = utf8CutLength(target->text, copied);
    std::memcpy(buffer, target->text.data(), copied);
    buffer[copied] = '\0';
    return static_cast<LRESULT>(copied);
}

BOOL setMenu(HWND window, HMENU menu) {
    State& s = state();
    Lock lock(s.mutex);
    Window* target = liveWindow(s, window, "setMenu");
    if (target == nullptr) return FALSE;
    Menu* bar = nullptr;
    if (menu != nullptr) {
        bar = liveMenu(s, menu, "setMenu");
        if (bar == nullptr) return FALSE;
        if (bar->parent != nullptr || (bar->window != nullptr && bar->window != window)) {
            fault(s, "setMenu: menu " + handleText(menu) + " is already attached elsewhere");
            return FALSE;
        }
    }
    // The old menu bar is let go, not destroyed, as SetMenu does.
    if (auto old = s.menus.find(reinterpret_cast<std::uintptr_t>(target->menu));
        old != s.menus.end())
        old->second.window = nullptr;
    target->menu = menu;
    if (bar != nullptr) bar->window = window;
    return TRUE;
}

HMENU getMenu(HWND window) {
    State& s = state();
    Lock lock(s.mutex);
    Window* target = liveWindow(s, window, "getMenu");
    return target == nullptr ? nullptr : target->menu;
}

WNDPROC getWindowProc(HWND window) {
    State& s = state();
    Lock lock(s.mutex);
    Window* target = liveWindow(s, window, "getWindowProc");
    return target == nullptr ? nullptr : target->procedure;
}

WNDPROC setWindowProc(HWND window, WNDPROC procedure) {
    State& s = state();
    Lock lock(s.mutex);
    Window* target = liveWindow(s, window, "setWindowProc");
    if (target == nullptr) return nullptr;
    return std::exchange(target->procedure, procedure);
}

LRESULT callWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return procedure != nullptr ? procedure(window, message, wParam, lParam) : 0;
}

BOOL setProp(HWND window, const char* name, HANDLE data) {
    State& s = state();
    Lock lock(s.mutex);
    Window* target = liveWindow(s, window, "setProp");
    if (target == nullptr || name == nullptr) return FALSE;
    for (auto& [key, value] : target->properties)
        if (sameName(key, name)) {
            value = data;
            return TRUE;
        }
    target->properties.emplace_back(name, data);
    return TRUE;
}

HANDLE getProp(HWND window, const char* name) {
    State& s = state();
    Lock lock(s.mutex);
    Window* target = liveWindow(s, window, "getProp");
    if (target == nullptr || name == nullptr) return nullptr;
    for (const auto& [key, value] : target->properties)
        if (sameName(key, name)) return value;
    return nullptr;
}

HANDLE removeProp(HWND window, const char* name) {
    State& s = state();
    Lock lock(s.mutex);
    Window* target = liveWindow(s, window, "removeProp");
    if (target == nullptr || name == nullptr) return nullptr;
    auto& properties = target->properties;
    for (auto it = properties.begin(); it != properties.end(); ++it)
        if (sameName(it->first, name)) {
            HANDLE data = it->second;
            properties.erase(it);
            return data;
        }
    return nullptr;
}

BOOL setWindowText(HWND window, const char* text) {
    if (!isWindow(window)) {
        State& s = state();
        Lock lock(s.mutex);
        liveWindow(s, window, "setWindowText");
        return FALSE;
    }
    return sendMessage(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int getWindowText(HWND window, char* buffer, int maxCount) {
    if (buffer != nullptr && maxCount > 0) buffer[0] = '\0';
    if (!isWindow(window)) {
        State& s = state();
        Lock lock(s.mutex);
        liveWindow(s, window, "getWindowText");
        return 0;
    }
    if (buffer == nullptr || maxCount <= 0) return 0;
    return static_cast<int>(sendMessage(window, WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                        reinterpret_cast<LPARAM>(buffer)));
}

HWND getForegroundWindow() {
    State& s = state();
    Lock lock(s.mutex);
    return s.foreground;
}

BOOL setForegroundWindow(HWND window) {
    State& s = state();
    Lock lock(s.mutex);
    s.foregroundRequests.push_back(window);
    if (liveWindow(s, window, "setForegroundWindow") == nullptr || s.failForeground) return FALSE;
    s.foreground = window;
    return TRUE;
}

DWORD getWindowThreadId(HWND window) {
    State& s = state();
    Lock lock(s.mutex);
    Window* target = liveWindow(s, window, "getWindowThreadId");
    return target == nullptr ? 0 : target->thread;
}

BOOL attachThreadInput(DWORD attachFrom, DWORD attachTo, BOOL attach) {
    State& s = state();
    Lock lock(s.mutex);
    s.threadInputCalls.push_back({attachFrom, attachTo, attach});
    if (attachFrom == 0 || attachTo == 0 || attachFrom == attachTo) {
        setLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

BOOL getCursorPos(Point* point) {
    if (point == nullptr) return FALSE;
    State& s = state();
    Lock lock(s.mutex);
    *point = s.cursor;
    return TRUE;
}

namespace sim {

int liveWindowCount() {
    State& s = state();
    Lock lock(s.mutex);
    return static_cast<int>(s.windows.size());
}

HWND createForeignWindow(WNDPROC procedure, const char* title) {
    return addWindow(procedure, title, true);
}

void setCursorPos(Point point) {
    State& s = state();
    Lock lock(s.mutex);
    s.cursor = point;
}

void setForegroundWindow(HWND window) {
    State& s = state();
    Lock lock(s.mutex);
    s.foreground = window;
}

const std::vector<HWND>& foregroundRequests() {
    return state().foregroundRequests;
}

void failSetForegroundWindow(bool fail) {
    State& s = state();
    Lock lock(s.mutex);
    s.failForeground = fail;
}

const std::vector<ThreadInputRecord>& threadInputCalls() {
    return state().threadInputCalls;
}

} // namespace sim
} // namespace tg::platform
