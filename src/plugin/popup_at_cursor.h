// The plug-in's popup at the mouse pointer, for the hotkey and the tray icon.
#pragma once

#include "platform/types.h"

namespace tg {

// Brings the host forward and tracks the target popup at the cursor; makes a
// popup of its own when no target popup is known yet. Returns false.
bool showPopupAtCursor(HWND window);

} // namespace tg
