#include "actions/queue_hand_over.h"

#include "actions/plugin_playlist.h"
#include "model/model_state.h"
#include "platform/thread.h"
#include "plugin/host_messages.h"

#include <algorithm>
#include <cstring>

namespace tg {

namespace {

// Long enough for the player to have started the file before its entry goes.
constexpr DWORD kRemovalDelayMs = 200;

void removalWorker(void*) {
    removeTemporaryEntry();
}

void publishNextRemoval(PluginPlaylistState& s) {
    s.nextRemoval = s.removals.empty() ? -1 : s.removals.front();
}

// Deleting by an index the plug-in can no longer vouch for would take an
// entry of the user's: such entries stay in the player's playlist instead.
void forgetLostRemovals(PluginPlaylistState& s) {
    if (!s.removalsLost.exchange(false)) return;
    s.removals.clear();
    publishNextRemoval(s);
}

} // namespace

void locateInHostPlaylist(const std::string& file) {
    PluginPlaylistState& s = pluginPlaylistState();
    forgetLostRemovals(s);
    s.temporaryEntry = false;
    s.pendingHostIndex = -1;
    s.removalScheduled = false;

    const int n = host::getListLength();
    for (int i = 0; i < n; ++i) {
        const char* entry = host::getEntryFile(i);
        if (entry == nullptr) continue;
        if (std::strcmp(entry, file.c_str()) == 0) {
            s.pendingHostIndex = i;
            return;
        }
    }

    // A name the insertion would cut is not handed over at all.
    if (!host::fitsInsertRecord(file.c_str())) return;

    // Set before the insertion: the HOST_PLAYLIST_MODIFIED it causes must not
    // empty the queue.
    s.temporaryEntry = true;
    HWND playlistWindow = host::getPlaylistWindow();
    int position = host::playlistGetCurrentIndex(playlistWindow);
    // Compared before adding 1 so that a current index of INT_MAX cannot overflow.
    position = (position < -1 || position >= n) ? 0 : position + 1;
    // Entries waiting for their removal at or after the position move down.
    for (std::int32_t& waiting : s.removals)
        if (waiting >= position) ++waiting;
    publishNextRemoval(s);
    s.inserting = true;
    host::playlistInsertFile(playlistWindow, file.c_str(), position);
    s.inserting = false;
    s.pendingHostIndex = position;
}

int answerNextEntry() {
    PluginPlaylistState& s = pluginPlaylistState();
    // An entry that cannot be handed over leaves the queue for the next one.
    while (!s.pluginPlaylist.empty()) {
        // A copy: the messages below reach the player, which may call back into
        // the plug-in while they are handled.
        const QueueEntry head = s.pluginPlaylist.front();
        locateInHostPlaylist(head.file);
        removeQueueEntry(head.serial);
        if (s.pendingHostIndex >= 0) return s.pendingHostIndex;
    }
    return -1;
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
    forgetLostRemovals(s);
    const std::int32_t inserted = s.pendingHostIndex;
    if (!s.temporaryEntry || inserted < 0) return;
    // One worker takes the entries out one after another: a second one would
    // take its index before the first deletion moved the entry up, and delete
    // the entry after it. An entry reported twice waits once.
    if (!s.removalScheduled) {
        s.removals.push_back(inserted);
        s.removalScheduled = true;
        publishNextRemoval(s);
    }
    if (s.removalPending.exchange(true)) return;
    if (!platform::startWorker(removalWorker, nullptr)) s.removalPending = false;
}

void removeTemporaryEntry() {
    PluginPlaylistState& s = pluginPlaylistState();
    // Taken at the start: after a quit during the wait (a reset) this entry
    // still goes, and nothing else is touched.
    const std::int32_t startedFor = s.pendingHostIndex;
    const std::uint32_t resets = s.resets;
    for (;;) {
        platform::sleepMs(kRemovalDelayMs);
        if (s.resets != resets) {
            if (startedFor >= 0) host::playlistDeleteEntry(host::getPlaylistWindow(), startedFor);
            return;
        }
        const std::int32_t index = s.nextRemoval;
        bool followed = false;
        if (index >= 0) {
            s.deletingIndex = index;
            host::playlistDeleteEntry(host::getPlaylistWindow(), index);
            // Taken by the change report the deletion causes. Without one (the
            // plug-in no longer listens, or no entry stood at that index) the
            // playlist moved on without the plug-in seeing it.
            followed = s.deletingIndex.exchange(-1) < 0;
            if (!followed) s.removalsLost = true;
        }
        if (followed && s.nextRemoval >= 0) continue; // the next one gets its own wait
        s.pendingHostIndex = -1;
        s.temporaryEntry = false;
        s.removalPending = false;
        // An entry that started just now found this worker still running.
        if (!followed || s.nextRemoval < 0 || s.removalPending.exchange(true)) return;
    }
}

void resetOnPlaylistModified() {
    PluginPlaylistState& s = pluginPlaylistState();
    forgetLostRemovals(s);
    bool own = s.inserting;
    // The worker's deletion, made on this thread: the entry leaves the list
    // and those after it move up by one.
    if (!s.inserting) {
        const std::int32_t deleted = s.deletingIndex.exchange(-1);
        own = deleted >= 0;
        if (own) {
            const auto gone = std::find(s.removals.begin(), s.removals.end(), deleted);
            if (gone != s.removals.end()) s.removals.erase(gone);
            for (std::int32_t& waiting : s.removals)
                if (waiting > deleted) --waiting;
            publishNextRemoval(s);
            const std::int32_t latest = s.pendingHostIndex;
            if (latest > deleted) s.pendingHostIndex = latest - 1;
            if (latest == deleted) s.pendingHostIndex = -1;
        }
    }
    // The plug-in's own insertion or deletion, or any change while an inserted
    // entry waits for its removal. Once a hand-over found its file, every
    // other change is the user's, even while the worker still waits.
    if (own || s.temporaryEntry) return;
    model().playlistMenusValid = false;
    s.pendingHostIndex = -1;
    emptyPluginPlaylist();
}

} // namespace tg
