#include "plugin/mouse_hook.h"

#include "actions/playlist_popup.h"
#include "actions/source_dispatch.h"
#include "model/model_state.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "plugin/context_menus.h"
#include "plugin/entry_guard.h"
#include "plugin/frame_state.h"
#include "plugin/host_handles.h"
#include "plugin/host_items.h"
#include "plugin/item_value.h"
#include "plugin/menu_commands_routing.h"

namespace tg {

namespace {

bool isSeparator(HMENU menu, int position) {
    if (platform::getSubMenu(menu, position) != nullptr) return false;
    const UINT state = platform::getMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return state != platform::kMenuStateInvalid && (state & MF_SEPARATOR) != 0;
}

bool opensSubmenu(HMENU menu, int position) {
    const UINT state = platform::getMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return state != platform::kMenuStateInvalid && (state & MF_POPUP) != 0;
}

// The depth of the open level that shows menu (itself or a "MORE" page), or -1.
int levelShowing(HMENU menu) {
    const std::vector<LevelSelection>& path = model().selectionPath;
    for (std::size_t i = 0; i < path.size(); ++i)
        if (isPathMenu(path[i].menu, menu)) return static_cast<int>(i);
    return -1;
}

// The menu loop looks at each mouse message (HC_NOREMOVE) before it takes it
// (HC_ACTION). The event is acted on when first seen: a context menu must open
// while the message is only looked at, since a taken one holds the queue's
// later input back until the hook returns.
bool firstSighting(int code, UINT message, const platform::MouseHookData* data) {
    FrameState& f = frame();
    const platform::Point point = data != nullptr ? data->pt : platform::Point{};
    const bool seen = f.peekedMouseMessage == message && f.peekedMousePoint.x == point.x &&
                      f.peekedMousePoint.y == point.y;
    if (code == HC_NOREMOVE) {
        f.peekedMouseMessage = message;
        f.peekedMousePoint = point;
        return !seen;
    }
    f.peekedMouseMessage = 0;
    return !seen;
}

// What the mouse is over, decided before the button is looked at.
enum class Under {
    QueuePopup,    // "TG Playlist"
    ContextMenu,   // one of the two context menus
    PlayerPart,    // the player's items of the target popup
    PlayerCommand, // one of the player's commands while the target popup is open
    TargetRest,    // the target popup's own items that are no values of the inline level
    Level,         // an item of a level of the current walk
    Other,         // any other menu
};

struct Place {
    Under under = Under::Other;
    bool inTarget = false; // the target popup itself, whichever part
    int level = -1;        // the depth of the level, for Under::Level
};

// The plug-in's own popups hold none of the player's commands, so they are
// told apart first.
Place classify(HMENU menu, int position) {
    const FrameState& f = frame();
    Place place;
    place.inTarget = menu == f.targetPopup;
    if (menu == f.playlistPopup)
        place.under = Under::QueuePopup;
    else if (menu == f.actionMenu || menu == f.playlistEntryMenu)
        place.under = Under::ContextMenu;
    else if (place.inTarget && position < f.pluginItemsStart)
        place.under = Under::PlayerPart;
    else if (f.targetOpen && isHostCommand(menu, position))
        place.under = Under::PlayerCommand;
    else if (place.inTarget && !isInlineItem(position))
        place.under = Under::TargetRest;
    else if ((place.level = levelShowing(menu)) >= 0)
        place.under = Under::Level;
    return place;
}

bool onQueueRightClick(platform::Point point) {
    FrameState& f = frame();
    f.contextIndex = f.selectedItem;
    if (f.selectedItem >= kFirstEntryPosition) showContextMenu(ContextMenu::PlaylistEntry, point);
    return true;
}

bool sendPlayerCommand() {
    FrameState& f = frame();
    const HWND host = playerWindow();
    const int pos = f.selectedItem;
    f.clickedHostMenu = f.selectedMenu;
    f.clickedHostId = static_cast<WORD>(pos);
    closeAllMenus();
    platform::sendMessage(host, WM_COMMAND, static_cast<WPARAM>(pos), 0);
    return true;
}

// A click on an item of the current walk: the right button opens the actions'
// context menu for it, the others run the definition's click action.
bool actOnItem(const Place& place, UINT message, platform::Point point) {
    FrameState& f = frame();
    ModelState& m = model();
    MenuDefinition* definition = m.currentDefinition;
    if (definition == nullptr) return false;
    if (place.under != Under::Level) return true; // not a level of the current walk
    const HMENU sel = f.selectedMenu;
    const int pos = f.selectedItem;
    if (isSeparator(sel, pos)) return true;

    int depth = place.level;
    const bool header = pos == 0 && platform::getMenuItemCount(sel) > 1 && isSeparator(sel, 1);
    if (header)
        depth = place.level - 1; // the heading stands for the whole level above
    else
        readItemValue(sel, pos, m.selectionPath, *definition, place.level);

    if (message == WM_RBUTTONUP) {
        f.contextDefinition = definition;
        f.contextIndex = depth;
        showContextMenu(ContextMenu::Actions, point);
        return true;
    }
    if (m.options.disableMenuActions != 0 && opensSubmenu(sel, pos)) return false;

    const ClickAction action = definition->clickAction;
    f.selectedMenu = nullptr;
    executeAction(*definition, m.selectionPath, depth, action);
    if (keepsMenusOpen(action)) return false;
    if (!controlKeyDown()) closeAllMenus();
    return false;
}

} // namespace

void closeOneMenuLevel() {
    frame().middleButtonDown = false;
    const auto scan = static_cast<BYTE>(platform::mapVirtualKey(VK_ESCAPE, MAPVK_VK_TO_VSC));
    platform::keybdEvent(VK_ESCAPE, scan, 0);
    platform::keybdEvent(VK_ESCAPE, scan, KEYEVENTF_KEYUP);
}

bool onMenuMouse(UINT message, const platform::MouseHookData* data) {
    FrameState& f = frame();
    if (f.selectedMenu == nullptr) return false;
    if (message == WM_MBUTTONDOWN) {
        f.middleButtonDown = true;
        return true;
    }
    const bool middleUp = message == WM_MBUTTONUP && f.middleButtonDown;
    if (message != WM_RBUTTONUP && message != WM_LBUTTONUP && !middleUp) return false;

    const Place place = classify(f.selectedMenu, f.selectedItem);
    const platform::Point point = data != nullptr ? data->pt : platform::Point{};
    // A middle click in these closes one menu level, whatever it is over.
    if (middleUp && (place.inTarget || place.under == Under::ContextMenu)) {
        closeOneMenuLevel();
        return true;
    }
    switch (place.under) {
    case Under::QueuePopup:
        if (message == WM_RBUTTONUP) return onQueueRightClick(point);
        break;
    case Under::PlayerPart:
    case Under::TargetRest: return false;
    case Under::PlayerCommand: return sendPlayerCommand();
    default: break;
    }
    if (middleUp && f.targetOpen) {
        closeOneMenuLevel();
        return true;
    }
    return actOnItem(place, message, point);
}

LRESULT TG_CALLBACK mouseHookProcedure(int code, WPARAM wParam, LPARAM lParam) {
    const auto* data = reinterpret_cast<const platform::MouseHookData*>(lParam);
    const auto message = static_cast<UINT>(wParam);
    if (code >= 0 && guarded(false, [&] {
            return firstSighting(code, message, data) && onMenuMouse(message, data);
        }))
        return 0;
    return platform::callNextHookEx(frame().mouseHook, code, wParam, lParam);
}

} // namespace tg
