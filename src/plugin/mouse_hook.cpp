#include "plugin/mouse_hook.h"

#include "actions/menu_commands.h"
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

} // namespace

void closeOneMenuLevel() {
    frame().middleButtonDown = false;
    const auto scan = static_cast<BYTE>(platform::mapVirtualKey(VK_ESCAPE, MAPVK_VK_TO_VSC));
    platform::keybdEvent(VK_ESCAPE, scan, 0);
    platform::keybdEvent(VK_ESCAPE, scan, KEYEVENTF_KEYUP);
}

bool onMenuMouse(UINT message, const platform::MouseHookData* data) {
    FrameState& f = frame();
    ModelState& m = model();
    const HMENU sel = f.selectedMenu;
    const int pos = f.selectedItem;
    const platform::Point point = data != nullptr ? data->pt : platform::Point{};
    if (sel == nullptr) return false;

    if (sel == f.playlistPopup && message == WM_RBUTTONUP) {
        f.contextIndex = pos;
        if (pos >= 2) showContextMenu(ContextMenu::PlaylistEntry, point);
        return true;
    }
    if (message == WM_MBUTTONDOWN) {
        f.middleButtonDown = true;
        return true;
    }
    if ((sel == f.actionMenu || sel == f.playlistEntryMenu || sel == f.targetPopup) &&
        message == WM_MBUTTONUP) {
        if (!f.middleButtonDown) return false;
        closeOneMenuLevel();
        return true;
    }
    const bool middleUp = message == WM_MBUTTONUP && f.middleButtonDown;
    if (message != WM_RBUTTONUP && message != WM_LBUTTONUP && !middleUp) return false;
    if (sel == f.targetPopup && pos < f.pluginItemsStart) return false; // the host's part

    if (f.targetOpen) {
        if (isHostCommand(sel, pos)) {
            const HWND host = playerWindow();
            f.clickedHostMenu = sel;
            f.clickedHostId = static_cast<WORD>(pos);
            closeAllMenus();
            platform::sendMessage(host, WM_COMMAND, static_cast<WPARAM>(pos), 0);
            return true;
        }
        if (message == WM_MBUTTONUP) {
            closeOneMenuLevel();
            return true;
        }
    }

    // "TG Playlist", the separators and the definitions' submenus of the target
    // popup are never values of the inline level.
    if (sel == f.targetPopup && !isInlineItem(pos)) return false;

    MenuDefinition* definition = m.currentDefinition;
    if (definition == nullptr) return false;
    const int level = levelShowing(sel);
    if (level < 0) return true; // not a level of the current walk
    if (isSeparator(sel, pos)) return true;

    int depth = level;
    const bool header = pos == 0 && platform::getMenuItemCount(sel) > 1 && isSeparator(sel, 1);
    if (header)
        depth = level - 1; // the heading stands for the whole level above
    else
        readItemValue(sel, pos, m.selectionPath, *definition, level);

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
