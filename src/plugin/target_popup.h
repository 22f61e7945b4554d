// The popup that carries the plug-in's items, at the moment it opens: set up
// at its first opening, "TG Playlist" kept in step with the queue, stale built
// items taken away, and the plug-in's part rebuilt when the menus changed.
#pragma once

#include "model/menu_definition.h"
#include "platform/types.h"

namespace tg {

// Whether popup is the target popup: its first item carries the configured
// command id, or it is the target popup already known.
bool isTargetPopup(HMENU popup);

// WM_INITMENUPOPUP for the target popup; always claimed.
bool onTargetPopupOpening(HWND window, HMENU popup);

// A definition that gets a submenu of its own, and one whose items can stand
// inline in the target popup.
bool hasSubmenuItems(const MenuDefinition& definition);
bool hasInlineItems(const MenuDefinition& definition);

} // namespace tg
