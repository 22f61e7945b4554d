// Small edits of a menu that several menus make alike.
#pragma once

#include "platform/types.h"

namespace tg {

// The popups whose clicks the plug-in reads by position: they close with the
// menus above them and report WM_MENUCOMMAND instead of WM_COMMAND.
inline constexpr DWORD kNotifyByPositionStyle = MNS_AUTODISMISS | MNS_NOTIFYBYPOS;

// The number of items, 0 when menu is not a menu.
int itemCount(HMENU menu);

// Deletes the items from the end down to position (submenus go with them).
void removeItemsFrom(HMENU menu, int position);

// Whether an item of menu opens submenu.
bool holdsSubmenu(HMENU menu, HMENU submenu);

// Puts the check mark on the item at position, or takes it off.
void setItemChecked(HMENU menu, int position, bool checked);

} // namespace tg
