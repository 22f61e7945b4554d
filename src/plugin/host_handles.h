// The three handles the player writes into the descriptor before init. Any
// layer may read them here without reaching the export's wiring.
#pragma once

#include "platform/types.h"

namespace tg {

HWND playerWindow();        // the player's main window
HWND libraryWindow();       // its media library's window
HINSTANCE moduleInstance(); // the plug-in's module, for its dialog templates

} // namespace tg
