// The player's settings folder missing (a null answer) or refusing new files,
// and a damaged settings file, through the loaded plug-in: it runs on what it
// could read, writes nothing it cannot write whole, and never puts defaults
// over the user's file.
#include "model/model_state.h"
#include "model/settings_file.h"
#include "model/text.h"
#include "platform/file.h"
#include "platform/sim/inspect.h"
#include "resources/resource_ids.h"
#include "support/fault_scene.h"
#include "support/settings_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace tg {
namespace {

using test::FaultScene;
using test::folderEntries;
using test::PluginHarness;
using test::readWholeFile;
using test::Texts;
using test::writeWholeFile;

namespace fs = std::filesystem;

fs::path pluginsFolder() {
    return platform::hostPath("S:\\Settings\\Plugins");
}

// A folder that takes no new file, as a read-only one does (the tests may run
// with rights that no permission stops): the name the writer creates is taken.
void refuseNewFiles() {
    fs::create_directory(pluginsFolder() / "ml_tg.ini.tmp");
}

// The names of the menus the target popup shows, among the player's own items.
Texts shownMenus(PluginHarness& harness) {
    Texts shown;
    const HMENU target = harness.openTargetPopup();
    for (const MenuDefinition& d : model().definitionList)
        if (test::positionOf(target, d.name) >= 0) shown.push_back(d.name);
    harness.loop().closeAll();
    return shown;
}

const Texts kFirstRunMenus{"Playlist Tags", "Media Library", "Directory", "Playlist Raw"};

TEST(SettingsFolderFaults, WithoutAFolderTheFirstRunMenusWorkAndNothingIsWritten) {
    PluginHarness harness;
    harness.withoutSettingsFile();
    harness.player().setIniDir("");
    harness.start();
    EXPECT_EQ(shownMenus(harness), kFirstRunMenus);
    copyText(model().definitionList.front().name, "Renamed"); // the preferences confirmed
    writeSettings();
    EXPECT_TRUE(folderEntries(pluginsFolder()).empty());
    EXPECT_STREQ(model().definitionList.front().name, "Renamed");
}

TEST(SettingsFolderFaults, AFolderLostWhileRunningEmptiesBookmarksAndKeepsTheFile) {
    FaultScene scene;
    const std::string file = readWholeFile(pluginsFolder() / "ml_tg.ini");
    // Lost between showing the bookmarks and the click on one: nothing happens.
    const HMENU marks = scene.harness.openSubmenu(scene.harness.openTargetPopup(), "Marks");
    scene.harness.loop().select(marks, 0);
    scene.player().setIniDir("");
    scene.harness.loop().leftClick();
    scene.harness.loop().closeAll();
    EXPECT_TRUE(scene.queued().empty());

    EXPECT_TRUE(scene.root("Marks").empty());
    copyText(model().definitionList.front().name, "Renamed");
    writeSettings();
    EXPECT_EQ(readWholeFile(pluginsFolder() / "ml_tg.ini"), file);
    EXPECT_FALSE(scene.root("Library").empty()); // the rest goes on
}

TEST(SettingsFolderFaults, AFolderThatRefusesNewFilesKeepsTheFileAndTheSettingsInMemory) {
    FaultScene scene;
    const std::string file = readWholeFile(pluginsFolder() / "ml_tg.ini");
    refuseNewFiles();
    copyText(model().definitionList.front().name, "Renamed");
    writeSettings();
    EXPECT_EQ(readWholeFile(pluginsFolder() / "ml_tg.ini"), file);
    EXPECT_STREQ(model().definitionList.front().name, "Renamed");
    EXPECT_FALSE(scene.root("Library").empty()); // the rest goes on
}

TEST(SettingsFolderFaults, AFirstRunInAFolderThatRefusesNewFilesStillShowsItsMenus) {
    PluginHarness harness;
    harness.withoutSettingsFile();
    refuseNewFiles();
    harness.start();
    EXPECT_EQ(shownMenus(harness), kFirstRunMenus);
    EXPECT_EQ(folderEntries(pluginsFolder()), Texts{"ml_tg.ini.tmp"});
}

// Damaged and hand-edited files through start and shut-down: what reads whole
// is used, a file whose header does not read gives the first-run menus, and
// the file is exactly as it was afterwards.
TEST(SettingsFolderFaults, ADamagedFileIsNeverOverwrittenByDefaults) {
    const std::string kHeader = "9 1 1 4 35 2 2 -1 0 40188 2 0 0 1 0 1\n";
    struct Case {
        std::string text;
        Texts menus;
    };
    const Case cases[] = {
        {"", kFirstRunMenus},
        {std::string("\x00\x01garbage\xff", 10), kFirstRunMenus},
        {kHeader + "2 0 2 0 1 1 0 1 1 0|Whole Menu\n\nmp3\n2 0 2 0 1 X", // the second is cut
         {"Whole Menu"}},
        {"9 1 1 4 35 2 99999999 0 0 40188", kFirstRunMenus}, // a count no file holds, options cut
        // Edited by hand: the last line, an empty field, has no line end.
        {kHeader + "2 0 2 0 1 1 0 1 1 0|One\n\nmp3\n2 0 2 0 1 1 0 1 1 0|Two\n\n", {"One", "Two"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        test::resetProcess();
        PluginHarness harness;
        harness.withoutSettingsFile();
        writeWholeFile(pluginsFolder() / "ml_tg.ini", c.text);
        harness.start();
        EXPECT_EQ(shownMenus(harness), c.menus);
        harness.stop();
        EXPECT_EQ(readWholeFile(pluginsFolder() / "ml_tg.ini"), c.text);
        EXPECT_EQ(folderEntries(pluginsFolder()), Texts{"ml_tg.ini"});
    }
}

// Own-menu mode written as the menu id -1 alone: the popup that goes in is the
// one that comes out, on every Preferences Cancel and at quit.
TEST(SettingsFolderFaults, AnOwnMenuNamedByItsIdAloneIsPutInOnceAndTakenOut) {
    PluginHarness harness;
    harness.withoutSettingsFile();
    writeWholeFile(pluginsFolder() / "ml_tg.ini",
                   "9 1 1 4 35 2 1 -1 0 -1 2 0 0 1 0 1\n2 0 2 0 1 1 0 1 1 0|One\n\nmp3\n");
    const Texts mainItems = test::itemTexts(harness.mainMenu());
    const int menusBefore = platform::sim::liveMenuCount();
    const auto ownPopups = [&] {
        const Texts items = test::itemTexts(harness.mainMenu());
        return std::count(items.begin(), items.end(), "Tunegrove");
    };
    harness.start();
    EXPECT_EQ(ownPopups(), 1);
    for (int i = 0; i < 2; ++i) {
        platform::sim::onDialog(IDD_PREFERENCES,
                                [](HWND dialog) { platform::sim::clickButton(dialog, IDCANCEL); });
        harness.player().openConfig(harness.window());
        EXPECT_EQ(ownPopups(), 1);
    }
    harness.stop();
    EXPECT_EQ(test::itemTexts(harness.mainMenu()), mainItems);
    EXPECT_EQ(platform::sim::liveMenuCount(), menusBefore);
}

} // namespace
} // namespace tg
