// Shut-down takes everything out of the player again, and opening the menus
// over and over leaves no menu behind that the plug-in no longer holds.
#include "player_fixture.h"

#include "host/player.h"

using namespace tg::e2e;
using tg::testplayer::clickAt;
using tg::testplayer::clickItem;
using tg::testplayer::findMenuItem;
using tg::testplayer::menuShownBy;
using tg::testplayer::MouseButton;
using tg::testplayer::openMenuWindows;
using tg::testplayer::waitUntil;

namespace {

constexpr int kRepetitions = 200;

SettingsFile jazzSettings(bool ownMenu) {
    SettingsFile settings;
    settings.ownMenu = ownMenu;
    settings.hotkey = kHotkeyCtrlAltM;
    settings.records = {libraryMenuRecord("Jazz", "genre == \"Jazz\"")};
    return settings;
}

// The main window's procedure now, and as the plug-in found it, as addresses.
bool procedureIsTheHostsAgain(const RunningPlayer& player) {
    const LONG_PTR now = GetWindowLongPtrA(player.window(), GWLP_WNDPROC);
    return now == reinterpret_cast<LONG_PTR>(player.procedureBeforePlugin());
}

DWORD menuStyle(HMENU menu) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_STYLE;
    return GetMenuInfo(menu, &info) ? info.dwStyle : 0;
}

// From an open "Jazz" submenu down to the tracks of "Gin & Tonic", then a
// right click on one of them, which opens the action menu.
void walkToTheActionMenu(const RunningPlayer& player, HMENU jazz) {
    const HMENU albums = player.openItem(jazz, findItemContaining(jazz, "Juniper Lane"));
    const HMENU titles = player.openItem(albums, findItemContaining(albums, "Gin && Tonic"));
    const int track = findItemContaining(titles, "Static Marble");
    REQUIRE(track >= 0);
    const std::size_t before = openMenuWindows().size();
    REQUIRE(clickItem(titles, track, MouseButton::Right));
    REQUIRE(waitUntil([&] { return openMenuWindows().size() > before; }));
}

bool hotkeyIsFree() {
    if (!RegisterHotKey(nullptr, 0x3FFF, MOD_CONTROL | MOD_ALT, 'M')) return false;
    UnregisterHotKey(nullptr, 0x3FFF);
    return true;
}

} // namespace

WINE_TEST(quitTakesTheOwnMenuOutAndGivesTheWindowBack) {
    RunningPlayer player({jazzSettings(true).text()});
    player.openMainMenu();
    walkToTheActionMenu(player, player.openPath({"Tunegrove", "Jazz"}));
    player.closeMenus();
    CHECK(player.liveMenus() > 0);
    CHECK(!hotkeyIsFree());

    player.quitPlugin();
    CHECK(procedureIsTheHostsAgain(player));
    CHECK_EQ(findMenuItem(player.mainMenu(), "Tunegrove"), -1);
    CHECK_EQ(GetMenuItemCount(player.mainMenu()), 11);
    // Every menu it made is gone: its popup, the built levels, the action menu.
    CHECK(player.createdMenus() > 3);
    CHECK_EQ(player.liveMenus(), 0);
    CHECK_EQ(GlobalFindAtomA("WAMPHK_0"), 0);
    CHECK(hotkeyIsFree());

    // With the DLL unloaded, mouse input and menus in the player still work: no
    // hook or procedure of the plug-in is left to call.
    player.unloadPlugin();
    RECT rect;
    GetWindowRect(player.window(), &rect);
    clickAt({rect.left + 200, rect.top + 200}, MouseButton::Left);
    player.openMainMenu();
    player.openPath({"Options", "Visualization"});
    player.closeMenus();
    CHECK(player.logCount("WM_INITMENUPOPUP") > 0);
}

WINE_TEST(quitGivesTheHostPopupBackAsItWas) {
    RunningPlayer player({jazzSettings(false).text()});
    const HMENU visualization = player.hostPopup(kIdSongticker);
    const DWORD styleBefore = menuStyle(visualization);
    player.openMainMenu();
    walkToTheActionMenu(player, player.openPath({"Options", "Visualization", "Jazz"}));
    player.closeMenus();
    CHECK(GetMenuItemCount(visualization) > 2);

    player.quitPlugin();
    CHECK_EQ(GetMenuItemCount(visualization), 2);
    CHECK_EQ(menuStyle(visualization) & MNS_NOTIFYBYPOS, 0u);
    CHECK_EQ(menuStyle(visualization), styleBefore | MNS_AUTODISMISS);
    CHECK_EQ(player.liveMenus(), 0);
    CHECK(procedureIsTheHostsAgain(player));
}

WINE_TEST(repeatedOpeningsLeaveNoMenusBehind) {
    RunningPlayer player({jazzSettings(false).text()});
    const HMENU visualization = player.hostPopup(kIdSongticker);
    RECT rect;
    GetWindowRect(player.window(), &rect);
    const POINT at{rect.left + 40, rect.top + 60};
    int baseline = -1;
    const DWORD start = GetTickCount();
    for (int i = 0; i < kRepetitions; ++i) {
        // Every other round the player reports new tags, so the built levels
        // are thrown away and made again.
        if (i % 2 == 1) player.host().run([] { tg::player::player().notifyTagsUpdated(); });
        player.host().showMenu(visualization, at);
        REQUIRE(waitUntil([&] { return tg::testplayer::isMenuOpen(visualization); }));
        walkToTheActionMenu(player,
                            player.openItem(visualization, findMenuItem(visualization, "Jazz")));
        player.closeMenus();
        const int live = player.liveMenus();
        if (baseline < 0) baseline = live;
        if (live != baseline) {
            std::printf("  round %d: %d menus alive, %d after the first round\n", i + 1, live,
                        baseline);
            REQUIRE(live == baseline);
        }
    }
    std::printf("  %d rounds in %lu ms, %d menus made, %d alive\n", kRepetitions,
                static_cast<unsigned long>(GetTickCount() - start), player.createdMenus(),
                baseline);
    CHECK(player.createdMenus() > kRepetitions); // the rebuilds really made new menus
    player.quitPlugin();
    CHECK_EQ(player.liveMenus(), 0);
}
