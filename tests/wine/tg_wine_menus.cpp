// Where the plug-in's items appear in the player's real menus, and what its
// submenus hold when a user really opens them.
#include "player_fixture.h"

#include "platform/menu.h"
#include "player/player.h"

#include <fstream>

using namespace tg::e2e;

namespace {

DWORD menuStyle(const RunningPlayer& player, HMENU menu) {
    return player.host().get([&] {
        MENUINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIM_STYLE;
        return GetMenuInfo(menu, &info) ? info.dwStyle : 0;
    });
}

bool isDisabled(UINT state) {
    return (state & (MF_DISABLED | MF_GRAYED)) != 0;
}

// Items read on the player's thread by a timer inside the menu loop.
struct LoopProbe {
    HMENU menu = nullptr;
    bool sawOpen = false;
    int ticks = 0;
    std::vector<std::string> texts;
    std::vector<UINT> states;
    volatile LONG done = 0;
};
LoopProbe* activeProbe = nullptr;

VOID CALLBACK probeTick(HWND window, UINT, UINT_PTR id, DWORD) {
    LoopProbe& probe = *activeProbe;
    // A tick before the menu shows (a slow start) waits for the next one.
    probe.sawOpen = tg::testplayer::windowShowingMenu(probe.menu) != nullptr;
    if (!probe.sawOpen && ++probe.ticks < 100) return;
    KillTimer(window, id);
    const int count = GetMenuItemCount(probe.menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        GetMenuStringA(probe.menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        probe.texts.push_back(text);
        probe.states.push_back(GetMenuState(probe.menu, static_cast<UINT>(i), MF_BYPOSITION));
    }
    SendMessageA(window, WM_CANCELMODE, 0, 0); // ends the menu loop, as the plug-in does
    InterlockedExchange(&probe.done, 1);
}

} // namespace

WINE_TEST(ownMenuSitsRightAfterSkins) {
    SettingsFile settings = jazzSettings();
    settings.ownMenu = true;
    RunningPlayer player({settings.text()});
    const MenuUser& user = player.user();
    const HMENU main = player.mainMenu();
    const int skins = user.find(main, "Skins");
    REQUIRE(skins >= 0);
    CHECK_EQ(player.itemCount(main), 12);
    const MenuItem own = user.item(main, skins + 1);
    CHECK_TEXT(own.text.c_str(), "Tunegrove");
    REQUIRE(own.submenu != nullptr);

    // Its heading is the disabled (not grayed) "Tunegrove" carrying the id the
    // player registered for the plug-in's name.
    const int registered =
        player.host().get([] { return tg::player::player().registeredId("Halvex Tunegrove"); });
    const MenuItem heading = user.item(own.submenu, 0);
    CHECK_TEXT(heading.text.c_str(), "Tunegrove");
    CHECK((heading.state & MF_DISABLED) != 0);
    CHECK((heading.state & MF_GRAYED) == 0);
    CHECK(registered >= 0xC000);
    CHECK_EQ(static_cast<int>(heading.id), registered);

    // Opening it for real through the main menu fills it.
    player.openMenu();
    CHECK_EQ(player.openPath({"Tunegrove"}), own.submenu);
    const std::vector<MenuItem> items = user.items(own.submenu);
    if (!CHECK_EQ(items.size(), 3u)) std::printf("  %s\n", user.describe(own.submenu).c_str());
    if (items.size() == 3) {
        CHECK((items[1].state & MF_SEPARATOR) != 0);
        CHECK_TEXT(items[2].text.c_str(), "Jazz");
        CHECK(items[2].submenu != nullptr);
    }
    CHECK((menuStyle(player, own.submenu) & MNS_NOTIFYBYPOS) != 0);
    player.closeMenus();
}

WINE_TEST(hostPopupTakesThePluginItemsWhenItOpens) {
    RunningPlayer player; // first run: host popup 40188, the four first-run menus
    const MenuUser& user = player.user();
    const HMENU visualization = player.hostPopup(kIdSongticker);
    REQUIRE(visualization != nullptr);
    CHECK_EQ(player.itemCount(visualization), 2);
    CHECK_EQ(user.find(player.mainMenu(), "Tunegrove"), -1);

    player.clearLog();
    player.openMenu();
    CHECK_EQ(player.openPath({"Options", "Visualization"}), visualization);
    const std::vector<std::string> expected = {"Songticker",    "Start/Stop Plug-in", "",
                                               "Playlist Tags", "Media Library",      "Directory",
                                               "Playlist Raw"};
    const std::vector<MenuItem> items = user.items(visualization);
    if (!CHECK(user.texts(visualization) == expected))
        std::printf("  Visualization holds %s\n", user.describe(visualization).c_str());
    if (items.size() == expected.size()) {
        CHECK((items[2].state & MF_SEPARATOR) != 0);
        for (std::size_t i = 3; i < items.size(); ++i) CHECK(items[i].submenu != nullptr);
        CHECK_EQ(items[0].id, kIdSongticker); // the player's own items keep their ids
    }
    CHECK((menuStyle(player, visualization) & MNS_NOTIFYBYPOS) != 0);
    // The other popups a user could choose stay the player's.
    CHECK_EQ(player.itemCount(player.hostPopup(kIdPlay)), 3);
    CHECK_EQ(player.itemCount(player.hostPopup(kIdNextTrack)), 5);
    player.closeMenus();

    // The player's procedure saw its own two popups open, not the claimed one.
    CHECK_EQ(player.logCount("WM_INITMENUPOPUP"), 2);

    // A first run leaves the default settings behind.
    std::ifstream file(player.iniDir() + "\\Plugins\\ml_tg.ini");
    std::string header;
    std::getline(file, header);
    if (!header.empty() && header.back() == '\r') header.pop_back();
    CHECK_TEXT(header.c_str(), "9 1 1 4 35 2 4 -1 0 40188 2 0 0 1 0 1");
}

WINE_TEST(popupOpenedByItselfIsRecognisedInsideTheMenuLoop) {
    SettingsFile settings = jazzSettings();
    settings.hostMenuId = kIdNextTrack;
    RunningPlayer player({settings.text()});
    LoopProbe probe;
    probe.menu = player.hostPopup(kIdNextTrack);
    REQUIRE(probe.menu != nullptr);
    activeProbe = &probe;
    player.host().run([&] { SetTimer(player.window(), 77, 30, probeTick); });
    RECT rect;
    GetWindowRect(player.window(), &rect);
    player.host().showMenu(probe.menu, {rect.left + 100, rect.top + 100});
    const bool finished =
        waitUntil([&] { return probe.done != 0 && !player.user().anyOpen(); }, 10000);
    activeProbe = nullptr;
    REQUIRE(finished);
    CHECK(probe.sawOpen);
    const std::vector<std::string> expected = {
        "Next Track", "Previous Track", "", "Forward 5 Seconds", "Back 5 Seconds", "", "Jazz"};
    if (!CHECK(probe.texts == expected))
        for (const std::string& text : probe.texts)
            std::printf("  read in the loop: \"%s\"\n", text.c_str());
    if (probe.states.size() == expected.size()) {
        CHECK((probe.states[5] & MF_SEPARATOR) != 0);
        CHECK((probe.states[6] & MF_POPUP) != 0);
    }
    // Only that popup was the plug-in's target.
    CHECK_EQ(player.itemCount(player.hostPopup(kIdSongticker)), 2);
}

WINE_TEST(definitionSubmenusAreBuiltAsTheyOpen) {
    RunningPlayer player({jazzSettings().text()});
    const MenuUser& user = player.user();
    player.openMenu();
    const HMENU artists = player.openPath({"Options", "Visualization", "Jazz"});
    // Case twins of one artist are one item; each artist opens its albums.
    const std::vector<MenuItem> artistItems = user.items(artists);
    if (!CHECK_EQ(artistItems.size(), 3u)) std::printf("  %s\n", user.describe(artists).c_str());
    for (const char* name : {"Juniper Lane", "Mira Okafor", "Xylo"}) {
        const int position = user.findContaining(artists, name);
        if (!CHECK(position >= 0))
            std::printf("  no %s in %s\n", name, user.describe(artists).c_str());
        else
            CHECK((artistItems[static_cast<std::size_t>(position)].state & MF_POPUP) != 0);
    }

    const HMENU albums = player.openItem(artists, user.findContaining(artists, "Juniper Lane"));
    CHECK_EQ(player.itemCount(albums), 1);
    // The album's "&" is doubled for the menu, so it shows as one.
    const int album = user.findContaining(albums, "Gin && Tonic");
    if (!CHECK(album >= 0)) std::printf("  %s\n", user.describe(albums).c_str());
    const HMENU titles = player.openItem(albums, album);
    const std::vector<MenuItem> titleItems = user.items(titles);
    if (!CHECK_EQ(titleItems.size(), 8u)) std::printf("  %s\n", user.describe(titles).c_str());
    for (const MenuItem& item : titleItems) {
        // Leaves are disabled, so only the hook sees a click on them.
        CHECK(item.submenu == nullptr);
        CHECK(isDisabled(item.state));
    }
    CHECK(user.findContaining(titles, "Static Marble") >= 0);
    CHECK(user.isOpen(artists) && user.isOpen(albums) && user.isOpen(titles));
    player.closeMenus();
}

// The adapter puts texts in through the wide calls (converting them itself);
// what a menu then holds must be what the ANSI calls would have put there.
WINE_TEST(menuTextsReadBackAsTheAnsiCallsWouldHaveThem) {
    const std::string accented = "Caf\xE9 & Cr\xE8me \x96 \xBD";
    const std::string cases[] = {"Plain", accented, std::string(600, 'x'), std::string(1500, 'y'),
                                 ""};
    const HMENU viaAdapter = CreatePopupMenu();
    const HMENU viaAnsi = CreatePopupMenu();
    UINT id = 100;
    for (const std::string& text : cases) {
        CHECK(tg::platform::appendMenu(viaAdapter, MF_STRING, id, text.c_str()));
        CHECK(AppendMenuA(viaAnsi, MF_STRING, id, text.c_str()));
        ++id;
    }
    CHECK(tg::platform::insertMenu(viaAdapter, 0, MF_BYPOSITION | MF_STRING, id, accented.c_str()));
    CHECK(InsertMenuA(viaAnsi, 0, MF_BYPOSITION | MF_STRING, id, accented.c_str()));
    CHECK(tg::platform::appendMenu(viaAdapter, MF_SEPARATOR, 0, nullptr));
    CHECK(AppendMenuA(viaAnsi, MF_SEPARATOR, 0, nullptr));

    REQUIRE_EQ(GetMenuItemCount(viaAdapter), GetMenuItemCount(viaAnsi));
    for (int i = 0; i < GetMenuItemCount(viaAnsi); ++i) {
        wchar_t got[2048] = {}, want[2048] = {};
        GetMenuStringW(viaAdapter, static_cast<UINT>(i), got, 2048, MF_BYPOSITION);
        GetMenuStringW(viaAnsi, static_cast<UINT>(i), want, 2048, MF_BYPOSITION);
        CHECK(std::wstring(got) == std::wstring(want));
        CHECK_EQ(GetMenuState(viaAdapter, static_cast<UINT>(i), MF_BYPOSITION),
                 GetMenuState(viaAnsi, static_cast<UINT>(i), MF_BYPOSITION));
        CHECK_EQ(GetMenuItemID(viaAdapter, i), GetMenuItemID(viaAnsi, i));
    }
    char back[2048] = {};
    GetMenuStringA(viaAdapter, 1, back, sizeof back, MF_BYPOSITION);
    CHECK_EQ(std::string(back), std::string("Plain"));
    GetMenuStringA(viaAdapter, 0, back, sizeof back, MF_BYPOSITION);
    CHECK_EQ(std::string(back), accented);
    DestroyMenu(viaAdapter);
    DestroyMenu(viaAnsi);
}
