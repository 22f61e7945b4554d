// Handing the queue to the simulated player: which entry it plays next, the
// entry inserted for a file it does not list and that entry's removal 200 ms
// after it starts, and the queue's reaction to the player's playlist changes.
#include "actions/plugin_playlist.h"
#include "actions/queue_hand_over.h"
#include "model/model_state.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "player/player.h"
#include "plugin/host_messages.h"
#include "support/message_sequence.h"
#include "support/player_support.h"
#include "support/queue_router.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace sim = tg::platform::sim;
using tg::player::player;
using tg::test::queuedFiles;
using tg::test::QueueRouter;
using tg::test::Texts;

// Lets workers reach their sleep first: the virtual clock only wakes sleepers.
void elapse(DWORD milliseconds) {
    sim::settle();
    sim::advanceClock(milliseconds);
    sim::settle();
}

class QueueHandOver : public testing::Test {
protected:
    void SetUp() override { QueueRouter::install(); }
    void TearDown() override { QueueRouter::uninstall(); }

    static void playlist(std::initializer_list<const char*> files, int current) {
        std::vector<tg::player::PlaylistEntry> entries;
        for (const char* file : files) entries.push_back({file, file, 60});
        player().setPlaylist(std::move(entries), current);
    }
    static void queue(std::initializer_list<const char*> files) {
        for (const char* file : files) tg::appendToPluginPlaylist(std::string_view(file));
    }
    static Texts hostFiles() {
        Texts out;
        for (const tg::player::PlaylistEntry& e : player().playlist()) out.push_back(e.file);
        return out;
    }
    static std::string lastStarted() {
        return player().startedFiles().empty() ? "" : player().startedFiles().back();
    }
    // The player's log from the query to its answer.
    static Texts handOverLog() {
        const Texts& log = player().log();
        auto from = std::find(log.begin(), log.end(), "send HOST_NEXT_ENTRY_QUERY");
        auto to = std::find_if(from, log.end(), [](const std::string& line) {
            return line.rfind("HOST_NEXT_ENTRY_QUERY answered", 0) == 0;
        });
        return Texts(from == log.end() ? log.end() : from + 1, to);
    }
    static void next() {
        player().clearLog();
        tg::test::sendCommand(tg::HOST_CMD_NEXT);
    }
    static tg::PluginPlaylistState& state() { return tg::pluginPlaylistState(); }
};

TEST_F(QueueHandOver, AnEmptyQueueLeavesThePlayerToItsOwnOrder) {
    playlist({"a", "b", "c"}, 0);
    next();
    EXPECT_EQ(lastStarted(), "b");
    EXPECT_EQ(player().log()[2], "HOST_NEXT_ENTRY_QUERY"); // passed on to the player
    EXPECT_EQ(tg::answerNextEntry(), -1);
}

TEST_F(QueueHandOver, AListedFileIsPlayedAtItsFirstOccurrence) {
    playlist({"a", "x", "b", "x"}, 0);
    queue({"x", "b"});

    next();
    EXPECT_EQ(player().currentIndex(), 1);
    EXPECT_EQ(lastStarted(), "x");
    EXPECT_EQ(handOverLog(),
              (Texts{"HOST_GET_LIST_LENGTH", "HOST_GET_ENTRY_FILE 0", "HOST_GET_ENTRY_FILE 1"}));
    EXPECT_EQ(queuedFiles(), Texts{"b"});
    EXPECT_EQ(state().pendingHostIndex, 1);
    EXPECT_FALSE(state().temporaryEntry);
    EXPECT_EQ(sim::liveWorkerCount(), 0); // nothing to take out again

    next(); // "b" stands before the current entry: found all the same
    EXPECT_EQ(player().currentIndex(), 2);
    EXPECT_TRUE(tg::pluginPlaylistEmpty());

    next(); // the queue is done: the player goes on from where it is
    EXPECT_EQ(player().currentIndex(), 3);
    EXPECT_EQ(hostFiles(), (Texts{"a", "x", "b", "x"}));
}

TEST_F(QueueHandOver, FileNamesMatchWithCaseAndNullAnswersAreSkipped) {
    playlist({"C:\\A.mp3", "c:\\a.mp3", "C:\\a.mp3", "C:\\a.mp3"}, 0);
    QueueRouter::nullEntries = {2};
    queue({"C:\\a.mp3"});
    next();
    EXPECT_EQ(player().currentIndex(), 3);
    EXPECT_EQ(hostFiles().size(), 4u);
}

