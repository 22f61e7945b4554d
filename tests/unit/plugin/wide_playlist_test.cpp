// Names beyond any code page in the player's playlist: a current player speaks
// UTF-16, and every name the plug-in shows, plays and hands over must come
// through whole. An old player's answers take the same course in ANSI, in the
// code page: what it cannot hold arrives as '?' and goes back so.
#include "actions/plugin_playlist.h"
#include "model/model_state.h"
#include "platform/text_encoding.h"
#include "support/fault_scene.h"
#include "support/player_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tg {
namespace {

using test::FaultScene;
using test::holds;
using test::Texts;

struct Song {
    std::string file;
    std::string artist;
    std::string title;
};

const Song kSongs[] = {
    {"C:\\音楽\\坂本\\01 - 雨.mp3", "坂本", "雨"},
    {"C:\\Музыка\\Кино\\02 - Группа крови.mp3", "Кино", "Группа крови"},
    {"C:\\Μουσική\\Χάρις\\03 - Café 🎵.mp3", "Χάρις", "Café 🎵"},
};
// Not in the playlist: the queue must insert it.
const std::string kUnlisted = "C:\\Elsewhere\\Ёлка 🎵 été.mp3";

class WidePlaylist : public testing::TestWithParam<bool> {
protected:
    WidePlaylist() : scene(GetParam()) {
        std::vector<player::Track> tracks;
        std::vector<player::PlaylistEntry> entries;
        for (const Song& song : kSongs) {
            player::Track& track = tracks.emplace_back();
            track.filename = song.file;
            track.artist = song.artist;
            track.title = song.title;
            track.length = 205;
        }
        scene.player().library().setTracks(std::move(tracks));
        for (const Song& song : kSongs) entries.push_back(scene.player().entryFor(song.file));
        scene.player().changePlaylist(std::move(entries), 1);
        test::sendCommand(HOST_CMD_PLAY);
        scene.player().clearLog();
    }

    bool wide() const { return GetParam(); }
    // A name as the plug-in holds it, and as the player keeps it when it came back.
    static std::string held(const std::string& name) { return test::pluginText(name); }
    std::string returned(const std::string& name) const {
        return wide() ? name : platform::codePageToUtf8(held(name));
    }
    bool logged(const std::string& part) const { return holds(scene.player().log(), part); }

    FaultScene scene;
};

TEST_P(WidePlaylist, MenusShowEveryNameAndCheckThePlayingOne) {
    EXPECT_EQ(scene.rawEntries(),
              (Texts{held("1. 坂本 - 雨\t[3:25]"), held("2. Кино - Группа крови\t[3:25]"),
                     held("3. Χάρις - Café 🎵\t[3:25]")}));
    const Texts tags = scene.root("Tags");
    for (const Song& song : kSongs) EXPECT_TRUE(holds(tags, held(song.artist))) << song.artist;

    const HMENU popup = scene.harness.openSubmenu(scene.harness.openTargetPopup(), "Tags");
    const Texts checked = test::checkedTexts(popup);
    scene.harness.loop().closeAll();
    // The name of the song playing that an old player gave with '?' finds it
    // nowhere in the library: nothing is marked.
    ASSERT_EQ(checked.size(), wide() ? 1u : 0u);
    if (wide()) {
        EXPECT_NE(checked[0].find("Кино"), std::string::npos);
    }

    // An old player hears nothing of the wide calls.
    EXPECT_EQ(logged("HOST_GET_ENTRY_FILE_WIDE"), wide());
    EXPECT_EQ(logged("PLAYLIST_GET_ENTRY_INFO_WIDE"), wide());
    EXPECT_EQ(logged("_WIDE"), wide());
}

TEST_P(WidePlaylist, TheQueueAndTheBookmarksHandOverNamesWhole) {
    appendToPluginPlaylist(held(kUnlisted));
    scene.next();
    EXPECT_EQ(scene.lastStarted(), returned(kUnlisted));
    EXPECT_EQ(logged("PLAYLIST_INSERT_FILE_WIDE 2 " + kUnlisted), wide());
    EXPECT_EQ(model().nowPlayingFile, held(kUnlisted));

    scene.harness.definition("Marks").clickAction = ClickAction::Enqueue;
    // The code page copy of the bookmarks, an old player's only one, lost the name.
    scene.player().writeBookmarks(kSongs[0].file + "\n雨 mark\n");
    ASSERT_TRUE(scene.clickRoot("Marks", held("雨 mark")));
    ASSERT_FALSE(scene.playlistFiles().empty());
    EXPECT_EQ(scene.playlistFiles().back(), returned(kSongs[0].file));
    EXPECT_EQ(logged("HOST_ADD_FILE_WIDE " + kSongs[0].file), wide());
}

// A current player reports a start twice; its ANSI name may have lost characters.
TEST_P(WidePlaylist, OnlyTheNotificationInThePlayersFormMovesThePlayingFile) {
    const std::string lost = "C:\\Music\\??\\01 - ?.mp3";
    test::sendToPlayer(reinterpret_cast<WPARAM>(lost.c_str()), HOST_PLAYING_FILE);
    EXPECT_EQ(model().nowPlayingFile, wide() ? kSongs[1].file : lost);
}

// A current player may leave a full field without its terminator; an old one
// cuts and terminates.
TEST_P(WidePlaylist, EntryTextsFillingTheirFieldsAreReadOnlyToTheirEnd) {
    std::vector<player::PlaylistEntry> entries{scene.player().entryFor(kSongs[0].file)};
    entries[0].title = std::string(300, 'x');
    entries[0].length = 359999999; // wider than the length field
    scene.player().changePlaylist(std::move(entries), 0);
    scene.player().faultMode().unterminatedEntryInfo = true;
    const Texts raw = scene.rawEntries();
    ASSERT_EQ(raw.size(), 1u);
    EXPECT_EQ(raw[0], "1. " + std::string(255, 'x') + "\t[99999:59:59]");
}

INSTANTIATE_TEST_SUITE_P(Players, WidePlaylist, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& row) {
                             return row.param ? std::string("Current") : std::string("Old");
                         });

} // namespace
} // namespace tg
