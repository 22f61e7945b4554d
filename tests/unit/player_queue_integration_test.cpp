// The plug-in's play-next queue against the simulated player: both sides'
// rules together must leave the player's playlist as it was and go on with
// the entry that followed the current one.
#include "actions/plugin_playlist.h"
#include "actions/queue_hand_over.h"
#include "host/player.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "plugin/descriptor.h"
#include "plugin/host_messages.h"
#include "support/player_support.h"

#include <gtest/gtest.h>

namespace tg::player {
namespace {

// The part of the plug-in's window procedure that routes the queue's messages.
WNDPROC previousProcedure = nullptr;

LRESULT TG_CALLBACK queueProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER && lParam == HOST_NEXT_ENTRY_QUERY) {
        const int answer = answerNextEntry();
        if (answer >= 0) return answer;
    }
    if (message == WM_USER && lParam == HOST_PLAYLIST_MODIFIED) resetOnPlaylistModified();
    if (message == WM_USER && lParam == HOST_PLAYING_FILE)
        updatePlayingFile(reinterpret_cast<const char*>(wParam));
    return platform::callWindowProc(previousProcedure, window, message, wParam, lParam);
}

class PlayerQueueIntegration : public testing::Test {
protected:
    void SetUp() override {
        // The descriptor outlives tests: its handles are put back in TearDown.
        descriptor().hostWindow = player().mainWindow();
        descriptor().libraryWindow = player().libraryWindow();
        previousProcedure = platform::setWindowProc(player().mainWindow(), queueProcedure);
    }
    void TearDown() override {
        platform::sim::settle();
        descriptor().hostWindow = nullptr;
        descriptor().libraryWindow = nullptr;
    }
};

std::string files() {
    std::string text;
    for (const PlaylistEntry& entry : player().playlist())
        text += (text.empty() ? "" : ",") + entry.file;
    return text;
}

TEST_F(PlayerQueueIntegration, QueuedFilePlaysNextAndLeavesThePlaylistAsItWas) {
    player().setPlaylist({player().entryFor("C:\\a.mp3"), player().entryFor("C:\\b.mp3"),
                          player().entryFor("C:\\c.mp3")},
                         0);
    appendToPluginPlaylist(std::string_view("C:\\queued.mp3"));
    appendToPluginPlaylist(std::string_view("C:\\c.mp3"));

    test::sendCommand(HOST_CMD_NEXT);
    EXPECT_EQ(player().startedFiles().back(), "C:\\queued.mp3");
    EXPECT_EQ(files(), "C:\\a.mp3,C:\\queued.mp3,C:\\b.mp3,C:\\c.mp3");
    EXPECT_EQ(pluginPlaylistSize(), 1); // the insertion did not empty the queue

    // About 200 ms after it started, the inserted entry goes again.
    platform::sim::settle();
    platform::sim::advanceClock(250);
    platform::sim::settle();
    EXPECT_EQ(files(), "C:\\a.mp3,C:\\b.mp3,C:\\c.mp3");
    EXPECT_EQ(pluginPlaylistSize(), 1);

    // The next queued file already stands in the playlist: played where it is.
    test::sendCommand(HOST_CMD_NEXT);
    EXPECT_EQ(player().startedFiles().back(), "C:\\c.mp3");
    EXPECT_EQ(files(), "C:\\a.mp3,C:\\b.mp3,C:\\c.mp3");
}

TEST_F(PlayerQueueIntegration, AfterTheInsertedEntryGoesNextTakesTheOneThatFollowed) {
    player().setPlaylist({player().entryFor("C:\\a.mp3"), player().entryFor("C:\\b.mp3")}, 0);
    appendToPluginPlaylist(std::string_view("C:\\queued.mp3"));
    test::sendCommand(HOST_CMD_NEXT);
    platform::sim::settle();
    platform::sim::advanceClock(250);
    platform::sim::settle();
    test::sendCommand(HOST_CMD_NEXT);
    EXPECT_EQ(
        std::vector<std::string>(player().startedFiles().begin(), player().startedFiles().end()),
        (std::vector<std::string>{"C:\\queued.mp3", "C:\\b.mp3"}));
}

TEST_F(PlayerQueueIntegration, AChangeMadeAtThePlayerEmptiesTheQueue) {
    appendToPluginPlaylist(std::string_view("C:\\queued.mp3"));
    test::addFile("C:\\added.mp3");
    EXPECT_TRUE(pluginPlaylistEmpty());
}

} // namespace
} // namespace tg::player