TEST_F(QueueHandOver, AMissingFileIsInsertedAfterTheCurrentEntryAndRemoved200msAfterItStarts) {
    playlist({"a", "b", "c"}, 1);
    queue({"new", "also new"});

    next();
    EXPECT_EQ(handOverLog(), (Texts{"HOST_GET_LIST_LENGTH", "HOST_GET_ENTRY_FILE 0",
                                    "HOST_GET_ENTRY_FILE 1", "HOST_GET_ENTRY_FILE 2",
                                    "HOST_GET_PLAYLIST_WINDOW 1", "PLAYLIST_GET_CURRENT_INDEX",
                                    "PLAYLIST_INSERT_FILE 2 new", "send HOST_PLAYLIST_MODIFIED"}));
    EXPECT_EQ(hostFiles(), (Texts{"a", "b", "new", "c"}));
    EXPECT_EQ(lastStarted(), "new");
    // The insertion was the plug-in's own: the rest of the queue is still there.
    EXPECT_EQ(queuedFiles(), Texts{"also new"});
    EXPECT_TRUE(state().temporaryEntry);
    EXPECT_EQ(state().pendingHostIndex, 2);

    sim::settle();
    EXPECT_EQ(sim::liveWorkerCount(), 1);
    elapse(199);
    EXPECT_EQ(hostFiles(), (Texts{"a", "b", "new", "c"}));

    elapse(1);
    EXPECT_EQ(hostFiles(), (Texts{"a", "b", "c"}));
    EXPECT_EQ(sim::liveWorkerCount(), 0);
    EXPECT_FALSE(state().temporaryEntry);
    EXPECT_EQ(state().pendingHostIndex, -1);
    EXPECT_EQ(queuedFiles(), Texts{"also new"}); // nor was the deletion a foreign change

    next(); // the second one goes in the same way, after "new"'s neighbour
    EXPECT_EQ(hostFiles(), (Texts{"a", "b", "also new", "c"}));
    elapse(200);
    next();
    EXPECT_EQ(lastStarted(), "c");
    EXPECT_EQ(hostFiles(), (Texts{"a", "b", "c"}));
}

struct PositionCase {
    const char* what;
    int current; // what the playlist window reports
    int inserted;
};

TEST_F(QueueHandOver, ACurrentIndexOutsideThePlaylistInsertsAtTheTop) {
    const PositionCase cases[] = {
        {"no current entry", -1, 0},
        {"below -1", -7, 0},
        {"the first entry", 0, 1},
        {"the last entry", 2, 3},
        {"one past the end", 3, 0},
        {"the largest index", 2147483647, 0},
        {"the smallest index", -2147483647 - 1, 0},
    };
    for (const PositionCase& c : cases) {
        SCOPED_TRACE(c.what);
        playlist({"a", "b", "c"}, 0);
        tg::emptyPluginPlaylist();
        queue({"new"});
        QueueRouter::currentIndex = c.current;

        EXPECT_EQ(tg::answerNextEntry(), c.inserted);
        const Texts files = hostFiles();
        ASSERT_EQ(files.size(), 4u);
        EXPECT_EQ(files[static_cast<std::size_t>(c.inserted)], "new");
        state().temporaryEntry = false; // no start follows: nothing to remove
    }
}

TEST_F(QueueHandOver, ANameTheInsertRecordWouldCutIsPassedOverNotCut) {
    const std::string name = "C:\\" + std::string(300, 'n') + ".mp3";
    playlist({"a"}, 0);
    queue({name.c_str(), "b"});
    next();
    EXPECT_EQ(hostFiles(), (Texts{"a", "b"}));
    EXPECT_EQ(lastStarted(), "b");
    EXPECT_TRUE(queuedFiles().empty());
    elapse(200);
    EXPECT_EQ(hostFiles(), Texts{"a"});
}

