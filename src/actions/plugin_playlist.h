// The plug-in's play-next queue: file names handed to the player one at a time,
// ahead of its own playlist, plus the hand-over state shared with the worker
// that takes a temporarily inserted entry out of the player's playlist again.
#pragma once

#include <atomic>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <vector>

namespace tg {

struct QueueEntry {
    std::string file;
    // Identifies the entry for as long as it is queued, so a command from a
    // popup built before the queue moved on still finds the entry it showed.
    std::uint32_t serial = 0;
};

struct PluginPlaylistState {
    std::list<QueueEntry> pluginPlaylist; // head first
    std::uint32_t nextSerial = 1;

    // Read and written by the removal worker as well as the user-interface thread.
    std::atomic<std::int32_t> pendingHostIndex{-1};
    std::atomic<bool> temporaryEntry{false};
    // A removal worker has been started and has not finished yet.
    std::atomic<bool> removalPending{false};
    // Inserted entries that started and wait for their removal, oldest first,
    // as indexes into the player's playlist as it stands now. Kept by the
    // user-interface thread, which makes every change of the playlist; the
    // worker reads only the first, through nextRemoval.
    std::vector<std::int32_t> removals;
    std::atomic<std::int32_t> nextRemoval{-1};
    // The index the worker's deletion message is under way for; taken (set
    // to -1) by the user-interface thread when the deletion reaches it.
    std::atomic<std::int32_t> deletingIndex{-1};
    // Set by the worker when its deletion was not followed by the playlist's
    // change report (the list was cleared or cut under it): the indexes still
    // waiting name entries the plug-in cannot place any more, and go.
    std::atomic<bool> removalsLost{false};
    // Counts the resets: a worker from before one touches nothing of the new state.
    std::atomic<std::uint32_t> resets{0};
    // User-interface thread only: the plug-in's own insertion is being made;
    // the entry of the latest hand-over already waits in removals.
    bool inserting = false;
    bool removalScheduled = false;

    // Serials of the entries the "TG Playlist" submenu shows, by position - 2.
    std::vector<std::uint32_t> shownSerials;
};

PluginPlaylistState& pluginPlaylistState();
void resetPluginPlaylistState(); // everything back to the initial values

// The queue in order, head first, for walking.
const std::list<QueueEntry>& pluginPlaylist();
int pluginPlaylistSize();
bool pluginPlaylistEmpty();

void emptyPluginPlaylist();
void appendToPluginPlaylist(std::string_view file);
// The player's text may be null: such a track is skipped. Returns whether it was added.
bool appendToPluginPlaylist(const char* file);
void putAtPluginPlaylistHead(std::string_view file);

// Entry k (0-based), or nullptr.
const QueueEntry* pluginPlaylistEntry(int k);
// Removes entry k; false when there is none.
bool removePluginPlaylistEntry(int k);
// Exchanges entries k and k + 1; false when either is missing.
bool exchangePluginPlaylistEntries(int k);

// The same operations on an entry named by its serial.
QueueEntry* findQueueEntry(std::uint32_t serial);
bool removeQueueEntry(std::uint32_t serial);
bool exchangeQueueEntries(std::uint32_t first, std::uint32_t second);

} // namespace tg
