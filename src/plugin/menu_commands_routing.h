// WM_MENUCOMMAND: a choice in one of the plug-in's menus, by position.
#pragma once

#include "model/menu_definition.h"
#include "platform/types.h"

namespace tg {

// Returns claimed; choices in menus that are not the plug-in's go to the host.
bool onMenuCommand(HWND window, HMENU menu, int position);

// Ctrl held: a click or choice leaves the menus open.
bool controlKeyDown();
// An enqueueing action leaves the menus open when the user asked for that.
bool keepsMenusOpen(ClickAction action);
// Closes every open menu of the host window.
void closeAllMenus();

} // namespace tg