TEST_F(QueueHandOver, PlaylistChangesThePlugInDidNotMakeEmptyTheQueue) {
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"a file added", [] { tg::test::addFile("C:\\z.mp3"); }},
        {"the playlist cleared", [] { tg::test::sendToPlayer(0, tg::HOST_CLEAR_PLAYLIST); }},
        {"an entry deleted",
         [] {
             tg::platform::sendMessage(player().playlistWindow(), WM_USER,
                                       tg::PLAYLIST_DELETE_ENTRY, 0);
         }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        playlist({"a", "b"}, 0);
        queue({"x", "y"});
        state().pendingHostIndex = 1;
        tg::model().playlistMenusValid = true;

        change();
        EXPECT_TRUE(tg::pluginPlaylistEmpty());
        EXPECT_EQ(state().pendingHostIndex, -1);
        EXPECT_FALSE(tg::model().playlistMenusValid);
    }
}

TEST_F(QueueHandOver, WhileAnInsertedEntryWaitsForItsRemovalChangesLeaveTheQueue) {
    playlist({"a", "b"}, 0);
    queue({"new", "later"});
    next();
    tg::model().playlistMenusValid = true;

    tg::test::addFile("C:\\z.mp3"); // within the 200 ms
    EXPECT_EQ(queuedFiles(), Texts{"later"});
    EXPECT_TRUE(tg::model().playlistMenusValid);

    elapse(200);
    EXPECT_EQ(hostFiles(), (Texts{"a", "b", "C:\\z.mp3"}));
    tg::test::sendToPlayer(0, tg::HOST_CLEAR_PLAYLIST); // the next change is foreign again
    EXPECT_TRUE(tg::pluginPlaylistEmpty());
}

TEST_F(QueueHandOver, ASecondStartReportDoesNotDeleteASecondEntry) {
    playlist({"a", "b", "c"}, 0);
    queue({"new"});
    next(); // a, new, b, c
    const std::string started = lastStarted();
    tg::test::sendToPlayer(reinterpret_cast<WPARAM>(started.c_str()), tg::HOST_PLAYING_FILE);
    sim::settle();
    EXPECT_EQ(sim::liveWorkerCount(), 1);

    elapse(200);
    EXPECT_EQ(hostFiles(), (Texts{"a", "b", "c"}));
    EXPECT_EQ(player().log().back(), "send HOST_PLAYLIST_MODIFIED");
}

TEST_F(QueueHandOver, AnotherInsertionDuringTheWaitIsRemovedInItsTurn) {
    playlist({"a", "b", "c"}, 0);
    queue({"new", "newer", "later"});
    next(); // a, new, b, c
    sim::settle();
    elapse(50);
    next(); // a, new, newer, b, c: "new" is still waiting for its removal
    EXPECT_EQ(lastStarted(), "newer");
    EXPECT_EQ(hostFiles(), (Texts{"a", "new", "newer", "b", "c"}));

    elapse(150);
    EXPECT_EQ(hostFiles(), (Texts{"a", "newer", "b", "c"}));
    EXPECT_EQ(sim::liveWorkerCount(), 1); // waits once more, for "newer"
    elapse(199);
    EXPECT_EQ(hostFiles(), (Texts{"a", "newer", "b", "c"}));
    elapse(1);
    EXPECT_EQ(hostFiles(), (Texts{"a", "b", "c"}));
    EXPECT_EQ(sim::liveWorkerCount(), 0);
    EXPECT_FALSE(state().temporaryEntry);
    EXPECT_FALSE(state().removalPending);
    // Neither deletion was taken for a foreign change.
    EXPECT_EQ(queuedFiles(), Texts{"later"});

    next(); // and the queue goes on as before, after "a", now current again
    EXPECT_EQ(hostFiles(), (Texts{"a", "later", "b", "c"}));
    elapse(200);
    EXPECT_EQ(hostFiles(), (Texts{"a", "b", "c"}));
}

TEST_F(QueueHandOver, ABurstOfHandOversRemovesEveryInsertedEntryAndNoOther) {
    playlist({"a", "b", "c"}, 0);
    queue({"one", "two", "three", "later"});
    next(); // a, one, b, c
    sim::settle();
    elapse(100);
    next(); // a, one, two, b, c
    elapse(90);
    next(); // a, one, two, three, b, c
    EXPECT_EQ(hostFiles(), (Texts{"a", "one", "two", "three", "b", "c"}));
    elapse(10);
    EXPECT_EQ(hostFiles(), (Texts{"a", "two", "three", "b", "c"}));
    elapse(200);
    EXPECT_EQ(hostFiles(), (Texts{"a", "three", "b", "c"}));
    elapse(200);
    EXPECT_EQ(hostFiles(), (Texts{"a", "b", "c"}));
    EXPECT_EQ(sim::liveWorkerCount(), 0);
    EXPECT_EQ(queuedFiles(), Texts{"later"});
}

