// The Preferences dialog driven like a user through the simulated platform,
// on the model read from a fresh settings directory (the four first-run menus).
#include "model/model_state.h"
#include "model/settings_file.h"
#include "model/text.h"
#include "platform/dialog.h"
#include "platform/sim/inspect.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "player/player.h"
#include "plugin/plugin_menu.h"
#include "prefs/help_page.h"
#include "prefs/preferences_dialog.h"
#include "resources/resource_ids.h"
#include "support/plugin_harness.h"
#include "support/prefs_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace tg {
namespace {

namespace sim = platform::sim;
using test::definitionNames;
using test::runPreferences;

const std::vector<std::string> kFirstRun = {"Playlist Tags", "Media Library", "Directory",
                                            "Playlist Raw"};

std::vector<std::string> items(HWND dialog, int id) {
    return sim::controlView(dialog, id).items;
}
int selection(HWND dialog, int id) {
    return sim::controlView(dialog, id).selection;
}
std::vector<std::string> withNone(std::vector<std::string> names) {
    names.insert(names.begin(), "None");
    return names;
}

void add(HWND dialog, const std::string& name, int type) {
    sim::typeText(dialog, IDC_PREFS_NAME, name);
    sim::selectItem(dialog, IDC_PREFS_ADD_TYPE, type);
}

class PreferencesDialog : public testing::Test {
protected:
    test::PrefsHost host;
    ModelState& m = model();
};

TEST_F(PreferencesDialog, OpensWithTheListsTheMainMenuAndTheFirstDefinitionSelected) {
    m.options.mainMenu = &test::definitionNamed("Directory");
    runPreferences([&](HWND dialog) {
        EXPECT_EQ(items(dialog, IDC_PREFS_LIST), kFirstRun);
        EXPECT_EQ(selection(dialog, IDC_PREFS_LIST), 0);
        EXPECT_EQ(items(dialog, IDC_PREFS_MAIN_MENU), withNone(kFirstRun));
        EXPECT_EQ(selection(dialog, IDC_PREFS_MAIN_MENU), 3);
        EXPECT_EQ(m.editedDefinition, &test::definitionNamed("Playlist Tags"));
        const sim::ControlView move = sim::controlView(dialog, IDC_PREFS_MOVE);
        EXPECT_EQ((std::vector<int>{move.rangeLower, move.rangeUpper}), (std::vector<int>{3, 0}));
        EXPECT_EQ(items(dialog, IDC_PREFS_ADD_TYPE),
                  (std::vector<std::string>{"Pick Type to Add", "Playlist Tags", "Media Library",
                                            "Directory List", "Playlist Raw", "Bookmarks"}));
        EXPECT_EQ(selection(dialog, IDC_PREFS_ADD_TYPE), 0);
        const sim::ControlView location = sim::controlView(dialog, IDC_PREFS_LOCATION);
        EXPECT_EQ(location.items,
                  (std::vector<std::string>{"Songticker", "Play", "Next", "TG Menu", "Other"}));
        EXPECT_EQ(location.itemData, (std::vector<LPARAM>{40188, 40045, 40048, -1, 0}));
        EXPECT_EQ(sim::controlView(dialog, IDC_PREFS_DISABLE).check, BST_UNCHECKED);
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_EQ(m.editedDefinition, nullptr); // none outside the dialogs
}

TEST_F(PreferencesDialog, OpensOnTheMenuLocationTheOptionsName) {
    struct Case {
        int ownMenu, hostMenuId, enabled;
        int location;
        const char* shownId;
        bool idEditable;
    };
    const Case cases[] = {
        {0, 40188, 1, 0, "40188", false}, {0, 40045, 1, 1, "40045", false},
        {0, 40048, 0, 2, "40048", false}, {1, 49152, 1, 3, "-1", false},
        {0, 12345, 1, 4, "12345", true},  {0, 0, 1, 4, "0", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hostMenuId);
        m.options.ownMenu = c.ownMenu;
        m.options.hostMenuId = c.hostMenuId;
        m.options.enabled = c.enabled;
        runPreferences([&](HWND dialog) {
            EXPECT_EQ(selection(dialog, IDC_PREFS_LOCATION), c.location);
            const sim::ControlView id = sim::controlView(dialog, IDC_PREFS_MENU_ID);
            EXPECT_EQ(id.text, c.shownId);
            EXPECT_EQ(id.enabled, c.idEditable);
            EXPECT_EQ(sim::controlView(dialog, IDC_PREFS_DISABLE).check,
                      c.enabled ? BST_UNCHECKED : BST_CHECKED);
            sim::clickButton(dialog, IDOK);
        });
        // Opening and confirming changes nothing.
        EXPECT_EQ(m.options.ownMenu, c.ownMenu);
        EXPECT_EQ(m.options.hostMenuId, c.hostMenuId);
    }
}

TEST_F(PreferencesDialog, AddsANewNameOnlyAndWithTheDefaultsOfItsType) {
    struct Case {
        const char* name;
        int type;
        const char* error;            // null: added
        bool utf8 = false;            // typed with a player that has the wide calls
        const char* stored = nullptr; // null: as typed
    };
    // 256 bytes for a field of 254: the cut falls before the last character.
    std::string longName;
    for (int i = 0; i < 84; ++i) longName += "\xE9\x9F\xB3";
    const std::string longNameKept = longName;
    longName += "\xF0\x9F\x8E\xB5";
    const Case cases[] = {
        {"", 1, "You must enter a name first."},
        {"media LIBRARY", 2, "You must enter an unique name."},
        {" Media Library", 2, nullptr},
        {"Rock", 2, nullptr},
        {"Queue", 5, nullptr},
        {"\xE5\xAE\x87\xE5\xA4\x9A\xE7\x94\xB0 \xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE", 2, nullptr, true},
        {longName.c_str(), 2, nullptr, true, longNameKept.c_str()},
    };
    runPreferences([&](HWND dialog) {
        std::vector<std::string> names = kFirstRun;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            platform::setUtf8Texts(c.utf8);
            sim::clearMessageBoxes();
            m.menusDirty = false;
            add(dialog, c.name, c.type);
            EXPECT_EQ(selection(dialog, IDC_PREFS_ADD_TYPE), 0);
            if (c.error != nullptr) {
                ASSERT_EQ(sim::messageBoxes().size(), 1u);
                EXPECT_EQ(sim::messageBoxes()[0].text, c.error);
                EXPECT_EQ(sim::messageBoxes()[0].caption, "Error");
                EXPECT_EQ(sim::messageBoxes()[0].type, MB_OK);
                EXPECT_EQ(definitionNames(), names);
                EXPECT_FALSE(m.menusDirty);
                continue;
            }
            EXPECT_TRUE(sim::messageBoxes().empty());
            names.push_back(c.stored != nullptr ? c.stored : c.name);
            EXPECT_EQ(definitionNames(), names);
            EXPECT_EQ(items(dialog, IDC_PREFS_LIST), names);
            EXPECT_EQ(items(dialog, IDC_PREFS_MAIN_MENU), withNone(names));
            const int last = static_cast<int>(names.size()) - 1;
            EXPECT_EQ(selection(dialog, IDC_PREFS_LIST), last);
            const sim::ControlView move = sim::controlView(dialog, IDC_PREFS_MOVE);
            EXPECT_EQ((std::vector<int>{move.rangeLower, move.rangeUpper, move.position}),
                      (std::vector<int>{last, 0, last}));
            const MenuDefinition& added = model().definitionList.back();
            EXPECT_EQ(m.editedDefinition, &added);
            EXPECT_EQ(static_cast<int>(added.sourceType), c.type - 1);
            EXPECT_TRUE(m.menusDirty);
            EXPECT_EQ(sim::controlView(dialog, IDC_PREFS_NAME).text, "");
        }
        EXPECT_EQ(test::levelsOf(test::definitionNamed("Rock")), (std::vector<int>{6, 0, 1, 2}));
        sim::clickButton(dialog, IDOK);
    });
}

TEST_F(PreferencesDialog, ANewDirectoryAsksForItsFolderBeforeItIsListed) {
    sim::setBrowseForFolderAnswer(true, "C:\\Music\\Rock");
    sim::onDialog(IDD_SELECT_DIRECTORY, [&](HWND dialog) {
        const HWND preferences = sim::openDialogs().front();
        EXPECT_EQ(items(preferences, IDC_PREFS_LIST), kFirstRun);
        EXPECT_EQ(model().editedDefinition->name, std::string("Rock folder"));
        sim::keyDown(dialog, VK_ESCAPE); // asked for, not optional
        sim::closeDialog(dialog);
        sim::clickButton(dialog, IDC_DIRECTORY_BROWSE);
        EXPECT_EQ(sim::controlView(dialog, IDC_DIRECTORY_PATH).text, "C:\\Music\\Rock");
        sim::clickButton(dialog, IDOK);
    });
    runPreferences([&](HWND dialog) {
        add(dialog, "Rock folder", 3);
        EXPECT_EQ(items(dialog, IDC_PREFS_LIST).back(), "Rock folder");
        sim::clickButton(dialog, IDOK);
    });
    const MenuDefinition& added = test::definitionNamed("Rock folder");
    EXPECT_EQ(added.sourceType, SourceType::Directory);
    EXPECT_STREQ(added.query, "C:\\Music\\Rock");
    EXPECT_EQ(sim::folderBrowses().size(), 1u);
    EXPECT_EQ(sim::folderBrowses()[0].title, "Select Directory");
}

TEST_F(PreferencesDialog, AFolderPathTooLongForTheQueryIsRefusedNotCut) {
    sim::setBrowseForFolderAnswer(true, "C:\\" + std::string(252, 'x'));
    sim::onDialog(IDD_SELECT_DIRECTORY, [&](HWND dialog) {
        sim::typeText(dialog, IDC_DIRECTORY_PATH, "C:\\typed");
        sim::clickButton(dialog, IDC_DIRECTORY_BROWSE);
        ASSERT_EQ(sim::messageBoxes().size(), 1u);
        EXPECT_EQ(sim::messageBoxes()[0].caption, "Error");
        EXPECT_EQ(sim::controlView(dialog, IDC_DIRECTORY_PATH).text, "C:\\typed");
        EXPECT_EQ(sim::controlView(dialog, IDC_DIRECTORY_PATH).textLimit, 254);
        sim::clickButton(dialog, IDOK);
    });
    runPreferences([&](HWND dialog) {
        add(dialog, "Deep", 3);
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_STREQ(test::definitionNamed("Deep").query, "C:\\typed");
}

TEST_F(PreferencesDialog, SelectingNamesTheDefinitionAtThatPlaceEvenAmongEqualNames) {
    runPreferences([&](HWND dialog) {
        sim::selectItem(dialog, IDC_PREFS_LIST, 2);
        EXPECT_EQ(m.editedDefinition, &test::definitionNamed("Directory"));
        EXPECT_EQ(sim::controlView(dialog, IDC_PREFS_MOVE).position, 2);
        sim::clickButton(dialog, IDOK);
    });
    // A rename may give two definitions one name; each entry still edits its own.
    copyText(model().definitionList.back().name, "Twin");
    copyText(model().definitionList.front().name, "twin");
    runPreferences([&](HWND dialog) {
        sim::selectItem(dialog, IDC_PREFS_LIST, 3);
        EXPECT_EQ(m.editedDefinition, &model().definitionList.back());
        sim::clickButton(dialog, IDC_PREFS_DELETE);
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_EQ(definitionNames(), (std::vector<std::string>{"twin", "Media Library", "Directory"}));
}

TEST_F(PreferencesDialog, DeletingTheMainMenuLeavesNone) {
    m.options.mainMenu = &test::definitionNamed("Media Library");
    runPreferences([&](HWND dialog) {
        sim::selectItem(dialog, IDC_PREFS_LIST, 1);
        m.menusDirty = false;
        sim::clickButton(dialog, IDC_PREFS_DELETE);
        const std::vector<std::string> left = {"Playlist Tags", "Directory", "Playlist Raw"};
        EXPECT_EQ(definitionNames(), left);
        EXPECT_EQ(items(dialog, IDC_PREFS_LIST), left);
        EXPECT_EQ(selection(dialog, IDC_PREFS_LIST), -1);
        EXPECT_EQ(items(dialog, IDC_PREFS_MAIN_MENU), withNone(left));
        EXPECT_EQ(selection(dialog, IDC_PREFS_MAIN_MENU), 0);
        EXPECT_EQ(m.options.mainMenu, nullptr);
        EXPECT_EQ(m.editedDefinition, nullptr);
        EXPECT_TRUE(m.menusDirty);
        const sim::ControlView move = sim::controlView(dialog, IDC_PREFS_MOVE);
        EXPECT_EQ((std::vector<int>{move.rangeLower, move.rangeUpper}), (std::vector<int>{2, 0}));
        // Nothing is selected: Delete, Rename, Edit and the arrows do nothing.
        sim::clickButton(dialog, IDC_PREFS_DELETE);
        sim::clickButton(dialog, IDC_PREFS_RENAME);
        sim::clickButton(dialog, IDC_PREFS_EDIT);
        sim::clickUpDown(dialog, IDC_PREFS_MOVE, false);
        EXPECT_EQ(definitionNames(), left);
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_EQ(sim::dialogRuns().size(), 1u); // no Rename, no configuration
}

TEST_F(PreferencesDialog, ADefinitionCalledNoneIsNotTheMainMenuWhenNoneIsChosen) {
    copyText(model().definitionList.front().name, "None");
    m.options.mainMenu = &test::definitionNamed("Directory");
    runPreferences([&](HWND dialog) {
        sim::selectItem(dialog, IDC_PREFS_MAIN_MENU, 0);
        EXPECT_EQ(m.options.mainMenu, nullptr);
        sim::selectItem(dialog, IDC_PREFS_MAIN_MENU, 1);
        EXPECT_EQ(m.options.mainMenu, &test::definitionNamed("None"));
        sim::selectItem(dialog, IDC_PREFS_LIST, 0);
        sim::clickButton(dialog, IDC_PREFS_DELETE);
        EXPECT_EQ(m.options.mainMenu, nullptr);
        sim::clickButton(dialog, IDOK);
    });
}

TEST_F(PreferencesDialog, MovingExchangesNeighboursAndTheMainMenuFollowsItsContents) {
    struct Case {
        const char* name;
        int selected;
        bool up;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {"first up", 0, true, kFirstRun},
        {"last down", 3, false, kFirstRun},
        {"second up", 1, true, {"Media Library", "Playlist Tags", "Directory", "Playlist Raw"}},
        {"second down", 1, false, {"Playlist Tags", "Directory", "Media Library", "Playlist Raw"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuDefinition* mediaLibrary = &test::definitionNamed("Media Library");
        m.options.mainMenu = mediaLibrary;
        const std::vector<int> levels = test::levelsOf(*mediaLibrary);
        runPreferences([&](HWND dialog) {
            sim::selectItem(dialog, IDC_PREFS_LIST, c.selected);
            sim::clickUpDown(dialog, IDC_PREFS_MOVE, c.up);
            EXPECT_EQ(definitionNames(), c.order);
            EXPECT_EQ(items(dialog, IDC_PREFS_LIST), c.order);
            // The selection stays with the moved name, and so does the editing.
            const int at = selection(dialog, IDC_PREFS_LIST);
            EXPECT_EQ(items(dialog, IDC_PREFS_LIST)[static_cast<std::size_t>(at)],
                      kFirstRun[static_cast<std::size_t>(c.selected)]);
            EXPECT_EQ(m.editedDefinition->name, kFirstRun[static_cast<std::size_t>(c.selected)]);
            EXPECT_EQ(sim::controlView(dialog, IDC_PREFS_MOVE).position, at);
            // The main-menu list is not reordered, and still names the main menu.
            EXPECT_EQ(items(dialog, IDC_PREFS_MAIN_MENU), withNone(kFirstRun));
            EXPECT_STREQ(m.options.mainMenu->name, "Media Library");
            EXPECT_EQ(test::levelsOf(*m.options.mainMenu), levels);
            sim::clickButton(dialog, IDCANCEL);
        });
    }
}

TEST_F(PreferencesDialog, EachArrowMovesOnePlaceEvenWhenTheArrowsLostTrack) {
    runPreferences([&](HWND dialog) {
        // The arrows report 2 while the first entry is selected.
        platform::sendDlgItemMessage(dialog, IDC_PREFS_MOVE, UDM_SETPOS32, 0, 3);
        sim::clickUpDown(dialog, IDC_PREFS_MOVE, true);
        const std::vector<std::string> order = {"Media Library", "Playlist Tags", "Directory",
                                                "Playlist Raw"};
        EXPECT_EQ(definitionNames(), order);
        EXPECT_EQ(items(dialog, IDC_PREFS_LIST), order);
        EXPECT_EQ(selection(dialog, IDC_PREFS_LIST), 1);
        EXPECT_EQ(sim::controlView(dialog, IDC_PREFS_MOVE).position, 1);
        sim::clickButton(dialog, IDCANCEL);
    });
}

TEST_F(PreferencesDialog, ADisabledPlugInStaysOutUntilItIsEnabledAgain) {
    m.options.hotkey = 0x64D;
    m.options.enabled = 0;
    runPreferences([&](HWND dialog) {
        sim::selectItem(dialog, IDC_PREFS_MAIN_MENU, 2);
        sim::selectItem(dialog, IDC_PREFS_LOCATION, 1);
        EXPECT_EQ(m.options.hostMenuId, 40045);
        EXPECT_TRUE(sim::registeredHotkeys().empty());
        sim::clickButton(dialog, IDC_PREFS_DISABLE); // cleared: back at once
        EXPECT_EQ(m.options.enabled, 1);
        EXPECT_EQ(sim::registeredHotkeys().size(), 1u);
        sim::clickButton(dialog, IDC_PREFS_DISABLE);
        EXPECT_EQ(m.options.enabled, 0);
        EXPECT_TRUE(sim::registeredHotkeys().empty());
        sim::clickButton(dialog, IDOK);
    });
}

TEST_F(PreferencesDialog, RenamingChangesBothListsAndKeepsTheirSelections) {
    m.options.mainMenu = &test::definitionNamed("Directory");
    sim::onDialog(IDD_RENAME, [](HWND dialog) {
        char caption[64];
        platform::getWindowText(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, "Rename Directory");
        EXPECT_EQ(sim::controlView(dialog, IDC_RENAME_NAME).text, "");
        sim::typeText(dialog, IDC_RENAME_NAME, "Folders & Files");
        sim::clickButton(dialog, IDOK);
    });
    sim::onDialog(IDD_RENAME, [](HWND dialog) {
        sim::typeText(dialog, IDC_RENAME_NAME, "ignored");
        sim::clickButton(dialog, IDCANCEL);
    });
    sim::onDialog(IDD_RENAME, [](HWND dialog) { sim::clickButton(dialog, IDOK); });
    runPreferences([&](HWND dialog) {
        sim::selectItem(dialog, IDC_PREFS_LIST, 2);
        sim::clickButton(dialog, IDC_PREFS_RENAME);
        std::vector<std::string> names = {"Playlist Tags", "Media Library", "Folders & Files",
                                          "Playlist Raw"};
        EXPECT_EQ(definitionNames(), names);
        EXPECT_EQ(items(dialog, IDC_PREFS_LIST), names);
        EXPECT_EQ(selection(dialog, IDC_PREFS_LIST), 2);
        EXPECT_EQ(items(dialog, IDC_PREFS_MAIN_MENU), withNone(names));
        EXPECT_EQ(selection(dialog, IDC_PREFS_MAIN_MENU), 3);

        sim::clickButton(dialog, IDC_PREFS_RENAME); // cancelled
        EXPECT_EQ(definitionNames(), names);

        sim::clickButton(dialog, IDC_PREFS_RENAME); // an empty name is taken
        names[2] = "";
        EXPECT_EQ(definitionNames(), names);
        EXPECT_EQ(items(dialog, IDC_PREFS_LIST), names);
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_EQ(m.options.mainMenu, &*std::next(model().definitionList.begin(), 2));
}

TEST_F(PreferencesDialog, MenuLocationAndMenuIdApplyAsTheyAreChosen) {
    m.options.systrayMiddleClick = 1;
    runPreferences([&](HWND dialog) {
        sim::selectItem(dialog, IDC_PREFS_LOCATION, 3); // TG Menu
        EXPECT_EQ(m.options.ownMenu, 1);
        EXPECT_EQ(m.options.systrayMiddleClick, 1);
        EXPECT_EQ(sim::controlView(dialog, IDC_PREFS_MENU_ID).text, "-1");
        EXPECT_FALSE(sim::controlView(dialog, IDC_PREFS_MENU_ID).enabled);

        sim::selectItem(dialog, IDC_PREFS_LOCATION, 0); // Songticker
        EXPECT_EQ(m.options.ownMenu, 0);
        EXPECT_EQ(m.options.hostMenuId, 40188);
        EXPECT_EQ(m.options.systrayMiddleClick, 0);
        EXPECT_EQ(sim::controlView(dialog, IDC_PREFS_MENU_ID).text, "40188");

        sim::selectItem(dialog, IDC_PREFS_LOCATION, 4); // Other
        EXPECT_EQ(m.options.hostMenuId, 0);
        EXPECT_TRUE(sim::controlView(dialog, IDC_PREFS_MENU_ID).enabled);
        sim::typeText(dialog, IDC_PREFS_MENU_ID, "40045");
        EXPECT_EQ(m.options.hostMenuId, 40045);

        // Passing through the list, or typing into it, keeps the typed id.
        sim::focusControl(dialog, IDC_PREFS_LOCATION);
        sim::typeText(dialog, IDC_PREFS_LOCATION, "Pl");
        sim::focusControl(dialog, IDC_PREFS_MAIN_MENU);
        EXPECT_EQ(m.options.hostMenuId, 40045);
        EXPECT_EQ(m.options.ownMenu, 0);
        EXPECT_EQ(sim::controlView(dialog, IDC_PREFS_MENU_ID).text, "40045");
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_NE(host.savedSettings().find(" 0 40045 "), std::string::npos);
}

TEST_F(PreferencesDialog, MainMenuAndDisablingApplyAtOnce) {
    runPreferences([&](HWND dialog) {
        sim::selectItem(dialog, IDC_PREFS_MAIN_MENU, 4);
        EXPECT_EQ(m.options.mainMenu, &test::definitionNamed("Playlist Raw"));
        sim::selectItem(dialog, IDC_PREFS_MAIN_MENU, 0);
        EXPECT_EQ(m.options.mainMenu, nullptr);

        sim::clickButton(dialog, IDC_PREFS_DISABLE);
        EXPECT_EQ(m.options.enabled, 0);
        sim::clickButton(dialog, IDC_PREFS_DISABLE);
        EXPECT_EQ(m.options.enabled, 1);
        sim::clickButton(dialog, IDOK);
    });
}

TEST_F(PreferencesDialog, HelpOpensTheHelpPageAndEveryCommandStalesThePlaylistMenus) {
    runPreferences([&](HWND dialog) {
        m.playlistMenusValid = true;
        sim::clickButton(dialog, IDC_PREFS_HELP);
        EXPECT_FALSE(m.playlistMenusValid);
        EXPECT_EQ(sim::openedWebPages(), std::vector<std::string>{kHelpPageAddress});
        sim::clickButton(dialog, IDOK);
    });
}

TEST_F(PreferencesDialog, EditAndAdvancedOptionsOpenTheirDialogsOverThePreferences) {
    HWND preferences = nullptr;
    sim::onDialog(IDD_MENU_CONFIGURATION, [&](HWND dialog) {
        EXPECT_EQ(sim::openDialogs().front(), preferences);
        EXPECT_EQ(m.editedDefinition, &test::definitionNamed("Media Library"));
        sim::clickButton(dialog, IDOK);
    });
    sim::onDialog(IDD_ADVANCED_OPTIONS, [&](HWND dialog) { sim::clickButton(dialog, IDOK); });
    runPreferences([&](HWND dialog) {
        preferences = dialog;
        sim::selectItem(dialog, IDC_PREFS_LIST, 1);
        sim::clickButton(dialog, IDC_PREFS_EDIT);
        sim::clickButton(dialog, IDC_PREFS_ADVANCED);
        // The library asking for the preferences again opens no second one.
        runPreferencesDialog(nullptr);
        EXPECT_EQ(sim::dialogRuns().size(), 2u);
        sim::clickButton(dialog, IDOK);
    });
    ASSERT_EQ(sim::dialogRuns().size(), 3u);
    EXPECT_EQ(sim::dialogRuns()[0].templateId, IDD_MENU_CONFIGURATION);
    EXPECT_EQ(sim::dialogRuns()[0].parent, preferences);
    EXPECT_EQ(sim::dialogRuns()[1].templateId, IDD_ADVANCED_OPTIONS);
    EXPECT_EQ(sim::dialogRuns()[2].parent, host.mainWindow());
}

// Closing takes the focus from the main-menu list, which reports it; acting on
// that would place the plug-in's own popup a second time after Cancel, or
// change the main menu after OK saved it.
TEST_F(PreferencesDialog, ClosingWithTheFocusInTheMainMenuListActsOnce) {
    m.options.ownMenu = 1;
    m.options.hostMenuId = -1;
    installPluginMenu();
    writeSettings();
    const HMENU hostMenu = player::player().mainMenu();
    auto ownPopups = [&] {
        const std::vector<std::string> texts = test::itemTexts(hostMenu);
        return std::count(texts.begin(), texts.end(), "Tunegrove");
    };
    ASSERT_EQ(ownPopups(), 1);
    struct Case {
        int key;
        const char* mainMenu; // after the dialog
    };
    const Case cases[] = {{VK_ESCAPE, nullptr}, {VK_RETURN, "Media Library"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        runPreferences([&](HWND dialog) {
            sim::selectItem(dialog, IDC_PREFS_MAIN_MENU, 2);
            sim::keyDown(dialog, c.key);
        });
        EXPECT_EQ(ownPopups(), 1);
        if (c.mainMenu == nullptr)
            EXPECT_EQ(m.options.mainMenu, nullptr);
        else
            EXPECT_EQ(m.options.mainMenu, &test::definitionNamed(c.mainMenu));
    }
    removePluginMenu();
}

TEST_F(PreferencesDialog, OkSavesAndCancelBringsBackWhatWasSaved) {
    const std::string saved = host.savedSettings();
    struct Case {
        const char* name;
        std::function<void(HWND)> change;
    };
    const Case cases[] = {
        {"delete",
         [](HWND d) {
             sim::selectItem(d, IDC_PREFS_LIST, 1);
             sim::clickButton(d, IDC_PREFS_DELETE);
         }},
        {"add", [](HWND d) { add(d, "Extra", 5); }},
        {"move", [](HWND d) { sim::clickUpDown(d, IDC_PREFS_MOVE, false); }},
        {"advanced options",
         [](HWND d) {
             sim::onDialog(IDD_ADVANCED_OPTIONS, [](HWND a) {
                 sim::typeText(a, IDC_ADVANCED_COLUMNS, "9");
                 sim::clickButton(a, IDOK);
             });
             sim::clickButton(d, IDC_PREFS_ADVANCED);
         }},
        {"close box", [](HWND d) { sim::selectItem(d, IDC_PREFS_MAIN_MENU, 2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        runPreferences([&](HWND dialog) {
            c.change(dialog);
            if (std::string(c.name) == "close box")
                sim::closeDialog(dialog);
            else
                sim::clickButton(dialog, IDCANCEL);
        });
        EXPECT_EQ(definitionNames(), kFirstRun);
        EXPECT_EQ(m.options.columnCount, 4);
        EXPECT_EQ(m.options.mainMenu, nullptr);
        EXPECT_EQ(host.savedSettings(), saved);
    }
    runPreferences([&](HWND dialog) {
        add(dialog, "Extra", 5);
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_NE(host.savedSettings().find("|Extra\n"), std::string::npos);
}

} // namespace
} // namespace tg
