// Playlist Tags narrowing: the library's answer cut down to the files of the
// player's playlist, one own copy per entry, in playlist order.
#include "menus/query_templates.h"
#include "menus/sort_orders.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace tg {

// One own copy per playlist entry the library returned, in playlist order: the
// library's tracks are sorted by file name (through pointers, the host's array
// stays as it is) and each entry's file is looked up there.
void keepPlaylistTracks(const QueryRecord& library, QueryRecord* result) {
    const int count = library.items != nullptr && library.count > 0 ? library.count : 0;
    std::vector<const TrackRecord*> sorted(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) sorted[static_cast<std::size_t>(i)] = &library.items[i];
    const auto before = [](const TrackRecord* a, const TrackRecord* b) {
        return compareFileName(*a, *b) < 0;
    };
    std::sort(sorted.begin(), sorted.end(), before);

    const int entries = host::getListLength();
    if (entries <= 0) return;
    auto* items = static_cast<TrackRecord*>(
        std::calloc(static_cast<std::size_t>(entries), sizeof(TrackRecord)));
    if (items == nullptr) return;
    result->items = items;
    result->allocated = entries;
    for (int index = 0; index < entries; ++index) {
        const char* file = host::getEntryFile(index);
        if (file == nullptr) continue;
        TrackRecord key{};
        key.filename = const_cast<char*>(file);
        const auto match = std::lower_bound(sorted.begin(), sorted.end(), &key, before);
        if (match == sorted.end() || compareFileName(**match, key) != 0) continue;
        copyTrackRecord(&items[result->count++], **match);
    }
}

} // namespace tg
