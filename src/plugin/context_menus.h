// The two small menus a right click opens on top of the open menus: the five
// actions for a level item, and Move Up / Move Down / Delete for an entry of
// "TG Playlist".
#pragma once

#include "model/menu_definition.h"
#include "platform/window.h"

#include <optional>

namespace tg {

enum class ContextMenu { Actions, PlaylistEntry };

// An item of the actions' menu: its text and the action it runs.
struct ActionItem {
    const char* text;
    ClickAction action;
};
inline constexpr ActionItem kActionItems[] = {{"Play", ClickAction::Play},
                                              {"Enqueue", ClickAction::Enqueue},
                                              {"Enq. and Play", ClickAction::EnqueueAndPlay},
                                              {"Play TG", ClickAction::PlayTg},
                                              {"Enqueue TG", ClickAction::EnqueueTg}};

// The action of the item at position of the actions' menu; none past its items.
std::optional<ClickAction> actionItemAt(int position);

// Makes the menu when its handle is not a menu (any more), then tracks it at
// point. A menu that cannot be shown is reported in an "ERROR" box.
void showContextMenu(ContextMenu which, platform::Point point);

// Destroys both menus (at shut-down).
void destroyContextMenus();

} // namespace tg
