#include "player/driver/plugin_driver.h"

#include "model/model_state.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "player/player.h"
#include "plugin/frame_state.h"
#include "plugin/plugin_state.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace tg::driver {

namespace {

constexpr int kMaxMenuDepth = 16;

// Positions leading from menu to the first popup that is wanted.
bool pathToPopup(HMENU menu, const std::function<bool(HMENU)>& wanted, std::vector<int>& path,
                 int depth) {
    if (depth > kMaxMenuDepth) return false;
    const std::vector<platform::sim::MenuItemView> items = platform::sim::menuItems(menu);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const HMENU submenu = items[i].submenu;
        if (submenu == nullptr) continue;
        path.push_back(static_cast<int>(i));
        if (wanted(submenu) || pathToPopup(submenu, wanted, path, depth + 1)) return true;
        path.pop_back();
    }
    return false;
}

bool firstItemHasId(HMENU popup, UINT id) {
    const std::vector<platform::sim::MenuItemView> inner = platform::sim::menuItems(popup);
    return !inner.empty() && inner.front().id == id;
}

int positionOfText(HMENU menu, const char* text) {
    const std::vector<platform::sim::MenuItemView> items = platform::sim::menuItems(menu);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].text == text) return static_cast<int>(i);
    return -1;
}

} // namespace

HINSTANCE fakeModuleInstance() {
    static char module;
    return reinterpret_cast<HINSTANCE>(&module);
}

void resetProcess() {
    platform::sim::reset();
    resetPluginState();
    player::resetPlayer();
}

std::size_t cancelModesReceived() {
    const std::vector<std::string>& log = player::player().log();
    return static_cast<std::size_t>(std::count(log.begin(), log.end(), "WM_CANCELMODE"));
}

HMENU hostPopupWithFirstId(UINT id) {
    const HMENU mainMenu = player::player().mainMenu();
    std::vector<int> path;
    if (!pathToPopup(
            mainMenu, [id](HMENU popup) { return firstItemHasId(popup, id); }, path, 0))
        return nullptr;
    HMENU menu = mainMenu;
    for (int position : path) menu = platform::getSubMenu(menu, position);
    return menu;
}

HMENU openTargetPopup(MenuLoop& loop) {
    const HMENU mainMenu = player::player().mainMenu();
    loop.closeAll();
    loop.track(mainMenu);
    if (model().options.ownMenu != 0) {
        const int position = positionOfText(mainMenu, "Tunegrove");
        return position < 0 ? nullptr : loop.openSubmenu(mainMenu, position);
    }
    // The known target popup, wherever the host moved it; else the one the id finds.
    std::vector<int> path;
    const HMENU known = frame().targetPopup;
    const auto id = static_cast<UINT>(model().options.hostMenuId);
    const bool found =
        (known != nullptr &&
         pathToPopup(
             mainMenu, [known](HMENU popup) { return popup == known; }, path, 0)) ||
        pathToPopup(
            mainMenu, [id](HMENU popup) { return firstItemHasId(popup, id); }, path, 0);
    if (!found) return nullptr;
    HMENU menu = mainMenu;
    for (int position : path) menu = loop.openSubmenu(menu, position);
    return menu;
}

} // namespace tg::driver
