// The global hotkey: registered for the player's window under the plug-in's
// atom, and a real key press opens the plug-in's popup at the mouse cursor.
#include "player_fixture.h"

#include <cstdlib>

using namespace tg::e2e;

namespace {

constexpr char kAtomName[] = "WAMPHK_0";

std::string hotkeySettings() {
    SettingsFile settings;
    settings.hotkey = kHotkeyCtrlShiftM;
    settings.records = {libraryMenuRecord("Jazz", "genre == \"Jazz\"")};
    return settings.text();
}

// Whether another window may still take Ctrl+Shift+M (it is free).
bool combinationIsFree() {
    if (!RegisterHotKey(nullptr, 0x3FFF, MOD_CONTROL | MOD_SHIFT, 'M')) return false;
    UnregisterHotKey(nullptr, 0x3FFF);
    return true;
}

// Presses Ctrl+Shift+M with the cursor at a point; the menu that then shows.
HMENU pressHotkeyAt(const MenuUser& user, POINT at) {
    user.moveTo(at);
    user.pressKeys({VK_CONTROL, VK_SHIFT, 'M'});
    HMENU shown = nullptr;
    waitUntil([&] {
        const std::vector<HMENU> menus = user.openMenus();
        shown = menus.empty() ? nullptr : menus.front();
        return shown != nullptr;
    });
    return shown;
}

bool centredNear(const MenuUser& user, HMENU menu, POINT at) {
    RECT rect{};
    const HWND window = user.windowShowing(menu);
    if (!window || !GetWindowRect(window, &rect)) return false;
    const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (std::abs(centre.x - at.x) <= 2 && std::abs(centre.y - at.y) <= 2) return true;
    std::printf("  menu at %ld,%ld-%ld,%ld, cursor at %ld,%ld\n", rect.left, rect.top, rect.right,
                rect.bottom, at.x, at.y);
    return false;
}

} // namespace

WINE_TEST(hotkeyIsRegisteredUnderThePluginAtom) {
    CHECK(combinationIsFree());
    RunningPlayer player({hotkeySettings()});
    CHECK(GlobalFindAtomA(kAtomName) != 0);
    CHECK(!combinationIsFree());
}

WINE_TEST(hotkeyOpensThePopupAtTheCursor) {
    RunningPlayer player({hotkeySettings()});
    const MenuUser& user = player.user();
    RECT rect;
    GetWindowRect(player.window(), &rect);
    const POINT at{rect.left + 400, rect.top + 260};

    // No host popup was seen yet: a popup of the plug-in's own, headed "Tunegrove".
    const HMENU cursorPopup = pressHotkeyAt(user, at);
    REQUIRE(cursorPopup != nullptr);
    CHECK_TEXT(user.item(cursorPopup, 0).text.c_str(), "Tunegrove");
    CHECK(user.findContaining(cursorPopup, "Jazz") > 0);
    CHECK(centredNear(user, cursorPopup, at));
    player.closeMenus();

    // Once the configured host popup has opened, the hotkey shows that one.
    player.openMenu();
    const HMENU visualization = player.openPath({"Options", "Visualization"});
    CHECK(user.findContaining(visualization, "Jazz") > 0);
    player.closeMenus();
    const POINT elsewhere{rect.left + 300, rect.top + 300};
    const HMENU second = pressHotkeyAt(user, elsewhere);
    REQUIRE(second != nullptr);
    CHECK_EQ(second, visualization);
    CHECK(centredNear(user, second, elsewhere));
    player.closeMenus();
}

WINE_TEST(otherHotkeysGoOnToThePlayer) {
    RunningPlayer player({hotkeySettings()});
    const ATOM atom = GlobalFindAtomA(kAtomName);
    REQUIRE(atom != 0);
    player.clearLog();
    SendMessageA(player.window(), WM_HOTKEY, static_cast<WPARAM>(atom + 1), 0);
    CHECK_EQ(player.logCount("WM_HOTKEY"), 1);
    CHECK(!player.user().anyOpen());
}
