// Playlist Raw popups: the player's playlist as numbered ranges and as entries.
#include "actions/popup_sources.h"
#include "model/text.h"
#include "platform/sim/inspect.h"
#include "player/player.h"
#include "plugin/descriptor.h"

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

std::vector<int> checkedPositions(const std::vector<MenuItemView>& items) {
    std::vector<int> result;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].flags & MF_CHECKED) result.push_back(static_cast<int>(i));
    return result;
}

class PlaylistRawSource : public testing::Test {
protected:
    void SetUp() override {
        applySourceDefaults(definition, SourceType::PlaylistRaw);
        descriptor().hostWindow = player::player().mainWindow();
    }
    void TearDown() override {
        for (HMENU popup : popups) platform::destroyMenu(popup);
        descriptor().hostWindow = nullptr;
    }

    // Entries "Title 0" ... with lengths 1:00, 1:01, ...
    void setPlaylist(int count, int current = -1) {
        std::vector<player::PlaylistEntry> entries;
        for (int i = 0; i < count; ++i)
            entries.push_back(
                {"C:\\" + std::to_string(i) + ".mp3", "Title " + std::to_string(i), 60 + i});
        player::player().setPlaylist(std::move(entries), current);
    }

    HMENU newPopup() { return popups.emplace_back(platform::createPopupMenu()); }

    std::vector<MenuItemView> openTop() {
        HMENU popup = newPopup();
        path.assign(1, LevelSelection{});
        path[0].menu = popup;
        fillPlaylistRawPopup(definition, popup, path, 0);
        return platform::sim::menuItems(popup);
    }

    // The range's values as reading the chosen item's label back leaves them.
    std::vector<MenuItemView> openRange(const char* first, const char* last) {
        HMENU popup = newPopup();
        path.resize(1);
        copyText(path[0].value, first);
        copyText(path[0].secondValue, last);
        path.push_back(LevelSelection{});
        path[1].menu = popup;
        fillPlaylistRawPopup(definition, popup, path, 1);
        return platform::sim::menuItems(popup);
    }

    MenuDefinition definition;
    std::vector<LevelSelection> path;
    std::vector<HMENU> popups;
};

struct RangesCase {
    int entries;
    std::vector<std::string> firstLabels; // the leading labels
    std::size_t count;
    std::string lastLabel;
};

TEST_F(PlaylistRawSource, SplitsThePlaylistIntoAboutSquareRootRanges) {
    const std::vector<RangesCase> cases{
        {0, {}, 0, ""},
        {1, {"1 -> 1"}, 1, "1 -> 1"},
        {2, {"1 -> 2"}, 1, "1 -> 2"},
        {3, {"1 -> 3"}, 1, "1 -> 3"},
        {4, {"1 -> 4"}, 1, "1 -> 4"},
        {5, {"1 -> 2", "3 -> 5"}, 2, "3 -> 5"},
        {8, {"1 -> 3", "4 -> 8"}, 2, "4 -> 8"}, // no last range of two
        {10, {"1 -> 3", "4 -> 6", "7 -> 10"}, 3, "7 -> 10"},
        {100, {"1 -> 11", "12 -> 22"}, 9, "89 -> 100"},
        {150, {"1 -> 12", "13 -> 24"}, 13, "145 -> 150"},
        {30000, {"1 -> 215"}, 140, "29886 -> 30000"},
    };
    for (const RangesCase& c : cases) {
        SCOPED_TRACE(c.entries);
        setPlaylist(c.entries);
        const std::vector<MenuItemView> items = openTop();
        ASSERT_EQ(items.size(), c.count);
        if (c.count == 0) continue;
        const std::vector<std::string> labels = texts(items);
        EXPECT_EQ(std::vector<std::string>(
                      labels.begin(), labels.begin() + static_cast<long>(c.firstLabels.size())),
                  c.firstLabels);
        EXPECT_EQ(labels.back(), c.lastLabel);
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_TRUE(items[i].flags & MF_POPUP) << "ranges never open MORE";
            EXPECT_EQ(platform::sim::menuItems(items[i].submenu).size(), 0u);
            EXPECT_EQ((items[i].flags & MF_MENUBARBREAK) != 0, i == 35 || i == 70 || i == 105);
        }
        EXPECT_TRUE(checkedPositions(items).empty()) << "nothing is playing";
    }
}

TEST_F(PlaylistRawSource, ChecksTheRangeAndTheEntryOfTheCurrentEntry) {
    setPlaylist(100, 11);
    const std::vector<MenuItemView> ranges = openTop();
    EXPECT_EQ(checkedPositions(ranges), std::vector<int>{1});
    EXPECT_EQ(ranges[1].text, "12 -> 22");
    EXPECT_EQ(path[0].checkedMenu, popups[0]);
    EXPECT_EQ(path[0].checkedPosition, 1);

    const std::vector<MenuItemView> entries = openRange("12", "22");
    ASSERT_EQ(entries.size(), 11u);
    EXPECT_EQ(entries.front().text, "12. Title 11\t[1:11]");
    EXPECT_EQ(entries.back().text, "22. Title 21\t[1:21]");
    EXPECT_EQ(checkedPositions(entries), std::vector<int>{0});
    EXPECT_EQ(path[1].checkedMenu, popups[1]);
    EXPECT_EQ(path[1].checkedPosition, 0);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].id, i);
        EXPECT_FALSE(entries[i].flags & (MF_POPUP | MF_DISABLED | MF_GRAYED))
            << "entries stay enabled";
        EXPECT_TRUE(entries[i].flags & MF_USECHECKBITMAPS);
    }
    EXPECT_EQ(path[0].checkedPosition, 1) << "the range's record is left alone";
}

