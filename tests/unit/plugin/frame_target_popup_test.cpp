// The popup that carries the plug-in's items: how it is found, what the plug-in
// puts into it at each opening, and what it takes away again.
#include "actions/plugin_playlist.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "plugin/frame_state.h"
#include "plugin/host_messages.h"
#include "support/message_sequence.h"
#include "support/player_support.h"
#include "support/plugin_harness.h"

#include <gtest/gtest.h>

namespace tg {
namespace {

using test::itemTexts;
using test::logCount;
using test::logIs;
using test::PluginHarness;
using test::Texts;

const Texts kHostItems = {"Songticker", "Start/Stop Plug-in"};

class TargetPopup : public testing::Test {
protected:
    PluginHarness harness;
};

TEST_F(TargetPopup, AHostPopupWithTheIdGetsThePluginItemsAfterItsOwnAndIsNotPassedOn) {
    harness.define("Library", SourceType::MediaLibrary);
    harness.define("Marks", SourceType::Bookmarks);
    harness.start();
    driver::MenuLoop& loop = harness.loop();
    loop.track(harness.mainMenu());
    const HMENU options = harness.openSubmenu(harness.mainMenu(), "Options");
    harness.player().clearLog();
    const HMENU target = harness.openSubmenu(options, "Visualization");

    EXPECT_EQ(logCount("WM_INITMENUPOPUP"), 0);
    EXPECT_EQ(frame().targetPopup, target);
    EXPECT_EQ(frame().pluginItemsStart, 2);
    EXPECT_EQ(platform::getMenuStyle(target), MNS_AUTODISMISS | MNS_NOTIFYBYPOS);
    EXPECT_EQ(itemTexts(target), (kHostItems + Texts{"-", "Library", "Marks"}));
    // A popup that is not the target goes on to the host untouched.
    harness.player().clearLog();
    harness.openSubmenu(harness.mainMenu(), "Skins");
    EXPECT_EQ(logCount("WM_INITMENUPOPUP"), 1);
}

TEST_F(TargetPopup, DisabledThePopupIsStillTakenButGetsNoItems) {
    harness.define("Library", SourceType::MediaLibrary);
    model().options.enabled = 0;
    harness.start();
    harness.player().clearLog();
    const HMENU target = harness.openTargetPopup();
    EXPECT_EQ(itemTexts(target), kHostItems);
    EXPECT_EQ(platform::getMenuStyle(target), MNS_AUTODISMISS | MNS_NOTIFYBYPOS);
    EXPECT_EQ(logCount("WM_INITMENUPOPUP"), 2); // main menu and Options only
}

TEST_F(TargetPopup, TgPlaylistIsThereExactlyWhileTheQueueHasEntries) {
    harness.define("Library", SourceType::MediaLibrary);
    harness.start();
    appendToPluginPlaylist(std::string_view("C:\\one.mp3"));
    appendToPluginPlaylist(std::string_view("C:\\two.mp3"));
    HMENU target = harness.openTargetPopup();
    EXPECT_EQ(itemTexts(target), (kHostItems + Texts{"TG Playlist", "-", "Library"}));
    const HMENU playlist = harness.openSubmenu(target, "TG Playlist");
    EXPECT_EQ(itemTexts(playlist), (Texts{"Clear Playlist", "-", "C:\\one.mp3", "C:\\two.mp3"}));

    harness.loop().choose(playlist, 0); // "Clear Playlist"
    EXPECT_TRUE(pluginPlaylistEmpty());
    EXPECT_FALSE(harness.loop().anyOpen());
    target = harness.openTargetPopup();
    EXPECT_EQ(itemTexts(target), (kHostItems + Texts{"-", "Library"}));
    EXPECT_EQ(frame().playlistPopup, nullptr);
}

TEST_F(TargetPopup, ItemsTheHostPutsAboveMoveThePluginPartAndNothingOfTheHostsGoes) {
    harness.define("Library", SourceType::MediaLibrary);
    MenuDefinition& raw = harness.define("Raw", SourceType::PlaylistRaw);
    raw.levels = {LevelType::PlaylistEntries};
    model().options.mainMenu = &raw;
    harness.start();
    harness.player().setPlaylist(
        {harness.player().entryFor("C:\\a.mp3"), harness.player().entryFor("C:\\b.mp3")});
    HMENU target = harness.openTargetPopup();
    const Texts plugin = {"-", "Library", "-", "1. a", "2. b"};
    EXPECT_EQ(itemTexts(target), kHostItems + plugin);
    harness.loop().closeAll();

    platform::insertMenu(target, 0, MF_BYPOSITION | MF_STRING, 501, "Host A");
    platform::insertMenu(target, 1, MF_BYPOSITION | MF_STRING, 502, "Host B");
    target = harness.openTargetPopup();
    EXPECT_EQ(frame().pluginItemsStart, 4);
    EXPECT_EQ(itemTexts(target),
              (Texts{"Host A", "Host B", "Songticker", "Start/Stop Plug-in"} + plugin));
    harness.loop().closeAll();
    // The raw entries are listed afresh at every opening; the host's stay.
    EXPECT_EQ(itemTexts(target),
              (Texts{"Host A", "Host B", "Songticker", "Start/Stop Plug-in", "-", "Library", "-"}));
}

TEST_F(TargetPopup, AChoiceOfAPlayersItemReachesItAsThatItemsCommandOnce) {
    harness.define("Library", SourceType::MediaLibrary);
    harness.start();
    for (const char* item : {"Songticker", "Start/Stop Plug-in"}) {
        SCOPED_TRACE(item);
        const HMENU target = harness.openTargetPopup();
        const int position = test::positionOf(target, item);
        const UINT id = platform::sim::menuItems(target)[static_cast<std::size_t>(position)].id;
        harness.player().clearLog();
        harness.loop().select(target, position);
        harness.loop().pressEnter();
        EXPECT_TRUE(logIs({"WM_COMMAND " + std::to_string(id)}, test::kMenuMovesAndLookups));
        EXPECT_FALSE(harness.loop().anyOpen());
    }
    // A click the hook hands on, which Wine's menu then reports by position too.
    const HMENU target = harness.openTargetPopup();
    const int position = test::positionOf(target, "Songticker");
    harness.player().clearLog();
    harness.loop().choose(target, position);
    platform::sendMessage(harness.window(), WM_MENUCOMMAND, static_cast<WPARAM>(position),
                          reinterpret_cast<LPARAM>(target));
    EXPECT_TRUE(logIs({"WM_CANCELMODE", "WM_COMMAND 40188"}, test::kMenuMovesAndLookups));
}

TEST(OwnPopup, GoesRightAfterSkinsOrToPositionOne) {
    struct Case {
        const char* what;
        int keep;     // items of the player's main menu kept, from the top; -1 all
        bool noSkins; // "Skins" taken out
        int expected; // position of "Tunegrove"
    };
    const Case cases[] = {
        {"with Skins", -1, false, 8},
        {"without Skins", -1, true, 1},
        {"one item", 1, false, 1},
        {"empty", 0, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::resetProcess();
        PluginHarness h;
        model().options.ownMenu = 1;
        const HMENU main = h.mainMenu();
        if (c.noSkins) platform::deleteMenu(main, test::positionOf(main, "Skins"), MF_BYPOSITION);
        if (c.keep >= 0)
            while (platform::getMenuItemCount(main) > c.keep)
                platform::deleteMenu(main, platform::getMenuItemCount(main) - 1, MF_BYPOSITION);
        h.start();
        EXPECT_EQ(test::positionOf(main, "Tunegrove"), c.expected);
        const int id = h.player().registeredId("Halvex Tunegrove");
        EXPECT_EQ(model().options.hostMenuId, id);
        const auto items = platform::sim::menuItems(frame().targetPopup);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0].text, "Tunegrove");
        EXPECT_EQ(items[0].id, static_cast<UINT>(id));
        EXPECT_EQ(items[0].flags & (MF_DISABLED | MF_GRAYED), MF_DISABLED);
        h.stop();
        EXPECT_EQ(test::positionOf(main, "Tunegrove"), -1);
    }
}

TEST_F(TargetPopup, OnlyDefinitionsWithSomethingToShowGetASubmenu) {
    harness.define("Hidden", SourceType::MediaLibrary).showAsSubmenu = false;
    harness.define("No levels", SourceType::MediaLibrary).levels.clear();
    harness.define("No tags", SourceType::PlaylistTags).levels.clear();
    harness.define("Marks", SourceType::Bookmarks);
    harness.define("Folder", SourceType::Directory);
    harness.define("Raw", SourceType::PlaylistRaw);
    harness.start();
    EXPECT_EQ(itemTexts(harness.openTargetPopup()),
              (kHostItems + Texts{"-", "Marks", "Folder", "Raw"}));
}

TEST(InlineMainMenu, OneThatCannotStandInlineAddsNothingAndIsNeverEmptied) {
    for (SourceType type : {SourceType::MediaLibrary, SourceType::Bookmarks}) {
        SCOPED_TRACE(static_cast<int>(type));
        test::resetProcess();
        PluginHarness h;
        MenuDefinition& main = h.define("Main", type);
        main.levels.clear();
        model().options.mainMenu = &main;
        h.define("Library", SourceType::MediaLibrary);
        h.start();
        for (int opening = 0; opening < 3; ++opening) {
            const HMENU target = h.openTargetPopup();
            EXPECT_EQ(itemTexts(target), (kHostItems + Texts{"-", "Library"}));
            h.loop().closeAll();
            EXPECT_EQ(itemTexts(target), (kHostItems + Texts{"-", "Library"}));
        }
    }
}

TEST_F(TargetPopup, StaleBuiltItemsGoAtTheNextOpeningByKind) {
    harness.define("Library", SourceType::MediaLibrary);
    harness.define("Tags", SourceType::PlaylistTags);
    harness.start();
    harness.player().setPlaylist({harness.player().entryFor(
        "C:\\Music\\The Lanterns\\Harbor Lights\\02 - Meadow Light.mp3")});
    // Build both, then close everything: built items stay.
    HMENU target = harness.openTargetPopup();
    const HMENU library = harness.openSubmenu(target, "Library");
    const HMENU tags = harness.openSubmenu(target, "Tags");
    harness.loop().closeAll();
    ASSERT_GT(platform::getMenuItemCount(library), 0);
    ASSERT_GT(platform::getMenuItemCount(tags), 0);

    target = harness.openTargetPopup(); // nothing changed: both kept
    EXPECT_GT(platform::getMenuItemCount(library), 0);
    EXPECT_GT(platform::getMenuItemCount(tags), 0);
    harness.loop().closeAll();

    test::addFile("C:\\added.mp3"); // the host playlist changed
    harness.openTargetPopup();
    EXPECT_GT(platform::getMenuItemCount(library), 0);
    EXPECT_EQ(platform::getMenuItemCount(tags), 0);
    harness.loop().closeAll();

    // A tag edit, in the form current players send and in the older one.
    for (const bool wide : {true, false}) {
        SCOPED_TRACE(wide ? "wide" : "ANSI");
        harness.openSubmenu(harness.openTargetPopup(), "Library");
        harness.loop().closeAll();
        ASSERT_GT(platform::getMenuItemCount(library), 0);
        harness.player().notifyTagsUpdated("C:\\Music\\x.mp3", wide);
        harness.openTargetPopup();
        EXPECT_EQ(platform::getMenuItemCount(library), 0);
        harness.loop().closeAll();
    }
}

TEST_F(TargetPopup, ASecondHostPopupWithTheIdTakesTheItemsOver) {
    harness.define("Library", SourceType::MediaLibrary);
    model().options.hostMenuId = 40045; // "Play" popup
    harness.start();
    const HMENU play = harness.openTargetPopup();
    EXPECT_EQ(itemTexts(play), (Texts{"Play", "Pause", "Stop", "-", "Library"}));
    harness.loop().closeAll();

    // Another popup of the host starts with the same command.
    const HMENU copy = platform::createPopupMenu();
    platform::appendMenu(copy, MF_STRING, 40045, "Play");
    harness.loop().track(copy);
    EXPECT_EQ(itemTexts(copy), (Texts{"Play", "-", "Library"}));
    EXPECT_EQ(itemTexts(play), (Texts{"Play", "Pause", "Stop"}));
    harness.loop().closeAll();
    harness.stop();
    EXPECT_EQ(itemTexts(copy), Texts{"Play"});
    platform::destroyMenu(copy);
}

} // namespace
} // namespace tg
