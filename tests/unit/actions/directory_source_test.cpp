// Folder popups of a Directory menu, on a temporary tree mapped as drive C:.
#include "actions/popup_sources.h"
#include "model/text.h"
#include "platform/sim/inspect.h"
#include "platform/text_encoding.h"
#include "support/plugin_harness.h"
#include "support/recording_window.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace tg {
namespace {

using platform::sim::MenuItemView;

struct Shown {
    std::string text;
    bool submenu;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& item) {
    return out << '"' << item.text << '"' << (item.submenu ? " (submenu)" : "");
}

std::vector<Shown> shown(const std::vector<MenuItemView>& items) {
    std::vector<Shown> result;
    for (const MenuItemView& item : items)
        result.push_back({item.text, (item.flags & MF_POPUP) != 0});
    return result;
}

class DirectorySource : public testing::Test {
protected:
    void SetUp() override {
        applySourceDefaults(definition, SourceType::Directory);
        copyText(definition.query, "C:\\Music");
    }
    void TearDown() override { platform::destroyMenu(popup); }
    void emptyPopup() {
        platform::destroyMenu(popup);
        popup = platform::createPopupMenu();
    }

    // Opens the popup below the chosen names, with its own record pushed as the
    // menu code pushes it before filling.
    std::vector<MenuItemView> open(std::initializer_list<const char*> chosen = {}) {
        path.clear();
        for (const char* name : chosen) {
            LevelSelection record;
            copyText(record.value, name);
            path.push_back(record);
        }
        const int depth = static_cast<int>(path.size());
        path.emplace_back();
        fillDirectoryPopup(popup, definition, path, depth);
        return platform::sim::menuItems(popup);
    }

    test::TempDrive drive;
    MenuDefinition definition;
    std::vector<LevelSelection> path;
    HMENU popup = platform::createPopupMenu();
};

TEST_F(DirectorySource, ListsFoldersThenMatchingFilesIgnoringCaseAndLeavesHiddenOut) {
    drive.folder("Music/B");
    drive.folder("Music/a");
    drive.file("Music/Z.mp3");
    drive.file("Music/y.MP3");
    drive.file("Music/x.txt");
    drive.file("Music/h.mp3");
    drive.hide("Music/h.mp3");

    const std::vector<MenuItemView> items = open();
    EXPECT_EQ(shown(items),
              (std::vector<Shown>{{"a", true}, {"B", true}, {"y.MP3", false}, {"Z.mp3", false}}));
    for (const MenuItemView& item : items) {
        EXPECT_TRUE(item.flags & MF_USECHECKBITMAPS) << item.text;
        EXPECT_FALSE(item.flags & (MF_DISABLED | MF_GRAYED | MF_MENUBARBREAK)) << item.text;
    }
    EXPECT_EQ(items[2].id, 2u);
    EXPECT_EQ(items[3].id, 3u);
    EXPECT_EQ(platform::sim::menuItems(items[0].submenu).size(), 0u) << "filled when opened";
    EXPECT_TRUE(platform::sim::messageBoxes().empty());
    EXPECT_EQ(platform::sim::openFindCount(), 0);
}

TEST_F(DirectorySource, ComparesWholeExtensions) {
    copyText(definition.fileTypes, "mp3;wav");
    for (const char* name : {"a.mp3", "b.wav", "c.mp3x", "d.wa", "e", "f.MP3.txt", "g.txt.wav"})
        drive.file(std::string("Music/") + name);
    EXPECT_EQ(shown(open()),
              (std::vector<Shown>{{"a.mp3", false}, {"b.wav", false}, {"g.txt.wav", false}}));
}

TEST_F(DirectorySource, EmptyFileTypesListFoldersOnly) {
    definition.fileTypes[0] = '\0';
    drive.folder("Music/Rock");
    drive.file("Music/a.mp3");
    EXPECT_EQ(shown(open()), (std::vector<Shown>{{"Rock", true}}));
}

TEST_F(DirectorySource, PlaylistFilesOpenAsSubmenusOnlyWhenNamedInLowerCase) {
    drive.file("Music/list.m3u");
    drive.file("Music/LIST2.M3U");
    drive.file("Music/song.mp3");
    EXPECT_EQ(shown(open()), (std::vector<Shown>{{"song.mp3", false}}))
        << "m3u not among the types";

    platform::destroyMenu(popup);
    popup = platform::createPopupMenu();
    copyText(definition.fileTypes, "mp3;m3u");
    EXPECT_EQ(shown(open()),
              (std::vector<Shown>{{"list.m3u", true}, {"LIST2.M3U", false}, {"song.mp3", false}}));
}

TEST_F(DirectorySource, PlaylistFileListsItsLinesWithoutCommentsOrEmptyLines) {
    drive.file("Music/list.m3u",
               "#EXTM3U\r\n#EXTINF:123,Artist - Title\r\na.mp3\r\n\r\nRock & Roll\\b.mp3\r\n"
               "http://radio.example/stream\n");
    const std::vector<MenuItemView> items = open({"list.m3u"});
    EXPECT_EQ(shown(items), (std::vector<Shown>{{"a.mp3", false},
                                                {"Rock && Roll\\b.mp3", false},
                                                {"http://radio.example/stream", false}}));
    EXPECT_EQ(items[0].id, 0u) << "ids restart below the top popup";
    EXPECT_EQ(items[2].id, 2u);
}

// A ".m3u8" file or one behind a byte-order mark is UTF-8, any other is in the
// code page; each line comes out in the plug-in's own texts.
TEST_F(DirectorySource, PlaylistFileLinesInEachEncodingAndMode) {
    const struct {
        bool wide;
        const char* file;
        std::string content;
        std::string shown;
    } rows[] = {
        {true, "list.m3u", "Caf\xE9 \x80.mp3\n", "Caf\xC3\xA9 \xE2\x82\xAC.mp3"},
        {true, "list.m3u8", "\xE5\xAE\x87 \xF0\x9F\x8E\xB5.mp3\n",
         "\xE5\xAE\x87 \xF0\x9F\x8E\xB5.mp3"},
        {true, "list.m3u", "\xEF\xBB\xBF\xE5\xAE\x87.mp3\r\n", "\xE5\xAE\x87.mp3"},
        {true, "list.m3u8", "a\xFF.mp3\n", "a\xEF\xBF\xBD.mp3"},
        {false, "list.m3u", "Caf\xE9.mp3\n", "Caf\xE9.mp3"},
        {false, "list.m3u8", "\xE5\xAE\x87 Caf\xC3\xA9.mp3\n", "? Caf\xE9.mp3"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.file) + (row.wide ? " wide" : " ANSI"));
        platform::setUtf8Texts(row.wide);
        drive.file(std::string("Music/") + row.file, row.content);
        emptyPopup();
        const std::vector<MenuItemView> items = open({row.file});
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0].text, row.shown);
    }
}

