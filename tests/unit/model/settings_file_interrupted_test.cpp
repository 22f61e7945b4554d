// Writing the settings file when the system gets in the way between writing
// the new file and putting it in place: the old file is whole at every moment,
// a failed or interrupted write costs nothing, and what an interrupted write
// leaves behind is neither read nor in the way of the next write.
#include "model/model_state.h"
#include "model/settings_file.h"
#include "model/text.h"
#include "platform/sim/inspect.h"
#include "support/model_samples.h"
#include "support/settings_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tg {
namespace {

using test::folderEntries;
using test::readWholeFile;
using test::SettingsFolder;
using test::writeWholeFile;

constexpr char kOldFile[] = "9 1 1 4 35 2 1 0 0 40188 2 0 0 1 0 1\n"
                            "2 0 2 0 1 1 0 1 1 0|Kept Menu\n"
                            "\n"
                            "mp3\n";

std::string temporaryOf(const SettingsFolder& folder) {
    return (folder.plugins() / "ml_tg.ini.tmp").string();
}

TEST(SettingsFileInterrupted, TheOldFileIsWholeUntilTheNewOneIsCompleteBesideIt) {
    SettingsFolder folder;
    writeWholeFile(folder.file(), kOldFile);
    test::fillUnusualModel();

    std::string oldAtTheMove;
    std::string newAtTheMove;
    std::vector<std::string> flushedAtTheMove;
    platform::sim::beforeNextReplaceFile([&] {
        oldAtTheMove = readWholeFile(folder.file());
        newAtTheMove = readWholeFile(temporaryOf(folder));
        flushedAtTheMove = platform::sim::flushedFiles();
    });
    writeSettings();
    EXPECT_EQ(oldAtTheMove, kOldFile);
    // On disk, not only in the system's cache, before it takes the old one's place.
    ASSERT_EQ(flushedAtTheMove.size(), 1u);
    EXPECT_NE(flushedAtTheMove[0].find("ml_tg.ini.tmp"), std::string::npos);
    const std::string written = readWholeFile(folder.file());
    EXPECT_NE(written, kOldFile);
    EXPECT_EQ(newAtTheMove, written);
    EXPECT_EQ(folderEntries(folder.plugins()), std::vector<std::string>{"ml_tg.ini"});
}

TEST(SettingsFileInterrupted, AFailedMoveKeepsTheOldFileAndTheSettingsInMemory) {
    for (const DWORD error : {ERROR_ACCESS_DENIED, ERROR_PATH_NOT_FOUND}) {
        SCOPED_TRACE(error);
        SettingsFolder folder;
        writeWholeFile(folder.file(), kOldFile);
        resetModel();
        test::fillUnusualModel();
        const std::size_t menus = model().definitionList.size();
        platform::sim::failReplaceFile(true, error);
        writeSettings();
        platform::sim::failReplaceFile(false);
        EXPECT_EQ(readWholeFile(folder.file()), kOldFile);
        EXPECT_EQ(folderEntries(folder.plugins()), std::vector<std::string>{"ml_tg.ini"});
        EXPECT_EQ(model().definitionList.size(), menus);
    }
}

// A process ended between the two steps leaves the new file beside the old;
// the next start reads the old one, and the next write goes through.
TEST(SettingsFileInterrupted, WhatAnInterruptedWriteLeftIsIgnoredAndReplaced) {
    for (const bool halfWritten : {false, true}) {
        SCOPED_TRACE(halfWritten);
        SettingsFolder folder;
        writeWholeFile(folder.file(), kOldFile);
        resetModel();
        test::fillUnusualModel();
        platform::sim::failReplaceFile(true);
        platform::sim::failDeleteFile(true);
        writeSettings();
        platform::sim::failReplaceFile(false);
        platform::sim::failDeleteFile(false);
        EXPECT_EQ(readWholeFile(folder.file()), kOldFile);
        const std::string left = readWholeFile(temporaryOf(folder));
        ASSERT_GT(left.size(), 40u);
        if (halfWritten) writeWholeFile(temporaryOf(folder), left.substr(0, 40));

        resetModel();
        readSettings();
        ASSERT_EQ(model().definitionList.size(), 1u);
        EXPECT_STREQ(model().definitionList.front().name, "Kept Menu");
        EXPECT_EQ(readWholeFile(folder.file()), kOldFile);

        copyText(model().definitionList.front().name, "Renamed");
        writeSettings();
        EXPECT_NE(readWholeFile(folder.file()).find("|Renamed\n"), std::string::npos);
        EXPECT_EQ(folderEntries(folder.plugins()), std::vector<std::string>{"ml_tg.ini"});
    }
}

} // namespace
} // namespace tg
