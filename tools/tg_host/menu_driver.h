// Acting on real menus the way a user does, from a thread other than the one
// that owns them: read what an open menu shows, move the mouse onto an item,
// click it, press keys. Input goes through SendInput, so it passes the mouse
// hook and the menu loop like a person's.
#pragma once

#include "platform/win32/windows_include.h"

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

MenuItem readMenuItem(HMENU menu, int position);
std::vector<MenuItem> readMenu(HMENU menu);
std::vector<std::string> menuTexts(HMENU menu);
// The first item whose text, up to a tab, is text; -1 when there is none.
int findMenuItem(HMENU menu, const std::string& text);

// The popup-menu windows ("#32768") of this process that are on screen.
std::vector<HWND> openMenuWindows();
// The menu a popup-menu window shows (MN_GETHMENU).
HMENU menuShownBy(HWND menuWindow);
// The window showing menu, or null when it is not open.
HWND windowShowing(HMENU menu);
bool isMenuOpen(HMENU menu);
bool anyMenuOpen();
// The smallest rectangle around every open menu and the given window.
RECT openMenusBounds(HWND alsoWindow);

// Polls condition until it holds or timeoutMs passed; whether it held.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// The screen point in the middle of an item of an open menu.
bool itemCenter(HMENU menu, int position, POINT& point);

enum class MouseButton { Left, Right, Middle };
void moveMouseTo(POINT at);
void clickAt(POINT at, MouseButton button = MouseButton::Left);
// Presses the keys in order and lets them go in the opposite order.
void pressKeys(const std::vector<WORD>& virtualKeys);

// Moves onto an item of an open menu and waits until its submenu is open.
bool openSubmenu(HMENU menu, int position, DWORD timeoutMs = 5000);
// Moves onto an item of an open menu and clicks it.
bool clickItem(HMENU menu, int position, MouseButton button = MouseButton::Left);

} // namespace tg::testplayer