// With UTF-8 texts folder and file names beyond any code page list and open.
TEST_F(DirectorySource, NamesBeyondTheCodePageListAndOpen) {
    platform::setUtf8Texts(true);
    const std::string folder = "\xE9\x9F\xB3\xE6\xA5\xBD \xD0\x96"; // 音楽 Ж
    drive.file("Music/" + folder + "/\xCE\xA9 \xF0\x9F\x8E\xB5.mp3");
    EXPECT_EQ(shown(open()), (std::vector<Shown>{{folder, true}}));
    emptyPopup();
    EXPECT_EQ(shown(open({folder.c_str()})),
              (std::vector<Shown>{{"\xCE\xA9 \xF0\x9F\x8E\xB5.mp3", false}}));
}

TEST_F(DirectorySource, DefinitionNamingAPlaylistFileListsItsLines) {
    copyText(definition.query, "C:\\Music\\best.m3u");
    drive.file("Music/best.m3u", "one.mp3\ntwo.mp3");
    EXPECT_EQ(shown(open()), (std::vector<Shown>{{"one.mp3", false}, {"two.mp3", false}}));
}

TEST_F(DirectorySource, PlaylistReadingEndsAtAnOverlongLineOrAMissingFile) {
    drive.file("Music/list.m3u", "a.mp3\n" + std::string(kLineLimit - 1, 'x') + "\n" +
                                     std::string(kLineLimit, 'y') + "\nb.mp3\n");
    const std::vector<MenuItemView> items = open({"list.m3u"});
    ASSERT_EQ(items.size(), 2u) << "the line of the largest length is read, the longer one ends it";
    EXPECT_EQ(items[0].text, "a.mp3");

    platform::destroyMenu(popup);
    popup = platform::createPopupMenu();
    EXPECT_TRUE(open({"gone.m3u"}).empty());
    EXPECT_TRUE(platform::sim::messageBoxes().empty()) << "only folders report";
}

TEST_F(DirectorySource, PlaylistLinesNeverOpenMore) {
    model().options.rowsPerColumn = 2;
    model().options.columnCount = 2;
    std::string lines;
    for (int i = 0; i < 7; ++i) lines += "t" + std::to_string(i) + ".mp3\n";
    drive.file("Music/list.m3u", lines);
    const std::vector<MenuItemView> items = open({"list.m3u"});
    ASSERT_EQ(items.size(), 7u) << "the last column goes on instead";
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_FALSE(items[i].flags & MF_POPUP);
        EXPECT_EQ((items[i].flags & MF_MENUBARBREAK) != 0, i == 2) << i;
    }
}

TEST_F(DirectorySource, FolderWithAnAmpersandShowsItAndIsSearchedUnderItsOwnName) {
    drive.file("Music/Rock & Roll/a.mp3");
    EXPECT_EQ(shown(open()), (std::vector<Shown>{{"Rock && Roll", true}}));

    platform::destroyMenu(popup);
    popup = platform::createPopupMenu();
    EXPECT_EQ(shown(open({"Rock & Roll"})), (std::vector<Shown>{{"a.mp3", false}}));
}

