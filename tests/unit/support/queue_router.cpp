#include "support/queue_router.h"

#include "actions/queue_hand_over.h"
#include "platform/window.h"
#include "player/player.h"
#include "plugin/descriptor.h"
#include "plugin/host_messages.h"

namespace tg::test {

namespace {

WNDPROC previousMain = nullptr;
WNDPROC previousPlaylist = nullptr;

LRESULT TG_CALLBACK mainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && wParam == HOST_CMD_NEXT && QueueRouter::onNextCommand)
        QueueRouter::onNextCommand();
    if (message == WM_USER) {
        switch (lParam) {
        case HOST_NEXT_ENTRY_QUERY: {
            const int answer = answerNextEntry();
            if (answer >= 0) return answer;
            break;
        }
        case HOST_PLAYLIST_MODIFIED: resetOnPlaylistModified(); break;
        case HOST_PLAYING_FILE: updatePlayingFile(reinterpret_cast<const char*>(wParam)); break;
        case HOST_GET_ENTRY_FILE:
            if (QueueRouter::nullEntries.count(static_cast<int>(wParam)) != 0) return 0;
            break;
        default: break;
        }
    }
    return platform::callWindowProc(previousMain, window, message, wParam, lParam);
}

LRESULT TG_CALLBACK playlistProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER && wParam == PLAYLIST_GET_CURRENT_INDEX && QueueRouter::currentIndex)
        return *QueueRouter::currentIndex;
    return platform::callWindowProc(previousPlaylist, window, message, wParam, lParam);
}

} // namespace

void QueueRouter::install() {
    nullEntries.clear();
    currentIndex.reset();
    onNextCommand = nullptr;
    player::Player& player = player::player();
    descriptor().hostWindow = player.mainWindow();
    descriptor().libraryWindow = player.libraryWindow();
    previousMain = platform::setWindowProc(player.mainWindow(), mainProcedure);
    previousPlaylist = platform::setWindowProc(player.playlistWindow(), playlistProcedure);
}

void QueueRouter::unsubclass() {
    player::Player& player = player::player();
    if (previousMain != nullptr) platform::setWindowProc(player.mainWindow(), previousMain);
    if (previousPlaylist != nullptr)
        platform::setWindowProc(player.playlistWindow(), previousPlaylist);
    previousMain = previousPlaylist = nullptr;
}

void QueueRouter::uninstall() {
    unsubclass();
    descriptor().hostWindow = nullptr;
    descriptor().libraryWindow = nullptr;
}

} // namespace tg::test
