// Playback through the player's main window: what each command does to the
// playlist and the current entry, and the order of the notifications a
// subclassing plug-in sees, including the nested query during "next".
#include "platform/window.h"
#include "player/player.h"
#include "plugin/host_messages.h"
#include "support/player_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace tg::player {
namespace {

using test::sendCommand;
using test::sendToPlayer;

// Stands in for a plug-in that subclassed the main window: records the
// player's notifications and may answer the next-entry query itself.
struct Subclass {
    static inline std::vector<std::string> seen;
    static inline WNDPROC previous = nullptr;
    static inline std::function<LRESULT()> answerNext; // empty: pass the query on
    static inline const char* lastPlayingText = nullptr;

    static LRESULT TG_CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND) seen.push_back("command " + std::to_string(wParam));
        if (message == HOST_TRAY_NOTIFY) seen.push_back("tray " + std::to_string(lParam));
        if (message == WM_USER) {
            switch (lParam) {
            case HOST_NEXT_ENTRY_QUERY:
                seen.push_back("next?");
                if (answerNext) return answerNext();
                break;
            case HOST_PLAYLIST_MODIFIED: seen.push_back("modified"); break;
            case HOST_PLAYING_FILE:
                lastPlayingText = reinterpret_cast<const char*>(wParam);
                seen.push_back(std::string("playing ") + lastPlayingText);
                break;
            case HOST_TAGS_UPDATED: seen.push_back("tags"); break;
            case HOST_TAGS_UPDATED_WIDE: seen.push_back("wide tags"); break;
            default: break;
            }
        }
        return platform::callWindowProc(previous, window, message, wParam, lParam);
    }

    static void install() {
        seen.clear();
        answerNext = nullptr;
        lastPlayingText = nullptr;
        previous = platform::setWindowProc(player().mainWindow(), procedure);
    }
};

std::vector<PlaylistEntry> entries(std::initializer_list<const char*> files) {
    std::vector<PlaylistEntry> list;
    for (const char* file : files) list.push_back({file, std::string("title of ") + file, 100});
    return list;
}

std::string files() {
    std::string text;
    for (const PlaylistEntry& entry : player().playlist())
        text += (text.empty() ? "" : ",") + entry.file;
    return text;
}

void insertFile(const char* file, int index) {
    InsertFileRecord record{};
    std::strcpy(record.file, file);
    record.index = index;
    platform::CopyData copy;
    copy.dwData = PLAYLIST_INSERT_FILE;
    copy.cbData = sizeof record;
    copy.lpData = &record;
    platform::sendMessage(player().playlistWindow(), WM_COPYDATA, 0,
                          reinterpret_cast<LPARAM>(&copy));
}

class PlayerPlayback : public testing::Test {
protected:
    void SetUp() override { Subclass::install(); }
};

TEST_F(PlayerPlayback, NextAsksTheSubclassWhichMayInsertWhatItAnswers) {
    player().setPlaylist(entries({"a.mp3", "b.mp3", "c.mp3"}), 0);
    // As the plug-in's queue does: put the file right after the current entry, answer its index.
    Subclass::answerNext = [] {
        insertFile("x.mp3", platform::sendMessage(player().playlistWindow(), WM_USER,
                                                  PLAYLIST_GET_CURRENT_INDEX, 0) +
                                1);
        return LRESULT{1};
    };
    sendCommand(HOST_CMD_NEXT);
    EXPECT_EQ(Subclass::seen,
              (std::vector<std::string>{"command 40048", "next?", "modified", "playing x.mp3"}));
    EXPECT_EQ(files(), "a.mp3,x.mp3,b.mp3,c.mp3");
    EXPECT_EQ(player().currentIndex(), 1);
    EXPECT_TRUE(player().playing());
    EXPECT_EQ(player().log(),
              (std::vector<std::string>{
                  "HOST_CMD_NEXT", "send HOST_NEXT_ENTRY_QUERY", "PLAYLIST_GET_CURRENT_INDEX",
                  "PLAYLIST_INSERT_FILE 1 x.mp3", "send HOST_PLAYLIST_MODIFIED",
                  "HOST_NEXT_ENTRY_QUERY answered 1", "send HOST_PLAYING_FILE x.mp3"}));

    // Deleting the inserted entry again leaves the list as it was, and "next"
    // goes on with the entry that followed the current one.
    Subclass::answerNext = nullptr;
    platform::sendMessage(player().playlistWindow(), WM_USER, PLAYLIST_DELETE_ENTRY, 1);
    EXPECT_EQ(files(), "a.mp3,b.mp3,c.mp3");
    sendCommand(HOST_CMD_NEXT);
    EXPECT_EQ(player().startedFiles().back(), "b.mp3");
}

