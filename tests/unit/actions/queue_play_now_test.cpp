// Choosing an entry of the "TG Playlist" submenu plays it at once, through the
// simulated player's "next".
#include "actions/playlist_popup.h"
#include "actions/plugin_playlist.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "player/player.h"
#include "support/message_sequence.h"
#include "support/queue_router.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace sim = tg::platform::sim;
using tg::player::player;
using tg::test::queuedFiles;
using tg::test::QueueRouter;
using tg::test::Texts;

class QueuePlayNow : public testing::Test {
protected:
    void SetUp() override {
        QueueRouter::install();
        std::vector<tg::player::PlaylistEntry> entries;
        for (const char* file : {"p", "q", "r"}) entries.push_back({file, file, 60});
        player().setPlaylist(std::move(entries), 0);
        popup = tg::platform::createPopupMenu();
    }
    void TearDown() override {
        // Whatever was inserted goes again before the next test.
        sim::settle();
        sim::advanceClock(200);
        sim::settle();
        QueueRouter::uninstall();
    }

    void open(std::initializer_list<const char*> files) {
        for (const char* file : files) tg::appendToPluginPlaylist(std::string_view(file));
        tg::rebuildPlaylistPopup(popup);
    }
    static std::string lastStarted() {
        return player().startedFiles().empty() ? "" : player().startedFiles().back();
    }

    HMENU popup = nullptr;
};

TEST_F(QueuePlayNow, TheChosenEntryPlaysAndLeavesTheOthersInOrder) {
    open({"a", "b", "c", "q"});
    EXPECT_TRUE(tg::onPlaylistPopupCommand(3));
    EXPECT_EQ(lastStarted(), "b");
    EXPECT_EQ(player().currentIndex(), 1); // right after the entry that was current
    EXPECT_EQ(queuedFiles(), (Texts{"a", "c", "q"}));

    tg::rebuildPlaylistPopup(popup);
    EXPECT_TRUE(tg::onPlaylistPopupCommand(4)); // "q" stands in the playlist: played there
    EXPECT_EQ(lastStarted(), "q");
    EXPECT_EQ(player().currentIndex(), 2);
    EXPECT_EQ(queuedFiles(), (Texts{"a", "c"}));
}

TEST_F(QueuePlayNow, AfterADeleteTheNextClickOnThatPositionPlaysTheEntryThatMovedUp) {
    open({"a", "b", "c"});
    tg::onPlaylistEntryCommand(popup, 2, 3); // Delete "b"
    EXPECT_EQ(queuedFiles(), (Texts{"a", "c"}));
    tg::onPlaylistPopupCommand(3);
    EXPECT_EQ(lastStarted(), "c");
    EXPECT_EQ(queuedFiles(), Texts{"a"});
}

TEST_F(QueuePlayNow, AnEntryTheQueueHasAlreadyHandedOverIsNotPlayedAgain) {
    open({"a", "b"});
    tg::platform::sendMessage(player().mainWindow(), WM_COMMAND, tg::HOST_CMD_NEXT, 0);
    ASSERT_EQ(lastStarted(), "a");
    const std::size_t starts = player().startedFiles().size();

    tg::onPlaylistPopupCommand(2); // the open submenu still shows "a" there
    EXPECT_EQ(player().startedFiles().size(), starts);
    EXPECT_EQ(queuedFiles(), Texts{"b"});
}

TEST_F(QueuePlayNow, TheQueueEmptiedWhileThePlayerMovesOnIsNoHarm) {
    open({"a", "b", "c"});
    QueueRouter::onNextCommand = [] { tg::emptyPluginPlaylist(); };
    tg::onPlaylistPopupCommand(3);
    EXPECT_TRUE(tg::pluginPlaylistEmpty());
    EXPECT_EQ(lastStarted(), "q"); // nothing queued any more: the player's own next
}

TEST_F(QueuePlayNow, ClearPlaylistLeavesThePlayerToItsOwnOrder) {
    open({"a", "b"});
    tg::onPlaylistPopupCommand(0);
    tg::platform::sendMessage(player().mainWindow(), WM_COMMAND, tg::HOST_CMD_NEXT, 0);
    EXPECT_EQ(lastStarted(), "q");
}

} // namespace
