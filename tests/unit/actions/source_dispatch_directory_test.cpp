// Directory items: the path a chosen item stands for, and what the actions do
// with folders, playlist entries and paths that are not there.
#include "actions/directory_target.h"
#include "actions/popup_sources.h"
#include "actions/source_dispatch.h"
#include "model/text.h"
#include "platform/sim/inspect.h"
#include "player/player.h"
#include "support/action_player.h"
#include "support/player_support.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

namespace tg {
namespace {

using test::ActionPlayer;
using test::chosen;
using test::Texts;

std::vector<LevelSelection> walkOf(const std::vector<std::string>& values) {
    std::vector<LevelSelection> path;
    for (const std::string& value : values)
        path.push_back(chosen(value.c_str(), LevelType::PastLastLevel));
    return path;
}

MenuDefinition directoryOn(const std::string& query, const char* fileTypes = kDefaultFileTypes) {
    MenuDefinition definition;
    definition.sourceType = SourceType::Directory;
    copyText(definition.query, query);
    copyText(definition.fileTypes, fileTypes);
    return definition;
}

struct TargetCase {
    const char* name;
    std::string query;
    std::vector<std::string> values; // the chosen item is the last
    std::optional<std::string> target;
};

const TargetCase kTargets[] = {
    {"Folder", "C:\\Music", {"Rock"}, "C:\\Music\\Rock"},
    {"TrailingBackslashDropped", "C:\\Music\\", {"Rock"}, "C:\\Music\\Rock"},
    {"NestedFolders",
     "C:\\Music",
     {"Rock", "Blue Ferns", "a.mp3"},
     "C:\\Music\\Rock\\Blue Ferns\\a.mp3"},
    {"EmptyQueryIsTheDriveRoot", "", {"Music"}, "\\Music"},
    {"PlaylistFileItself", "C:\\Music", {"Lists", "best.m3u"}, "C:\\Music\\Lists\\best.m3u"},
    {"RelativeEntry",
     "C:\\Music",
     {"Lists", "best.m3u", "Rock\\a.mp3"},
     "C:\\Music\\Lists\\Rock\\a.mp3"},
    {"UpwardEntry", "C:\\Music", {"Lists", "best.m3u", "..\\a.mp3"}, "C:\\Music\\Lists\\..\\a.mp3"},
    {"DriveEntry", "C:\\Music", {"Lists", "best.m3u", "D:\\b.mp3"}, "D:\\b.mp3"},
    {"ShareEntry",
     "C:\\Music",
     {"Lists", "best.m3u", "\\\\box\\share\\c.mp3"},
     "\\\\box\\share\\c.mp3"},
    {"AddressEntry",
     "C:\\Music",
     {"Lists", "best.m3u", "http://radio/x.mp3"},
     "http://radio/x.mp3"},
    {"QueryIsPlaylistRelative",
     "C:\\Music\\Lists\\best.m3u",
     {"Rock\\a.mp3"},
     "C:\\Music\\Lists\\Rock\\a.mp3"},
    {"QueryIsPlaylistDrive", "C:\\Music\\Lists\\best.m3u", {"D:\\b.mp3"}, "D:\\b.mp3"},
    {"QueryIsPlaylistAddress",
     "C:\\Music\\Lists\\best.m3u",
     {"http://radio/x.mp3"},
     "http://radio/x.mp3"},
    // Upper case is not the playlist mark: the name is a plain folder step.
    {"MarkComparedWithCase",
     "C:\\Music",
     {"OLD.M3U", "D:\\b.mp3"},
     "C:\\Music\\OLD.M3U\\D:\\b.mp3"},
    // Outside a playlist file a name is always joined.
    {"AbsoluteLookingNameOutsidePlaylist", "C:\\Music", {"http:x"}, "C:\\Music\\http:x"},
    {"NoRecord", "C:\\Music", {}, std::nullopt},
};

class DirectoryTargets : public testing::TestWithParam<TargetCase> {};

TEST_P(DirectoryTargets, JoinsAndResolves) {
    const TargetCase& c = GetParam();
    const MenuDefinition definition = directoryOn(c.query);
    const std::vector<LevelSelection> path = walkOf(c.values);
    char target[kPathSize] = "stale";
    const bool built = buildDirectoryTarget(definition, path, static_cast<int>(c.values.size()) - 1,
                                            target, sizeof target);
    ASSERT_EQ(built, c.target.has_value());
    EXPECT_EQ(std::string(target), c.target.value_or(""));
}

INSTANTIATE_TEST_SUITE_P(Cases, DirectoryTargets, testing::ValuesIn(kTargets),
                         [](const testing::TestParamInfo<TargetCase>& row) {
                             return std::string(row.param.name);
                         });

TEST(DirectoryTargetLimits, FillsTheBufferExactlyAndRefusesOneMore) {
    // "C:" + three steps of 1 + 255 characters + one of 1 + n.
    const std::string step(255, 'f');
    for (const auto& [last, fits] : {std::pair{252, true}, std::pair{253, false}}) {
        const MenuDefinition definition = directoryOn("C:");
        const auto path =
            walkOf({step, step, step, std::string(static_cast<std::size_t>(last), 'g')});
        char target[kPathSize + 8];
        std::memset(target, '#', sizeof target);
        EXPECT_EQ(buildDirectoryTarget(definition, path, 3, target, kPathSize), fits) << last;
        EXPECT_EQ(std::strlen(target), fits ? kPathSize - 1 : 0u);
        for (std::size_t i = kPathSize; i < sizeof target; ++i) ASSERT_EQ(target[i], '#');
    }
}

TEST(DirectoryTargetLimits, DepthOutsideThePathBuildsNothing) {
    const MenuDefinition definition = directoryOn("C:\\Music");
    const auto path = walkOf({"Rock"});
    char target[kPathSize];
    for (int depth : {-2, -1, 1, 7}) {
        EXPECT_FALSE(buildDirectoryTarget(definition, path, depth, target, sizeof target)) << depth;
        EXPECT_STREQ(target, "");
    }
}

// ---- Actions against the player --------------------------------------------

class DirectoryActions : public testing::Test {
protected:
    void SetUp() override {
        test::mapSampleTree('M');
        ActionPlayer::setHostPlaylist({"C:\\now.mp3"}, 0);
        ActionPlayer::takeLog();
    }
    static Texts boxes() {
        Texts texts;
        for (const platform::sim::MessageBoxRecord& box : platform::sim::messageBoxes())
            texts.push_back(box.caption + ": " + box.text);
        return texts;
    }

