// Walking down a definition's menus over the sample library: each opened
// submenu records the value chosen above it, a click plays what the item
// stands for, and closing everything leaves no path record, check mark or
// menu behind, however often it is done.
#include "model/text.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "plugin/frame_state.h"
#include "plugin/host_messages.h"
#include "support/message_sequence.h"
#include "support/player_support.h"
#include "support/plugin_harness.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace tg {
namespace {

using test::logHas;
using test::logIs;
using test::PluginHarness;
using test::Texts;

constexpr char kMeadowLight[] = "C:\\Music\\The Lanterns\\Harbor Lights\\02 - Meadow Light.mp3";

HMENU openContaining(PluginHarness& harness, HMENU menu, const std::string& part) {
    const int position = test::positionContaining(menu, part);
    EXPECT_GE(position, 0) << part;
    return position < 0 ? nullptr : harness.loop().openSubmenu(menu, position);
}

TEST(MenuWalk, ThreeLevelsDownAClickPlaysTheTitleAndNothingIsLeftOver) {
    PluginHarness harness;
    harness.define("Media Library", SourceType::MediaLibrary); // Range, Artist, Album, Title
    harness.start();
    driver::MenuLoop& loop = harness.loop();
    int menusAfterFirst = 0;
    std::string treeAfterFirst;
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        const HMENU target = harness.openTargetPopup();
        const HMENU root = harness.openSubmenu(target, "Media Library");
        ASSERT_NE(root, nullptr);
        const int range = test::positionLeadingTo(root, "The Lanterns");
        ASSERT_GE(range, 0);
        const HMENU artists = loop.openSubmenu(root, range);
        const HMENU albums = openContaining(harness, artists, "The Lanterns");
        const HMENU titles = openContaining(harness, albums, "Harbor Lights");
        ASSERT_NE(titles, nullptr);

        const auto& path = model().selectionPath;
        ASSERT_EQ(path.size(), 4u);
        EXPECT_EQ(model().currentDefinition, &harness.definition("Media Library"));
        EXPECT_STREQ(path[1].value, "The Lanterns");
        EXPECT_STREQ(path[2].value, "Harbor Lights");
        EXPECT_EQ(path[3].menu, titles);
        // From the second round on the song now playing is marked on the way down.
        EXPECT_EQ(test::checkedTexts(root).size(), round == 0 ? 0u : 4u);

        harness.player().clearLog();
        loop.select(titles, test::positionContaining(titles, "Meadow Light"));
        loop.leftClick();
        EXPECT_EQ(harness.player().startedFiles().back(), kMeadowLight);
        EXPECT_TRUE(logHas(std::string("ML_SEND_TO_HOST mode=2 files=") + kMeadowLight));
        EXPECT_FALSE(loop.anyOpen()); // the click closed every menu

        EXPECT_TRUE(model().selectionPath.empty());
        EXPECT_EQ(model().currentDefinition, nullptr);
        EXPECT_EQ(frame().selectedMenu, nullptr);
        EXPECT_FALSE(frame().targetOpen);
        EXPECT_TRUE(test::checkedTexts(target).empty());
        if (round == 1) {
            menusAfterFirst = platform::sim::liveMenuCount();
            treeAfterFirst = platform::sim::menuTree(target);
        } else if (round > 1) {
            EXPECT_EQ(platform::sim::liveMenuCount(), menusAfterFirst);
            EXPECT_EQ(platform::sim::menuTree(target), treeAfterFirst);
        }
    }
}

