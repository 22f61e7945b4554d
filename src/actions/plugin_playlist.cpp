#include "actions/plugin_playlist.h"

#include <iterator>
#include <utility>

namespace tg {

namespace {

PluginPlaylistState& instance() {
    static PluginPlaylistState state;
    return state;
}

std::list<QueueEntry>::iterator entryAt(int k) {
    std::list<QueueEntry>& queue = instance().pluginPlaylist;
    if (k < 0 || k >= static_cast<int>(queue.size())) return queue.end();
    return std::next(queue.begin(), k);
}

std::list<QueueEntry>::iterator entryWithSerial(std::uint32_t serial) {
    std::list<QueueEntry>& queue = instance().pluginPlaylist;
    for (auto it = queue.begin(); it != queue.end(); ++it)
        if (it->serial == serial) return it;
    return queue.end();
}

QueueEntry makeEntry(std::string_view file) {
    PluginPlaylistState& s = instance();
    std::uint32_t serial = s.nextSerial++;
    if (s.nextSerial == 0) s.nextSerial = 1; // 0 never names an entry
    return QueueEntry{std::string(file), serial};
}

} // namespace

PluginPlaylistState& pluginPlaylistState() {
    return instance();
}

void resetPluginPlaylistState() {
    PluginPlaylistState& s = instance();
    s.pluginPlaylist.clear();
    s.nextSerial = 1;
    s.pendingHostIndex = -1;
    s.temporaryEntry = false;
    s.removalPending = false;
    s.removalsLost = false;
    ++s.resets;
    s.removals.clear();
    s.nextRemoval = -1;
    s.deletingIndex = -1;
    s.inserting = false;
    s.removalScheduled = false;
    s.shownSerials.clear();
}

const std::list<QueueEntry>& pluginPlaylist() {
    return instance().pluginPlaylist;
}

int pluginPlaylistSize() {
    return static_cast<int>(instance().pluginPlaylist.size());
}

bool pluginPlaylistEmpty() {
    return instance().pluginPlaylist.empty();
}

void emptyPluginPlaylist() {
    instance().pluginPlaylist.clear();
}

void appendToPluginPlaylist(std::string_view file) {
    instance().pluginPlaylist.push_back(makeEntry(file));
}

bool appendToPluginPlaylist(const char* file) {
    if (file == nullptr) return false;
    appendToPluginPlaylist(std::string_view(file));
    return true;
}

void putAtPluginPlaylistHead(std::string_view file) {
    instance().pluginPlaylist.push_front(makeEntry(file));
}

const QueueEntry* pluginPlaylistEntry(int k) {
    auto it = entryAt(k);
    return it == instance().pluginPlaylist.end() ? nullptr : &*it;
}

bool removePluginPlaylistEntry(int k) {
    auto it = entryAt(k);
    if (it == instance().pluginPlaylist.end()) return false;
    instance().pluginPlaylist.erase(it);
    return true;
}

bool exchangePluginPlaylistEntries(int k) {
    auto first = entryAt(k);
    if (first == instance().pluginPlaylist.end()) return false;
    auto second = std::next(first);
    if (second == instance().pluginPlaylist.end()) return false;
    std::swap(*first, *second);
    return true;
}

QueueEntry* findQueueEntry(std::uint32_t serial) {
    auto it = entryWithSerial(serial);
    return it == instance().pluginPlaylist.end() ? nullptr : &*it;
}

bool removeQueueEntry(std::uint32_t serial) {
    auto it = entryWithSerial(serial);
    if (it == instance().pluginPlaylist.end()) return false;
    instance().pluginPlaylist.erase(it);
    return true;
}

bool exchangeQueueEntries(std::uint32_t first, std::uint32_t second) {
    QueueEntry* a = findQueueEntry(first);
    QueueEntry* b = findQueueEntry(second);
    if (a == nullptr || b == nullptr) return false;
    std::swap(*a, *b);
    return true;
}

} // namespace tg
