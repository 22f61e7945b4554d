#include "plugin/menu_commands_routing.h"

#include "actions/playlist_popup.h"
#include "actions/source_dispatch.h"
#include "model/model_state.h"
#include "platform/window.h"
#include "plugin/context_menus.h"
#include "plugin/frame_state.h"
#include "plugin/host_handles.h"
#include "plugin/host_items.h"

namespace tg {

namespace {

// The definition a context menu was opened for, if it still exists.
MenuDefinition* contextDefinition() {
    MenuDefinition* definition = frame().contextDefinition;
    return definitionPosition(definition) >= 0 ? definition : nullptr;
}

} // namespace

bool keepsMenusOpen(ClickAction action) {
    return model().options.keepMenuOnEnqueue != 0 &&
           (action == ClickAction::Enqueue || action == ClickAction::EnqueueTg);
}

bool controlKeyDown() {
    return platform::getKeyState(VK_CONTROL) < 0;
}

void closeAllMenus() {
    platform::sendMessage(playerWindow(), WM_CANCELMODE, 0, 0);
}

bool onMenuCommand(HWND, HMENU menu, int position) {
    FrameState& f = frame();
    if (menu == nullptr) return false;
    if (menu == f.actionMenu) {
        const std::optional<ClickAction> action = actionItemAt(position);
        if (!(action && keepsMenusOpen(*action)) && !controlKeyDown()) closeAllMenus();
        MenuDefinition* definition = contextDefinition();
        if (action && definition != nullptr)
            executeAction(*definition, model().selectionPath, f.contextIndex, *action);
        return true;
    }
    if (menu == f.playlistPopup) return onPlaylistPopupCommand(position);
    if (menu == f.playlistEntryMenu)
        return onPlaylistEntryCommand(f.playlistPopup, position, f.contextIndex);
    // The target popup reports by position, which the player does not read: a
    // choice of one of its items, or of its submenus', reaches it as the
    // item's command, once, even when the click already sent it.
    UINT id = 0;
    if (!hostItemAt(menu, position, &id)) return false;
    const bool sent = f.clickedHostMenu == menu && f.clickedHostId == (id & 0xFFFFu);
    f.clickedHostMenu = nullptr;
    if (!sent)
        platform::sendMessage(playerWindow(), WM_COMMAND, static_cast<WPARAM>(id & 0xFFFFu), 0);
    return true;
}

} // namespace tg
