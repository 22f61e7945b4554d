// The Menu configuration dialog on one definition of the first-run menus,
// driven like a user.
#include "model/model_state.h"
#include "model/text.h"
#include "platform/dialog.h"
#include "platform/sim/inspect.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "prefs/menu_configuration_dialog.h"
#include "resources/resource_ids.h"
#include "support/prefs_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tg {
namespace {

namespace sim = platform::sim;
using test::levelsOf;

std::vector<std::string> items(HWND dialog, int id) {
    return sim::controlView(dialog, id).items;
}
int selection(HWND dialog, int id) {
    return sim::controlView(dialog, id).selection;
}
bool visible(HWND dialog, int id) {
    return sim::controlView(dialog, id).visible;
}

class MenuConfiguration : public testing::Test {
protected:
    // Opens the dialog on the named definition with script as its user.
    INT_PTR configure(const std::string& name, const std::function<void(HWND)>& script) {
        model().editedDefinition = &test::definitionNamed(name);
        sim::onDialog(IDD_MENU_CONFIGURATION, script);
        return runMenuConfigurationDialog(host.mainWindow());
    }

    test::PrefsHost host;
    ModelState& m = model();
};

TEST_F(MenuConfiguration, OpensWithTheDefinitionShownAndItsListsFilled) {
    host.useSampleLibraryViews();
    configure("Media Library", [](HWND dialog) {
        char caption[64];
        platform::getWindowText(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, "Media Library Configuration");
        EXPECT_EQ(items(dialog, IDC_CONFIG_SOURCE),
                  (std::vector<std::string>{"Playlist Tags", "Media Library", "Directory List",
                                            "Playlist Raw", "Bookmarks"}));
        EXPECT_EQ(selection(dialog, IDC_CONFIG_SOURCE), 1);
        EXPECT_EQ(items(dialog, IDC_CONFIG_ACTION),
                  (std::vector<std::string>{"Play", "Enqueue", "Enq. and Play", "TG Play",
                                            "TG Enqueue"}));
        EXPECT_EQ(items(dialog, IDC_CONFIG_TIME),
                  (std::vector<std::string>{"No Levels", "All Levels", "Title Level"}));
        EXPECT_EQ(selection(dialog, IDC_CONFIG_TIME), 1);
        EXPECT_EQ(items(dialog, IDC_CONFIG_YEAR_POSITION),
                  (std::vector<std::string>{"Beginning", "End"}));
        EXPECT_EQ(items(dialog, IDC_CONFIG_LEVEL_NAMES).size(), 15u);
        EXPECT_EQ(items(dialog, IDC_CONFIG_LEVEL_NAMES)[14], "Filename");
        EXPECT_EQ(items(dialog, IDC_CONFIG_VIEWS),
                  (std::vector<std::string>{"Use ML View", "Audio", "Rock Ballads", "Rock",
                                            "Top Rated", "Never Played", "Jazz & Blues"}));
        const sim::ControlView levels = sim::controlView(dialog, IDC_CONFIG_LEVELS);
        EXPECT_EQ(levels.items, (std::vector<std::string>{"Range", "Artist", "Album", "Title"}));
        EXPECT_EQ(levels.itemData, (std::vector<LPARAM>{6, 0, 1, 2}));
        const sim::ControlView move = sim::controlView(dialog, IDC_CONFIG_LEVEL_MOVE);
        EXPECT_EQ((std::vector<int>{move.rangeLower, move.rangeUpper}), (std::vector<int>{3, 0}));
        EXPECT_EQ(sim::controlView(dialog, IDC_CONFIG_SUBMENU).check, BST_CHECKED);
        EXPECT_EQ(sim::controlView(dialog, IDC_CONFIG_QUERY).textLimit, 254);
        sim::clickButton(dialog, IDOK);
    });
}

TEST_F(MenuConfiguration, ShowsTheControlsOfEachSourceType) {
    // Controls whose visibility depends on the source type, and the types they show for:
    // T(ags), L(ibrary), D(irectory), R(aw), B(ookmarks).
    const std::map<int, std::string> shownFor = {
        {IDC_CONFIG_LEVELS_GROUP, "TL"},
        {IDC_CONFIG_LEVELS, "TL"},
        {IDC_CONFIG_LEVEL_MOVE, "TL"},
        {IDC_CONFIG_LEVEL_NAMES, "TL"},
        {IDC_CONFIG_ADD_LEVEL, "TL"},
        {IDC_CONFIG_DELETE_LEVEL, "TL"},
        {IDC_CONFIG_LEVELS_LABEL, "TL"},
        {IDC_CONFIG_LEVEL_NAMES_LABEL, "TL"},
        {IDC_CONFIG_TIME_LABEL, "TL"},
        {IDC_CONFIG_TIME, "TL"},
        {IDC_CONFIG_ADD_YEAR, "TL"},
        {IDC_CONFIG_YEAR_POSITION, "TL"},
        {IDC_CONFIG_TRACK_NUMBERS, "TL"},
        {IDC_CONFIG_QUERY_LABEL, "TL"},
        {IDC_CONFIG_VIEWS, "TL"},
        {IDC_CONFIG_QUERY_VARIABLES, "TL"},
        {IDC_CONFIG_QUERY, "TLD"},
        {IDC_CONFIG_DIR_LABEL, "D"},
        {IDC_CONFIG_BROWSE, "D"},
        {IDC_CONFIG_FILE_TYPES_LABEL, "D"},
        {IDC_CONFIG_FILE_TYPES, "D"},
        {IDC_CONFIG_SPLIT, "R"},
        {IDC_CONFIG_SOURCE, "TLDRB"},
        {IDC_CONFIG_ACTION, "TLDRB"},
        {IDC_CONFIG_SUBMENU, "TLDRB"},
        {IDOK, "TLDRB"},
        {IDCANCEL, "TLDRB"},
    };
    const char kTypes[] = "TLDRB";
    configure("Playlist Tags", [&](HWND dialog) {
        for (int type = 0; type < 5; ++type) {
            SCOPED_TRACE(kTypes[type]);
            sim::selectItem(dialog, IDC_CONFIG_SOURCE, type);
            for (const auto& [id, types] : shownFor)
                EXPECT_EQ(visible(dialog, id), types.find(kTypes[type]) != std::string::npos)
                    << "control " << id;
        }
        sim::clickButton(dialog, IDOK);
    });
}

TEST_F(MenuConfiguration, ChangingTheSourceResetsTheDefinitionAndCancelBringsItBack) {
    MenuDefinition& library = test::definitionNamed("Media Library");
    copyText(library.query, "genre == \"Rock\"");
    library.timeDisplay = 2;
    const MenuDefinition before = library;
    configure("Media Library", [&](HWND dialog) {
        m.menusDirty = false;
        sim::selectItem(dialog, IDC_CONFIG_SOURCE, 2);
        EXPECT_EQ(library.sourceType, SourceType::Directory);
        EXPECT_STREQ(library.query, "");
        EXPECT_STREQ(library.fileTypes, "mp3;mpeg;mpg;avi;ogg;wav");
        EXPECT_TRUE(library.levels.empty());
        EXPECT_STREQ(library.name, "Media Library");
        EXPECT_TRUE(m.menusDirty);
        for (int id : {IDC_CONFIG_DIR_LABEL, IDC_CONFIG_BROWSE, IDC_CONFIG_FILE_TYPES_LABEL})
            EXPECT_TRUE(visible(dialog, id));
        EXPECT_EQ(sim::controlView(dialog, IDC_CONFIG_FILE_TYPES).text, "mp3;mpeg;mpg;avi;ogg;wav");
        sim::clickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(library.sourceType, SourceType::MediaLibrary);
    EXPECT_EQ(levelsOf(library), (std::vector<int>{6, 0, 1, 2}));
    EXPECT_STREQ(library.query, before.query);
    EXPECT_EQ(library.timeDisplay, 2);

    configure("Media Library", [&](HWND dialog) {
        sim::selectItem(dialog, IDC_CONFIG_SOURCE, 4);
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_EQ(library.sourceType, SourceType::Bookmarks);
    EXPECT_TRUE(library.levels.empty());
}

// Closing takes the focus from the list last used, which reports it: Cancel's
// copy must stay put all the same.
TEST_F(MenuConfiguration, EscWithTheFocusInAListStillPutsTheCopyBack) {
    MenuDefinition& library = test::definitionNamed("Media Library");
    const MenuDefinition before = library;
    struct Case {
        int list;
        int entry;
    };
    const Case cases[] = {
        {IDC_CONFIG_SOURCE, 2}, {IDC_CONFIG_SOURCE, 3},        {IDC_CONFIG_ACTION, 3},
        {IDC_CONFIG_TIME, 0},   {IDC_CONFIG_YEAR_POSITION, 1}, {IDC_CONFIG_LEVEL_NAMES, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list * 100 + c.entry);
        configure("Media Library", [&](HWND dialog) {
            sim::selectItem(dialog, c.list, c.entry);
            if (c.list == IDC_CONFIG_LEVEL_NAMES) sim::clickButton(dialog, IDC_CONFIG_ADD_LEVEL);
            if (c.list == IDC_CONFIG_LEVEL_NAMES) sim::focusControl(dialog, IDC_CONFIG_LEVELS);
            sim::keyDown(dialog, VK_ESCAPE);
        });
        EXPECT_EQ(library.sourceType, before.sourceType);
        EXPECT_EQ(library.clickAction, before.clickAction);
        EXPECT_EQ(library.timeDisplay, before.timeDisplay);
        EXPECT_EQ(library.yearPosition, before.yearPosition);
        EXPECT_EQ(levelsOf(library), levelsOf(before));
        EXPECT_STREQ(library.query, before.query);
        EXPECT_STREQ(library.fileTypes, before.fileTypes);
    }
}

TEST_F(MenuConfiguration, SplitIntoRangesGivesRangeThenEntriesOrEntriesAlone) {
    MenuDefinition& raw = test::definitionNamed("Playlist Raw");
    configure("Playlist Raw", [&](HWND dialog) {
        EXPECT_EQ(sim::controlView(dialog, IDC_CONFIG_SPLIT).check, BST_CHECKED);
        sim::clickButton(dialog, IDC_CONFIG_SPLIT);
        EXPECT_EQ(levelsOf(raw), (std::vector<int>{16}));
        sim::clickButton(dialog, IDC_CONFIG_SPLIT);
        EXPECT_EQ(levelsOf(raw), (std::vector<int>{6, 16}));
        sim::clickButton(dialog, IDC_CONFIG_SPLIT);
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_EQ(levelsOf(raw), (std::vector<int>{16}));
}

TEST_F(MenuConfiguration, LevelsAreAddedDeletedAndMovedInTheListAndTheDefinition) {
    MenuDefinition& tags = test::definitionNamed("Playlist Tags"); // Artist, Album, Title
    configure("Playlist Tags", [&](HWND dialog) {
        sim::selectItem(dialog, IDC_CONFIG_LEVEL_NAMES, 0);
        sim::clickButton(dialog, IDC_CONFIG_ADD_LEVEL);
        sim::clickButton(dialog, IDC_CONFIG_ADD_LEVEL); // the same level twice is allowed
        EXPECT_EQ(levelsOf(tags), (std::vector<int>{0, 1, 2, 0, 0}));
        EXPECT_EQ(sim::controlView(dialog, IDC_CONFIG_LEVEL_MOVE).rangeLower, 4);

        sim::selectItem(dialog, IDC_CONFIG_LEVELS, 2); // Title
        EXPECT_EQ(sim::controlView(dialog, IDC_CONFIG_LEVEL_MOVE).position, 2);
        sim::clickUpDown(dialog, IDC_CONFIG_LEVEL_MOVE, true);
        EXPECT_EQ(levelsOf(tags), (std::vector<int>{0, 2, 1, 0, 0}));
        EXPECT_EQ(selection(dialog, IDC_CONFIG_LEVELS), 1);
        sim::clickUpDown(dialog, IDC_CONFIG_LEVEL_MOVE, true);
        sim::clickUpDown(dialog, IDC_CONFIG_LEVEL_MOVE, true); // at the top: nothing
        EXPECT_EQ(levelsOf(tags), (std::vector<int>{2, 0, 1, 0, 0}));
        EXPECT_EQ(items(dialog, IDC_CONFIG_LEVELS),
                  (std::vector<std::string>{"Title", "Artist", "Album", "Artist", "Artist"}));

        sim::selectItem(dialog, IDC_CONFIG_LEVELS, 4);
        sim::clickButton(dialog, IDC_CONFIG_DELETE_LEVEL);
        EXPECT_EQ(levelsOf(tags), (std::vector<int>{2, 0, 1, 0}));
        EXPECT_EQ(sim::controlView(dialog, IDC_CONFIG_LEVEL_MOVE).rangeLower, 3);
        sim::clickButton(dialog, IDC_CONFIG_DELETE_LEVEL); // nothing selected now
        EXPECT_EQ(levelsOf(tags), (std::vector<int>{2, 0, 1, 0}));
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_EQ(levelsOf(tags), (std::vector<int>{2, 0, 1, 0}));
}

TEST_F(MenuConfiguration, EachControlSetsItsField) {
    MenuDefinition& library = test::definitionNamed("Media Library");
    configure("Media Library", [&](HWND dialog) {
        sim::selectItem(dialog, IDC_CONFIG_ACTION, 4);
        sim::selectItem(dialog, IDC_CONFIG_TIME, 2);
        sim::selectItem(dialog, IDC_CONFIG_YEAR_POSITION, 1);
        sim::clickButton(dialog, IDC_CONFIG_ADD_YEAR);
        sim::clickButton(dialog, IDC_CONFIG_TRACK_NUMBERS);
        sim::clickButton(dialog, IDC_CONFIG_SUBMENU);
        m.playlistMenusValid = true;
        sim::typeText(dialog, IDC_CONFIG_QUERY, "artist == \"%artist\"");
        EXPECT_FALSE(m.playlistMenusValid);
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_EQ(library.clickAction, ClickAction::EnqueueTg);
    EXPECT_EQ(library.timeDisplay, 2);
    EXPECT_EQ(library.yearPosition, 1);
    EXPECT_FALSE(library.addYearToAlbums);
    EXPECT_FALSE(library.showTrackNumbers);
    EXPECT_FALSE(library.showAsSubmenu);
    EXPECT_STREQ(library.query, "artist == \"%artist\"");

    MenuDefinition& directory = test::definitionNamed("Directory");
    configure("Directory", [&](HWND dialog) {
        EXPECT_EQ(sim::controlView(dialog, IDC_CONFIG_QUERY).text, "C:\\");
        sim::typeText(dialog, IDC_CONFIG_FILE_TYPES, "flac;mp3");
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_STREQ(directory.fileTypes, "flac;mp3");

    platform::setUtf8Texts(true);
    const std::string query =
        "artist == \"\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE\" AND title HAS \"\xF0\x9F\x8E\xB5\"";
    configure("Media Library", [&](HWND dialog) {
        sim::typeText(dialog, IDC_CONFIG_QUERY, query);
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_EQ(std::string(library.query), query);
}

TEST_F(MenuConfiguration, AListWithNothingSelectedLeavesItsFieldAlone) {
    MenuDefinition& library = test::definitionNamed("Media Library");
    library.clickAction = static_cast<ClickAction>(9); // read from a damaged file
    library.timeDisplay = 1;
    configure("Media Library", [&](HWND dialog) {
        EXPECT_EQ(selection(dialog, IDC_CONFIG_ACTION), -1);
        sim::focusControl(dialog, IDC_CONFIG_ACTION);
        sim::focusControl(dialog, IDC_CONFIG_TIME);
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_EQ(static_cast<int>(library.clickAction), 9);
    EXPECT_EQ(library.timeDisplay, 1);
}

TEST_F(MenuConfiguration, BrowseTakesAFolderThatFitsAndRefusesALongerOne) {
    MenuDefinition& directory = test::definitionNamed("Directory");
    configure("Directory", [&](HWND dialog) {
        sim::clickButton(dialog, IDC_CONFIG_BROWSE); // cancelled
        EXPECT_STREQ(directory.query, "C:\\");
        sim::setBrowseForFolderAnswer(true, "D:\\Music");
        sim::clickButton(dialog, IDC_CONFIG_BROWSE);
        EXPECT_STREQ(directory.query, "D:\\Music");
        EXPECT_EQ(sim::controlView(dialog, IDC_CONFIG_QUERY).text, "D:\\Music");
        sim::setBrowseForFolderAnswer(true, "D:\\" + std::string(252, 'a'));
        sim::clickButton(dialog, IDC_CONFIG_BROWSE);
        EXPECT_STREQ(directory.query, "D:\\Music");
        ASSERT_EQ(sim::messageBoxes().size(), 1u);
        EXPECT_EQ(sim::messageBoxes()[0].caption, "Error");
        sim::clickButton(dialog, IDOK);
    });
    ASSERT_EQ(sim::folderBrowses().size(), 3u);
    EXPECT_EQ(sim::folderBrowses()[0].title, "Select Directory");
}

TEST_F(MenuConfiguration, ALibraryViewGivesItsQueryByItsWholeName) {
    host.writeLibraryViews("[gen_ml_config]\r\n"
                           "query1_name=Classic Rock\r\n"
                           "query1_val=genre == \"Classic Rock\"\r\n"
                           "query2_name=Rock\r\n"
                           "query2_val=genre == \"Rock\"\r\n"
                           "query3_name=Broken\r\n"
                           "query3_mode=\r\n"
                           "query4_name=Huge\r\n"
                           "query4_val=" +
                           std::string(300, 'x') +
                           "\r\n"
                           "query_num=4\r\n"
                           "query6_name=After the end\r\n");
    MenuDefinition& library = test::definitionNamed("Media Library");
    configure("Media Library", [&](HWND dialog) {
        EXPECT_EQ(
            items(dialog, IDC_CONFIG_VIEWS),
            (std::vector<std::string>{"Use ML View", "Classic Rock", "Rock", "Broken", "Huge"}));
        struct Pick {
            int view;
            const char* query;
            std::size_t boxes;
        };
        const Pick picks[] = {
            {2, "genre == \"Rock\"", 0},
            {1, "genre == \"Classic Rock\"", 0},
            {3, "", 0}, // the line after it says so: an empty query
            {4, "", 1}, // too long for the query: refused, not cut
        };
        for (const Pick& pick : picks) {
            SCOPED_TRACE(pick.view);
            sim::selectItem(dialog, IDC_CONFIG_VIEWS, pick.view);
            EXPECT_STREQ(library.query, pick.query);
            EXPECT_EQ(sim::controlView(dialog, IDC_CONFIG_QUERY).text, pick.query);
            EXPECT_EQ(selection(dialog, IDC_CONFIG_VIEWS), 0);
            EXPECT_EQ(sim::messageBoxes().size(), pick.boxes);
        }
        sim::clickButton(dialog, IDOK);
    });
}

TEST_F(MenuConfiguration, QueryVariablesExplainsTheSongVariables) {
    configure("Playlist Tags", [](HWND dialog) {
        sim::clickButton(dialog, IDC_CONFIG_QUERY_VARIABLES);
        sim::clickButton(dialog, IDOK);
    });
    ASSERT_EQ(sim::messageBoxes().size(), 1u);
    EXPECT_EQ(sim::messageBoxes()[0].caption, "Query Variables");
    EXPECT_EQ(sim::messageBoxes()[0].type, MB_OK);
    EXPECT_EQ(sim::messageBoxes()[0].text.find("The following variables can be used"), 0u);
    EXPECT_NE(sim::messageBoxes()[0].text.find("\n  %album  - Album of the current song\n\n"),
              std::string::npos);
}

TEST_F(MenuConfiguration, WithoutAnEditedDefinitionItOnlyCloses) {
    model().editedDefinition = nullptr;
    sim::onDialog(IDD_MENU_CONFIGURATION, [](HWND dialog) {
        sim::selectItem(dialog, IDC_CONFIG_SOURCE, 0); // an empty list: a fault, no crash
        sim::clickButton(dialog, IDC_CONFIG_ADD_LEVEL);
        sim::clickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(runMenuConfigurationDialog(nullptr), IDCANCEL);
    EXPECT_EQ(sim::takeFaults().size(), 1u);
}

} // namespace
} // namespace tg