TEST_F(QueueHandOver, AStartReportedAgainAfterAnEarlierRemovalWaitsOnce) {
    playlist({"a", "b", "c"}, 0);
    queue({"one", "two"});
    next(); // a, one, b, c
    sim::settle();
    elapse(100);
    next(); // a, one, two, b, c
    elapse(100);
    EXPECT_EQ(hostFiles(), (Texts{"a", "two", "b", "c"}));
    const std::string started = lastStarted();
    tg::test::sendToPlayer(reinterpret_cast<WPARAM>(started.c_str()), tg::HOST_PLAYING_FILE);
    elapse(200);
    EXPECT_EQ(hostFiles(), (Texts{"a", "b", "c"}));
    elapse(400);
    EXPECT_EQ(hostFiles(), (Texts{"a", "b", "c"}));
    EXPECT_EQ(sim::liveWorkerCount(), 0);
}

TEST_F(QueueHandOver, AnInsertionBeforeAWaitingEntryMovesItsRemovalAlong) {
    playlist({"a", "b", "c"}, 1);
    queue({"new", "newer"});
    next(); // a, b, new, c
    sim::settle();
    elapse(50);
    tg::test::sendToPlayer(0, tg::HOST_SET_PLAYLIST_POS); // the user goes back to "a"
    next();                                               // a, newer, b, new, c
    EXPECT_EQ(hostFiles(), (Texts{"a", "newer", "b", "new", "c"}));
    elapse(150);
    EXPECT_EQ(hostFiles(), (Texts{"a", "newer", "b", "c"})); // not "b"
    elapse(200);
    EXPECT_EQ(hostFiles(), (Texts{"a", "b", "c"}));
}

TEST_F(QueueHandOver, TheDeletionOfAnEarlierInsertionIsNotTakenForAForeignChange) {
    playlist({"a", "b"}, 0);
    queue({"new", "b", "later"});
    next(); // a, new, b: removal of "new" scheduled
    sim::settle();
    next(); // "b" is listed: this hand-over inserts nothing
    EXPECT_EQ(lastStarted(), "b");
    EXPECT_FALSE(state().temporaryEntry);

    elapse(200);
    EXPECT_EQ(hostFiles(), (Texts{"a", "b"}));
    EXPECT_EQ(queuedFiles(), Texts{"later"});
}

TEST_F(QueueHandOver, AFileTheLibraryHoldsLeavesTheLibraryMenusValid) {
    tg::player::Track track;
    track.filename = "C:\\music\\held.mp3";
    track.title = "Held";
    player().setTracks({track});
    tg::model().libraryMenusValid = true;
    tg::updatePlayingFile("C:\\music\\held.mp3");
    EXPECT_TRUE(tg::model().libraryMenusValid);
}

TEST_F(QueueHandOver, ThePlayingFileIsKeptAsACopyAndMarksTheMenusStale) {
    player().setTracks({});
    playlist({"a"}, 0);
    tg::ModelState& m = tg::model();

    std::string text = "C:\\not in the library.mp3";
    m.libraryMenusValid = m.songMenusValid = true;
    tg::test::sendToPlayer(reinterpret_cast<WPARAM>(text.data()), tg::HOST_PLAYING_FILE);
    text.assign("overwritten");
    ASSERT_TRUE(m.nowPlayingFile.has_value());
    EXPECT_EQ(*m.nowPlayingFile, "C:\\not in the library.mp3");
    EXPECT_FALSE(m.songMenusValid);
    EXPECT_FALSE(m.libraryMenusValid);

    // The builders pass the model's own text back in.
    m.libraryMenusValid = true;
    tg::updatePlayingFile(tg::nowPlayingText());
    EXPECT_EQ(*m.nowPlayingFile, "C:\\not in the library.mp3");

    m.libraryMenusValid = m.songMenusValid = true;
    player().clearLog();
    tg::test::sendToPlayer(0, tg::HOST_PLAYING_FILE);
    EXPECT_FALSE(m.nowPlayingFile.has_value());
    EXPECT_FALSE(m.songMenusValid);
    EXPECT_TRUE(m.libraryMenusValid); // no file, no question to the library
    for (const std::string& line : player().log()) EXPECT_EQ(line.find("ML_"), std::string::npos);
}

} // namespace