    ActionPlayer host_;
};

TEST_F(DirectoryActions, PlaylistEntriesReachThePlayerResolved) {
    struct Row {
        std::string query;
        std::vector<std::string> values;
        std::string added;
    };
    const Row rows[] = {
        {"M:\\", {"Lists", "best.m3u", "Sub\\rel.mp3"}, "M:\\Lists\\Sub\\rel.mp3"},
        {"M:\\Lists\\best.m3u", {"Sub\\rel.mp3"}, "M:\\Lists\\Sub\\rel.mp3"},
        {"M:\\Lists\\best.m3u",
         {"http://radio.example.com/harbor.mp3"},
         "http://radio.example.com/harbor.mp3"},
        {"M:\\", {"Lists", "best.m3u", "C:\\Music\\x.mp3"}, "C:\\Music\\x.mp3"},
    };
    for (const Row& row : rows) {
        MenuDefinition definition = directoryOn(row.query);
        auto path = walkOf(row.values);
        executeAction(definition, path, static_cast<int>(path.size()) - 1, ClickAction::Enqueue);
        EXPECT_EQ(ActionPlayer::takeLog(),
                  (Texts{"HOST_ADD_FILE " + row.added, "send HOST_PLAYLIST_MODIFIED"}))
            << row.query;
    }
}

TEST_F(DirectoryActions, QueuingARelativeEntryTakesTheFileItNames) {
    MenuDefinition definition = directoryOn("M:\\Lists\\best.m3u");
    auto path = walkOf({"..\\Rock\\Blue Ferns\\01 - Undergrowth.mp3"});
    executeAction(definition, path, 0, ClickAction::EnqueueTg);
    EXPECT_EQ(ActionPlayer::queue(),
              Texts{"M:\\Lists\\..\\Rock\\Blue Ferns\\01 - Undergrowth.mp3"});
    EXPECT_TRUE(ActionPlayer::takeLog().empty());
}

TEST_F(DirectoryActions, CollectedFilesMixSubfoldersByWholePathIgnoringCase) {
    test::TempDrive drive('D');
    for (const char* file : {"m/c.mp3", "m/b/c.mp3", "m/A.mp3", "m/b/skip.txt", "m/.dot/x.mp3"})
        drive.file(file);
    drive.file("m/B2/hidden.mp3");
    drive.hide("m/B2");
    MenuDefinition definition = directoryOn("D:\\");
    auto path = walkOf({"m"});
    ActionPlayer::setQueue({"Q:\\kept.mp3"});
    executeAction(definition, path, 0, ClickAction::EnqueueTg);
    EXPECT_EQ(ActionPlayer::queue(),
              (Texts{"Q:\\kept.mp3", "D:\\m\\A.mp3", "D:\\m\\b\\c.mp3", "D:\\m\\c.mp3"}));
}

TEST_F(DirectoryActions, PathsDifferingOnlyInCaseKeepTheOrderTheyWereFound) {
    // 32 spellings of one name: enough for an unstable sort to reorder them.
    test::TempDrive drive('D');
    for (int bits = 0; bits < 32; ++bits) {
        std::string name = "abcde";
        for (int i = 0; i < 5; ++i)
            if ((bits & (1 << i)) != 0) name[static_cast<std::size_t>(i)] = upperAscii(name[i]);
        drive.file("m/" + name + ".mp3");
    }
    drive.file("m/0.mp3");
    drive.file("m/z.mp3");
    MenuDefinition definition = directoryOn("D:\\");
    char folder[kPathSize] = "D:\\m";
    std::vector<std::string> found;
    collectFiles(folder, definition, found);
    ASSERT_EQ(found.size(), 34u);
    // Expected: the twins in the order found, between 0.mp3 and z.mp3.
    Texts expected{"D:\\m\\0.mp3"};
    for (const std::string& file : found)
        if (file != "D:\\m\\0.mp3" && file != "D:\\m\\z.mp3") expected.push_back(file);
    expected.push_back("D:\\m\\z.mp3");

    auto path = walkOf({"m"});
    executeAction(definition, path, 0, ClickAction::EnqueueTg);
    EXPECT_EQ(ActionPlayer::queue(), expected);
}

TEST_F(DirectoryActions, PlayTgClearsAndMovesOnEvenWithNothingToQueue) {
    test::TempDrive drive('D');
    drive.folder("empty");
    drive.file("notes/readme.txt");
    struct Row {
        const char* value;
        Texts boxes;
    };
    const Row rows[] = {
        {"empty", {}},
        {"notes", {}},
        {"gone",
         {"Error: This is not a directory/file, check preferences.\nRemember, you can use "
          "the browse button:\nD:\\gone"}},
    };
    for (const Row& row : rows) {
        platform::sim::clearMessageBoxes();
        ActionPlayer::setQueue({"Q:\\old.mp3"});
        MenuDefinition definition = directoryOn("D:\\");
        auto path = walkOf({row.value});
        host_.forgetNext();
        executeAction(definition, path, 0, ClickAction::PlayTg);
        EXPECT_TRUE(host_.nextSent()) << row.value;
        EXPECT_TRUE(host_.queueAtNext().empty()) << row.value;
        EXPECT_TRUE(ActionPlayer::queue().empty()) << row.value;
        EXPECT_EQ(boxes(), row.boxes) << row.value;
    }
    ActionPlayer::takeLog();
}

TEST_F(DirectoryActions, EnqueueTgOfNothingLeavesTheQueue) {
    test::TempDrive drive('D');
    drive.folder("empty");
    for (const char* value : {"empty", "gone"}) {
        ActionPlayer::setQueue({"Q:\\old.mp3"});
        MenuDefinition definition = directoryOn("D:\\");
        auto path = walkOf({value});
        executeAction(definition, path, 0, ClickAction::EnqueueTg);
        EXPECT_EQ(ActionPlayer::queue(), Texts{"Q:\\old.mp3"}) << value;
        EXPECT_TRUE(ActionPlayer::takeLog().empty()) << value;
    }
    platform::sim::clearMessageBoxes();
}

TEST_F(DirectoryActions, ATargetTooLongForThePathBufferIsRefusedWhole) {
    const std::string step(255, 'f');
    for (int action = 0; action <= 4; ++action) {
        ActionPlayer::setQueue({"Q:\\old.mp3"});
        MenuDefinition definition = directoryOn("C:\\" + step);
        auto path = walkOf({step, step, step, step});
        executeAction(definition, path, 3, static_cast<ClickAction>(action));
        EXPECT_TRUE(ActionPlayer::takeLog().empty()) << action;
        EXPECT_EQ(ActionPlayer::queue(), Texts{"Q:\\old.mp3"}) << action;
        EXPECT_EQ(ActionPlayer::hostFiles(), Texts{"C:\\now.mp3"}) << action;
    }
    EXPECT_TRUE(platform::sim::messageBoxes().empty());
}

} // namespace
} // namespace tg
