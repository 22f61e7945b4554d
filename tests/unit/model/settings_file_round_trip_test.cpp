// Writing and reading the settings file: what goes in comes back, the
// first-run file, and a write that fails never costs the old file.
#include "model/model_state.h"
#include "model/settings_file.h"
#include "model/text.h"
#include "support/model_samples.h"
#include "support/settings_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

namespace tg {
namespace {

using test::folderEntries;
using test::readWholeFile;
using test::SettingsFolder;
using test::writeWholeFile;

constexpr char kFirstRunFile[] = "9 1 1 4 35 2 4 -1 0 40188 2 0 0 1 0 1\n"
                                 "3 0 1 2 0 1 1 0 1 1 3|Playlist Tags\n"
                                 "\n"
                                 "mp3;mpeg;mpg;avi;ogg;wav\n"
                                 "4 6 0 1 2 1 1 1 0 1 1 0|Media Library\n"
                                 "\n"
                                 "mp3;mpeg;mpg;avi;ogg;wav\n"
                                 "0 2 1 1 0 1 1 0|Directory\n"
                                 "C:\\\n"
                                 "mp3;mpeg;mpg;avi;ogg;wav\n"
                                 "2 6 16 3 1 1 0 1 1 3|Playlist Raw\n"
                                 "\n"
                                 "mp3;mpeg;mpg;avi;ogg;wav\n";

TEST(SettingsFile, PathIsThePlayersSettingsFolderPlusPluginsFile) {
    SettingsFolder folder;
    const std::string path = settingsFilePath();
    const std::string suffix = "\\Plugins\\ml_tg.ini";
    ASSERT_GT(path.size(), suffix.size());
    EXPECT_EQ(path.substr(path.size() - suffix.size()), suffix);
    folder.answerNull();
    EXPECT_EQ(settingsFilePath(), "");
}

TEST(SettingsFile, FirstRunCreatesTheFourMenusAndWritesThemExactly) {
    SettingsFolder folder;
    readSettings();

    EXPECT_EQ(readWholeFile(folder.file()), kFirstRunFile);
    EXPECT_EQ(folderEntries(folder.plugins()), std::vector<std::string>{"ml_tg.ini"});
    const ModelState& m = model();
    ASSERT_EQ(m.definitionList.size(), 4u);
    const char* names[] = {"Playlist Tags", "Media Library", "Directory", "Playlist Raw"};
    const SourceType types[] = {SourceType::PlaylistTags, SourceType::MediaLibrary,
                                SourceType::Directory, SourceType::PlaylistRaw};
    auto d = m.definitionList.begin();
    for (int i = 0; i < 4; ++i, ++d) {
        EXPECT_STREQ(d->name, names[i]);
        EXPECT_EQ(d->sourceType, types[i]);
    }
    EXPECT_STREQ(std::next(m.definitionList.begin(), 2)->query, "C:\\");
    EXPECT_EQ(m.options.hostMenuId, 40188);
    EXPECT_EQ(m.options.mainMenu, nullptr);
}

TEST(SettingsFile, FirstRunKeepsTheOtherOptionsHeldInMemory) {
    SettingsFolder folder;
    model().options.columnCount = 6;
    model().options.hotkey = 0x274;
    readSettings();
    EXPECT_EQ(model().options.columnCount, 6);
    const std::string text = readWholeFile(folder.file());
    EXPECT_EQ(text.substr(0, text.find('\n')), "9 1 1 6 35 2 4 -1 0 40188 2 0 0 1 628 1");
}

TEST(SettingsFile, WhatIsWrittenReadsBackWhole) {
    SettingsFolder folder;
    test::fillUnusualModel();
    const std::vector<MenuDefinition> written = test::copyOfDefinitions();
    const GlobalOptions options = model().options;
    writeSettings();

    resetModel();
    model().options.hostMenuId = 1; // whatever memory holds, the file decides
    readSettings();

    const ModelState& m = model();
    test::expectSameOptions(m.options, options);
    ASSERT_EQ(m.definitionList.size(), written.size());
    auto read = m.definitionList.begin();
    for (const MenuDefinition& expected : written) {
        test::expectSameStoredFields(*read, expected);
        EXPECT_EQ(read->usesSongVariables, 0);
        EXPECT_EQ(read->firstBuiltItem, 0);
        EXPECT_EQ(read->popupMenu, nullptr);
        ++read;
    }
    EXPECT_EQ(definitionPosition(m.options.mainMenu), 2);
    // Reading does not touch the file.
    const std::string before = readWholeFile(folder.file());
    readSettings();
    EXPECT_EQ(readWholeFile(folder.file()), before);
}

// Files the plug-in did not write itself: whatever was read must survive a
// write and a second read unchanged, or every confirmed Preferences dialog
// would quietly change the user's menus.
TEST(SettingsFile, WhatWasReadFromAnOddFileWritesBackUnchanged) {
    const std::string header = "9 1 1 4 35 2 1 0 0 40188 2 0 0 1 0 1\n";
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"carriage returns inside lines", header + "0 4 1 1 0 1 1 1|Na\rme\r\r\nq\rq\nmp\r3\n"},
        {"a carriage return alone", header + "0 4 1 1 0 1 1 1|\r\r\n\r\nmp3\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        resetModel();
        SettingsFolder folder;
        writeWholeFile(folder.file(), c.text);
        readSettings();
        const std::vector<MenuDefinition> read = test::copyOfDefinitions();
        const GlobalOptions options = model().options;
        writeSettings();
        readSettings();
        test::expectSameOptions(model().options, options);
        ASSERT_EQ(model().definitionList.size(), read.size());
        auto again = model().definitionList.begin();
        for (const MenuDefinition& expected : read)
            test::expectSameStoredFields(*again++, expected);
    }
}

TEST(SettingsFile, LevelLineLayoutWithAndWithoutLevels) {
    SettingsFolder folder;
    MenuDefinition& none = model().definitionList.emplace_back();
    applySourceDefaults(none, SourceType::Bookmarks);
    copyText(none.name, " x");
    MenuDefinition& two = model().definitionList.emplace_back();
    applySourceDefaults(two, SourceType::PlaylistRaw);
    writeSettings();
    const std::string text = readWholeFile(folder.file());
    EXPECT_NE(text.find("\n0 4 1 1 0 1 1 0| x\n\nmp3;mpeg;mpg;avi;ogg;wav\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\n2 6 16 3 1 1 0 1 1 3|\n"), std::string::npos) << text;
}

TEST(SettingsFile, MainMenuOutsideTheListIsWrittenAsNone) {
    SettingsFolder folder;
    test::fillUnusualModel();
    MenuDefinition stranger;
    model().options.mainMenu = &stranger;
    writeSettings();
    model().options.mainMenu = nullptr;
    readSettings();
    EXPECT_EQ(model().options.mainMenu, nullptr);
}

TEST(SettingsFile, LineBreaksInsideTextCannotShiftTheRecordsAfterThem) {
    SettingsFolder folder;
    MenuDefinition& broken = model().definitionList.emplace_back();
    applySourceDefaults(broken, SourceType::MediaLibrary);
    copyText(broken.name, "two\nlines");
    copyText(broken.query, "a\r\nb");
    MenuDefinition& after = model().definitionList.emplace_back();
    applySourceDefaults(after, SourceType::Directory);
    copyText(after.name, "After");
    writeSettings();

    readSettings();
    ASSERT_EQ(model().definitionList.size(), 2u);
    EXPECT_STREQ(model().definitionList.front().name, "two lines");
    EXPECT_STREQ(model().definitionList.front().query, "a  b");
    EXPECT_STREQ(model().definitionList.back().name, "After");
}

TEST(SettingsFile, UnterminatedFieldsAreWrittenWithinTheirBuffers) {
    SettingsFolder folder;
    MenuDefinition& d = model().definitionList.emplace_back();
    applySourceDefaults(d, SourceType::MediaLibrary);
    std::memset(d.name, 'n', sizeof d.name);
    std::memset(d.query, 'q', sizeof d.query);
    writeSettings();
    readSettings();
    ASSERT_EQ(model().definitionList.size(), 1u);
    EXPECT_EQ(std::string(model().definitionList.front().name), std::string(254, 'n'));
    EXPECT_EQ(std::string(model().definitionList.front().query), std::string(254, 'q'));
}

TEST(SettingsFile, CancelReloadDropsWhatWasNotSaved) {
    SettingsFolder folder;
    readSettings(); // first run
    MenuDefinition& added = model().definitionList.emplace_back();
    applySourceDefaults(added, SourceType::Bookmarks);
    copyText(model().definitionList.front().name, "Renamed");
    model().options.mainMenu = &added;
    model().editedDefinition = &added;

    readSettings();
    EXPECT_EQ(model().definitionList.size(), 4u);
    EXPECT_STREQ(model().definitionList.front().name, "Playlist Tags");
    EXPECT_EQ(model().options.mainMenu, nullptr);
    EXPECT_EQ(model().editedDefinition, nullptr);
    EXPECT_TRUE(model().menusDirty);
}

TEST(SettingsFile, WithoutASettingsFolderNothingIsWritten) {
    SettingsFolder folder;
    folder.answerNull();
    readSettings();
    EXPECT_EQ(model().definitionList.size(), 4u);
    EXPECT_EQ(model().options.hostMenuId, 40188);
    writeSettings();
    EXPECT_TRUE(folderEntries(folder.plugins()).empty());
}

TEST(SettingsFile, WithoutThePluginsFolderItIsNeitherCreatedNorWritten) {
    SettingsFolder folder(/*withPluginsFolder=*/false);
    readSettings();
    EXPECT_EQ(model().definitionList.size(), 4u);
    EXPECT_FALSE(std::filesystem::exists(folder.plugins()));
}

TEST(SettingsFile, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    SettingsFolder folder;
    writeWholeFile(folder.file(), kFirstRunFile);
    test::fillUnusualModel();

    // The disk fills up while writing.
    std::filesystem::create_symlink("/dev/full", folder.plugins() / "ml_tg.ini.tmp");
    writeSettings();
    EXPECT_EQ(readWholeFile(folder.file()), kFirstRunFile);
    EXPECT_EQ(folderEntries(folder.plugins()), std::vector<std::string>{"ml_tg.ini"});

    // The temporary cannot be created at all.
    std::filesystem::create_directory(folder.plugins() / "ml_tg.ini.tmp");
    writeSettings();
    EXPECT_EQ(readWholeFile(folder.file()), kFirstRunFile);
    std::filesystem::remove(folder.plugins() / "ml_tg.ini.tmp");

    // The file cannot be replaced.
    std::filesystem::remove(folder.file());
    std::filesystem::create_directory(folder.file());
    writeSettings();
    EXPECT_TRUE(std::filesystem::is_directory(folder.file()));
    EXPECT_EQ(folderEntries(folder.plugins()), std::vector<std::string>{"ml_tg.ini"});
}

TEST(SettingsFile, ASettingsPathThatCannotBeReadIsNeverOverwritten) {
    SettingsFolder folder;
    std::filesystem::create_directory(folder.file());
    readSettings();
    EXPECT_TRUE(std::filesystem::is_directory(folder.file()));
    EXPECT_EQ(folderEntries(folder.plugins()), std::vector<std::string>{"ml_tg.ini"});
}

} // namespace
} // namespace tg
