// Source-type defaults, changing a menu's type, level names and finding a
// menu by name.
#include "model/menu_definition.h"
#include "model/model_state.h"
#include "model/text.h"
#include "support/model_samples.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tg {
namespace {

using test::levelValues;

// A definition whose every field differs from all source defaults.
MenuDefinition usedDefinition() {
    MenuDefinition d;
    copyText(d.name, "Keep Me");
    copyText(d.query, "artist == \"x\"");
    copyText(d.fileTypes, "flac");
    d.showAsSubmenu = false;
    d.showTrackNumbers = false;
    d.addYearToAlbums = false;
    d.timeDisplay = 2;
    d.yearPosition = 1;
    d.sourceType = static_cast<SourceType>(7);
    d.clickAction = ClickAction::Enqueue;
    d.levels = {LevelType::Year, LevelType::Genre, LevelType::Rating, LevelType::Bitrate,
                LevelType::Filename};
    d.popupMenu = reinterpret_cast<HMENU>(0x1234); // never used as a menu here
    return d;
}

TEST(MenuDefinition, SourceDefaultsByType) {
    struct Case {
        SourceType type;
        ClickAction click;
        std::vector<int> levels;
    };
    const Case cases[] = {
        {SourceType::PlaylistTags, ClickAction::PlayTg, {0, 1, 2}},
        {SourceType::MediaLibrary, ClickAction::Play, {6, 0, 1, 2}},
        {SourceType::Directory, ClickAction::Play, {}},
        {SourceType::PlaylistRaw, ClickAction::PlayTg, {6, 16}},
        {SourceType::Bookmarks, ClickAction::Enqueue, {}}, // the user's choice stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        MenuDefinition d = usedDefinition();
        applySourceDefaults(d, c.type);
        EXPECT_STREQ(d.name, "Keep Me");
        EXPECT_STREQ(d.query, "");
        EXPECT_STREQ(d.fileTypes, "mp3;mpeg;mpg;avi;ogg;wav");
        EXPECT_TRUE(d.showAsSubmenu);
        EXPECT_TRUE(d.showTrackNumbers);
        EXPECT_TRUE(d.addYearToAlbums);
        EXPECT_EQ(d.timeDisplay, 1);
        EXPECT_EQ(d.yearPosition, 0);
        EXPECT_EQ(d.sourceType, c.type);
        EXPECT_EQ(d.clickAction, c.click);
        EXPECT_EQ(levelValues(d), c.levels);
        EXPECT_EQ(d.levelCount(), static_cast<int>(c.levels.size()));
        EXPECT_EQ(d.popupMenu, nullptr);
    }
}

TEST(MenuDefinition, ChangingTheTypeResetsOnlyWhenItDiffers) {
    MenuDefinition d;
    copyText(d.name, "Lib");
    applySourceDefaults(d, SourceType::MediaLibrary);
    copyText(d.query, "genre == \"Jazz\"");
    d.levels.push_back(LevelType::Title);
    d.clickAction = ClickAction::Enqueue;

    EXPECT_FALSE(changeSourceType(d, SourceType::MediaLibrary));
    EXPECT_STREQ(d.query, "genre == \"Jazz\"");
    EXPECT_EQ(d.levelCount(), 5);

    EXPECT_TRUE(changeSourceType(d, SourceType::Bookmarks));
    EXPECT_STREQ(d.name, "Lib");
    EXPECT_STREQ(d.query, "");
    EXPECT_EQ(d.levelCount(), 0);
    EXPECT_EQ(d.clickAction, ClickAction::Enqueue);
    // A menu without levels is past its last level at once.
    EXPECT_EQ(d.levelKind(0), LevelType::PastLastLevel);

    EXPECT_TRUE(changeSourceType(d, SourceType::PlaylistRaw));
    EXPECT_EQ(d.levelKind(0), LevelType::Range);
    EXPECT_EQ(d.levelKind(1), LevelType::PlaylistEntries);
    EXPECT_EQ(d.levelKind(2), LevelType::PastLastLevel);
    EXPECT_EQ(d.levelKind(-1), LevelType::PastLastLevel);
}

TEST(MenuDefinition, LevelNamesCoverTheTableAndNothingElse) {
    const char* expected[] = {"Artist",       "Album",        "Title",       "Genre",
                              "Year",         "First Letter", "Range",       "Track Number",
                              "Artist/Album", "Artist/Title", "Album/Title", "Rating",
                              "Play Count",   "Bitrate",      "Filename"};
    for (int v = 0; v < kLevelNameCount; ++v) EXPECT_STREQ(levelName(v), expected[v]) << v;
    for (int v : {-1, 15, 16, 18, 1 << 30}) EXPECT_STREQ(levelName(v), "") << v;
}

TEST(ModelState, FindsDefinitionsByNameIgnoringCaseFirstOneFirst) {
    auto& list = model().definitionList;
    for (const char* name : {"Rock", "ROCK", "Rock ", "The Ärzte", ""}) {
        MenuDefinition& d = list.emplace_back();
        copyText(d.name, name);
    }
    EXPECT_EQ(findDefinitionByName("rock"), &list.front());
    EXPECT_EQ(findDefinitionByName("ROCK"), &list.front());
    EXPECT_EQ(findDefinitionByName("rock "), &*std::next(list.begin(), 2));
    // Only ASCII letters fold; other bytes must match exactly.
    EXPECT_EQ(findDefinitionByName("the Ärzte"), &*std::next(list.begin(), 3));
    EXPECT_EQ(findDefinitionByName("THE äRZTE"), nullptr);
    EXPECT_EQ(findDefinitionByName("Roc"), nullptr);
    EXPECT_EQ(findDefinitionByName(""), &list.back());
}

TEST(ModelState, FreeingDefinitionsClearsEveryLinkIntoTheList) {
    auto& m = model();
    MenuDefinition& d = m.definitionList.emplace_back();
    m.options.mainMenu = &d;
    m.editedDefinition = &d;
    m.currentDefinition = &d;
    m.selectionPath.emplace_back();
    freeDefinitions();
    EXPECT_TRUE(m.definitionList.empty());
    EXPECT_EQ(m.options.mainMenu, nullptr);
    EXPECT_EQ(m.editedDefinition, nullptr);
    EXPECT_EQ(m.currentDefinition, nullptr);
    EXPECT_TRUE(m.selectionPath.empty());
    EXPECT_EQ(definitionPosition(&d), -1);
}

TEST(Text, CaseRuleFoldsAsciiLettersThenComparesUnsignedBytes) {
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"abc", "ABC", 0}, {"a", "B", -1},    {"_", "A", -1}, // '_' sorts before letters
        {"\xE9", "z", 1},  {"ab", "abc", -1}, {"", "", 0},    {"[", "a", -1}, {"Z", "a", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        const int result = compareIgnoringCase(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign);
        EXPECT_EQ(equalIgnoringCase(c.a, c.b), c.sign == 0);
    }
}

TEST(Text, CopiesStayInsideTheirBuffers) {
    char small[5] = "xxxx";
    EXPECT_EQ(copyText(small, "abcdefgh"), 4u);
    EXPECT_STREQ(small, "abcd");
    EXPECT_EQ(copyText(small, static_cast<const char*>(nullptr)), 0u);
    EXPECT_STREQ(small, "");

    char text[16] = "hello world";
    copyText(text, std::string_view(text + 6)); // from inside itself
    EXPECT_STREQ(text, "world");

    char buffer[8] = "ab";
    EXPECT_TRUE(appendText(buffer, "cd"));
    EXPECT_FALSE(appendText(buffer, "efghij"));
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_FALSE(appendText(buffer, "x"));
    EXPECT_STREQ(buffer, "abcdefg");
}

} // namespace
} // namespace tg