TEST(MenuWalk, OpeningAMorePageChangesNeitherThePathNorTheItems) {
    PluginHarness harness;
    MenuDefinition& artists = harness.define("Artists", SourceType::MediaLibrary);
    artists.levels = {LevelType::Artist, LevelType::Title};
    model().options.rowsPerColumn = 3;
    model().options.columnCount = 1;
    model().options.moreColumnCount = 1;
    harness.start();
    const HMENU target = harness.openTargetPopup();
    const HMENU root = harness.openSubmenu(target, "Artists");
    ASSERT_EQ(test::itemTexts(root).back(), "MORE");
    const std::string before = platform::sim::menuTree(root);

    const HMENU more = harness.loop().openSubmenu(root, platform::getMenuItemCount(root) - 1);
    EXPECT_EQ(model().selectionPath.size(), 1u);
    EXPECT_EQ(platform::sim::menuTree(root), before);
    // An artist on the page still opens as the next level.
    harness.loop().openSubmenu(more, 0);
    ASSERT_EQ(model().selectionPath.size(), 2u);
    EXPECT_STRNE(model().selectionPath[0].value, "");
    harness.loop().closeAll();
    EXPECT_TRUE(model().selectionPath.empty());
}

TEST(MenuWalk, AnItemLabelledLikeThePageLinkIsAValueLikeAnyOther) {
    for (std::int32_t eager : {0, 1}) {
        SCOPED_TRACE(eager);
        test::resetProcess();
        PluginHarness harness;
        MenuDefinition& artists = harness.define("Artists", SourceType::MediaLibrary);
        artists.levels = {LevelType::Artist, LevelType::Album};
        artists.timeDisplay = 0;
        artists.addYearToAlbums = 0;
        model().options.loadAllMenus = eager;
        const auto track = [](const char* file, const char* artist, const char* album) {
            player::Track t;
            t.filename = file;
            t.title = "Song";
            t.artist = artist;
            t.album = album;
            return t;
        };
        harness.player().setTracks(
            {track("C:\\a.mp3", "Abba", "Gold"), track("C:\\m.mp3", "MORE", "Caps")});
        harness.start();
        const HMENU root = harness.openSubmenu(harness.openTargetPopup(), "Artists");
        ASSERT_EQ(test::itemTexts(root), (Texts{"Abba", "MORE"}));
        const HMENU albums = harness.openSubmenu(root, "MORE");
        EXPECT_EQ(test::itemTexts(albums), Texts{"Caps"});
        ASSERT_EQ(model().selectionPath.size(), 2u);
        EXPECT_STREQ(model().selectionPath[0].value, "MORE");
        harness.player().clearLog();
        harness.loop().choose(albums, 0);
        EXPECT_TRUE(logHas("ML_SEND_TO_HOST mode=2 files=C:\\m.mp3"));
    }
}

