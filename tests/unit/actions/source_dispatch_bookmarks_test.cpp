// Bookmark items: the pair acted on is found again by its title in the
// player's bookmark file, which may be missing or damaged.
#include "actions/source_dispatch.h"
#include "player/player.h"
#include "support/action_player.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tg {
namespace {

using test::ActionPlayer;
using test::chosen;
using test::Texts;

class BookmarkActions : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(player::player().setIniDir("B:\\Settings"));
        definition_.sourceType = SourceType::Bookmarks;
        ActionPlayer::setQueue({"Q:\\kept.mp3"});
        ActionPlayer::takeLog();
    }
    static void bookmarkFile(const std::string& content) {
        ASSERT_TRUE(player::player().writeIniFile("Winamp.bm", content));
    }
    // What EnqueueTg on the title adds to the queue.
    Texts queued(const char* title) {
        std::vector<LevelSelection> path{chosen(title, LevelType::PastLastLevel)};
        ActionPlayer::setQueue({});
        executeAction(definition_, path, 0, ClickAction::EnqueueTg);
        return ActionPlayer::queue();
    }

    test::TempDrive drive_{'B'};
    MenuDefinition definition_;
    ActionPlayer host_;
};

TEST_F(BookmarkActions, TheFirstPairWithTheTitleByteForByte) {
    bookmarkFile("C:\\a.mp3\nSong A\nD:\\b.ogg\nSong B\nE:\\again.mp3\nSong A\n"
                 "F:\\amp.mp3\nRock & Roll && More\n\nNo File\nG:\\crlf.mp3\r\nWindows\r\n");
    struct Row {
        const char* title;
        Texts queue;
    };
    const Row rows[] = {
        {"Song A", {"C:\\a.mp3"}},
        {"Song B", {"D:\\b.ogg"}},
        {"song a", {}},
        {"Song", {}},
        {"Song A ", {}},
        {"Rock & Roll && More", {"F:\\amp.mp3"}},
        {"No File", {}},
        {"Windows", {"G:\\crlf.mp3"}},
        {"C:\\a.mp3", {}}, // a file line is never a title
    };
    for (const Row& row : rows) EXPECT_EQ(queued(row.title), row.queue) << row.title;
}

TEST_F(BookmarkActions, PairsAreTakenStrictlyInOrderFromTheFirstLine) {
    // An empty first line still counts as a file line.
    bookmarkFile("\nC:\\title-looking.mp3\nSong A\nD:\\song.mp3\n");
    EXPECT_EQ(queued("C:\\title-looking.mp3"), Texts{});
    EXPECT_EQ(queued("D:\\song.mp3"), Texts{"Song A"});
    EXPECT_EQ(queued("Song A"), Texts{});
}

TEST_F(BookmarkActions, ABookmarkWithoutAFileDoesNothingEvenWhenItsTitleComesAgain) {
    bookmarkFile("\nDup\nC:\\later.mp3\nDup\n");
    std::vector<LevelSelection> path{chosen("Dup", LevelType::PastLastLevel)};
    for (int action = 0; action <= 4; ++action) {
        executeAction(definition_, path, 0, static_cast<ClickAction>(action));
        EXPECT_EQ(ActionPlayer::takeLog(), Texts{"HOST_GET_INI_DIR"}) << action;
        EXPECT_EQ(ActionPlayer::queue(), Texts{"Q:\\kept.mp3"}) << action;
    }
}

TEST_F(BookmarkActions, NoPairAfterTheFirstLineThatCannotBeRead) {
    const std::string longest(1022, 'x');
    const std::string tooLong(1023, 'y');
    bookmarkFile("C:\\before.mp3\nBefore\nC:\\" + longest + "\nLongest\n" + tooLong +
                 "\nAfter\nC:\\after.mp3\nAfter\n");
    EXPECT_EQ(queued("Before"), Texts{"C:\\before.mp3"});
    EXPECT_EQ(queued("After"), Texts{});
    // A file line of 1022 characters is read whole; the "C:\" made it 1025.
    bookmarkFile(longest + "\nLongest\n");
    EXPECT_EQ(queued("Longest"), Texts{longest});
}

TEST_F(BookmarkActions, ATitleLineMissingAtTheEndIsNoPair) {
    bookmarkFile("C:\\a.mp3\nSong A\nC:\\orphan.mp3");
    EXPECT_EQ(queued("C:\\orphan.mp3"), Texts{});
    EXPECT_EQ(queued("Song A"), Texts{"C:\\a.mp3"});
}

TEST_F(BookmarkActions, NoFileAnUnreadableOneOrNoSettingsFolderChangesNothing) {
    std::vector<LevelSelection> path{chosen("Song A", LevelType::PastLastLevel)};
    for (int action = 0; action <= 4; ++action) {
        executeAction(definition_, path, 0, static_cast<ClickAction>(action));
        EXPECT_EQ(ActionPlayer::takeLog(), Texts{"HOST_GET_INI_DIR"}) << action;
        EXPECT_EQ(ActionPlayer::queue(), Texts{"Q:\\kept.mp3"}) << action;
    }
    drive_.folder("Settings/Winamp.bm");
    executeAction(definition_, path, 0, ClickAction::PlayTg);
    EXPECT_EQ(ActionPlayer::takeLog(), Texts{"HOST_GET_INI_DIR"});
    EXPECT_EQ(ActionPlayer::queue(), Texts{"Q:\\kept.mp3"});
    std::filesystem::remove(drive_.native("Settings/Winamp.bm"));
    bookmarkFile("C:\\a.mp3\nSong A\n");
    ASSERT_TRUE(player::player().setIniDir(""));
    for (int action = 0; action <= 4; ++action) {
        executeAction(definition_, path, 0, static_cast<ClickAction>(action));
        EXPECT_EQ(ActionPlayer::takeLog(), Texts{"HOST_GET_INI_DIR"}) << action;
        EXPECT_EQ(ActionPlayer::queue(), Texts{"Q:\\kept.mp3"}) << action;
    }
}

TEST_F(BookmarkActions, TheTitleIsTakenFromTheFirstRecord) {
    bookmarkFile("C:\\a.mp3\nSong A\nD:\\b.ogg\nSong B\n");
    std::vector<LevelSelection> path{chosen("Song A", LevelType::PastLastLevel),
                                     chosen("Song B", LevelType::PastLastLevel)};
    ActionPlayer::setQueue({});
    executeAction(definition_, path, 1, ClickAction::EnqueueTg);
    EXPECT_EQ(ActionPlayer::queue(), Texts{"C:\\a.mp3"});
}

} // namespace
} // namespace tg
