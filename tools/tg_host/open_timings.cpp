#include "open_timings.h"

#include "plugin/host_messages.h"

namespace tg::testplayer {

namespace {

// One instance records at a time: the window procedures are plain functions.
OpenTimings* active = nullptr;
// Kept after stop: a wrapper that something else subclassed on top of cannot
// be taken off, and must go on passing messages along.
WNDPROC mainBefore = nullptr;
WNDPROC libraryBefore = nullptr;

WNDPROC subclass(HWND window, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

void unsubclass(HWND window, WNDPROC ours, WNDPROC& before) {
    if (window && before &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) == ours) {
        subclass(window, before);
        before = nullptr;
    }
}

LRESULT forward(WNDPROC before, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return before ? CallWindowProcA(before, window, message, wParam, lParam)
                  : DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

double OpenTimings::nowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

MenuTreeSize measureMenuTree(HMENU menu) {
    MenuTreeSize size;
    if (!menu || !IsMenu(menu)) return size;
    size.menus = 1;
    const int count = GetMenuItemCount(menu);
    size.items = count > 0 ? count : 0;
    for (int i = 0; i < count; ++i) {
        const MenuTreeSize below = measureMenuTree(GetSubMenu(menu, i));
        size.menus += below.menus;
        size.items += below.items;
    }
    return size;
}

bool OpenTimings::start(HWND mainWindow, HWND libraryWindow) {
    if (running() || active || mainBefore || libraryBefore || !mainWindow) return false;
    active = this;
    mainWindow_ = mainWindow;
    libraryWindow_ = libraryWindow;
    mainBefore = subclass(mainWindow, &OpenTimings::mainProcedure);
    if (libraryWindow) libraryBefore = subclass(libraryWindow, &OpenTimings::libraryProcedure);
    return true;
}

void OpenTimings::stop() {
    if (!running()) return;
    unsubclass(mainWindow_, &OpenTimings::mainProcedure, mainBefore);
    unsubclass(libraryWindow_, &OpenTimings::libraryProcedure, libraryBefore);
    mainWindow_ = libraryWindow_ = nullptr;
    current_ = nullptr;
    if (active == this) active = nullptr;
}

std::vector<OpenTiming> OpenTimings::take() {
    std::vector<OpenTiming> taken;
    taken.swap(records_);
    return taken;
}

LRESULT CALLBACK OpenTimings::mainProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    OpenTimings* self = active;
    if (!self || message != WM_INITMENUPOPUP || self->current_)
        return forward(mainBefore, window, message, wParam, lParam);
    OpenTiming timing;
    timing.menu = reinterpret_cast<HMENU>(wParam);
    self->current_ = &timing;
    const double start = nowMs();
    const LRESULT result = forward(mainBefore, window, message, wParam, lParam);
    timing.totalMs = nowMs() - start;
    // Stopped meanwhile (the plug-in quit from inside): nothing to record into.
    if (active == self) {
        self->current_ = nullptr;
        self->records_.push_back(timing);
    }
    return result;
}

LRESULT CALLBACK OpenTimings::libraryProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    OpenTimings* self = active;
    if (!self || message != ML_MESSAGE || !self->current_)
        return forward(libraryBefore, window, message, wParam, lParam);
    OpenTiming* timing = self->current_;
    const double start = nowMs();
    const LRESULT result = forward(libraryBefore, window, message, wParam, lParam);
    timing->playerMs += nowMs() - start;
    ++timing->playerCalls;
    return result;
}

} // namespace tg::testplayer
