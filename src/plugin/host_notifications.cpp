#include "plugin/host_notifications.h"

#include "actions/queue_hand_over.h"
#include "model/model_state.h"
#include "platform/utf8.h"
#include "plugin/host_contract.h"
#include "plugin/wide_calls.h"

#include <string>

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
    // A player with the wide calls sends both; only the wide one carries every name.
    case HOST_PLAYING_FILE:
        if (!wideCalls()) updatePlayingFile(reinterpret_cast<const char*>(wParam));
        return false;
    case HOST_PLAYING_FILE_WIDE: {
        if (!wideCalls()) return false;
        const auto* path = reinterpret_cast<const WideChar*>(wParam);
        if (path == nullptr) {
            updatePlayingFile(nullptr);
            return false;
        }
        const std::string file = wideToUtf8(path);
        updatePlayingFile(file.c_str());
        return false;
    }
    case HOST_TAGS_UPDATED:
    case HOST_TAGS_UPDATED_WIDE: model().libraryMenusValid = false; return false;
    default: return false;
    }
}

} // namespace tg
