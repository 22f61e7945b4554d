// Re-marking the current song in a built root popup: the item texts read per
// search, against 2 * log2(items) + 4, for songs spread over the library.
#include "menus/level_builder.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "support/bench_library.h"

#include <algorithm>
#include <cmath>

namespace tg::bench {
namespace {

// The level's items of a built popup: every item but the "MORE" links.
int levelItemCount(HMENU popup) {
    int count = 0;
    for (HMENU menu = popup; menu != nullptr;) {
        const std::vector<platform::sim::MenuItemView> items = platform::sim::menuItems(menu);
        HMENU more = nullptr;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i + 1 == items.size() && items[i].text == "MORE" && items[i].submenu != nullptr)
                more = items[i].submenu;
            else
                ++count;
        }
        menu = more;
    }
    return count;
}

void remarkBenchmark(benchmark::State& state, std::vector<LevelType> levels) {
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    const bool wide = state.range(1) != 0;
    const QueryRecord& answer = libraryAnswer(size, wide);
    usePlayerLibrary(size, wide);
    RecordSet records(answer);
    MenuDefinition definition = libraryDefinition(std::move(levels));
    model().options.loadAllMenus = 0;

    std::vector<LevelSelection> path(1);
    const HMENU popup = platform::createPopupMenu();
    path[0].menu = popup;
    fillLevelMenu(popup, definition, path, 0, records.data(), 0, records.count() - 1, 0, nullptr);
    const int items = levelItemCount(popup);

    // Songs spread evenly over the library.
    std::vector<std::string> songs;
    constexpr int kSongs = 1000;
    for (int i = 0; i < kSongs; ++i) {
        const TrackRecord& r = answer.items[static_cast<std::size_t>(i) *
                                            static_cast<std::size_t>(answer.count) / kSongs];
        if (r.filename != nullptr) songs.emplace_back(r.filename);
    }

    std::uint64_t maxReads = 0;
    std::uint64_t totalReads = 0;
    std::uint64_t searches = 0;
    std::uint64_t marked = 0;
    for (auto _ : state) {
        for (const std::string& song : songs) {
            path.clear();
            const std::uint64_t before = platform::sim::menuTextReads();
            prepareBuiltPopup(popup, definition, path, song.c_str(), true);
            const std::uint64_t reads = platform::sim::menuTextReads() - before;
            maxReads = std::max(maxReads, reads);
            totalReads += reads;
            ++searches;
            if (path.back().checkedMenu != nullptr) {
                ++marked;
                platform::checkMenuItem(path.back().checkedMenu,
                                        static_cast<UINT>(path.back().checkedPosition),
                                        MF_BYPOSITION | MF_UNCHECKED);
            }
        }
    }
    destroyPopup(popup);

    state.counters["items"] = items;
    state.counters["bound"] = 2 * std::log2(static_cast<double>(items)) + 4;
    state.counters["max_reads"] = static_cast<double>(maxReads);
    state.counters["mean_reads"] =
        searches > 0 ? static_cast<double>(totalReads) / static_cast<double>(searches) : 0.0;
    state.counters["marked_share"] =
        searches > 0 ? static_cast<double>(marked) / static_cast<double>(searches) : 0.0;
    state.counters["us_per_search"] = benchmark::Counter(
        static_cast<double>(searches), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_RemarkRangeRoot(benchmark::State& state) {
    remarkBenchmark(state,
                    {LevelType::Range, LevelType::Artist, LevelType::Album, LevelType::Title});
}
void BM_RemarkArtistRoot(benchmark::State& state) {
    remarkBenchmark(state, {LevelType::Artist, LevelType::Album, LevelType::Title});
}

void bothModes(benchmark::internal::Benchmark* b) {
    sizesInBothModes(b, {100000});
}
BENCHMARK(BM_RemarkRangeRoot)->Apply(bothModes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RemarkArtistRoot)->Apply(bothModes)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tg::bench