TEST_F(PlaylistRawSource, EntryLabelsShowTimesWhenKnownAndEveryAmpersand) {
    player::player().setPlaylist({{"C:\\a.mp3", "Known", 3725},
                                  {"C:\\b.mp3", "Unknown length", -1},
                                  {"C:\\c.mp3", "Rock & Roll && more", 65},
                                  {"C:\\d.mp3", "", 5}});
    EXPECT_EQ(texts(openRange("1", "4")),
              (std::vector<std::string>{"1. Known\t[1:02:05]", "2. Unknown length",
                                        "3. Rock && Roll &&&& more\t[1:05]", "4. \t[0:05]"}));
}

TEST_F(PlaylistRawSource, RangeValuesAreReadAsLeadingNumbers) {
    setPlaylist(30);
    EXPECT_EQ(texts(openRange("3", "4")).size(), 2u);
    EXPECT_EQ(texts(openRange("5", "2")), std::vector<std::string>{"5. Title 4\t[1:04]"})
        << "a last below the first lists the first";
    EXPECT_EQ(texts(openRange(" 7x", "8 y")).front(), "7. Title 6\t[1:06]");
}

TEST_F(PlaylistRawSource, RangeMadeBeforeThePlaylistShrankListsWhatIsLeft) {
    setPlaylist(95);
    EXPECT_EQ(openRange("89", "100").size(), 7u);
    EXPECT_TRUE(openRange("120", "130").empty());
    EXPECT_EQ(openRange("0", "2").size(), 2u) << "no entry before the first";
    EXPECT_TRUE(player::player().takeFaults().empty());
}

TEST_F(PlaylistRawSource, SingleLevelListsEveryEntryAndOverflowsIntoMore) {
    definition.levels = {LevelType::PlaylistEntries};
    setPlaylist(150, 145);
    const std::vector<MenuItemView> items = openTop();
    ASSERT_EQ(items.size(), 140u);
    for (int i = 0; i < 139; ++i) {
        EXPECT_EQ(items[i].text.substr(0, items[i].text.find('.')), std::to_string(i + 1));
        EXPECT_EQ((items[i].flags & MF_MENUBARBREAK) != 0, i == 35 || i == 70 || i == 105) << i;
    }
    EXPECT_EQ(items[139].text, "MORE");
    const std::vector<MenuItemView> more = platform::sim::menuItems(items[139].submenu);
    ASSERT_EQ(more.size(), 11u);
    EXPECT_EQ(more.front().text, "140. Title 139\t[3:19]");
    EXPECT_EQ(more.front().id, 0u);
    EXPECT_EQ(checkedPositions(more), std::vector<int>{6});
    EXPECT_EQ(path[0].checkedMenu, items[139].submenu);
    EXPECT_EQ(path[0].checkedPosition, 6);
}

TEST_F(PlaylistRawSource, MoreOpensOnlyForAtLeastThreeEntries) {
    definition.levels = {LevelType::PlaylistEntries};
    model().options.rowsPerColumn = 3;
    model().options.columnCount = 1;
    setPlaylist(5); // the third row opens "MORE" for entries 3 to 5
    std::vector<MenuItemView> items = openTop();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[2].text, "MORE");
    EXPECT_EQ(texts(platform::sim::menuItems(items[2].submenu)),
              (std::vector<std::string>{"3. Title 2\t[1:02]", "4. Title 3\t[1:03]",
                                        "5. Title 4\t[1:04]"}));

    setPlaylist(4); // two entries left at the third row: the column goes on instead
    items = openTop();
    ASSERT_EQ(items.size(), 4u);
    for (const MenuItemView& item : items) EXPECT_FALSE(item.flags & (MF_POPUP | MF_MENUBARBREAK));
}

TEST_F(PlaylistRawSource, TopPopupNumbersItsItemsAfterThePlayersOwn) {
    definition.levels = {LevelType::PlaylistEntries};
    definition.firstBuiltItem = 2;
    setPlaylist(3, 0);
    HMENU popup = newPopup();
    platform::appendMenu(popup, MF_STRING, 40188, "player item");
    platform::appendMenu(popup, MF_SEPARATOR, 0, nullptr);
    path.assign(1, LevelSelection{});
    fillPlaylistRawPopup(definition, popup, path, 0);
    const std::vector<MenuItemView> items = platform::sim::menuItems(popup);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[2].id, 2u);
    EXPECT_EQ(items[4].id, 4u);
    EXPECT_EQ(checkedPositions(items), std::vector<int>{2});
    EXPECT_EQ(path[0].checkedPosition, 2);
}

TEST_F(PlaylistRawSource, LayoutSettingsBelowOneCountAsOne) {
    model().options.rowsPerColumn = 0;
    model().options.columnCount = -3;
    model().options.moreColumnCount = 0;
    setPlaylist(10);
    EXPECT_EQ(openTop().size(), 1u) << "one cell: a single range";
    definition.levels = {LevelType::PlaylistEntries};
    const std::vector<MenuItemView> items = openTop();
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items[0].text, "MORE") << "every row ends a column, each MORE holds one entry";
}

} // namespace
} // namespace tg
