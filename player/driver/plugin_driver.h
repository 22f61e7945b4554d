// The plug-in loaded into the simulated player, as the user meets it: a fresh
// process, the main menu opened and, through it, the popup that carries the
// plug-in's items. Shared by the unit tests and the preview tool.
#pragma once

#include "platform/types.h"
#include "player/driver/menu_loop.h"

#include <cstddef>

namespace tg::driver {

// The module instance the player hands the plug-in (any non-null value will do).
HINSTANCE fakeModuleInstance();
// Everything back to a fresh process: platform, every plug-in state, player.
void resetProcess();
// How many WM_CANCELMODE the player's main window got (counted in its log).
std::size_t cancelModesReceived();

// The host popup whose first item carries id, searched through the main menu; null when none.
HMENU hostPopupWithFirstId(UINT id);
// Closes every menu, opens the player's main menu and, through it, the popup
// that carries the plug-in's items (its own popup, or the host popup with the
// configured id). Null when there is no such popup.
HMENU openTargetPopup(MenuLoop& loop);

} // namespace tg::driver
