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
    int maxRangeChars;
    int systray, disableActions, keepMenu, hotkey, loadAll;
    std::vector<int> levels; // of the first definition
    const char* query;       // of the first definition
    const char* fileTypes;   // of the first definition
};

// Two definitions each; the second one's name proves the first record ended
// where it should.
const VersionCase kVersions[] = {
    {1,
     "1 1 0 5 30 3 2 1 1 40001",
     "4 5 6 8 16 1 1 0 1 0 2 1|First\n1 6 2 1 1 0 1 1 0|Second\n",
     2,
     0,
     0,
     1,
     0,
     1,
     {5, 5, 7, 15},
     "",
     "mp3;mpeg;mpg;avi;ogg;wav"},
    {2,
     "2 1 0 5 30 3 2 1 1 40001",
     "4 5 6 8 16 1 1 0 1 0 2 1|First\n1 6 2 1 1 0 1 1 0|Second\n",
     2,
     0,
     0,
     1,
     0,
     1,
     {5, 5, 7, 15},
     "",
     "mp3;mpeg;mpg;avi;ogg;wav"},
    {3,
     "3 1 0 5 30 3 2 1 1 40001",
     "4 5 6 8 16 1 1 0 1 0 2 1|First\n%artist\n1 6 2 1 1 0 1 1 0|Second\n\n",
     2,
     0,
     0,
     1,
     0,
     1,
     {5, 5, 7, 15},
     "%artist",
     "mp3;mpeg;mpg;avi;ogg;wav"},
    {4,
     "4 1 0 5 30 3 2 1 1 40001 6",
     "4 5 6 8 16 1 1 0 1 0 2 1|First\n%artist\n1 6 2 1 1 0 1 1 0|Second\n\n",
     6,
     0,
     0,
     1,
     0,
     1,
     {5, 6, 8, 16},
     "%artist",
     "mp3;mpeg;mpg;avi;ogg;wav"},
    {5,
     "5 1 0 5 30 3 2 1 1 40001 6 1 1",
     "4 5 6 8 16 1 1 0 1 0 2 1|First\n%artist\n1 6 2 1 1 0 1 1 0|Second\n\n",
     6,
     1,
     1,
     1,
     0,
     1,
     {5, 6, 8, 16},
     "%artist",
     "mp3;mpeg;mpg;avi;ogg;wav"},
    {6,
     "6 1 0 5 30 3 2 1 1 40001 6 1 1",
     "4 5 6 8 16 1 1 0 1 0 2 1|First\n%artist\nflac\n1 6 2 1 1 0 1 1 0|Second\n\n\n",
     6,
     1,
     1,
     1,
     0,
     1,
     {5, 6, 8, 16},
     "%artist",
     "flac"},
    {7,
     "7 1 0 5 30 3 2 1 1 40001 6 1 1 0",
     "4 5 6 8 16 1 1 0 1 0 2 1|First\n%artist\nflac\n1 6 2 1 1 0 1 1 0|Second\n\n\n",
     6,
     1,
     1,
     0,
     0,
     1,
     {5, 6, 8, 16},
     "%artist",
     "flac"},
    {8,
     "8 1 0 5 30 3 2 1 1 40001 6 1 1 0 577",
     "4 5 6 8 16 1 1 0 1 0 2 1|First\n%artist\nflac\n1 6 2 1 1 0 1 1 0|Second\n\n\n",
     6,
     1,
     1,
     0,
     577,
     1,
     {5, 6, 8, 16},
     "%artist",
     "flac"},
    {9,
     "9 1 0 5 30 3 2 1 1 40001 6 1 1 0 577 0",
     "4 5 6 8 16 1 1 0 1 0 2 1|First\n%artist\nflac\n1 6 2 1 1 0 1 1 0|Second\n\n\n",
     6,
     1,
     1,
     0,
     577,
     0,
     {5, 6, 8, 16},
     "%artist",
     "flac"},
    // Newer files are read as the newest layout known.
    {10,
     "10 1 0 5 30 3 2 1 1 40001 6 1 1 0 577 0",
     "4 5 6 8 16 1 1 0 1 0 2 1|First\n%artist\nflac\n1 6 2 1 1 0 1 1 0|Second\n\n\n",
     6,
     1,
     1,
     0,
     577,
     0,
     {5, 6, 8, 16},
     "%artist",
     "flac"},
    // No version ever was 0 or negative: such files read as the oldest layout.
    {0,
     "0 1 0 5 30 3 2 1 1 40001",
     "4 5 6 8 16 1 1 0 1 0 2 1|First\n1 6 2 1 1 0 1 1 0|Second\n",
     2,
     0,
     0,
     1,
     0,
     1,
     {5, 5, 7, 15},
     "",
     "mp3;mpeg;mpg;avi;ogg;wav"},
    {-4,
     "-4 1 0 5 30 3 2 1 1 40001",
     "4 5 6 8 16 1 1 0 1 0 2 1|First\n1 6 2 1 1 0 1 1 0|Second\n",
     2,
     0,
     0,
     1,
     0,
     1,
     {5, 5, 7, 15},
     "",
     "mp3;mpeg;mpg;avi;ogg;wav"},
};

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

TEST(SettingsFileVersions, RenumberingOnlyLowersKindsFromSixOn) {
    struct Case {
        int version;
        int stored;
        int read;
    };
    const Case cases[] = {{3, 8, 7}, {3, 6, 5}, {3, 5, 5}, {3, 0, 0},  {3, 17, 16},
                          {4, 8, 8}, {4, 6, 6}, {4, 5, 5}, {9, 16, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << " level " << c.stored);
        resetModel();
        SettingsFolder folder;
        std::string header = std::to_string(c.version) + " 1 1 4 35 2 1 -1 0 40188";
        if (c.version >= 4) header += " 2";
        if (c.version >= 5) header += " 0 0";
        if (c.version >= 7) header += " 1";
        if (c.version >= 8) header += " 0";
        if (c.version >= 9) header += " 1";
        std::string record = "1 " + std::to_string(c.stored) + " 1 1 1 0 1 1 0|X\n\n";
        if (c.version >= 6) record += "mp3\n";
        writeWholeFile(folder.file(), header + "\n" + record);
        readSettings();
        ASSERT_EQ(model().definitionList.size(), 1u);
        EXPECT_EQ(levelValues(model().definitionList.front()), std::vector<int>{c.read});
    }
}

} // namespace
} // namespace tg
