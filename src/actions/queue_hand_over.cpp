#include "actions/queue_hand_over.h"

#include "actions/plugin_playlist.h"
#include "model/model_state.h"
#include "platform/thread.h"
#include "plugin/host_messages.h"

#include <cstring>

namespace tg {

namespace {

// Long enough for the player to have started the file before its entry goes.
constexpr DWORD kRemovalDelayMs = 200;

void removalWorker(void*) {
    removeTemporaryEntry();
}

} // namespace

void locateInHostPlaylist(const std::string& file) {
    PluginPlaylistState& s = pluginPlaylistState();
    s.temporaryEntry = false;
    s.pendingHostIndex = -1;

    const int n = host::getListLength();
    for (int i = 0; i < n; ++i) {
        const char* entry = host::getEntryFile(i);
        if (entry == nullptr) continue;
        if (std::strcmp(entry, file.c_str()) == 0) {
            s.pendingHostIndex = i;
            return;
        }
    }

    // Set before the insertion: the HOST_PLAYLIST_MODIFIED it causes must not
    // empty the queue.
    s.temporaryEntry = true;
    HWND playlistWindow = host::getPlaylistWindow();
    int position = host::playlistGetCurrentIndex(playlistWindow);
    // Compared before adding 1 so that a current index of INT_MAX cannot overflow.
    position = (position < -1 || position >= n) ? 0 : position + 1;
    s.inserting = true;
    host::playlistInsertFile(playlistWindow, file.c_str(), position);
    s.inserting = false;
    s.pendingHostIndex = position;
}

int answerNextEntry() {
    PluginPlaylistState& s = pluginPlaylistState();
    if (s.pluginPlaylist.empty()) return -1;

    // A copy: the messages below reach the player, which may call back into the
    // plug-in while they are handled.
    const QueueEntry head = s.pluginPlaylist.front();
    locateInHostPlaylist(head.file);
    removeQueueEntry(head.serial);
    return s.pendingHostIndex;
}

void updatePlayingFile(const char* file) {
    ModelState& m = model();
    // Copied before the assignment: file may point into nowPlayingFile itself.
    std::optional<std::string> playing;
    if (file != nullptr) playing.emplace(file);
    m.nowPlayingFile = playing;
    m.songMenusValid = false;

    if (playing) {
        std::string text = *playing; // the record's query field is not const
        QueryRecord query{text.data(), 0, nullptr, 0, 0};
        host::mlRunFilenameQuery(&query);
        if (heldRecords(query) <= 0) m.libraryMenusValid = false;
        host::mlFreeQueryResults(&query);
    }

    PluginPlaylistState& s = pluginPlaylistState();
    const std::int32_t inserted = s.pendingHostIndex;
    if (!s.temporaryEntry || inserted < 0) return;
    if (s.removalPending.exchange(true)) {
        // One worker at a time: a second one would take its index before the
        // first deletion moved the entry up, and delete the entry after it.
        // The running worker deletes this one in its turn instead; an entry
        // at or before its own (or its own, reported twice) is not followed.
        if (inserted > s.removalIndex) s.followingRemovalIndex = inserted;
        return;
    }
    s.removalIndex = inserted;
    if (!platform::startWorker(removalWorker, nullptr)) {
        s.removalIndex = -1;
        s.removalPending = false;
    }
}

void removeTemporaryEntry() {
    PluginPlaylistState& s = pluginPlaylistState();
    int index = s.pendingHostIndex;
    for (;;) {
        platform::sleepMs(kRemovalDelayMs);
        if (index >= 0) {
            s.deletingIndex = index;
            host::playlistDeleteEntry(host::getPlaylistWindow(), index);
            s.deletingIndex = -1;
        }
        // An entry inserted after this one started during the wait: its index
        // was moved up with the deletion. It gets its own wait.
        index = s.followingRemovalIndex.exchange(-1);
        if (index < 0) break;
    }
    s.removalIndex = -1;
    s.pendingHostIndex = -1;
    s.temporaryEntry = false;
    s.removalPending = false;
}

void resetOnPlaylistModified() {
    PluginPlaylistState& s = pluginPlaylistState();
    // The worker's deletion, made on this thread: an entry waiting to follow
    // it moves up by one.
    if (!s.inserting) {
        const std::int32_t deleted = s.deletingIndex.exchange(-1);
        if (deleted >= 0) {
            s.removalIndex = -1;
            const std::int32_t following = s.followingRemovalIndex;
            if (following > deleted) s.followingRemovalIndex = following - 1;
        }
    }
    // The plug-in's own insertion, or the deletion its worker is about to make.
    if (s.temporaryEntry || s.removalPending) return;
    model().playlistMenusValid = false;
    s.pendingHostIndex = -1;
    emptyPluginPlaylist();
}

} // namespace tg
