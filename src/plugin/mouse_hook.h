// Clicks inside the open menus, seen through the WH_MOUSE hook: actions on
// level items, the context menus, one menu level closed by a middle click,
// and host commands while the target popup is open.
#pragma once

#include "platform/window.h"

namespace tg {

LRESULT TG_CALLBACK mouseHookProcedure(int code, WPARAM wParam, LPARAM lParam);

// One mouse event (its hook wParam and data). Returns claimed: the next hook
// is then not called, but the event still reaches the menu.
bool onMenuMouse(UINT message, const platform::MouseHookData* data);

// Closes the innermost open menu with a synthetic Escape press and release.
void closeOneMenuLevel();

} // namespace tg
