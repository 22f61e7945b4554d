// Real mouse clicks (SendInput) inside open menus, through the plug-in's
// mouse hook to the player.
#include "player_fixture.h"

using namespace tg::e2e;

namespace {

constexpr int kPlay = 0;

} // namespace

WINE_TEST(leftClickOnATrackPlaysItOnceAndClosesTheMenus) {
    RunningPlayer player({jazzSettings(kPlay).text()});
    player.openMenu();
    int position = -1;
    const HMENU titles =
        openGinAndTonic(player, player.openPath({"Options", "Visualization", "Jazz"}), position);
    player.clearLog();
    REQUIRE(player.user().clickItem(titles, position, MouseButton::Left));

    // The hook plays the track and closes every menu.
    CHECK(waitUntil([&] { return !player.user().anyOpen(); }));
    CHECK(waitUntil([&] { return playbackOf(player).playing; }));
    const Playback state = playbackOf(player);
    if (CHECK(!state.started.empty())) CHECK_TEXT(state.started.back().c_str(), kStaticMarble);
    // One click, one action: the player started the file once and nothing else.
    CHECK_EQ(state.started.size(), 1u);
    if (!CHECK_EQ(player.logCount("send HOST_PLAYING_FILE"), 1)) player.printLog();
}

WINE_TEST(clickOnAPlayerItemInTheTargetPopupReachesThePlayerOnce) {
    RunningPlayer player({jazzSettings(kPlay).text()});
    const MenuUser& user = player.user();
    player.openMenu();
    const HMENU visualization = player.openPath({"Options", "Visualization"});
    player.clearLog();
    REQUIRE(user.clickItem(visualization, user.find(visualization, "Songticker")));
    CHECK(waitUntil([&] { return !user.anyOpen(); }));
    CHECK(waitUntil([&] { return player.logCount("WM_COMMAND 40188") > 0; }));
    // Give a second delivery the time it would need to show up.
    Sleep(300);
    if (!CHECK_EQ(player.logCount("WM_COMMAND 40188"), 1)) player.printLog();
}
