// The two small menus a right click opens on top of the open menus: the five
// actions for a level item, and Move Up / Move Down / Delete for an entry of
// "TG Playlist".
#pragma once

#include "platform/window.h"

namespace tg {

enum class ContextMenu { Actions, PlaylistEntry };

// Makes the menu when its handle is not a menu (any more), then tracks it at
// point. A menu that cannot be shown is reported in an "ERROR" box.
void showContextMenu(ContextMenu which, platform::Point point);

// Destroys both menus (at shut-down).
void destroyContextMenus();

} // namespace tg
