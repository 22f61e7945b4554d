// Calls that name nothing to act on: a depth outside the walk, an action or a
// source that does not exist, a raw playlist label without an entry number.
#include "actions/source_dispatch.h"
#include "model/text.h"
#include "player/player.h"
#include "support/action_player.h"
#include "support/player_support.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <string>

namespace tg {
namespace {

using test::ActionPlayer;
using test::chosen;
using test::Texts;

class ActionGuards : public testing::Test {
protected:
    void SetUp() override {
        test::mapSampleTree('M');
        ASSERT_NO_FATAL_FAILURE(test::installSampleBookmarks('S'));
        player::Track t;
        t.filename = "C:\\a.mp3";
        t.artist = "Morning Mix"; // a sample bookmark title as well
        player::player().setTracks({t});
        ActionPlayer::setHostPlaylist({"C:\\a.mp3", "C:\\b.mp3"}, 0);
        ActionPlayer::setQueue({"Q:\\kept.mp3"});
        ActionPlayer::takeLog();
    }
    static MenuDefinition definitionOf(SourceType source) {
        MenuDefinition definition;
        definition.sourceType = source;
        if (source == SourceType::Directory) copyText(definition.query, "M:\\");
        if (source == SourceType::PlaylistRaw) definition.levels = {LevelType::PlaylistEntries};
        if (source == SourceType::MediaLibrary || source == SourceType::PlaylistTags)
            definition.levels = {LevelType::Artist};
        return definition;
    }
    static void expectNothingDone(const std::string& what) {
        EXPECT_TRUE(ActionPlayer::takeLog().empty()) << what;
        EXPECT_EQ(ActionPlayer::queue(), Texts{"Q:\\kept.mp3"}) << what;
        EXPECT_EQ(ActionPlayer::hostFiles(), (Texts{"C:\\a.mp3", "C:\\b.mp3"})) << what;
    }

    test::TempDrive settings_{'S'};
    ActionPlayer host_;
};

TEST_F(ActionGuards, DepthOutsideTheWalkDoesNothing) {
    const SourceType sources[] = {SourceType::PlaylistTags, SourceType::MediaLibrary,
                                  SourceType::Directory, SourceType::PlaylistRaw,
                                  SourceType::Bookmarks};
    struct Row {
        int records;
        int depth;
    };
    const Row rows[] = {{1, 1}, {1, 5}, {0, 0}, {2, -2}, {1, -1000}};
    for (SourceType source : sources) {
        MenuDefinition definition = definitionOf(source);
        for (const Row& row : rows) {
            std::vector<LevelSelection> path(static_cast<std::size_t>(row.records),
                                             chosen("1. Morning Mix", LevelType::Artist));
            for (int action = 0; action <= 4; ++action)
                executeAction(definition, path, row.depth, static_cast<ClickAction>(action));
            expectNothingDone("source " + std::to_string(static_cast<int>(source)));
        }
    }
}

TEST_F(ActionGuards, OnlyLibraryMenusHaveACaptionLine) {
    for (SourceType source :
         {SourceType::Directory, SourceType::PlaylistRaw, SourceType::Bookmarks}) {
        MenuDefinition definition = definitionOf(source);
        std::vector<LevelSelection> path{chosen("1. Morning Mix", LevelType::PastLastLevel)};
        for (int action = 0; action <= 4; ++action)
            executeAction(definition, path, -1, static_cast<ClickAction>(action));
        expectNothingDone("caption line");
    }
}

TEST_F(ActionGuards, UnknownActionsAndSourcesDoNothing) {
    std::vector<LevelSelection> path{chosen("1. Morning Mix", LevelType::Artist)};
    for (SourceType source :
         {SourceType::PlaylistTags, SourceType::MediaLibrary, SourceType::Directory,
          SourceType::PlaylistRaw, SourceType::Bookmarks}) {
        MenuDefinition definition = definitionOf(source);
        for (int action : {-1, 5, 1000})
            executeAction(definition, path, 0, static_cast<ClickAction>(action));
        expectNothingDone("unknown action");
    }
    for (int source : {-1, 5, 99}) {
        MenuDefinition definition = definitionOf(static_cast<SourceType>(source));
        for (int action = 0; action <= 4; ++action)
            executeAction(definition, path, 0, static_cast<ClickAction>(action));
        expectNothingDone("unknown source");
    }
}

TEST_F(ActionGuards, RawLabelsNameTheirEntryByTheirLeadingNumber) {
    MenuDefinition definition = definitionOf(SourceType::PlaylistRaw);
    struct Row {
        const char* value;
        Texts sent; // for EnqueueTg
        Texts queue;
    };
    const Row rows[] = {
        {"2. C:\\b.mp3", {"HOST_GET_ENTRY_FILE 1"}, {"Q:\\kept.mp3", "C:\\b.mp3"}},
        {"1", {"HOST_GET_ENTRY_FILE 0"}, {"Q:\\kept.mp3", "C:\\a.mp3"}}, // a range's first entry
        {"9. gone.mp3", {"HOST_GET_ENTRY_FILE 8"}, {"Q:\\kept.mp3"}},    // no such entry
        {"99999999999. x", {"HOST_GET_ENTRY_FILE 2147483646"}, {"Q:\\kept.mp3"}},
        {"MORE", {}, {"Q:\\kept.mp3"}},
        {"0. x", {}, {"Q:\\kept.mp3"}},
        {"", {}, {"Q:\\kept.mp3"}},
    };
    for (const Row& row : rows) {
        ActionPlayer::setQueue({"Q:\\kept.mp3"});
        std::vector<LevelSelection> path{chosen(row.value, LevelType::PlaylistEntries)};
        executeAction(definition, path, 0, ClickAction::EnqueueTg);
        EXPECT_EQ(ActionPlayer::takeLog(), row.sent) << row.value;
        EXPECT_EQ(ActionPlayer::queue(), row.queue) << row.value;
    }
}

TEST_F(ActionGuards, RawPlayTgOfAnEntryWithoutAFileStillMovesOn) {
    MenuDefinition definition = definitionOf(SourceType::PlaylistRaw);
    std::vector<LevelSelection> path{chosen("9. gone.mp3", LevelType::PlaylistEntries)};
    executeAction(definition, path, 0, ClickAction::PlayTg);
    EXPECT_TRUE(host_.nextSent());
    EXPECT_TRUE(host_.queueAtNext().empty());
    EXPECT_TRUE(ActionPlayer::queue().empty());
    ActionPlayer::takeLog();
}

TEST_F(ActionGuards, RawLabelsWithoutAnEntryNumberDoNothing) {
    MenuDefinition definition = definitionOf(SourceType::PlaylistRaw);
    for (const char* value : {"MORE", "0. x", "-3. x", ""}) {
        std::vector<LevelSelection> path{chosen(value, LevelType::PlaylistEntries)};
        for (int action = 0; action <= 4; ++action)
            executeAction(definition, path, 0, static_cast<ClickAction>(action));
        expectNothingDone(value);
    }
}

} // namespace
} // namespace tg
