// Menu operations. Each mirrors one Win32 call with the same arguments and the
// same answers (including the odd ones: GetMenuState's 0xFFFFFFFF, CheckMenuItem
// returning the previous state), so the logic can be read against Win32 docs.
#pragma once

#include "platform/types.h"

namespace tg::platform {

inline constexpr UINT kMenuStateInvalid = 0xFFFFFFFF;     // GetMenuState for a missing item
inline constexpr DWORD kMenuPreviousInvalid = 0xFFFFFFFF; // CheckMenuItem / EnableMenuItem

HMENU createPopupMenu();
HMENU createMenu(); // a menu bar (CreateMenu), for a window's main menu
BOOL destroyMenu(HMENU menu);
BOOL isMenu(HMENU menu);

// idOrSubmenu is the command id, or the submenu handle when flags hold MF_POPUP.
BOOL appendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, const char* text);
BOOL insertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, const char* text);
// Deleting a popup item destroys its submenu tree, as DeleteMenu does.
BOOL deleteMenu(HMENU menu, UINT position, UINT flags);

int getMenuItemCount(HMENU menu); // -1 when menu is not a menu
// Copies at most maxCount - 1 characters and a terminator; returns the length copied,
// 0 for a missing item or a separator.
int getMenuString(HMENU menu, UINT item, char* buffer, int maxCount, UINT flags);
UINT getMenuState(HMENU menu, UINT item, UINT flags);
HMENU getSubMenu(HMENU menu, int position);
// GetMenuItemInfoA / SetMenuItemInfoA by position with MIIM_ID.
BOOL getMenuItemId(HMENU menu, UINT position, UINT* id);
BOOL setMenuItemId(HMENU menu, UINT position, UINT id);

DWORD checkMenuItem(HMENU menu, UINT item, UINT flags);
DWORD enableMenuItem(HMENU menu, UINT item, UINT flags);
BOOL hiliteMenuItem(HWND window, HMENU menu, UINT item, UINT flags);

// SetMenuInfo / GetMenuInfo with MIM_STYLE.
BOOL setMenuStyle(HMENU menu, DWORD style);
DWORD getMenuStyle(HMENU menu);

// TrackPopupMenuEx with no exclusion rectangle.
BOOL trackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner);
BOOL drawMenuBar(HWND window);

} // namespace tg::platform