TEST_F(PlayerPlayback, WithoutAnAnswerNextFollowsThePlaylistAndWraps) {
    player().setPlaylist(entries({"a.mp3", "b.mp3", "c.mp3"}), 1);
    sendCommand(HOST_CMD_NEXT);
    sendCommand(HOST_CMD_NEXT);
    sendCommand(HOST_CMD_NEXT);
    EXPECT_EQ(
        std::vector<std::string>(player().startedFiles().begin(), player().startedFiles().end()),
        (std::vector<std::string>{"c.mp3", "a.mp3", "b.mp3"}));
    // The query went on to the player, which has no preference of its own.
    EXPECT_EQ(player().log()[2], "HOST_NEXT_ENTRY_QUERY");
    EXPECT_EQ(player().log()[3], "HOST_NEXT_ENTRY_QUERY answered -1");
}

TEST_F(PlayerPlayback, NextOnAnEmptyPlaylistStillAsks) {
    sendCommand(HOST_CMD_NEXT);
    EXPECT_EQ(Subclass::seen, (std::vector<std::string>{"command 40048", "next?"}));
    EXPECT_FALSE(player().playing());
    // An answer pointing past the playlist is the plug-in's mistake.
    Subclass::answerNext = [] { return LRESULT{4}; };
    player().setPlaylist(entries({"a.mp3"}), 0);
    sendCommand(HOST_CMD_NEXT);
    EXPECT_EQ(player().startedFiles().back(), "a.mp3");
    EXPECT_EQ(player().takeFaults(),
              std::vector<std::string>{"HOST_NEXT_ENTRY_QUERY answered 4 for a playlist of 1"});
}

TEST_F(PlayerPlayback, PlayStopAndPosition) {
    player().setPlaylist(entries({"a.mp3", "b.mp3", "c.mp3"}));
    EXPECT_EQ(sendToPlayer(0, HOST_GET_LIST_POS), -1);
    sendCommand(HOST_CMD_PLAY);
    EXPECT_EQ(player().currentIndex(), 0);
    EXPECT_TRUE(player().playing());
    sendCommand(HOST_CMD_STOP);
    EXPECT_FALSE(player().playing());
    sendToPlayer(2, HOST_SET_PLAYLIST_POS);
    EXPECT_FALSE(player().playing()); // setting the position does not start anything
    sendToPlayer(7, HOST_SET_PLAYLIST_POS);
    EXPECT_EQ(sendToPlayer(0, HOST_GET_LIST_POS), 2);
    sendCommand(HOST_CMD_PLAY);
    EXPECT_EQ(Subclass::seen,
              (std::vector<std::string>{"command 40045", "playing a.mp3", "command 40047",
                                        "command 40045", "playing c.mp3"}));
    sendToPlayer(0, HOST_CLEAR_PLAYLIST);
    EXPECT_EQ(sendToPlayer(0, HOST_GET_LIST_LENGTH), 0);
    EXPECT_EQ(sendToPlayer(0, HOST_GET_LIST_POS), -1);
    sendCommand(HOST_CMD_PLAY); // nothing to play
    EXPECT_EQ(Subclass::seen.back(), "command 40045");
    EXPECT_EQ(player().startedFiles().size(), 2u);
}

TEST_F(PlayerPlayback, PlayingFileTextOutlivesPlaylistChanges) {
    player().setPlaylist(entries({"a.mp3"}), 0);
    sendCommand(HOST_CMD_PLAY);
    sendToPlayer(0, HOST_CLEAR_PLAYLIST);
    ASSERT_NE(Subclass::lastPlayingText, nullptr);
    EXPECT_STREQ(Subclass::lastPlayingText, "a.mp3");
}

TEST_F(PlayerPlayback, EveryPlaylistChangeIsReported) {
    player().setPlaylist(entries({"a.mp3", "b.mp3"}), 0);
    test::addFile("C:\\c.mp3");
    insertFile("d.mp3", 0);
    platform::sendMessage(player().playlistWindow(), WM_USER, PLAYLIST_DELETE_ENTRY, 0);
    platform::sendMessage(player().playlistWindow(), WM_USER, PLAYLIST_DELETE_ENTRY, 9); // none
    sendToPlayer(0, HOST_CLEAR_PLAYLIST);
    EXPECT_EQ(Subclass::seen, std::vector<std::string>(4, "modified"));
}

TEST_F(PlayerPlayback, DeletingKeepsTheCurrentEntryInStep) {
    const struct {
        int current;
        int deleted;
        int after;
    } cases[] = {{2, 0, 1}, {2, 2, 1}, {2, 3, 2}, {0, 0, -1}, {1, 4, 1}, {1, -1, 1}};
    for (const auto& c : cases) {
        player().setPlaylist(entries({"a", "b", "c", "d"}), c.current);
        platform::sendMessage(player().playlistWindow(), WM_USER, PLAYLIST_DELETE_ENTRY, c.deleted);
        EXPECT_EQ(player().currentIndex(), c.after) << c.current << " " << c.deleted;
    }
}

