// The global hotkey: registered for the player's window under the plug-in's
// atom, and a real key press opens the plug-in's popup at the mouse cursor.
#include "player_fixture.h"

using namespace tg::e2e;
using tg::testplayer::anyMenuOpen;
using tg::testplayer::menuShownBy;
using tg::testplayer::moveMouseTo;
using tg::testplayer::openMenuWindows;
using tg::testplayer::pressKeys;
using tg::testplayer::readMenuItem;
using tg::testplayer::waitUntil;

namespace {

constexpr char kAtomName[] = "WAMPHK_0";

std::string hotkeySettings() {
    SettingsFile settings;
    settings.hotkey = kHotkeyCtrlAltM;
    settings.records = {libraryMenuRecord("Jazz", "genre == \"Jazz\"")};
    return settings.text();
}

// Whether another window may still take Ctrl+Alt+M (it is free).
bool combinationIsFree() {
    if (!RegisterHotKey(nullptr, 0x3FFF, MOD_CONTROL | MOD_ALT, 'M')) return false;
    UnregisterHotKey(nullptr, 0x3FFF);
    return true;
}

// Presses Ctrl+Alt+M with the cursor at a point and waits for a menu to show there.
HWND pressHotkeyAt(POINT at) {
    moveMouseTo(at);
    pressKeys({VK_CONTROL, VK_MENU, 'M'});
    HWND shown = nullptr;
    waitUntil([&] {
        const std::vector<HWND> windows = openMenuWindows();
        shown = windows.empty() ? nullptr : windows.front();
        return shown != nullptr;
    });
    return shown;
}

bool centredNear(HWND window, POINT at) {
    RECT rect;
    GetWindowRect(window, &rect);
    const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return PtInRect(&rect, at) && std::abs(centre.x - at.x) <= 2 && std::abs(centre.y - at.y) <= 2;
}

} // namespace

WINE_TEST(hotkeyIsRegisteredUnderThePluginAtom) {
    CHECK(combinationIsFree());
    RunningPlayer player({hotkeySettings()});
    const ATOM atom = GlobalFindAtomA(kAtomName);
    CHECK(atom != 0);
    CHECK(!combinationIsFree());
}

WINE_TEST(hotkeyOpensThePopupAtTheCursor) {
    RunningPlayer player({hotkeySettings()});
    RECT rect;
    GetWindowRect(player.window(), &rect);
    const POINT at{rect.left + 400, rect.top + 260};

    // No host popup was seen yet: a popup of the plug-in's own, headed "Tunegrove".
    const HWND first = pressHotkeyAt(at);
    REQUIRE(first != nullptr);
    const HMENU cursorPopup = menuShownBy(first);
    CHECK_TEXT(readMenuItem(cursorPopup, 0).text.c_str(), "Tunegrove");
    CHECK(findItemContaining(cursorPopup, "Jazz") > 0);
    CHECK(centredNear(first, at));
    player.closeMenus();

    // Once the configured host popup has opened, the hotkey shows that one.
    player.openMainMenu();
    const HMENU visualization = player.openPath({"Options", "Visualization"});
    CHECK(findItemContaining(visualization, "Jazz") > 0);
    player.closeMenus();
    const POINT elsewhere{rect.left + 300, rect.top + 300};
    const HWND second = pressHotkeyAt(elsewhere);
    REQUIRE(second != nullptr);
    CHECK_EQ(menuShownBy(second), visualization);
    CHECK(centredNear(second, elsewhere));
    player.closeMenus();
}

WINE_TEST(otherHotkeysGoOnToThePlayer) {
    RunningPlayer player({hotkeySettings()});
    const ATOM atom = GlobalFindAtomA(kAtomName);
    REQUIRE(atom != 0);
    player.clearLog();
    SendMessageA(player.window(), WM_HOTKEY, static_cast<WPARAM>(atom + 1), 0);
    CHECK_EQ(player.logCount("WM_HOTKEY"), 1);
    CHECK(!anyMenuOpen());
}
