// The host window's menu notifications: a popup about to open, a popup closed.
#pragma once

#include "platform/types.h"

namespace tg {

// WM_INITMENUPOPUP. Returns claimed: a claimed popup is the plug-in's own
// business and the host never sees it.
bool onInitMenuPopup(HWND window, HMENU popup, int parentPosition);
// WM_UNINITMENUPOPUP. The host sees it in any case.
void onUninitMenuPopup(HMENU menu);

} // namespace tg
