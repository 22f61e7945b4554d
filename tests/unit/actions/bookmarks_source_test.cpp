// The Bookmarks popup, read from the player's bookmark file at every opening.
#include "actions/popup_sources.h"
#include "platform/sim/inspect.h"
#include "player/player.h"
#include "plugin/descriptor.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tg {
namespace {

using platform::sim::MenuItemView;

std::vector<std::string> texts(const std::vector<MenuItemView>& items) {
    std::vector<std::string> result;
    for (const MenuItemView& item : items) result.push_back(item.text);
    return result;
}

class BookmarksSource : public testing::Test {
protected:
    void SetUp() override {
        applySourceDefaults(definition, SourceType::Bookmarks);
        descriptor().hostWindow = player::player().mainWindow();
        ASSERT_TRUE(player::player().setIniDir("C:\\Settings"));
    }
    void TearDown() override {
        platform::destroyMenu(popup);
        descriptor().hostWindow = nullptr;
    }

    std::vector<MenuItemView> open(const std::string& bookmarks) {
        EXPECT_TRUE(player::player().writeIniFile("Winamp.bm", bookmarks));
        return open();
    }
    std::vector<MenuItemView> open() {
        fillBookmarksPopup(popup, definition);
        return platform::sim::menuItems(popup);
    }

    test::TempDrive drive;
    MenuDefinition definition;
    HMENU popup = platform::createPopupMenu();
};

TEST_F(BookmarksSource, ShowsTheTitlesOfThePairsAsDisabledItems) {
    const std::vector<MenuItemView> items = open("C:\\a.mp3\r\nSong A\r\nD:\\b.ogg\r\nSong B\r\n");
    EXPECT_EQ(texts(items), (std::vector<std::string>{"Song A", "Song B"}));
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].id, i);
        EXPECT_TRUE(items[i].flags & MF_DISABLED) << "not chosen through the menu itself";
        EXPECT_FALSE(items[i].flags & MF_GRAYED) << "but looks like any other item";
        EXPECT_TRUE(items[i].flags & MF_USECHECKBITMAPS);
    }
}

TEST_F(BookmarksSource, TitlesShowEveryAmpersandAndRepeatedTitlesStay) {
    EXPECT_EQ(texts(open("C:\\a.mp3\nRock & Roll\nC:\\b.mp3\nSame\nC:\\c.mp3\nSame\n")),
              (std::vector<std::string>{"Rock && Roll", "Same", "Same"}));
}

TEST_F(BookmarksSource, TheHundredAndFortiethBookmarkGoesIntoMore) {
    std::string file;
    for (int i = 1; i <= 141; ++i)
        file += "C:\\" + std::to_string(i) + ".mp3\nBookmark " + std::to_string(i) + "\n";
    const std::vector<MenuItemView> items = open(file);
    ASSERT_EQ(items.size(), 140u);
    EXPECT_EQ(items[138].text, "Bookmark 139");
    EXPECT_EQ(items[139].text, "MORE");
    EXPECT_TRUE(items[105].flags & MF_MENUBARBREAK);
    EXPECT_FALSE(items[139].flags & MF_DISABLED) << "MORE opens";
    const std::vector<MenuItemView> more = platform::sim::menuItems(items[139].submenu);
    EXPECT_EQ(texts(more), (std::vector<std::string>{"Bookmark 140", "Bookmark 141"}));
    EXPECT_EQ(more[0].id, 0u);
    EXPECT_TRUE(more[1].flags & MF_DISABLED);
}

TEST_F(BookmarksSource, ReadingEndsAtAnOverlongLine) {
    EXPECT_EQ(texts(open("C:\\a.mp3\nSong A\n" + std::string(kLineLimit, 'x') +
                         "\nSong B\nC:\\c.mp3\nSong C\n")),
              std::vector<std::string>{"Song A"});
}

TEST_F(BookmarksSource, FileLineWithoutTitleShowsNothing) {
    EXPECT_EQ(texts(open("C:\\a.mp3\nSong A\nC:\\b.mp3")), std::vector<std::string>{"Song A"});
}

TEST_F(BookmarksSource, MissingFileOrSettingsFolderLeavesThePopupEmpty) {
    EXPECT_TRUE(open().empty());
    ASSERT_TRUE(player::player().writeIniFile("Winamp.bm", "C:\\a.mp3\nSong A\n"));
    player::player().setIniDir("");
    EXPECT_TRUE(open().empty());
    EXPECT_TRUE(platform::sim::messageBoxes().empty()) << "nothing is reported";
}

TEST_F(BookmarksSource, ItemsFollowThePlayersOwn) {
    platform::appendMenu(popup, MF_STRING, 40188, "player item");
    definition.firstBuiltItem = 1;
    const std::vector<MenuItemView> items = open("C:\\a.mp3\nSong A\n");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_FALSE(items[0].flags & MF_DISABLED) << "the player's item is left alone";
    EXPECT_EQ(items[1].id, 1u);
    EXPECT_TRUE(items[1].flags & MF_DISABLED);
}

} // namespace
} // namespace tg
