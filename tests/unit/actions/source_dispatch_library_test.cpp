// Library and Playlist Tags items: which tracks an action covers, in which
// order, and that every query result is given back.
#include "actions/source_dispatch.h"
#include "menus/label_reader.h"
#include "model/text.h"
#include "player/player.h"
#include "support/action_player.h"

#include <gtest/gtest.h>

#include <string>

namespace tg {
namespace {

using test::ActionPlayer;
using test::chosen;
using test::Texts;
using test::track;

class LibraryActions : public testing::Test {
protected:
    void SetUp() override {
        // Artist order and album order disagree, so the first level sorted shows.
        player::player().setTracks({
            track("C:\\b\\2.mp3", "Beta", "Abc", "Second", 2),
            track("C:\\a\\1.mp3", "The Alpha", "Zed", "Only", 1),
            track("C:\\b\\1.mp3", "Beta", "Abc", "First", 1),
            track("C:\\b\\3.mp3", "beta", "Abc", "Third", 3),
        });
        definition_.sourceType = SourceType::MediaLibrary;
        definition_.levels = {LevelType::Artist, LevelType::Album, LevelType::Title};
        // Labels as the values read: no years, no track numbers.
        definition_.addYearToAlbums = false;
        definition_.showTrackNumbers = false;
        ActionPlayer::takeLog();
    }
    // The files of the one ML_SEND_TO_HOST in the log, or "" without one.
    static std::string sentFiles() {
        std::string files;
        for (const std::string& line : ActionPlayer::takeLog())
            if (line.rfind("ML_SEND_TO_HOST", 0) == 0) files = line.substr(line.find("files=") + 6);
        return files;
    }