TEST_F(DirectorySource, DeeperPopupsJoinTheChosenNames) {
    drive.file("Music/Rock/Queen/one.mp3");
    EXPECT_EQ(shown(open({"Rock", "Queen"})), (std::vector<Shown>{{"one.mp3", false}}));
}

TEST_F(DirectorySource, TrailingBackslashOfTheFolderIsNotDoubled) {
    copyText(definition.query, "C:\\Music\\");
    drive.file("Music/Rock/one.mp3");
    EXPECT_EQ(shown(open({"Rock"})), (std::vector<Shown>{{"one.mp3", false}}));
    copyText(definition.query, "C:\\Nope\\");
    open();
    ASSERT_EQ(platform::sim::messageBoxes().size(), 1u);
    EXPECT_NE(platform::sim::messageBoxes()[0].text.find("\nC:\\Nope\\*"), std::string::npos);
}

TEST_F(DirectorySource, MissingFolderShowsTheErrorWithTheSearchPattern) {
    test::RecordingHost player;
    copyText(definition.query, "C:\\Nope");

    EXPECT_TRUE(open().empty());
    ASSERT_EQ(platform::sim::messageBoxes().size(), 1u) << "no second pass after the failure";
    const platform::sim::MessageBoxRecord& box = platform::sim::messageBoxes()[0];
    EXPECT_EQ(box.text, "This is not a directory/file, check preferences.\n"
                        "Remember, you can use the browse button:\nC:\\Nope\\*");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.type, MB_OK);
    EXPECT_EQ(box.owner, player.main.handle());
}

TEST_F(DirectorySource, ManyFilesFillFourColumnsThenMore) {
    drive.folder("Music");
    for (int i = 0; i < 200; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Music/%03d.mp3", i);
        drive.file(name);
    }
    const std::vector<MenuItemView> items = open();
    ASSERT_EQ(items.size(), 140u);
    for (int i = 0; i < 139; ++i) {
        EXPECT_EQ(items[i].id, static_cast<UINT>(i));
        EXPECT_EQ((items[i].flags & MF_MENUBARBREAK) != 0, i == 35 || i == 70 || i == 105) << i;
    }
    EXPECT_EQ(items[138].text, "138.mp3");
    EXPECT_EQ(items[139].text, "MORE");
    ASSERT_TRUE(items[139].flags & MF_POPUP);

    const std::vector<MenuItemView> more = platform::sim::menuItems(items[139].submenu);
    ASSERT_EQ(more.size(), 61u);
    EXPECT_EQ(more[0].text, "139.mp3");
    EXPECT_EQ(more[0].id, 0u);
    for (int i = 0; i < 61; ++i)
        EXPECT_EQ((more[i].flags & MF_MENUBARBREAK) != 0, i == 35) << "35 in the first column";
}

TEST_F(DirectorySource, TopPopupNumbersItsItemsAfterThePlayersOwn) {
    platform::appendMenu(popup, MF_STRING, 7, "player item");
    platform::appendMenu(popup, MF_SEPARATOR, 0, nullptr);
    definition.firstBuiltItem = 2;
    drive.file("Music/a.mp3");
    drive.file("Music/b.mp3");
    const std::vector<MenuItemView> items = open();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[2].id, 2u);
    EXPECT_EQ(items[3].id, 3u);
}

TEST_F(DirectorySource, PathThatWouldNotFitIsRefusedQuietly) {
    // "C:\Music" and four names of 250 take 1012 characters; "\" and a last name of
    // 8 make the search pattern "...\*" exactly 1023 long.
    const std::string name(250, 'n');
    const std::string tooLong(9, 's');
    EXPECT_TRUE(
        open({name.c_str(), name.c_str(), name.c_str(), name.c_str(), tooLong.c_str()}).empty());
    EXPECT_TRUE(platform::sim::messageBoxes().empty());

    const std::string fits(8, 's');
    open({name.c_str(), name.c_str(), name.c_str(), name.c_str(), fits.c_str()});
    ASSERT_EQ(platform::sim::messageBoxes().size(), 1u) << "searched, and missing";
    const std::string& text = platform::sim::messageBoxes()[0].text;
    EXPECT_EQ(text.size() - text.rfind('\n') - 1, kPathSize - 1);
}

TEST_F(DirectorySource, NamesBeginningWithADotAreListedButDotEntriesAreNot) {
    drive.folder("Music/.config");
    drive.file("Music/.intro.mp3");
    EXPECT_EQ(shown(open()), (std::vector<Shown>{{".config", true}, {".intro.mp3", false}}));
}

// An empty folder searches "\\*": the root of the drive the player runs from.
TEST(DirectoryWithoutDrive, ListsTheRootOfDriveCInThePlayer) {
    test::TempDrive drive;
    drive.folder("Music");
    drive.file("top.mp3");
    test::PluginHarness harness;
    harness.define("Here", SourceType::Directory).query[0] = '\0';
    harness.start();
    const HMENU here = harness.openSubmenu(harness.openTargetPopup(), "Here");
    EXPECT_EQ(test::itemTexts(here), (std::vector<std::string>{"Music", "top.mp3"}));
    harness.loop().closeAll();
}

} // namespace
} // namespace tg
