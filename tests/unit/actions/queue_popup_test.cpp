// The "TG Playlist" submenu and its context-menu commands, on the simulated
// menus alone (playing an entry needs the player: queue_hand_over.cpp).
#include "actions/playlist_popup.h"
#include "actions/plugin_playlist.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "plugin/descriptor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace sim = tg::platform::sim;
using Labels = std::vector<std::string>;

class QueuePopup : public testing::Test {
protected:
    void SetUp() override {
        tg::descriptor().hostWindow =
            tg::platform::createWindow(tg::platform::defWindowProc, "player");
        popup = tg::platform::createPopupMenu();
    }
    void TearDown() override { tg::descriptor().hostWindow = nullptr; }

    void open(std::initializer_list<const char*> names) {
        for (const char* name : names) tg::appendToPluginPlaylist(std::string_view(name));
        tg::rebuildPlaylistPopup(popup);
    }

    // The entry labels the submenu shows; fails the test when an item's id is not
    // its position or the two fixed items are not in place.
    Labels shown() const {
        const std::vector<sim::MenuItemView> items = sim::menuItems(popup);
        Labels out;
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i].id, i) << "item " << i;
            if (i >= 2) out.push_back(items[i].text);
        }
        if (items.size() >= 2) {
            EXPECT_EQ(items[0].text, "Clear Playlist");
            EXPECT_EQ(items[1].flags & (MF_SEPARATOR | MF_DISABLED), MF_SEPARATOR | MF_DISABLED);
        }
        return out;
    }

    static Labels queued() {
        Labels out;
        for (const tg::QueueEntry& e : tg::pluginPlaylist()) out.push_back(e.file);
        return out;
    }

    HMENU popup = nullptr;
};

TEST_F(QueuePopup, RebuildReplacesWhateverTheSubmenuHeld) {
    HMENU stale = tg::platform::createPopupMenu();
    tg::platform::appendMenu(stale, MF_STRING, 5, "inner");
    tg::platform::appendMenu(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(stale), "old submenu");
    tg::platform::appendMenu(popup, MF_STRING | MF_CHECKED, 9, "old item");
    const int menusBefore = sim::liveMenuCount();

    open({"C:\\music\\a.mp3", "R&B\\b.mp3", "", "C:\\music\\a.mp3"});

    EXPECT_EQ(sim::menuItems(popup).size(), 6u);
    // Ampersands doubled, as in every menu the plug-in fills: none becomes a mnemonic.
    EXPECT_EQ(shown(), (Labels{"C:\\music\\a.mp3", "R&&B\\b.mp3", "", "C:\\music\\a.mp3"}));
    EXPECT_EQ(sim::liveMenuCount(), menusBefore - 1); // the old submenu went with its item
    for (const sim::MenuItemView& item : sim::menuItems(popup))
        EXPECT_EQ(item.flags & (MF_CHECKED | MF_POPUP), 0u);

    // Opening it again after the queue changed lists the queue as it is now.
    tg::removePluginPlaylistEntry(0);
    tg::rebuildPlaylistPopup(popup);
    EXPECT_EQ(shown(), (Labels{"R&&B\\b.mp3", "", "C:\\music\\a.mp3"}));
}

TEST_F(QueuePopup, RebuildOfAnEmptyQueueOrOfNoMenu) {
    open({});
    EXPECT_EQ(sim::menuItems(popup).size(), 2u);
    EXPECT_TRUE(shown().empty());

    tg::appendToPluginPlaylist(std::string_view("a"));
    tg::rebuildPlaylistPopup(nullptr);
    tg::platform::destroyMenu(popup);
    tg::rebuildPlaylistPopup(popup); // a handle that is no longer a menu: untouched
}

struct MoveCase {
    const char* what;
    int command; // 0 Move Up, 1 Move Down, 2 Delete
    int contextIndex;
    Labels after; // queue and submenu alike
    bool redrawn;
};

TEST_F(QueuePopup, ContextCommandsKeepTheSubmenuAndTheQueueInStep) {
    const Labels start{"a", "b", "c"};
    const std::vector<MoveCase> cases = {
        {"up on the second entry", 0, 3, {"b", "a", "c"}, true},
        {"up on the last entry", 0, 4, {"a", "c", "b"}, true},
        {"up on the first entry", 0, 2, start, false},
        {"up on the separator", 0, 1, start, false},
        {"up past the end", 0, 5, start, false},
        {"down on the first entry", 1, 2, {"b", "a", "c"}, true},
        {"down on the second entry", 1, 3, {"a", "c", "b"}, true},
        {"down on the last entry", 1, 4, start, false},
        {"down on Clear Playlist", 1, 0, start, false},
        {"down from no position", 1, -1, start, false},
        {"down from the largest index", 1, 2147483647, start, false},
        {"up from the smallest index", 0, -2147483647 - 1, start, false},
        {"delete the first entry", 2, 2, {"b", "c"}, false},
        {"delete the second entry", 2, 3, {"a", "c"}, false},
        {"delete the last entry", 2, 4, {"a", "b"}, false},
        {"delete the separator", 2, 1, start, false},
        {"delete Clear Playlist", 2, 0, start, false},
        {"delete past the end", 2, 5, start, false},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.what);
        tg::resetPluginPlaylistState();
        open({"a", "b", "c"});
        const std::size_t drawsBefore = sim::drawnMenuBars().size();

        EXPECT_TRUE(tg::onPlaylistEntryCommand(popup, c.command, c.contextIndex));

        EXPECT_EQ(queued(), c.after);
        EXPECT_EQ(shown(), c.after);
        EXPECT_EQ(sim::drawnMenuBars().size(), drawsBefore + (c.redrawn ? 1 : 0));
        if (c.redrawn) {
            EXPECT_EQ(sim::drawnMenuBars().back(), tg::descriptor().hostWindow);
        }
    }
}

