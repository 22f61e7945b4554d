// The player's own items among the open menus: its part of the target popup
// and the submenus that hang from that part. A popup the plug-in made (its own
// popup, the one made for the cursor, "TG Playlist", the level menus and the
// context menus) holds none of them, whatever ids its items carry.
#pragma once

#include "platform/types.h"

namespace tg {

// The command id of the player's item at position of menu: an enabled plain
// item before the plug-in's part of a target popup that is the player's, or in
// a submenu hanging from that part.
bool hostItemAt(HMENU menu, int position, UINT* id);

// Whether the low word of a WM_MENUSELECT in menu names one of the player's
// commands, which the plug-in hands on as WM_COMMAND: in the target popup the
// id of an item hostItemAt gives; in a submenu of the player's part an id at
// or above the most items one page can show that an enabled plain item carries.
bool isHostCommand(HMENU menu, int selected);

// Whether position of the target popup holds one of the inline items (a
// submenu there, or a plain item whose id is its position).
bool isInlineItem(int position);

} // namespace tg