    MenuDefinition definition_;
    std::vector<LevelSelection> path_;
    ActionPlayer host_;
};

TEST_F(LibraryActions, CaptionLineCoversEveryTrackSortedFromTheFirstLevel) {
    executeAction(definition_, path_, -1, ClickAction::Enqueue);
    EXPECT_EQ(sentFiles(), "C:\\a\\1.mp3,C:\\b\\1.mp3,C:\\b\\2.mp3,C:\\b\\3.mp3");
}

TEST_F(LibraryActions, ChosenValuesRestrictAndDeeperLevelsOrder) {
    struct Row {
        std::vector<LevelSelection> path;
        int depth;
        const char* files;
    };
    const Row rows[] = {
        {{chosen("Beta", LevelType::Artist)}, 0, "C:\\b\\1.mp3,C:\\b\\2.mp3,C:\\b\\3.mp3"},
        {{chosen("Alpha", LevelType::Artist)}, 0, "C:\\a\\1.mp3"},
        {{chosen("Beta", LevelType::Artist), chosen("Abc", LevelType::Album)},
         1,
         "C:\\b\\1.mp3,C:\\b\\2.mp3,C:\\b\\3.mp3"},
        {{chosen("Beta", LevelType::Artist), chosen("Abc", LevelType::Album),
          chosen("Second", LevelType::Title)},
         2,
         "C:\\b\\2.mp3"},
        // Records past depth are not the chosen item's: they restrict nothing.
        {{chosen("Beta", LevelType::Artist), chosen("Abc", LevelType::Album),
          chosen("Second", LevelType::Title)},
         0,
         "C:\\b\\1.mp3,C:\\b\\2.mp3,C:\\b\\3.mp3"},
    };
    for (const Row& row : rows) {
        path_ = row.path;
        executeAction(definition_, path_, row.depth, ClickAction::Enqueue);
        EXPECT_EQ(sentFiles(), row.files) << row.depth;
        EXPECT_EQ(player::player().liveQueryResults(), 0);
    }
}

TEST_F(LibraryActions, TheChosenLevelItselfOrdersItsTracks) {
    // One label can stand for tracks that its own level still orders: an album
    // name shared by two years whose labels show no year.
    auto dated = [](const char* file, int year, int number, const char* title) {
        player::Track t = track(file, "Various", "Greatest Hits", title, number);
        t.year = year;
        return t;
    };
    player::player().setTracks(
        {dated("C:\\90-1.mp3", 1990, 1, "A"), dated("C:\\80-1.mp3", 1980, 1, "C"),
         dated("C:\\90-2.mp3", 1990, 2, "B"), dated("C:\\90-5.mp3", 1990, 5, "Intro"),
         dated("C:\\80-3.mp3", 1980, 3, "Intro")});
    definition_.levels = {LevelType::Album, LevelType::Title};
    definition_.showTrackNumbers = true;
    path_ = {chosen("Greatest Hits", LevelType::Album)};
    executeAction(definition_, path_, 0, ClickAction::Enqueue);
    EXPECT_EQ(sentFiles(), "C:\\90-1.mp3,C:\\80-1.mp3,C:\\90-2.mp3,C:\\80-3.mp3,C:\\90-5.mp3");
    // With the year after the name, each year is an item of its own.
    definition_.addYearToAlbums = true;
    definition_.yearPosition = 1;
    path_ = {chosen("", LevelType::Album)};
    decodeItemValue("Greatest Hits (1980)", definition_, path_[0]);
    executeAction(definition_, path_, 0, ClickAction::Enqueue);
    EXPECT_EQ(sentFiles(), "C:\\80-1.mp3,C:\\80-3.mp3");
}

TEST_F(LibraryActions, EnqueueAndPlayStartsTheFirstTrackInMenuOrder) {
    ActionPlayer::setHostPlaylist({"C:\\other.mp3", "C:\\b\\3.mp3"}, 0);
    path_ = {chosen("Beta", LevelType::Artist)};
    executeAction(definition_, path_, 0, ClickAction::EnqueueAndPlay);
    EXPECT_EQ(host_.queueAtNext(), Texts{"C:\\b\\1.mp3"});
    EXPECT_EQ(ActionPlayer::hostFiles(), (Texts{"C:\\other.mp3", "C:\\b\\3.mp3", "C:\\b\\1.mp3",
                                                "C:\\b\\2.mp3", "C:\\b\\3.mp3"}));
    ASSERT_FALSE(player::player().startedFiles().empty());
    EXPECT_EQ(player::player().startedFiles().back(), "C:\\b\\1.mp3");
    EXPECT_EQ(player::player().currentIndex(), 2);
    EXPECT_TRUE(ActionPlayer::queue().empty());
}

TEST_F(LibraryActions, AnItemWithoutTracksChangesNothing) {
    path_ = {chosen("Nobody", LevelType::Artist)};
    for (int action = 0; action <= 4; ++action) {
        ActionPlayer::setQueue({"Q:\\kept.mp3"});
        ActionPlayer::takeLog();
        executeAction(definition_, path_, 0, static_cast<ClickAction>(action));
        // The empty result is still given back.
        EXPECT_EQ(ActionPlayer::takeLog(),
                  (Texts{"HOST_GET_LIST_POS",
                         "ML_RUN_QUERY max=0 (artist == \"Nobody\" OR artist == \"The Nobody\" OR "
                         "artist begins \" \" OR artist begins \"The  \") -> 0",
                         "ML_FREE_QUERY_RESULTS nothing to free"}))
            << action;
        EXPECT_EQ(ActionPlayer::queue(), Texts{"Q:\\kept.mp3"}) << action;
        EXPECT_FALSE(host_.nextSent());
    }
}

TEST_F(LibraryActions, AQueryNeedingASongWhenNoneIsCurrentChangesNothing) {
    copyText(definition_.query, "artist == \"%artist\"");
    ActionPlayer::setQueue({"Q:\\kept.mp3"});
    executeAction(definition_, path_, -1, ClickAction::PlayTg);
    EXPECT_EQ(ActionPlayer::takeLog(),
              (Texts{"HOST_GET_LIST_POS", "ML_FREE_QUERY_RESULTS nothing to free"}));
    EXPECT_EQ(ActionPlayer::queue(), Texts{"Q:\\kept.mp3"});
}

TEST_F(LibraryActions, PlaylistTagsCoverThePlaylistsEntriesOnlyEachTimeTheyStand) {
    definition_.sourceType = SourceType::PlaylistTags;
    ActionPlayer::setHostPlaylist({"C:\\b\\2.mp3", "C:\\x.mp3", "C:\\b\\2.mp3", "C:\\a\\1.mp3"},
                                  -1);
    path_ = {chosen("Beta", LevelType::Artist)};
    executeAction(definition_, path_, 0, ClickAction::EnqueueTg);
    EXPECT_EQ(ActionPlayer::queue(), (Texts{"C:\\b\\2.mp3", "C:\\b\\2.mp3"}));
    executeAction(definition_, path_, -1, ClickAction::EnqueueTg);
    EXPECT_EQ(ActionPlayer::queue(), (Texts{"C:\\b\\2.mp3", "C:\\b\\2.mp3", "C:\\a\\1.mp3",
                                            "C:\\b\\2.mp3", "C:\\b\\2.mp3"}));
}

TEST_F(LibraryActions, TracksWithoutAFileNameAreLeftOutOfTheQueue) {
    player::Track nameless = track("", "Beta", "Abc", "Aaa", 1);
    nameless.filename.reset();
    std::vector<player::Track> tracks{nameless, track("C:\\b\\2.mp3", "Beta", "Abc", "Bbb", 2)};
    player::player().setTracks(tracks);
    path_ = {chosen("Beta", LevelType::Artist)};
    executeAction(definition_, path_, 0, ClickAction::PlayTg);
    EXPECT_EQ(host_.queueAtNext(), Texts{"C:\\b\\2.mp3"});
    ActionPlayer::settleWorkers();
    host_.forgetNext();
    // The nameless track sorts first: the head goes to the first named one.
    executeAction(definition_, path_, 0, ClickAction::EnqueueAndPlay);
    EXPECT_EQ(host_.queueAtNext(), Texts{"C:\\b\\2.mp3"});
}

} // namespace
} // namespace tg
