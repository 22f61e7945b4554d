// Playlist Tags narrowing: the library's answer cut down to the files of the
// player's playlist, one own copy per entry, in playlist order.
//
// The playlist's file names go into a hash table (one block, no allocation
// per entry) and the library's records are looked up there in one pass:
// linear in both, where sorting the library's answer by file name would
// compare its long, mostly shared path prefixes n log n times.
#include "menus/query_templates.h"
#include "plugin/host_messages.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace tg {

namespace {

// Names in one folder differ near their ends: hashing the length and the
// last bytes spreads them as well as hashing all of it would.
std::uint64_t fileHash(const char* file, std::size_t length) {
    constexpr std::size_t kTail = 32;
    const std::size_t from = length > kTail ? length - kTail : 0;
    std::uint64_t hash = 14695981039346656037ull ^ length;
    for (std::size_t i = from; i < length; ++i) {
        hash ^= static_cast<unsigned char>(file[i]);
        hash *= 1099511628211ull;
    }
    return hash ^ (hash >> 29);
}

// The player's texts stay valid only until its playlist changes, and it may
// change (and say so) while the entries are read: names are kept as copies,
// all in one block, by their offset there.
struct PlaylistFile {
    std::size_t offset = 0; // of the name in the block of names
    std::size_t length = 0;
    int first = -1;                     // the first entry with the same name (itself when first)
    const TrackRecord* match = nullptr; // on the first entry of a name only
};

class FileTable {
public:
    explicit FileTable(std::size_t names) {
        std::size_t size = 16;
        while (size < names * 2) size *= 2;
        slots_.assign(size, -1);
        mask_ = size - 1;
    }
    // The slot of file: holding an entry of that name, or empty (-1).
    int& slot(const std::vector<PlaylistFile>& entries, const std::string& names, const char* file,
              std::size_t length) {
        for (std::size_t at = fileHash(file, length) & mask_;; at = (at + 1) & mask_) {
            int& s = slots_[at];
            if (s < 0) return s;
            const PlaylistFile& e = entries[static_cast<std::size_t>(s)];
            if (e.length == length && std::memcmp(names.data() + e.offset, file, length) == 0)
                return s;
        }
    }

private:
    std::vector<int> slots_;
    std::size_t mask_ = 0;
};

} // namespace

void keepPlaylistTracks(const QueryRecord& library, QueryRecord* result) {
    const int count = heldRecords(library);
    const int entries = host::getListLength();
    if (entries <= 0 || count == 0) return;
    try {
        std::vector<PlaylistFile> playlist(static_cast<std::size_t>(entries));
        FileTable table(static_cast<std::size_t>(entries));
        std::string names;
        for (int index = 0; index < entries; ++index) {
            PlaylistFile& entry = playlist[static_cast<std::size_t>(index)];
            const char* file = host::getEntryFile(index);
            if (file == nullptr) continue;
            entry.length = std::strlen(file);
            entry.offset = names.size();
            names.append(file, entry.length);
            int& slot = table.slot(playlist, names, names.data() + entry.offset, entry.length);
            if (slot < 0) slot = index;
            entry.first = slot;
        }
        // The first library record of each name answers for it; the pass
        // ends when every name has its record.
        int unmatched = 0;
        for (int index = 0; index < entries; ++index)
            unmatched += playlist[static_cast<std::size_t>(index)].first == index ? 1 : 0;
        for (int i = 0; i < count && unmatched > 0; ++i) {
            const TrackRecord& record = library.items[i];
            if (record.filename == nullptr) continue;
            const int slot =
                table.slot(playlist, names, record.filename, std::strlen(record.filename));
            if (slot < 0) continue;
            PlaylistFile& first = playlist[static_cast<std::size_t>(slot)];
            if (first.match != nullptr) continue;
            first.match = &record;
            --unmatched;
        }
        auto* items = static_cast<TrackRecord*>(
            std::calloc(static_cast<std::size_t>(entries), sizeof(TrackRecord)));
        if (items == nullptr) return;
        result->items = items;
        result->allocated = entries;
        for (const PlaylistFile& entry : playlist) {
            if (entry.first < 0) continue;
            const TrackRecord* match = playlist[static_cast<std::size_t>(entry.first)].match;
            if (match != nullptr) copyTrackRecord(&items[result->count++], *match);
        }
    } catch (const std::bad_alloc&) {
        // Without memory for the tables the result stays as it is: what was
        // copied so far, or nothing.
    }
}

} // namespace tg
