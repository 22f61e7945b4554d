// The Playlist Tags narrowing of a library answer to the player's playlist,
// against sorting the same answer by file name alone.
#include "menus/query_templates.h"
#include "menus/sort_orders.h"
#include "player/player.h"
#include "support/allocation_counter.h"
#include "support/bench_library.h"

namespace tg::bench {
namespace {

// playlistSize entries spread over the answer in a scattered order (a stride
// prime to the answer's size visits each record at most once).
std::vector<player::PlaylistEntry> scatteredPlaylist(const QueryRecord& answer, int playlistSize) {
    std::vector<player::PlaylistEntry> entries;
    const std::size_t count = static_cast<std::size_t>(answer.count);
    for (std::size_t i = 0; entries.size() < static_cast<std::size_t>(playlistSize) && i < count;
         ++i) {
        const TrackRecord& r = answer.items[(i * 7919) % count];
        if (r.filename != nullptr) entries.push_back({r.filename, r.filename, r.length});
    }
    return entries;
}

void BM_PlaylistTagsFilter(benchmark::State& state) {
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    const int playlistSize = static_cast<int>(state.range(1));
    const bool wide = state.range(2) != 0;
    const QueryRecord& answer = libraryAnswer(size, wide);
    usePlayerLibrary(size, wide);
    player::player().setPlaylist(scatteredPlaylist(answer, playlistSize));
    RecordSet records(answer);
    QueryRecord own{};

    const std::uint64_t before = allocationCount();
    keepPlaylistTracks(answer, &own);
    const std::uint64_t allocations = allocationCount() - before;
    const int kept = own.count;
    releaseQueryResult(&own, SourceType::PlaylistTags);

    PairedTiming paired;
    paired.run(
        state, [&] { records.restore(); },
        [&] { sortRecords(records.data(), records.data() + records.count(), compareFileName); },
        [&] { releaseQueryResult(&own, SourceType::PlaylistTags); },
        [&] { keepPlaylistTracks(answer, &own); });
    releaseQueryResult(&own, SourceType::PlaylistTags);
    player::player().setPlaylist({});

    state.counters["records"] = static_cast<double>(size);
    state.counters["kept"] = kept;
    state.counters["allocs_per_kept"] = kept > 0 ? static_cast<double>(allocations) / kept : 0.0;
}

BENCHMARK(BM_PlaylistTagsFilter)
    ->ArgNames({"records", "playlist", "wide"})
    ->Args({100000, 20000, 0})
    ->Args({100000, 20000, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tg::bench