// Tags beyond ASCII reach the menus as UTF-8 from a player that speaks UTF-16
// and go back as the same paths; broken UTF-16 shows as U+FFFD. A player that
// speaks ANSI answers in the code page, '?' for what it cannot hold, and the
// query a click builds from such a name finds nothing.
TEST(MenuWalk, TagsBeyondAsciiShowAndPlayInEitherSpeechOfThePlayer) {
    constexpr char kSakura[] = "C:\\\u97f3\u697d\\\u685c.mp3";
    struct Row {
        bool wide;
        RecordLayout layout;
        bool brokenTitles;
        const char* title;
        const char* sent; // null: nothing is sent
    };
    const Row rows[] = {
        {false, RecordLayout::Classic, false, "? ?", nullptr},
        {false, RecordLayout::WithExtension, false, "? ?", nullptr},
        {true, RecordLayout::Classic, false, "\u685c \U0001F3B5", "ML_SEND_TO_HOST_WIDE"},
        {true, RecordLayout::WithExtension, false, "\u685c \U0001F3B5", "ML_SEND_TO_HOST_WIDE"},
        {true, RecordLayout::Classic, true, "\u685c \U0001F3B5\uFFFD", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.wide) + " " + std::to_string(static_cast<int>(row.layout)) +
                     " " + std::to_string(row.brokenTitles));
        test::resetProcess();
        PluginHarness harness;
        harness.player().offerWideCalls(row.wide);
        harness.player().setRecordLayout(row.layout);
        harness.player().library().faultMode().unpairedSurrogates = row.brokenTitles;
        MenuDefinition& songs = harness.define("Songs", SourceType::MediaLibrary);
        songs.levels = {LevelType::Artist, LevelType::Album, LevelType::Title};
        songs.timeDisplay = 0;
        songs.addYearToAlbums = 0;
        const auto track = [](const char* file, const char* artist, const char* album,
                              const char* title) {
            player::Track t;
            t.filename = file;
            t.title = title;
            t.artist = artist;
            t.album = album;
            return t;
        };
        // The record layout is learnt from an ANSI answer by looking its
        // second name up: that one fits the code page.
        harness.player().setTracks(
            {track("C:\\\u041a\u0438\u043d\u043e\\\u0401.mp3", "\u041a\u0438\u043d\u043e",
                   "\u0413\u0440\u0443\u043f\u043f\u0430", "\u0401\u043b\u043a\u0430"),
             track("C:\\Caf\u00e9\\Cr\u00e8me.mp3", "\u0395\u03bb\u03ad\u03bd\u03b7", "Caf\u00e9",
                   "Cr\u00e8me"),
             track(kSakura, "\u5742\u672c", "\u65e5\u672c", "\u685c \U0001F3B5")});
        harness.start();
        const HMENU root = harness.openSubmenu(harness.openTargetPopup(), "Songs");
        ASSERT_NE(root, nullptr);
        const auto held = test::pluginText;
        Texts artists = test::itemTexts(root);
        std::sort(artists.begin(), artists.end());
        Texts shown{held("\u0395\u03bb\u03ad\u03bd\u03b7"), held("\u041a\u0438\u043d\u043e"),
                    held("\u5742\u672c")};
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ(artists, shown);
        const HMENU albums = harness.openSubmenu(root, held("\u5742\u672c"));
        ASSERT_NE(albums, nullptr);
        EXPECT_EQ(test::itemTexts(albums), Texts{held("\u65e5\u672c")});
        const HMENU titles = harness.openSubmenu(albums, held("\u65e5\u672c"));
        ASSERT_NE(titles, nullptr);
        EXPECT_EQ(test::itemTexts(titles), Texts{std::string("     ") + row.title});
        harness.player().clearLog();
        harness.loop().choose(titles, 0);
        // A title the player garbled is asked for as shown, and matches nothing.
        const auto& log = harness.player().log();
        const std::string sent =
            std::string(row.sent ? row.sent : "") + " mode=2 files=" + held(kSakura);
        EXPECT_EQ(std::find(log.begin(), log.end(), sent) != log.end(), row.sent != nullptr);
        if (row.sent) {
            EXPECT_EQ(harness.player().startedFiles().back(), held(kSakura));
        }
        EXPECT_EQ(harness.player().library().liveQueryResults(), 0);
        EXPECT_TRUE(harness.player().takeFaults().empty());
    }
}

