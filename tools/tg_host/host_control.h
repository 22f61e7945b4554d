// Reaching the test player from another thread (a script or a test acting as
// the user): every call goes through the player window's messages, so the
// player and the plug-in are only ever touched on their own thread, also while
// a menu is open there.
#pragma once

#include "platform/win32/windows_include.h"

#include <functional>
#include <string>
#include <vector>

namespace tg::testplayer {

class HostControl {
public:
    explicit HostControl(HWND window = nullptr) : window_(window) {}

    HWND window() const { return window_; }
    // Runs function on the player's thread and waits for it. A player that
    // does not answer within kAnswerMs is hung: the hang handler runs, and
    // the process ends with exit code 3.
    void run(const std::function<void()>& function) const;
    template <typename Function> auto get(Function function) const -> decltype(function()) {
        decltype(function()) result{};
        run([&] { result = function(); });
        return result;
    }
    // Opens menu (null: the player's main menu) at a screen point and returns
    // at once; the menu stays open in the player's thread.
    void showMenu(HMENU menu, POINT at) const;
    // WM_CANCELMODE to the player's window, as the plug-in sends it: closes open menus.
    void cancelMenus() const;

    std::vector<std::string> playerLog() const;
    void clearPlayerLog() const;

    static constexpr DWORD kAnswerMs = 20000;
    // What to print before a hung player ends the process.
    static void setHangHandler(void (*handler)());

private:
    HWND window_;
};

} // namespace tg::testplayer
