#include "plugin/host_notifications.h"

#include "actions/queue_hand_over.h"
#include "model/model_state.h"
#include "plugin/host_contract.h"

namespace tg {

bool onHostNotification(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (loWord(static_cast<UINT_PTR>(lParam))) {
    case HOST_NEXT_ENTRY_QUERY: {
        const int answer = answerNextEntry();
        if (answer < 0) return false; // the queue is empty: the host goes on in its order
        *result = answer;
        return true;
    }
    case HOST_PLAYLIST_MODIFIED: resetOnPlaylistModified(); return false;
    case HOST_PLAYING_FILE: updatePlayingFile(reinterpret_cast<const char*>(wParam)); return false;
    case HOST_TAGS_UPDATED:
    case HOST_TAGS_UPDATED_WIDE: model().libraryMenusValid = false; return false;
    default: return false;
    }
}

} // namespace tg