TEST(MenuWalk, TheInlineMainMenuIsTheRootOfItsWalk) {
    PluginHarness harness;
    MenuDefinition& artists = harness.define("Artists", SourceType::MediaLibrary);
    artists.levels = {LevelType::Artist, LevelType::Album, LevelType::Title};
    model().options.mainMenu = &artists;
    harness.define("Marks", SourceType::Bookmarks);
    harness.start();
    harness.player().setPlaylist({harness.player().entryFor(kMeadowLight)}, 0);
    test::sendCommand(HOST_CMD_PLAY); // the song now playing gets marked

    const HMENU target = harness.openTargetPopup();
    const Texts texts = test::itemTexts(target);
    ASSERT_GE(texts.size(), 6u);
    EXPECT_EQ(Texts(texts.begin(), texts.begin() + 5),
              (Texts{"Songticker", "Start/Stop Plug-in", "-", "Marks", "-"}));
    EXPECT_EQ(harness.definition("Artists").firstBuiltItem, 5);
    ASSERT_EQ(model().selectionPath.size(), 1u);
    EXPECT_EQ(model().selectionPath[0].menu, target);
    // Levels built ahead are marked when they open. Of the artist's spellings
    // the item shows the one most of its tracks have.
    EXPECT_EQ(test::checkedTexts(target), Texts{"The Lanterns\t  [3:01:50]"});

    const HMENU albums = openContaining(harness, target, "Lanterns");
    ASSERT_EQ(model().selectionPath.size(), 2u);
    EXPECT_STREQ(model().selectionPath[0].value, "The Lanterns");
    EXPECT_EQ(model().selectionPath[1].menu, albums);
    EXPECT_EQ(test::checkedTexts(target).size(), 2u);

    // Another definition's submenu starts a walk of its own beside the inline
    // level, whose record waits aside, mark and all, until that submenu closes.
    harness.loop().select(target, 0);
    const HMENU marks = harness.openSubmenu(target, "Marks");
    EXPECT_EQ(model().currentDefinition, &harness.definition("Marks"));
    ASSERT_EQ(model().selectionPath.size(), 1u);
    EXPECT_EQ(model().selectionPath[0].menu, marks);
    EXPECT_EQ(test::checkedTexts(target), Texts{"The Lanterns\t  [3:01:50]"});
    harness.loop().close(marks);
    EXPECT_EQ(model().currentDefinition, &harness.definition("Artists"));
    ASSERT_EQ(model().selectionPath.size(), 1u);
    EXPECT_EQ(model().selectionPath[0].menu, target);
    harness.loop().closeAll();
    EXPECT_TRUE(model().selectionPath.empty());
    EXPECT_TRUE(test::checkedTexts(target).empty());

    // Opened again, the inline items are kept and only marked again.
    const std::string before = platform::sim::menuTree(target);
    harness.openTargetPopup();
    EXPECT_EQ(test::checkedTexts(target).size(), 1u);
    harness.loop().closeAll();
    EXPECT_EQ(platform::sim::menuTree(target), before);
}

TEST(MenuWalk, TheHostsOwnSubmenusInTheTargetPopupAreNoPartOfAWalk) {
    PluginHarness harness;
    MenuDefinition& artists = harness.define("Artists", SourceType::MediaLibrary);
    artists.levels = {LevelType::Artist, LevelType::Title};
    model().options.mainMenu = &artists;
    harness.define("Marks", SourceType::Bookmarks);
    model().options.hostMenuId = 40012; // "Options", which holds "Visualization"
    harness.start();
    const HMENU target = harness.openTargetPopup();
    const auto openVisualization = [&] {
        harness.player().clearLog();
        harness.openSubmenu(target, "Visualization");
        EXPECT_TRUE(logIs({"WM_INITMENUPOPUP"}, test::kMenuMovesAndLookups));
    };
    openVisualization(); // while the inline level is the walk's root
    EXPECT_EQ(model().selectionPath.size(), 1u);
    const HMENU marks = harness.openSubmenu(target, "Marks");
    harness.loop().close(marks); // the inline level is the walk again
    openVisualization();
    ASSERT_EQ(model().selectionPath.size(), 1u);
    EXPECT_EQ(model().selectionPath[0].menu, target);
    harness.loop().closeAll();
    EXPECT_TRUE(model().selectionPath.empty());
    EXPECT_EQ(model().currentDefinition, nullptr);
}

TEST(MenuWalk, FolderPopupsAreListedAfreshAtEveryOpening) {
    PluginHarness harness;
    test::mapSampleTree('M');
    copyText(harness.define("Folder", SourceType::Directory).query, "M:\\");
    harness.start();
    HMENU target = harness.openTargetPopup();
    const HMENU folder = harness.openSubmenu(target, "Folder");
    const HMENU jazz = harness.openSubmenu(folder, "Jazz");
    EXPECT_GT(platform::getMenuItemCount(jazz), 0);
    ASSERT_EQ(model().selectionPath.size(), 2u);
    EXPECT_STREQ(model().selectionPath[0].value, "Jazz");
    harness.loop().closeAll();
    EXPECT_EQ(platform::getMenuItemCount(folder), 0);

    test::TempDrive drive('N');
    drive.file("new.mp3");
    copyText(harness.definition("Folder").query, "N:\\");
    harness.openTargetPopup();
    harness.openSubmenu(target, "Folder");
    EXPECT_EQ(test::itemTexts(folder), Texts{"new.mp3"});
    harness.loop().closeAll();
}

} // namespace
} // namespace tg
