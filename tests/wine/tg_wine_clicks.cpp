// Real mouse clicks (SendInput) inside open menus: through the plug-in's
// mouse hook to the player, and the right-click action menu.
#include "player_fixture.h"

#include "host/player.h"

using namespace tg::e2e;
using tg::testplayer::anyMenuOpen;
using tg::testplayer::clickItem;
using tg::testplayer::findMenuItem;
using tg::testplayer::menuShownBy;
using tg::testplayer::menuTexts;
using tg::testplayer::MouseButton;
using tg::testplayer::openMenuWindows;
using tg::testplayer::waitUntil;

namespace {

constexpr char kStaticMarble[] = "C:\\Music\\Juniper Lane\\Gin & Tonic\\04 - Static Marble.mp3";
constexpr int kPlay = 0;

std::string jazzSettings(int clickAction) {
    SettingsFile settings;
    settings.records = {libraryMenuRecord("Jazz", "genre == \"Jazz\"", clickAction)};
    return settings.text();
}

// Opens the titles of "Gin & Tonic" and gives the position of "Static Marble".
HMENU openGinAndTonic(const RunningPlayer& player, int& staticMarble) {
    player.openMainMenu();
    const HMENU artists = player.openPath({"Options", "Visualization", "Jazz"});
    const HMENU albums = player.openItem(artists, findItemContaining(artists, "Juniper Lane"));
    const HMENU titles = player.openItem(albums, findItemContaining(albums, "Gin && Tonic"));
    staticMarble = findItemContaining(titles, "Static Marble");
    if (staticMarble < 0) std::printf("  %s\n", describeMenu(titles).c_str());
    REQUIRE(staticMarble >= 0);
    return titles;
}

// A menu on screen that is none of the given ones; null when none shows up.
HMENU waitForNewMenu(const std::vector<HMENU>& known) {
    HMENU found = nullptr;
    waitUntil([&] {
        for (HWND window : openMenuWindows()) {
            HMENU menu = menuShownBy(window);
            bool isKnown = false;
            for (HMENU k : known) isKnown = isKnown || k == menu;
            if (menu && !isKnown) found = menu;
        }
        return found != nullptr;
    });
    return found;
}

struct Playback {
    bool playing = false;
    std::vector<std::string> started;
    std::vector<std::string> files;
};

Playback playback(const RunningPlayer& player) {
    return player.host().get([] {
        const tg::player::Player& p = tg::player::player();
        Playback state;
        state.playing = p.playing();
        state.started.assign(p.startedFiles().begin(), p.startedFiles().end());
        for (const auto& entry : p.playlist()) state.files.push_back(entry.file);
        return state;
    });
}

} // namespace

WINE_TEST(leftClickOnATrackPlaysItOnceAndClosesTheMenus) {
    RunningPlayer player({jazzSettings(kPlay)});
    int position = -1;
    const HMENU titles = openGinAndTonic(player, position);
    player.clearLog();
    REQUIRE(clickItem(titles, position, MouseButton::Left));

    // The hook plays the track and closes every menu.
    CHECK(waitUntil([] { return !anyMenuOpen(); }));
    CHECK(waitUntil([&] { return playback(player).playing; }));
    const Playback state = playback(player);
    if (CHECK(!state.started.empty())) CHECK_TEXT(state.started.back().c_str(), kStaticMarble);
    // One click, one action: the player started the file once and nothing else.
    CHECK_EQ(state.started.size(), 1u);
    CHECK_EQ(player.logCount("send HOST_PLAYING_FILE"), 1);
    if (state.started.size() != 1)
        for (const std::string& line : player.log()) std::printf("  log: %s\n", line.c_str());
}

WINE_TEST(rightClickOpensTheActionMenuAndItsChoiceActs) {
    RunningPlayer player({jazzSettings(kPlay)});
    int position = -1;
    const HMENU titles = openGinAndTonic(player, position);
    std::vector<HMENU> open;
    for (HWND window : openMenuWindows()) open.push_back(menuShownBy(window));
    const std::size_t entriesBefore = playback(player).files.size();
    player.clearLog();

    REQUIRE(clickItem(titles, position, MouseButton::Right));
    const HMENU actions = waitForNewMenu(open);
    REQUIRE(actions != nullptr);
    const std::vector<std::string> expected = {"Play", "Enqueue", "Enq. and Play", "Play TG",
                                               "Enqueue TG"};
    if (!CHECK(menuTexts(actions) == expected))
        std::printf("  %s\n", describeMenu(actions).c_str());
    // A right click acts on nothing by itself.
    CHECK_EQ(playback(player).files.size(), entriesBefore);
    CHECK(!playback(player).playing);

    // "Enqueue" appends the right-clicked track to the player's playlist, once.
    REQUIRE(clickItem(actions, findMenuItem(actions, "Enqueue"), MouseButton::Left));
    CHECK(waitUntil([&] { return playback(player).files.size() > entriesBefore; }));
    const Playback state = playback(player);
    CHECK_EQ(state.files.size(), entriesBefore + 1);
    if (!state.files.empty()) CHECK_TEXT(state.files.back().c_str(), kStaticMarble);
    CHECK(!state.playing);
    player.closeMenus();
}

WINE_TEST(clickOnAPlayerItemInTheTargetPopupReachesThePlayerOnce) {
    RunningPlayer player({jazzSettings(kPlay)});
    player.openMainMenu();
    const HMENU visualization = player.openPath({"Options", "Visualization"});
    player.clearLog();
    REQUIRE(clickItem(visualization, findMenuItem(visualization, "Songticker")));
    CHECK(waitUntil([] { return !anyMenuOpen(); }));
    CHECK(waitUntil([&] { return player.logCount("WM_COMMAND 40188") > 0; }));
    // Give a second delivery the time it would need to show up.
    Sleep(300);
    CHECK_EQ(player.logCount("WM_COMMAND 40188"), 1);
    if (player.logCount("WM_COMMAND 40188") != 1)
        for (const std::string& line : player.log()) std::printf("  log: %s\n", line.c_str());
}