TEST_F(QueuePopup, AQueueOfOneEntryCannotBeReordered) {
    open({"only"});
    tg::moveEntryUp(popup, 2);
    tg::moveEntryDown(popup, 2);
    EXPECT_EQ(queued(), Labels{"only"});
    EXPECT_EQ(shown(), Labels{"only"});
    EXPECT_TRUE(sim::drawnMenuBars().empty());
}

TEST_F(QueuePopup, RepeatedMovesCarryAnEntryAcrossTheWholeList) {
    open({"a", "b", "c", "d"});
    for (int p = 2; p <= 4; ++p) tg::moveEntryDown(popup, p);
    EXPECT_EQ(queued(), (Labels{"b", "c", "d", "a"}));
    for (int p = 5; p >= 3; --p) tg::moveEntryUp(popup, p);
    EXPECT_EQ(queued(), (Labels{"a", "b", "c", "d"}));
    EXPECT_EQ(shown(), queued());
}

TEST_F(QueuePopup, AMovedLabelIsCutButTheQueuedNameStaysWhole) {
    const std::string longName = "C:\\" + std::string(400, 'x') + ".mp3";
    open({"a", longName.c_str()});
    tg::moveEntryUp(popup, 3);

    EXPECT_EQ(queued(), (Labels{longName, "a"}));
    const Labels labels = shown();
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0], longName.substr(0, 254));

    tg::rebuildPlaylistPopup(popup); // the next opening shows it whole again
    EXPECT_EQ(shown(), (Labels{longName, "a"}));
}

TEST_F(QueuePopup, DeleteRenumbersSoALaterRightClickNamesTheRightEntry) {
    open({"a", "b", "c", "d"});
    tg::deleteEntry(popup, 3);
    EXPECT_EQ(shown(), (Labels{"a", "c", "d"})); // ids checked against positions

    // The id of "d" is what the next right click reports as its position.
    tg::deleteEntry(popup, static_cast<int>(sim::menuItems(popup)[4].id));
    EXPECT_EQ(queued(), (Labels{"a", "c"}));
    EXPECT_EQ(shown(), queued());
}

TEST_F(QueuePopup, CommandsOnASubmenuTheQueueHasMovedOnFromActOnTheEntriesItShows) {
    open({"a", "b", "c", "d"});
    // The player took the head while the submenu stayed open.
    tg::removePluginPlaylistEntry(0);

    tg::deleteEntry(popup, 4); // shows "c"
    EXPECT_EQ(queued(), (Labels{"b", "d"}));
    EXPECT_EQ(shown(), (Labels{"a", "b", "d"}));

    tg::moveEntryDown(popup, 3); // "b" below "d"
    EXPECT_EQ(queued(), (Labels{"d", "b"}));
    EXPECT_EQ(shown(), (Labels{"a", "d", "b"}));

    tg::moveEntryUp(popup, 3); // would exchange with "a", which has already gone
    EXPECT_EQ(queued(), (Labels{"d", "b"}));
    EXPECT_EQ(shown(), (Labels{"a", "d", "b"}));

    tg::deleteEntry(popup, 2); // "a" is gone from the queue; only its item goes
    EXPECT_EQ(queued(), (Labels{"d", "b"}));
    EXPECT_EQ(shown(), (Labels{"d", "b"}));
}

TEST_F(QueuePopup, CommandsOfTheSubmenuItself) {
    open({"a", "b"});
    EXPECT_FALSE(tg::onPlaylistPopupCommand(1)); // the separator goes on to the player
    EXPECT_EQ(queued(), (Labels{"a", "b"}));
    EXPECT_FALSE(tg::onPlaylistPopupCommand(-1));
    EXPECT_TRUE(tg::onPlaylistPopupCommand(0));
    EXPECT_TRUE(tg::pluginPlaylistEmpty());
    EXPECT_TRUE(tg::onPlaylistPopupCommand(3)); // claimed though nothing is left to play
}

} // namespace
