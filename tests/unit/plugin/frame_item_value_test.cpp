// From a menu item back to its value: the label read from the menu by
// position and decoded for its level, and the "MORE" pages that belong to a
// level's menu.
#include "menus/column_layout.h"
#include "model/model_state.h"
#include "model/text.h"
#include "platform/menu.h"
#include "plugin/item_value.h"

#include <gtest/gtest.h>

#include <string>

namespace tg {
namespace {

struct ReadCase {
    const char* label;
    LevelType kind;
    bool addYear;
    int yearPosition;
    bool trackNumbers;
    const char* value;
    const char* secondValue;
};

TEST(ReadItemValue, TurnsTheItemTextBackIntoTheValueOfItsLevel) {
    const ReadCase cases[] = {
        {"AC&&DC\t12:03", LevelType::Artist, true, 0, true, "AC&DC", "before"},
        {"&Abba", LevelType::Artist, true, 0, true, "Abba", "before"},
        {"Harbor Lights (1971)", LevelType::Album, true, 1, true, "Harbor Lights", "1971"},
        {"Live (Deluxe) (1999)\t1:02:03", LevelType::Album, true, 1, true, "Live (Deluxe)", "1999"},
        {"Live (Deluxe)", LevelType::Album, false, 1, true, "Live (Deluxe)", ""},
        {"(1971) Harbor Lights", LevelType::Album, true, 0, true, "Harbor Lights", "1971"},
        {"  2. Meadow Light\t4:03", LevelType::Title, true, 0, true, "Meadow Light", "before"},
        {"  2. Meadow Light", LevelType::Title, true, 0, false, "  2. Meadow Light", "before"},
        {"Mira Okafor/Salt && Sea", LevelType::ArtistAlbum, true, 0, true, "Mira Okafor",
         "Salt & Sea"},
        {"No Slash", LevelType::ArtistTitle, true, 0, true, "No Slash", ""},
        {"Ab -> Cd\t10:00", LevelType::Range, true, 0, true, "Ab", "Cd"},
        {"128 kbps", LevelType::Bitrate, true, 0, true, "128", "before"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.label);
        const HMENU menu = platform::createPopupMenu();
        platform::appendMenu(menu, MF_STRING, 0, "other");
        platform::appendMenu(menu, MF_STRING, 1, c.label);
        MenuDefinition definition;
        definition.addYearToAlbums = c.addYear;
        definition.yearPosition = c.yearPosition;
        definition.showTrackNumbers = c.trackNumbers;
        std::vector<LevelSelection> path(2);
        path[1].kind = c.kind;
        copyText(path[1].secondValue, "before");
        readItemValue(menu, 1, path, definition, 1);
        EXPECT_STREQ(path[1].value, c.value);
        EXPECT_STREQ(path[1].secondValue, c.secondValue);
        EXPECT_STREQ(path[0].value, ""); // only the record at the depth
        platform::destroyMenu(menu);
    }
}

TEST(ReadItemValue, ReadsTheWholeLabelAndNeverWritesPastTheValue) {
    const HMENU menu = platform::createPopupMenu();
    const std::string longLabel(1500, 'x');
    platform::appendMenu(menu, MF_STRING, 0, longLabel.c_str());
    platform::appendMenu(menu, MF_STRING, 1, (std::string(600, '&') + "tail").c_str());
    MenuDefinition definition;
    definition.sourceType = SourceType::MediaLibrary;
    std::vector<LevelSelection> path(1);
    readItemValue(menu, 0, path, definition, 0);
    EXPECT_EQ(path[0].label, longLabel);
    EXPECT_EQ(std::string(path[0].value), std::string(255, 'x'));
    readItemValue(menu, 1, path, definition, 0);
    EXPECT_EQ(path[0].label, std::string(300, '&') + "tail");
    EXPECT_EQ(std::string(path[0].value), std::string(255, '&'));
    platform::destroyMenu(menu);
}

TEST(ReadItemValue, NeverWritesPastTheValueAndSaysWhenItCutIt) {
    struct Case {
        std::string label;
        std::string value;
        bool cut;
    };
    const Case cases[] = {
        {std::string(600, 'x'), std::string(255, 'x'), true},
        {std::string(255, 'x') + "\t1:00", std::string(255, 'x'), false},
        {std::string(256, 'x'), std::string(255, 'x'), true},
        {std::string(300, '&') + "tail", std::string(150, '&') + "tail", false},
        {std::string(1000, '&'), std::string(255, '&'), true}, // cut when it was made
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label.size());
        const HMENU menu = platform::createPopupMenu();
        platform::appendMenu(menu, MF_STRING, 0, c.label.c_str());
        MenuDefinition definition;
        std::vector<LevelSelection> path(1);
        path[0].valueCut = !c.cut;
        readItemValue(menu, 0, path, definition, 0);
        EXPECT_EQ(std::string(path[0].value), c.value);
        EXPECT_EQ(path[0].valueCut, c.cut);
        platform::destroyMenu(menu);
    }
}

TEST(ReadItemValue, MissingItemsReadAsEmptyAndDepthsOutsideThePathChangeNothing) {
    const HMENU menu = platform::createPopupMenu();
    platform::appendMenu(menu, MF_STRING, 0, "Artist");
    MenuDefinition definition;
    std::vector<LevelSelection> path(1);
    copyText(path[0].value, "kept");
    for (int depth : {-1, 1, 1000}) readItemValue(menu, 0, path, definition, depth);
    EXPECT_STREQ(path[0].value, "kept");
    readItemValue(menu, 5, path, definition, 0);
    EXPECT_STREQ(path[0].value, "");
    platform::destroyMenu(menu);
}

// A level menu whose last item continues in a "MORE" page, twice, with pages
// of two rows in one column: the link takes position 1 of each page.
struct Pages {
    explicit Pages(const char* link = kMoreText, bool lastItem = true) {
        model().options.rowsPerColumn = 2;
        model().options.columnCount = 1;
        model().options.moreColumnCount = 1;
        for (HMENU& page : pages) {
            page = platform::createPopupMenu();
            platform::appendMenu(page, MF_STRING, 0, "item");
        }
        platform::appendMenu(pages[1], MF_POPUP, reinterpret_cast<UINT_PTR>(pages[2]), kMoreText);
        platform::appendMenu(pages[0], MF_POPUP, reinterpret_cast<UINT_PTR>(pages[1]), link);
        if (!lastItem) platform::appendMenu(pages[0], MF_STRING, 2, "after");
    }
    ~Pages() { platform::destroyMenu(pages[0]); }
    HMENU pages[3] = {};
};

TEST(IsPathMenu, TheLevelMenuAndItsMorePagesBelongToIt) {
    Pages chain;
    for (HMENU page : chain.pages) EXPECT_TRUE(isPathMenu(chain.pages[0], page));
    EXPECT_TRUE(isPathMenu(chain.pages[1], chain.pages[2]));
    EXPECT_FALSE(isPathMenu(chain.pages[1], chain.pages[0])); // only downwards
    EXPECT_FALSE(isPathMenu(chain.pages[0], nullptr));
    const HMENU other = platform::createPopupMenu();
    EXPECT_FALSE(isPathMenu(chain.pages[0], other));
    platform::destroyMenu(other);
}

TEST(IsPathMenu, OnlyTheLinkTheLayoutPutsThereLeadsToAPage) {
    struct Case {
        const char* link;
        bool lastItem;
        int columns; // of a level's first page
        bool page;
    };
    const Case cases[] = {
        {"MORE", true, 1, true},
        {"More", true, 1, false},       // an artist, album or title so named
        {"MORE\t3:00", true, 1, false}, // one with its play time
        {"MORE", false, 1, false},      // not the page's last item
        {"MORE", true, 2, false},       // a column still to start
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.link << " last " << c.lastItem << " columns " << c.columns);
        Pages chain(c.link, c.lastItem);
        model().options.columnCount = c.columns;
        EXPECT_EQ(isPathMenu(chain.pages[0], chain.pages[1]), c.page);
    }
}

TEST(IsPathMenu, AnOrdinarySubmenuOrADestroyedLevelEndsTheSearch) {
    const HMENU level = platform::createPopupMenu();
    const HMENU artist = platform::createPopupMenu();
    platform::appendMenu(level, MF_POPUP, reinterpret_cast<UINT_PTR>(artist), "Artist");
    EXPECT_FALSE(isPathMenu(level, artist));
    platform::destroyMenu(level);
    EXPECT_FALSE(isPathMenu(level, artist)); // and no use of the dead handle
}

} // namespace
} // namespace tg
