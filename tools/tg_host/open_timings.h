// How long the player's window takes to answer WM_INITMENUPOPUP (where the
// plug-in builds a popup as it opens), and how much of that the player spent
// answering the library's queries, measured with QueryPerformanceCounter.
//
// Both windows are subclassed while timing runs; the main window's wrapper
// sits outside the plug-in's procedure, so it is installed after the plug-in
// and must be taken off before the plug-in quits.
#pragma once

#include "platform/win32/windows_include.h"

#include <vector>

namespace tg::testplayer {

// The menus (USER objects) and items of a popup and everything below it.
struct MenuTreeSize {
    int menus = 0;
    int items = 0;
};
MenuTreeSize measureMenuTree(HMENU menu);

struct OpenTiming {
    HMENU menu = nullptr; // the popup that opened
    double totalMs = 0;   // the whole WM_INITMENUPOPUP
    double playerMs = 0;  // inside it: the library window's answers
    int playerCalls = 0;  // the library messages it answered
    double pluginMs() const { return totalMs - playerMs; }
};

class OpenTimings {
public:
    OpenTimings() = default;
    OpenTimings(const OpenTimings&) = delete;
    OpenTimings& operator=(const OpenTimings&) = delete;
    ~OpenTimings() { stop(); }

    // On the player's thread. False when timing could not start (it runs
    // already, or an earlier wrapper could not be taken off).
    bool start(HWND mainWindow, HWND libraryWindow);
    // Puts both procedures back, unless something subclassed on top since (then
    // the wrapper stays, passing everything along, and no second start works).
    void stop();
    bool running() const { return mainWindow_ != nullptr; }

    // The openings recorded since the last take, oldest first.
    std::vector<OpenTiming> take();

    // Milliseconds since an arbitrary start, for callers timing their own steps.
    static double nowMs();

private:
    static LRESULT CALLBACK mainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK libraryProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);

    HWND mainWindow_ = nullptr;
    HWND libraryWindow_ = nullptr;
    std::vector<OpenTiming> records_;
    OpenTiming* current_ = nullptr; // the opening being answered, if any
};

} // namespace tg::testplayer
