// The queue's hand-over with the whole plug-in loaded in the simulated player:
// the player's playlist changing, or the plug-in quitting, while the entry it
// inserted waits for its removal.
#include "actions/plugin_playlist.h"
#include "model/model_state.h"
#include "platform/sim/inspect.h"
#include "plugin/host_messages.h"
#include "support/message_sequence.h"
#include "support/player_support.h"
#include "support/plugin_harness.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tg {
namespace {

using test::PluginHarness;
using test::Texts;

void elapse(DWORD milliseconds) {
    platform::sim::settle();
    platform::sim::advanceClock(milliseconds);
    platform::sim::settle();
}

void playlist(PluginHarness& h, const Texts& files) {
    std::vector<player::PlaylistEntry> entries;
    for (const std::string& file : files) entries.push_back(h.player().entryFor(file));
    h.player().changePlaylist(std::move(entries), 0);
}

void enqueue(PluginHarness& h, const Texts& files) {
    h.player().buildSendToMenu();
    h.player().chooseSendTo("TG Enqueue", files);
}

void next() {
    test::sendCommand(HOST_CMD_NEXT);
}

TEST(QueueHandOverLoaded, NothingButThePlugInsOwnEntriesLeavesThePlaylist) {
    struct Case {
        const char* what;
        std::function<void(PluginHarness&)> steps; // after a, b, c with a playing
        Texts playlist;
        Texts queue;
    };
    const Case cases[] = {
        {"cleared while the removal waits",
         [](PluginHarness& h) {
             enqueue(h, {"new", "later"});
             next(); // a, new, b, c
             elapse(50);
             test::sendToPlayer(0, HOST_CLEAR_PLAYLIST);
             elapse(150); // the deletion finds nothing and is dropped
             playlist(h, {"p", "q", "r", "s"});
             enqueue(h, {"x"});
             next();
             elapse(200);
         },
         {"p", "q", "r", "s"},
         {}},
        {"quit and loaded again while the removal waits",
         [](PluginHarness& h) {
             enqueue(h, {"new", "later"});
             next();
             elapse(50);
             h.stop();
             EXPECT_EQ(pluginPlaylistState().pendingHostIndex, -1);
             EXPECT_FALSE(pluginPlaylistState().temporaryEntry);
             elapse(150);             // the entry still goes
             h.withoutSettingsFile(); // the one of the first start is still there
             h.start();
             enqueue(h, {"x"});
             next();
             elapse(200);
         },
         {"a", "b", "c"},
         {}},
        {"changed after a hand-over that found its file",
         [](PluginHarness& h) {
             enqueue(h, {"new", "b", "later"});
             next(); // a, new, b, c: the removal of "new" waits
             elapse(50);
             next(); // "b" is listed: nothing inserted
             model().playlistMenusValid = true;
             test::addFile("z");
             EXPECT_FALSE(model().playlistMenusValid);
             elapse(150);
         },
         {"a", "b", "c", "z"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::resetProcess();
        PluginHarness h;
        h.start();
        playlist(h, {"a", "b", "c"});
        c.steps(h);
        Texts files;
        for (const player::PlaylistEntry& entry : h.player().playlist())
            files.push_back(entry.file);
        EXPECT_EQ(files, c.playlist);
        EXPECT_EQ(test::queuedFiles(), c.queue);
        EXPECT_EQ(platform::sim::liveWorkerCount(), 0);
    }
}

} // namespace
} // namespace tg
