// The player's main menu, as HOST_GET_MAIN_MENU hands it out.
#pragma once

#include "platform/types.h"

namespace tg::player {

// Command ids of the player's menu items that the plug-in may look for.
inline constexpr UINT kIdSongticker = 40188; // first item of Options > Visualization
inline constexpr UINT kIdPlay = 40045;       // first item of Play
inline constexpr UINT kIdNextTrack = 40048;  // first item of Skip

// A popup menu: "About Player...", separator, "Play File...", "Play URL...",
// "Play" >, "Skip" >, separator, "Skins" >, "Options" > (with "Visualization" >),
// separator, "Exit".
HMENU buildMainMenu();

} // namespace tg::player
