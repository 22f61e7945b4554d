// Shut-down takes everything out of the player again, and opening the menus
// over and over leaves no menu behind that the plug-in no longer holds.
#include "player_fixture.h"

#include "player/player.h"

using namespace tg::e2e;

namespace {

constexpr int kRepetitions = 200;

SettingsFile settingsWithHotkey(bool ownMenu) {
    SettingsFile settings = jazzSettings();
    settings.ownMenu = ownMenu;
    settings.hotkey = kHotkeyCtrlShiftM;
    return settings;
}

// The main window's procedure now, and as the plug-in found it, as addresses.
bool procedureIsTheHostsAgain(const RunningPlayer& player) {
    const LONG_PTR now =
        player.host().get([&] { return GetWindowLongPtrA(player.window(), GWLP_WNDPROC); });
    return now == reinterpret_cast<LONG_PTR>(player.procedureBeforePlugin());
}

DWORD menuStyle(const RunningPlayer& player, HMENU menu) {
    return player.host().get([&] {
        MENUINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIM_STYLE;
        return GetMenuInfo(menu, &info) ? info.dwStyle : 0;
    });
}

bool hotkeyIsFree() {
    if (!RegisterHotKey(nullptr, 0x3FFF, MOD_CONTROL | MOD_SHIFT, 'M')) return false;
    UnregisterHotKey(nullptr, 0x3FFF);
    return true;
}

} // namespace

WINE_TEST(quitTakesTheOwnMenuOutAndGivesTheWindowBack) {
    RunningPlayer player({settingsWithHotkey(true).text()});
    player.openMenu();
    int track = -1;
    const HMENU titles = openGinAndTonic(player, player.openPath({"Tunegrove", "Jazz"}), track);
    REQUIRE(player.user().clickItem(titles, track)); // plays, and the hook closes the menus
    REQUIRE(waitUntil([&] { return !player.user().anyOpen(); }));
    CHECK(player.liveMenus() > 0);
    CHECK(!hotkeyIsFree());

    player.quitPlugin();
    CHECK(procedureIsTheHostsAgain(player));
    CHECK_EQ(player.user().find(player.mainMenu(), "Tunegrove"), -1);
    CHECK_EQ(player.itemCount(player.mainMenu()), 11);
    // Every menu it made is gone: its popup and the levels built under it.
    CHECK(player.createdMenus() > 3);
    CHECK_EQ(player.liveMenus(), 0);
    CHECK_EQ(GlobalFindAtomA("WAMPHK_0"), 0);
    CHECK(hotkeyIsFree());

    // With the DLL unloaded, mouse input and menus in the player still work: no
    // hook or procedure of the plug-in is left to call.
    player.unloadPlugin();
    RECT rect;
    GetWindowRect(player.window(), &rect);
    player.user().click({rect.left + 200, rect.top + 200});
    player.clearLog();
    player.openMenu();
    player.openPath({"Options", "Visualization"});
    player.closeMenus();
    CHECK_EQ(player.logCount("WM_INITMENUPOPUP"), 3);
}

WINE_TEST(quitGivesTheHostPopupBackAsItWas) {
    RunningPlayer player({settingsWithHotkey(false).text()});
    const HMENU visualization = player.hostPopup(kIdSongticker);
    const DWORD styleBefore = menuStyle(player, visualization);
    player.openMenu();
    int track = -1;
    openGinAndTonic(player, player.openPath({"Options", "Visualization", "Jazz"}), track);
    player.closeMenus();
    CHECK(player.itemCount(visualization) > 2);

    player.quitPlugin();
    CHECK_EQ(player.itemCount(visualization), 2);
    CHECK_EQ(menuStyle(player, visualization) & MNS_NOTIFYBYPOS, 0u);
    CHECK_EQ(menuStyle(player, visualization), styleBefore | MNS_AUTODISMISS);
    CHECK_EQ(player.liveMenus(), 0);
    CHECK(procedureIsTheHostsAgain(player));
    CHECK(hotkeyIsFree());
}

WINE_TEST(repeatedOpeningsLeaveNoMenusBehind) {
    RunningPlayer player({jazzSettings().text()});
    const MenuUser& user = player.user();
    const HMENU visualization = player.hostPopup(kIdSongticker);
    RECT rect;
    GetWindowRect(player.window(), &rect);
    int baseline = -1;
    const DWORD start = GetTickCount();
    for (int round = 1; round <= kRepetitions; ++round) {
        // Every round ends with new tags from the player, so the built levels
        // are thrown away and made again.
        // As a person would, the mouse starts each round away from the menu.
        player.user().moveTo({rect.left + 500, rect.top + 400});
        player.openMenu(visualization, {40, 60});
        int track = -1;
        const HMENU titles = openGinAndTonic(
            player, player.openItem(visualization, user.find(visualization, "Jazz")), track);
        if (round % 10 == 0) {
            // Now and then a track is played: the hook closes the menus itself.
            REQUIRE(user.clickItem(titles, track));
            REQUIRE(waitUntil([&] { return !user.anyOpen(); }));
        } else {
            player.closeMenus();
        }
        const int live = player.liveMenusAfterRebuild(visualization);
        if (round % 50 == 0) std::printf("  round %d: %d menus alive\n", round, live);
        if (baseline < 0) baseline = live;
        if (live != baseline) {
            std::printf("  round %d: %d menus alive, %d after the first round\n", round, live,
                        baseline);
            REQUIRE(live == baseline);
        }
    }
    std::printf("  %d rounds in %lu ms, %d menus made, %d alive between rounds\n", kRepetitions,
                static_cast<unsigned long>(GetTickCount() - start), player.createdMenus(),
                baseline);
    CHECK(player.createdMenus() > kRepetitions); // the rebuilds really made new menus
    player.quitPlugin();
    CHECK_EQ(player.liveMenus(), 0);
}
