#include "support/action_player.h"

#include "actions/plugin_playlist.h"
#include "actions/queue_hand_over.h"
#include "model/text.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "plugin/descriptor.h"
#include "plugin/host_messages.h"
#include "support/level_paths.h"
#include "support/player_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tg::test {

namespace {

WNDPROC playerProcedure = nullptr;
ActionPlayer* current = nullptr;

// The queue's part of the plug-in's window procedure. What the queue does
// while it answers the player is kept out of the log.
LRESULT TG_CALLBACK queueProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && wParam == HOST_CMD_NEXT && current != nullptr) current->noteNext();
    if (message != WM_USER)
        return platform::callWindowProc(playerProcedure, window, message, wParam, lParam);
    player::Player& host = player::player();
    switch (lParam) {
    case HOST_NEXT_ENTRY_QUERY: {
        host.setLogging(false);
        const int answer = answerNextEntry();
        host.setLogging(true);
        if (answer >= 0) return answer;
        break;
    }
    case HOST_PLAYLIST_MODIFIED: resetOnPlaylistModified(); break;
    case HOST_PLAYING_FILE:
        host.setLogging(false);
        updatePlayingFile(reinterpret_cast<const char*>(wParam));
        host.setLogging(true);
        break;
    default: break;
    }
    return platform::callWindowProc(playerProcedure, window, message, wParam, lParam);
}

} // namespace

ActionPlayer::ActionPlayer() {
    player::Player& host = player::player();
    descriptor().hostWindow = host.mainWindow();
    descriptor().libraryWindow = host.libraryWindow();
    playerProcedure = platform::setWindowProc(host.mainWindow(), queueProcedure);
    current = this;
    host.clearLog();
}

ActionPlayer::~ActionPlayer() {
    settleWorkers();
    platform::setWindowProc(player::player().mainWindow(), playerProcedure);
    playerProcedure = nullptr;
    current = nullptr;
    // The descriptor outlives the test.
    descriptor().hostWindow = nullptr;
    descriptor().libraryWindow = nullptr;
}

void ActionPlayer::noteNext() {
    nextSent_ = true;
    queueAtNext_ = queue();
}

Texts ActionPlayer::takeLog() {
    Texts log = player::player().log();
    player::player().clearLog();
    return log;
}

void ActionPlayer::setQueue(std::initializer_list<const char*> files) {
    emptyPluginPlaylist();
    for (const char* file : files) appendToPluginPlaylist(std::string_view(file));
}

Texts ActionPlayer::hostFiles() {
    Texts files;
    for (const player::PlaylistEntry& entry : player::player().playlist())
        files.push_back(entry.file);
    return files;
}

void ActionPlayer::setHostPlaylist(std::initializer_list<const char*> files, int current) {
    std::vector<player::PlaylistEntry> entries;
    for (const char* file : files) entries.push_back({file, file, 60});
    player::player().setPlaylist(std::move(entries), current);
}

void ActionPlayer::settleWorkers() {
    // Workers must reach their sleep before the virtual clock can wake them.
    platform::sim::settle();
    platform::sim::advanceClock(1000);
    platform::sim::settle();
}

void installSampleBookmarks(char letter) {
    std::ifstream in(samplePath("settings/Winamp.bm"), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    ASSERT_TRUE(player::player().setIniDir(std::string(1, letter) + ":\\Settings"));
    ASSERT_TRUE(player::player().writeIniFile("Winamp.bm", content.str()));
}

LevelSelection chosen(const char* value, LevelType kind, const char* secondValue) {
    return chosen(kind, value, secondValue);
}

player::Track track(const char* file, const char* artist, const char* album, const char* title,
                    int number) {
    player::Track t;
    t.filename = file;
    t.artist = artist;
    t.album = album;
    t.title = title;
    t.trackNumber = number;
    return t;
}

} // namespace tg::test
