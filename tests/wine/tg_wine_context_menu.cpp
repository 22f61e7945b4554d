// A real right click on a track inside open menus opens the action menu on
// top of them, and its choice acts on that track. A program of its own: Wine 8
// cannot tear its menus down cleanly after a popup tracked on top of them, so
// the program ends without tearing the player down.
#include "player_fixture.h"

using namespace tg::e2e;

namespace {

constexpr int kPlay = 0;

// Ends the program when the test leaves, even by a failed REQUIRE.
struct EndWithoutTeardown {
    const RunningPlayer& player;
    ~EndWithoutTeardown() { player.endProgramWithoutTeardown(); }
};

} // namespace

WINE_TEST(rightClickOpensTheActionMenuAndItsChoiceActsOnThatTrack) {
    RunningPlayer player({jazzSettings(kPlay).text()});
    const EndWithoutTeardown end{player};
    const MenuUser& user = player.user();
    player.openMenu();
    int position = -1;
    const HMENU titles =
        openGinAndTonic(player, player.openPath({"Options", "Visualization", "Jazz"}), position);
    const std::vector<HMENU> open = user.openMenus();
    const std::size_t entriesBefore = playbackOf(player).files.size();
    POINT clicked{};
    REQUIRE(user.itemCenter(titles, position, clicked));
    player.clearLog();

    user.click(clicked, MouseButton::Right);
    const HMENU actions = waitForNewMenu(user, open);
    REQUIRE(actions != nullptr);
    const std::vector<std::string> expected = {"Play", "Enqueue", "Enq. and Play", "Play TG",
                                               "Enqueue TG"};
    if (!CHECK(user.texts(actions) == expected))
        std::printf("  %s\n", user.describe(actions).c_str());
    // At the pointer, over the open menus, which stay open.
    RECT rect{};
    GetWindowRect(user.windowShowing(actions), &rect);
    CHECK(PtInRect(&rect, clicked));
    CHECK(user.isOpen(titles));
    // A right click acts on nothing by itself.
    CHECK_EQ(playbackOf(player).files.size(), entriesBefore);
    CHECK(!playbackOf(player).playing);

    // "Enqueue" appends the right-clicked track to the player's playlist, once,
    // and plays nothing.
    REQUIRE(user.clickItem(actions, user.find(actions, "Enqueue"), MouseButton::Left));
    CHECK(waitUntil([&] { return playbackOf(player).files.size() > entriesBefore; }));
    const Playback state = playbackOf(player);
    if (!CHECK_EQ(state.files.size(), entriesBefore + 1)) player.printLog();
    if (!state.files.empty()) CHECK_TEXT(state.files.back().c_str(), kStaticMarble);
    CHECK(!state.playing);
}
