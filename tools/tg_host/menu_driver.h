// Acting on real menus the way a user does, from a thread other than the
// player's: read what an open menu shows, move the mouse onto an item, click
// it, press keys. Input is injected with SendInput, so it passes the mouse hook
// and the menu loop like a person's.
//
// Every user32 call runs on the player's thread (through HostControl): under
// Wine only the thread holding the menu's pointer grab can move the X pointer,
// and menus are best read by the thread that changes them.
#pragma once

#include "host_control.h"

#include <functional>
#include <string>
#include <vector>

namespace tg::testplayer {

struct MenuItem {
    std::string text; // GetMenuStringA by position
    UINT state = 0;   // GetMenuState by position
    UINT id = 0;      // GetMenuItemID; -1 for an item that opens a submenu
    HMENU submenu = nullptr;
};

enum class MouseButton { Left, Right, Middle };

// On the player's thread itself (a timer inside its menu loop): the window
// that shows menu, or null when menu is not open.
HWND windowShowingMenu(HMENU menu);

// Polls condition until it holds or timeoutMs passed; whether it held.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

class MenuUser {
public:
    explicit MenuUser(const HostControl& host) : host_(host) {}

    // ---- Reading ----
    MenuItem item(HMENU menu, int position) const;
    std::vector<MenuItem> items(HMENU menu) const;
    std::vector<std::string> texts(HMENU menu) const;
    // The first item whose text, up to a tab, is text; -1 when there is none.
    int find(HMENU menu, const std::string& text) const;
    // The first item whose text contains part; -1 when there is none.
    int findContaining(HMENU menu, const std::string& part) const;
    // The items as one line, for messages.
    std::string describe(HMENU menu) const;

    // ---- Menus on screen ----
    // The menus shown in popup-menu windows ("#32768"), topmost first.
    std::vector<HMENU> openMenus() const;
    HWND windowShowing(HMENU menu) const; // null when menu is not open
    bool isOpen(HMENU menu) const { return windowShowing(menu) != nullptr; }
    bool anyOpen() const { return !openMenus().empty(); }
    // The smallest rectangle around every open menu and the player's window.
    RECT openMenusBounds() const;
    // The screen point in the middle of an item of an open menu.
    bool itemCenter(HMENU menu, int position, POINT& point) const;

    // ---- Acting ----
    void moveTo(POINT at) const;
    void click(POINT at, MouseButton button = MouseButton::Left) const;
    // Presses the keys in order and lets them go in the opposite order.
    void pressKeys(const std::vector<WORD>& virtualKeys) const;
    // Moves onto an item of an open menu and waits until its submenu is open.
    bool openSubmenu(HMENU menu, int position, DWORD timeoutMs = 5000) const;
    // WM_CANCELMODE to the player, as the plug-in sends it, then Escape and
    // WM_CANCELMODE by turns every 250 ms until no menu shows.
    bool closeAll(DWORD timeoutMs = 5000) const;
    // Moves onto an item of an open menu and clicks it.
    bool clickItem(HMENU menu, int position, MouseButton button = MouseButton::Left) const;

    // Waits until the player's thread has taken the injected input from its queue.
    void waitForInputTaken() const;

    const HostControl& host() const { return host_; }

private:
    const HostControl& host_;
};

} // namespace tg::testplayer