TEST_F(PlayerPlayback, InsertingKeepsTheCurrentEntryCurrent) {
    const struct {
        int current;
        int index;
        const char* files;
        int after;
    } cases[] =
        {
            {1, 0, "x,a,b,c", 2},  {1, 1, "a,x,b,c", 2}, {1, 2, "a,b,x,c", 1},
            {1, 3, "a,b,c,x", 1},  {1, 4, "a,b,c,x", 1}, {-1, 0, "x,a,b,c", -1},
            {2, -1, "a,b,c,x", 2}, // outside the playlist: appended
        };
    for (const auto& c : cases) {
        player().setPlaylist(entries({"a", "b", "c"}), c.current);
        insertFile("x", c.index);
        EXPECT_EQ(files(), c.files) << c.index;
        EXPECT_EQ(player().currentIndex(), c.after) << c.index;
    }
}

TEST_F(PlayerPlayback, SendToHostReplacesAndPlaysOrAppends) {
    test::loadSampleLibrary();
    player().setPlaylist(entries({"old.mp3"}), 0);
    std::vector<Track> tracks(3);
    tracks[0].filename = "C:\\one.mp3";
    // tracks[1] has no file name: nothing to play, skipped
    tracks[2].filename = "C:\\two.mp3";
    tracks[2].title = "Two";
    tracks[2].length = 61;
    // Laid out as the plug-in sends them: in the player's record.
    std::deque<std::string> texts;
    const auto records = player().library().selectionRecords(tracks, texts);
    TrackList list{reinterpret_cast<TrackRecord*>(records.get()), 3, 3};
    SendToHostRecord play{0, &list, kSendToPlay};
    platform::sendMessage(player().libraryWindow(), ML_MESSAGE, reinterpret_cast<WPARAM>(&play),
                          ML_SEND_TO_HOST);
    EXPECT_EQ(files(), "C:\\one.mp3,C:\\two.mp3");
    EXPECT_EQ(player().playlist()[1].title, "Two");
    EXPECT_EQ(player().playlist()[1].length, 61);
    EXPECT_EQ(player().currentIndex(), 0);
    EXPECT_EQ(Subclass::seen, (std::vector<std::string>{"modified", "playing C:\\one.mp3"}));

    SendToHostRecord enqueue{0, &list, kSendToEnqueue};
    platform::sendMessage(player().libraryWindow(), ML_MESSAGE, reinterpret_cast<WPARAM>(&enqueue),
                          ML_SEND_TO_HOST);
    EXPECT_EQ(files(), "C:\\one.mp3,C:\\two.mp3,C:\\one.mp3,C:\\two.mp3");
    EXPECT_EQ(Subclass::seen.back(), "modified");
    EXPECT_EQ(player().startedFiles().size(), 1u);
    EXPECT_EQ(player().log().back(), "send HOST_PLAYLIST_MODIFIED");
    EXPECT_EQ(player().log()[player().log().size() - 2],
              "ML_SEND_TO_HOST mode=3 files=C:\\one.mp3,C:\\two.mp3");

    // Other kinds and modes are not the library's.
    SendToHostRecord wrong{1, &list, kSendToPlay};
    SendToHostRecord badMode{0, &list, 4};
    SendToHostRecord noList{0, nullptr, kSendToPlay};
    for (SendToHostRecord* request : {&wrong, &badMode, &noList})
        platform::sendMessage(player().libraryWindow(), ML_MESSAGE,
                              reinterpret_cast<WPARAM>(request), ML_SEND_TO_HOST);
    EXPECT_EQ(player().takeFaults().size(), 3u);
    EXPECT_EQ(player().playlist().size(), 4u);
}

TEST_F(PlayerPlayback, TrayAndTagNotificationsReachTheSubclass) {
    player().sendTrayNotify(HOST_TRAY_MIDDLE_UP);
    player().notifyTagsUpdated("C:\\a.mp3");
    player().notifyTagsUpdated("C:\\b.mp3", false);
    EXPECT_EQ(Subclass::seen, (std::vector<std::string>{"tray 520", "wide tags", "tags"}));
    EXPECT_EQ(player().log(),
              (std::vector<std::string>{"send HOST_TRAY_NOTIFY 520", "HOST_TRAY_NOTIFY 520",
                                        "send HOST_TAGS_UPDATED_WIDE C:\\a.mp3",
                                        "send HOST_TAGS_UPDATED C:\\b.mp3"}));
}

} // namespace
} // namespace tg::player
