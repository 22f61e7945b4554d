// Reading an open menu and, through the menu loop, every submenu below it, the
// way a user resting on each item in turn would see them.
#pragma once

#include "menu_node.h"
#include "platform/sim/inspect.h"
#include "player/driver/menu_loop.h"

#include <vector>

namespace tg::preview {

// Submenus deeper than this are never opened, whatever depth was asked for
// (a folder tree that loops back into itself would never end).
inline constexpr int kDeepestCapture = 64;

// A menu's items with their texts in UTF-8: the plug-in writes them in the code
// page until it finds a player with the wide calls.
std::vector<platform::sim::MenuItemView> shownItems(HMENU menu);

// The items of an open menu; each submenu is opened, read and closed again,
// down to levels more levels (-1: all). Popups emptied when they close are read
// while they are open.
std::vector<MenuNode> captureMenu(driver::MenuLoop& loop, HMENU menu, int levels);

} // namespace tg::preview
