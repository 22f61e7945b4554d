// Gathering every matching file below a folder for the plug-in's own playlist.
#include "actions/popup_sources.h"
#include "model/text.h"
#include "platform/sim/inspect.h"
#include "support/temp_drive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace tg {
namespace {

using testing::UnorderedElementsAre;

class CollectFiles : public testing::Test {
protected:
    void SetUp() override { applySourceDefaults(definition, SourceType::Directory); }

    // Collects from start in an exactly sized heap buffer, so that a write past
    // it is caught, and checks that the buffer holds start again afterwards.
    std::vector<std::string> collect(const std::string& start) {
        auto buffer = std::make_unique<char[]>(kPathSize);
        copyText(buffer.get(), kPathSize, start);
        std::vector<std::string> files;
        collectFiles(buffer.get(), definition, files);
        EXPECT_EQ(std::string(buffer.get()), start) << "the path buffer is restored";
        EXPECT_EQ(platform::sim::openFindCount(), 0);
        return files;
    }

    test::TempDrive drive;
    MenuDefinition definition;
};

TEST_F(CollectFiles, GathersEveryLevelButHiddenEntriesAndDotNames) {
    drive.file("m/a.mp3");
    drive.file("m/x.txt");
    drive.file("m/b/c.mp3");
    drive.file("m/b/d/e.OGG");
    drive.file("m/b/.f.mp3");
    drive.file("m/.git/g.mp3");
    drive.file("m/secret/h.mp3");
    drive.hide("m/secret");
    drive.file("m/b/i.mp3");
    drive.hide("m/b/i.mp3");

    EXPECT_THAT(collect("C:\\m"),
                UnorderedElementsAre("C:\\m\\a.mp3", "C:\\m\\b\\c.mp3", "C:\\m\\b\\d\\e.OGG"));
    EXPECT_TRUE(platform::sim::messageBoxes().empty());
}

TEST_F(CollectFiles, HiddenByTheFoldersListIsSkippedToo) {
    drive.file("m/a.mp3");
    drive.file("m/b.mp3");
    drive.file("m/.hidden", "b.mp3\n");
    EXPECT_THAT(collect("C:\\m"), UnorderedElementsAre("C:\\m\\a.mp3"));
}

TEST_F(CollectFiles, SingleFileIsGatheredWhenItsTypeMatches) {
    drive.file("m/a.mp3");
    drive.file("m/a.txt");
    EXPECT_THAT(collect("C:\\m\\a.mp3"), UnorderedElementsAre("C:\\m\\a.mp3"));
    EXPECT_TRUE(collect("C:\\m\\a.txt").empty());
}

TEST_F(CollectFiles, HiddenStartGathersNothing) {
    drive.file("m/a.mp3");
    drive.hide("m");
    EXPECT_TRUE(collect("C:\\m").empty());
}

TEST_F(CollectFiles, MissingPathReportsItAndKeepsWhatWasGathered) {
    std::vector<std::string> files{"C:\\earlier.mp3"};
    char buffer[kPathSize] = "C:\\gone";
    collectFiles(buffer, definition, files);
    EXPECT_EQ(files, std::vector<std::string>{"C:\\earlier.mp3"});
    EXPECT_STREQ(buffer, "C:\\gone");
    ASSERT_EQ(platform::sim::messageBoxes().size(), 1u);
    EXPECT_EQ(platform::sim::messageBoxes()[0].text,
              "This is not a directory/file, check preferences.\n"
              "Remember, you can use the browse button:\nC:\\gone");
    EXPECT_EQ(platform::sim::messageBoxes()[0].caption, "Error");
}

TEST_F(CollectFiles, EntriesThatWouldNotFitThePathBufferAreSkipped) {
    // "C:\\r" and four folders of 240 characters: 4 + 4 * 241 = 968 characters.
    const std::string name(240, 'f');
    const std::string deep = "r/" + name + "/" + name + "/" + name + "/" + name + "/";
    drive.file(deep + std::string(40, 'a') + ".mp3");    // 1013 characters
    drive.file(deep + std::string(50, 'c') + ".mp3");    // 1023: the longest that fits
    drive.file(deep + std::string(51, 'd') + ".mp3");    // 1024: one too many
    drive.file(deep + std::string(100, 'e') + "/x.mp3"); // the folder alone does not fit
    drive.file(deep + std::string(52, 'g') + "/x.mp3");  // the folder fits, its file not
    drive.file(deep + std::string(53, 'h') + "/x.mp3");  // no room for its search pattern

    const std::vector<std::string> files = collect("C:\\r");
    ASSERT_EQ(files.size(), 2u);
    for (const std::string& file : files) EXPECT_LE(file.size(), kPathSize - 1);
    EXPECT_TRUE(platform::sim::messageBoxes().empty()) << "skipped, not reported";
}

} // namespace
} // namespace tg
