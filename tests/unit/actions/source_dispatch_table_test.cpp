// What reaches the player for each source and each of the five actions, in
// order, and what the plug-in playlist holds at the "next" command and after.
#include "actions/source_dispatch.h"
#include "model/text.h"
#include "player/player.h"
#include "support/action_player.h"
#include "support/message_sequence.h"
#include "support/player_support.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <optional>

namespace tg {
namespace {

using test::ActionPlayer;
using test::chosen;
using test::Sequence;
using test::Texts;
using test::track;

constexpr char kBookmarked[] =
    "C:\\Music\\Mira Okafor\\Lagos Morning\\03 - Window Paradise Silver Satellite.mp3";

// The query of the chosen artist; the library holds its tracks out of menu order.
const Sequence kLibraryQuery = {
    "HOST_GET_LIST_POS",
    "ML_RUN_QUERY max=0 (artist == \"Beta\" OR artist == \"The Beta\" OR artist begins \" \" "
    "OR artist begins \"The  \") -> 2"};
const Sequence kLibraryRelease = {"ML_FREE_QUERY_RESULTS 2 records"};
// Playlist Tags narrows the library's answer to the player's playlist at once.
const Sequence kTagsQuery =
    kLibraryQuery + Sequence{"HOST_GET_LIST_LENGTH", "HOST_GET_ENTRY_FILE 0",
                             "HOST_GET_ENTRY_FILE 1", "HOST_GET_ENTRY_FILE 2",
                             "ML_FREE_QUERY_RESULTS 2 records"};
const Sequence kSendPlay = {"ML_SEND_TO_HOST mode=2 files=C:\\lib\\beta1.mp3,C:\\lib\\beta2.mp3",
                            "send HOST_PLAYLIST_MODIFIED",
                            "send HOST_PLAYING_FILE C:\\lib\\beta1.mp3"};
const Sequence kSendEnqueue = {"ML_SEND_TO_HOST mode=3 files=C:\\lib\\beta1.mp3,C:\\lib\\beta2.mp3",
                               "send HOST_PLAYLIST_MODIFIED"};
// beta1.mp3 first stands at index 2 of the player's playlist.
const Sequence kNextToBeta1 = {"HOST_CMD_NEXT", "send HOST_NEXT_ENTRY_QUERY",
                               "HOST_NEXT_ENTRY_QUERY answered 2",
                               "send HOST_PLAYING_FILE C:\\lib\\beta1.mp3"};

const Texts kMixedFolder = {"M:\\Mixed\\a\\inside-a.mp3", "M:\\Mixed\\B\\inside-b.mp3",
                            "M:\\Mixed\\y.MP3", "M:\\Mixed\\Z.mp3"};

// A change of the player's playlist that the plug-in did not make itself empties
// the queue, so only the actions that leave the player's list alone keep it.
struct Cell {
    const char* name;
    SourceType source;
    ClickAction action;
    Sequence sent;
    Texts queueAfter;
    std::optional<Texts> queueAtNext; // none: no HOST_CMD_NEXT
};

const Cell kCells[] = {
    {"LibraryPlay",
     SourceType::MediaLibrary,
     ClickAction::Play,
     kLibraryQuery + kSendPlay + kLibraryRelease,
     {},
     {}},
    {"LibraryEnqueue",
     SourceType::MediaLibrary,
     ClickAction::Enqueue,
     kLibraryQuery + kSendEnqueue + kLibraryRelease,
     {},
     {}},
    {"LibraryEnqueueAndPlay",
     SourceType::MediaLibrary,
     ClickAction::EnqueueAndPlay,
     kLibraryQuery + kSendEnqueue + kNextToBeta1 + kLibraryRelease,
     {},
     Texts{"C:\\lib\\beta1.mp3"}},
    {"LibraryPlayTg",
     SourceType::MediaLibrary,
     ClickAction::PlayTg,
     kLibraryQuery + kNextToBeta1 + kLibraryRelease,
     {"C:\\lib\\beta2.mp3"},
     Texts{"C:\\lib\\beta1.mp3", "C:\\lib\\beta2.mp3"}},
    {"LibraryEnqueueTg",
     SourceType::MediaLibrary,
     ClickAction::EnqueueTg,
     kLibraryQuery + kLibraryRelease,
     {"Q:\\kept.mp3", "C:\\lib\\beta1.mp3", "C:\\lib\\beta2.mp3"},
     {}},

    {"TagsPlay", SourceType::PlaylistTags, ClickAction::Play, kTagsQuery + kSendPlay, {}, {}},
    {"TagsEnqueue",
     SourceType::PlaylistTags,
     ClickAction::Enqueue,
     kTagsQuery + kSendEnqueue,
     {},
     {}},
    {"TagsEnqueueAndPlay",
     SourceType::PlaylistTags,
     ClickAction::EnqueueAndPlay,
     kTagsQuery + kSendEnqueue + kNextToBeta1,
     {},
     Texts{"C:\\lib\\beta1.mp3"}},
    {"TagsPlayTg",
     SourceType::PlaylistTags,
     ClickAction::PlayTg,
     kTagsQuery + kNextToBeta1,
     {"C:\\lib\\beta2.mp3"},
     Texts{"C:\\lib\\beta1.mp3", "C:\\lib\\beta2.mp3"}},
    {"TagsEnqueueTg",
     SourceType::PlaylistTags,
     ClickAction::EnqueueTg,
     kTagsQuery,
     {"Q:\\kept.mp3", "C:\\lib\\beta1.mp3", "C:\\lib\\beta2.mp3"},
     {}},

    {"DirectoryPlay",
     SourceType::Directory,
     ClickAction::Play,
     {"HOST_CLEAR_PLAYLIST", "send HOST_PLAYLIST_MODIFIED", "HOST_ADD_FILE M:\\Mixed",
      "send HOST_PLAYLIST_MODIFIED", "HOST_CMD_STOP", "HOST_SET_PLAYLIST_POS 0", "HOST_CMD_PLAY",
      "send HOST_PLAYING_FILE M:\\Mixed\\y.MP3"},
     {},
     {}},
    {"DirectoryEnqueue",
     SourceType::Directory,
     ClickAction::Enqueue,
     {"HOST_ADD_FILE M:\\Mixed", "send HOST_PLAYLIST_MODIFIED"},
     {},
     {}},
    {"DirectoryEnqueueAndPlay",
     SourceType::Directory,
     ClickAction::EnqueueAndPlay,
     {"HOST_GET_LIST_LENGTH", "HOST_ADD_FILE M:\\Mixed", "send HOST_PLAYLIST_MODIFIED",
      "HOST_CMD_STOP", "HOST_SET_PLAYLIST_POS 3", "HOST_CMD_PLAY",
      "send HOST_PLAYING_FILE M:\\Mixed\\y.MP3"},
     {},
     {}},
    // The first collected file is not in the player's playlist: it goes in after
    // the current entry (index 1).
    {"DirectoryPlayTg",
     SourceType::Directory,
     ClickAction::PlayTg,
     {"HOST_CMD_NEXT", "send HOST_NEXT_ENTRY_QUERY", "HOST_NEXT_ENTRY_QUERY answered 1",
      "send HOST_PLAYING_FILE M:\\Mixed\\a\\inside-a.mp3"},
     Texts(kMixedFolder.begin() + 1, kMixedFolder.end()),
     kMixedFolder},
    {"DirectoryEnqueueTg",
     SourceType::Directory,
     ClickAction::EnqueueTg,
     {},
     Texts{"Q:\\kept.mp3"} + kMixedFolder,
     {}},

    {"RawPlay",
     SourceType::PlaylistRaw,
     ClickAction::Play,
     {"HOST_SET_PLAYLIST_POS 1", "HOST_CMD_STOP", "HOST_CMD_PLAY", "send HOST_PLAYING_FILE b.mp3"},
     {"Q:\\kept.mp3"},
     {}},
    {"RawEnqueue", SourceType::PlaylistRaw, ClickAction::Enqueue, {}, {"Q:\\kept.mp3"}, {}},
    {"RawEnqueueAndPlay",
     SourceType::PlaylistRaw,
     ClickAction::EnqueueAndPlay,
     {"HOST_SET_PLAYLIST_POS 1", "HOST_CMD_STOP", "HOST_CMD_PLAY", "send HOST_PLAYING_FILE b.mp3"},
     {"Q:\\kept.mp3"},
     {}},
    {"RawPlayTg",
     SourceType::PlaylistRaw,
     ClickAction::PlayTg,
     {"HOST_GET_ENTRY_FILE 1", "HOST_CMD_NEXT", "send HOST_NEXT_ENTRY_QUERY",
      "HOST_NEXT_ENTRY_QUERY answered 1", "send HOST_PLAYING_FILE b.mp3"},
     {},
     Texts{"b.mp3"}},
    {"RawEnqueueTg",
     SourceType::PlaylistRaw,
     ClickAction::EnqueueTg,
     {"HOST_GET_ENTRY_FILE 1"},
     {"Q:\\kept.mp3", "b.mp3"},
     {}},

    {"BookmarkPlay",
     SourceType::Bookmarks,
     ClickAction::Play,
     {"HOST_GET_INI_DIR", "HOST_CLEAR_PLAYLIST", "send HOST_PLAYLIST_MODIFIED",
      std::string("HOST_ADD_FILE ") + kBookmarked, "send HOST_PLAYLIST_MODIFIED", "HOST_CMD_STOP",
      "HOST_SET_PLAYLIST_POS 0", "HOST_CMD_PLAY",
      std::string("send HOST_PLAYING_FILE ") + kBookmarked},
     {},
     {}},
    {"BookmarkEnqueue",
     SourceType::Bookmarks,
     ClickAction::Enqueue,
     {"HOST_GET_INI_DIR", std::string("HOST_ADD_FILE ") + kBookmarked,
      "send HOST_PLAYLIST_MODIFIED"},
     {},
     {}},
    {"BookmarkEnqueueAndPlay",
     SourceType::Bookmarks,
     ClickAction::EnqueueAndPlay,
     {"HOST_GET_INI_DIR", "HOST_GET_LIST_LENGTH", std::string("HOST_ADD_FILE ") + kBookmarked,
      "send HOST_PLAYLIST_MODIFIED", "HOST_CMD_STOP", "HOST_SET_PLAYLIST_POS 3", "HOST_CMD_PLAY",
      std::string("send HOST_PLAYING_FILE ") + kBookmarked},
     {},
     {}},
    {"BookmarkPlayTg",
     SourceType::Bookmarks,
     ClickAction::PlayTg,
     {"HOST_GET_INI_DIR", "HOST_CMD_NEXT", "send HOST_NEXT_ENTRY_QUERY",
      "HOST_NEXT_ENTRY_QUERY answered 1", std::string("send HOST_PLAYING_FILE ") + kBookmarked},
     {},
     Texts{kBookmarked}},
    {"BookmarkEnqueueTg",
     SourceType::Bookmarks,
     ClickAction::EnqueueTg,
     {"HOST_GET_INI_DIR"},
     {"Q:\\kept.mp3", kBookmarked},
     {}},
};

void PrintTo(const Cell& cell, std::ostream* out) {
    *out << cell.name;
}

class MenuCommandsTable : public testing::TestWithParam<Cell> {
protected:
    void SetUp() override {
        test::mapSampleTree('M');
        ASSERT_NO_FATAL_FAILURE(test::installSampleBookmarks('S'));
        player::player().setTracks({track("C:\\lib\\beta2.mp3", "Beta", "B", "Two", 2),
                                    track("C:\\lib\\alpha.mp3", "Alpha", "A", "Ace", 1),
                                    track("C:\\lib\\beta1.mp3", "Beta", "B", "One", 1)});
        host_.emplace();
        // No current entry for the library rows, so no current-song lookup.
        const int current = GetParam().source == SourceType::MediaLibrary ||
                                    GetParam().source == SourceType::PlaylistTags
                                ? -1
                                : 0;
        ActionPlayer::setHostPlaylist({"C:\\lib\\beta2.mp3", "b.mp3", "C:\\lib\\beta1.mp3"},
                                      current);
        ActionPlayer::setQueue({"Q:\\kept.mp3"});
        ActionPlayer::takeLog();
    }
    void TearDown() override { host_.reset(); }

