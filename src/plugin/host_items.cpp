#include "plugin/host_items.h"

#include "model/model_state.h"
#include "platform/menu.h"
#include "plugin/frame_state.h"

#include <algorithm>
#include <cstdint>

namespace tg {

namespace {

// The player's menus are shallow; the bound only stops a menu that holds itself.
constexpr int kMaxSubmenuDepth = 16;

bool enabledPlainItem(HMENU menu, int position, UINT* id) {
    const UINT state = platform::getMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    if (state == platform::kMenuStateInvalid) return false;
    if ((state & (MF_POPUP | MF_SEPARATOR | MF_DISABLED | MF_GRAYED)) != 0) return false;
    return platform::getSubMenu(menu, position) == nullptr &&
           platform::getMenuItemId(menu, static_cast<UINT>(position), id) != FALSE;
}

// The popup the plug-in made itself: the player's items are never in it.
bool targetIsOwnPopup() {
    const FrameState& f = frame();
    return f.cursorPopupCreated || model().options.ownMenu != 0;
}

bool holdsMenu(HMENU menu, HMENU wanted, int depth) {
    if (depth > kMaxSubmenuDepth || !platform::isMenu(menu)) return false;
    const int count = platform::getMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const HMENU submenu = platform::getSubMenu(menu, i);
        if (submenu == nullptr) continue;
        if (submenu == wanted || holdsMenu(submenu, wanted, depth + 1)) return true;
    }
    return false;
}

// Whether menu hangs below one of the player's submenus of the target popup.
bool belowHostPart(HMENU menu) {
    const FrameState& f = frame();
    if (f.targetPopup == nullptr || targetIsOwnPopup()) return false;
    for (int i = 0; i < f.pluginItemsStart; ++i) {
        const HMENU submenu = platform::getSubMenu(f.targetPopup, i);
        if (submenu != nullptr && (submenu == menu || holdsMenu(submenu, menu, 1))) return true;
    }
    return false;
}

std::int64_t hostCommandLimit() {
    return std::int64_t{std::max(layoutColumns(), layoutMoreColumns())} * layoutRows();
}

} // namespace

bool hostItemAt(HMENU menu, int position, UINT* id) {
    const FrameState& f = frame();
    if (menu == nullptr || f.targetPopup == nullptr || targetIsOwnPopup() || position < 0)
        return false;
    if (menu == f.targetPopup) {
        if (position >= f.pluginItemsStart) return false;
    } else if (!belowHostPart(menu)) {
        return false;
    }
    return enabledPlainItem(menu, position, id);
}

bool isHostCommand(HMENU menu, int selected) {
    const FrameState& f = frame();
    if (menu == nullptr) return false;
    if (menu == f.targetPopup) {
        for (int i = 0; i < f.pluginItemsStart; ++i) {
            UINT id = 0;
            if (hostItemAt(menu, i, &id) && (id & 0xFFFFu) == static_cast<UINT>(selected))
                return true;
        }
        return false;
    }
    if (selected < hostCommandLimit() || !belowHostPart(menu)) return false;
    const int count = platform::getMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT id = 0;
        if (enabledPlainItem(menu, i, &id) && (id & 0xFFFFu) == static_cast<UINT>(selected))
            return true;
    }
    return false;
}

bool isInlineItem(int position) {
    const FrameState& f = frame();
    const MenuDefinition* mainMenu = model().options.mainMenu;
    if (mainMenu == nullptr || f.targetPopup == nullptr || mainMenu->popupMenu != f.targetPopup)
        return false;
    if (position < mainMenu->firstBuiltItem || position < f.pluginItemsStart) return false;
    if (position >= platform::getMenuItemCount(f.targetPopup)) return false;
    if (platform::getSubMenu(f.targetPopup, position) != nullptr) return true;
    UINT id = 0;
    return platform::getMenuItemId(f.targetPopup, static_cast<UINT>(position), &id) != FALSE &&
           id == static_cast<UINT>(position);
}

} // namespace tg
