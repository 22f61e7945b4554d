// Files of every older version read with the fixed values of the options and
// lines they lack, and the level renumbering of version 4.
#include "model/model_state.h"
#include "model/settings_file.h"
#include "support/model_samples.h"
#include "support/settings_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tg {
namespace {

using test::levelValues;
using test::readWholeFile;
using test::SettingsFolder;
using test::writeWholeFile;

// Memory holds values unlike both the file's and the fixed ones, so a token
// that is neither read nor defaulted shows.
void scrambleOptions() {
    GlobalOptions& o = model().options;
    o.maxRangeChars = 77;
    o.systrayMiddleClick = 77;
    o.disableMenuActions = 77;
    o.keepMenuOnEnqueue = 77;
    o.hotkey = 77;
    o.loadAllMenus = 77;
}

struct VersionCase {
    int version;
    const char* header;  // the file's header line
    const char* records; // the definition records in that version's layout
    int maxRangeChars, systray, disableActions, keepMenu, hotkey, loadAll;
    const std::vector<int>& levels; // of the first definition
    const char* query;              // of the first definition
    const char* fileTypes;          // of the first definition
};

// Two definitions each; the second one's name proves the first record ended
// where it should.
constexpr char kNameLineOnly[] = "4 5 6 8 16 1 1 0 1 0 2 1|First\n"
                                 "1 6 2 1 1 0 1 1 0|Second\n";
constexpr char kWithQuery[] = "4 5 6 8 16 1 1 0 1 0 2 1|First\n%artist\n"
                              "1 6 2 1 1 0 1 1 0|Second\n\n";
constexpr char kWithTypes[] = "4 5 6 8 16 1 1 0 1 0 2 1|First\n%artist\nflac\n"
                              "1 6 2 1 1 0 1 1 0|Second\n\n\n";
const std::vector<int> kRenumbered{5, 5, 7, 15};
const std::vector<int> kAsStored{5, 6, 8, 16};
constexpr char kTypes[] = "mp3;mpeg;mpg;avi;ogg;wav";

// Versions 0 and below never existed: they read as the oldest layout. Newer
// versions read as the newest layout known.
// clang-format off
const VersionCase kVersions[] = {
    //version header                                   records        range sys dis keep hotkey all levels       query      types
    {1,  "1 1 0 5 30 3 2 1 1 40001",                   kNameLineOnly, 2,    0,  0,  1,   0,     1,  kRenumbered, "",        kTypes},
    {2,  "2 1 0 5 30 3 2 1 1 40001",                   kNameLineOnly, 2,    0,  0,  1,   0,     1,  kRenumbered, "",        kTypes},
    {3,  "3 1 0 5 30 3 2 1 1 40001",                   kWithQuery,    2,    0,  0,  1,   0,     1,  kRenumbered, "%artist", kTypes},
    {4,  "4 1 0 5 30 3 2 1 1 40001 6",                 kWithQuery,    6,    0,  0,  1,   0,     1,  kAsStored,   "%artist", kTypes},
    {5,  "5 1 0 5 30 3 2 1 1 40001 6 1 1",             kWithQuery,    6,    1,  1,  1,   0,     1,  kAsStored,   "%artist", kTypes},
    {6,  "6 1 0 5 30 3 2 1 1 40001 6 1 1",             kWithTypes,    6,    1,  1,  1,   0,     1,  kAsStored,   "%artist", "flac"},
    {7,  "7 1 0 5 30 3 2 1 1 40001 6 1 1 0",           kWithTypes,    6,    1,  1,  0,   0,     1,  kAsStored,   "%artist", "flac"},
    {8,  "8 1 0 5 30 3 2 1 1 40001 6 1 1 0 577",       kWithTypes,    6,    1,  1,  0,   577,   1,  kAsStored,   "%artist", "flac"},
    {9,  "9 1 0 5 30 3 2 1 1 40001 6 1 1 0 577 0",     kWithTypes,    6,    1,  1,  0,   577,   0,  kAsStored,   "%artist", "flac"},
    {10, "10 1 0 5 30 3 2 1 1 40001 6 1 1 0 577 0",    kWithTypes,    6,    1,  1,  0,   577,   0,  kAsStored,   "%artist", "flac"},
    {0,  "0 1 0 5 30 3 2 1 1 40001",                   kNameLineOnly, 2,    0,  0,  1,   0,     1,  kRenumbered, "",        kTypes},
    {-4, "-4 1 0 5 30 3 2 1 1 40001",                  kNameLineOnly, 2,    0,  0,  1,   0,     1,  kRenumbered, "",        kTypes},
};
// clang-format on

TEST(SettingsFileVersions, EachVersionReadsWithTheValuesItLacks) {
    for (const VersionCase& c : kVersions) {
        SCOPED_TRACE(testing::Message() << "version " << c.version);
        resetModel();
        SettingsFolder folder;
        const std::string text = std::string(c.header) + "\n" + c.records;
        writeWholeFile(folder.file(), text);
        scrambleOptions();
        readSettings();

        const ModelState& m = model();
        const GlobalOptions& o = m.options;
        EXPECT_TRUE(o.reservedFlag);
        EXPECT_EQ(o.enabled, 0);
        EXPECT_EQ(o.columnCount, 5);
        EXPECT_EQ(o.rowsPerColumn, 30);
        EXPECT_EQ(o.moreColumnCount, 3);
        EXPECT_EQ(o.ownMenu, 1);
        EXPECT_EQ(o.hostMenuId, 40001);
        EXPECT_EQ(o.maxRangeChars, c.maxRangeChars);
        EXPECT_EQ(o.systrayMiddleClick, c.systray);
        EXPECT_EQ(o.disableMenuActions, c.disableActions);
        EXPECT_EQ(o.keepMenuOnEnqueue, c.keepMenu);
        EXPECT_EQ(o.hotkey, c.hotkey);
        EXPECT_EQ(o.loadAllMenus, c.loadAll);

        ASSERT_EQ(m.definitionList.size(), 2u);
        const MenuDefinition& first = m.definitionList.front();
        const MenuDefinition& second = m.definitionList.back();
        EXPECT_STREQ(first.name, "First");
        EXPECT_EQ(levelValues(first), c.levels);
        EXPECT_EQ(first.sourceType, SourceType::MediaLibrary);
        EXPECT_TRUE(first.showAsSubmenu);
        EXPECT_FALSE(first.addYearToAlbums);
        EXPECT_EQ(first.yearPosition, 1);
        EXPECT_FALSE(first.showTrackNumbers);
        EXPECT_EQ(first.timeDisplay, 2);
        EXPECT_EQ(first.clickAction, ClickAction::Enqueue);
        EXPECT_STREQ(first.query, c.query);
        EXPECT_STREQ(first.fileTypes, c.fileTypes);
        EXPECT_STREQ(second.name, "Second");
        EXPECT_EQ(second.sourceType, SourceType::Directory);
        EXPECT_EQ(m.options.mainMenu, &second);
        // An old file is read as it is, never upgraded behind the user's back.
        EXPECT_EQ(readWholeFile(folder.file()), text);
    }
}

} // namespace
} // namespace tg