    // The chosen item of each source: artist Beta, folder Mixed, entry 2, a bookmark.
    static void walk(SourceType source, MenuDefinition& definition,
                     std::vector<LevelSelection>& path, int& depth) {
        definition.sourceType = source;
        depth = 0;
        switch (source) {
        case SourceType::MediaLibrary:
        case SourceType::PlaylistTags:
            definition.levels = {LevelType::Artist, LevelType::Album, LevelType::Title};
            path = {chosen("Beta", LevelType::Artist)};
            break;
        case SourceType::Directory:
            copyText(definition.query, "M:\\");
            copyText(definition.fileTypes, kDefaultFileTypes);
            path = {chosen("Mixed", LevelType::PastLastLevel)};
            break;
        case SourceType::PlaylistRaw:
            definition.levels = {LevelType::Range, LevelType::PlaylistEntries};
            path = {chosen("1", LevelType::Range, "3"),
                    chosen("2. b.mp3", LevelType::PlaylistEntries)};
            depth = 1;
            break;
        case SourceType::Bookmarks: path = {chosen("Morning Mix", LevelType::PastLastLevel)}; break;
        }
    }

    test::TempDrive settings_{'S'};
    std::optional<ActionPlayer> host_;
};

TEST_P(MenuCommandsTable, SendsInOrderAndLeavesTheQueue) {
    const Cell& cell = GetParam();
    MenuDefinition definition;
    std::vector<LevelSelection> path;
    int depth = 0;
    walk(cell.source, definition, path, depth);
    test::learnPlayerRecordLayout();

    executeAction(definition, path, depth, cell.action);

    EXPECT_TRUE(test::linesAre(ActionPlayer::takeLog(), cell.sent));
    EXPECT_EQ(ActionPlayer::queue(), cell.queueAfter);
    EXPECT_EQ(host_->nextSent(), cell.queueAtNext.has_value());
    if (cell.queueAtNext) {
        EXPECT_EQ(host_->queueAtNext(), *cell.queueAtNext);
    }
    EXPECT_EQ(player::player().liveQueryResults(), 0);
}

INSTANTIATE_TEST_SUITE_P(EverySourceAndAction, MenuCommandsTable, testing::ValuesIn(kCells),
                         [](const testing::TestParamInfo<Cell>& row) {
                             return std::string(row.param.name);
                         });

} // namespace
} // namespace tg
