// The grouping walk of a root popup against sorting its records alone, and
// eager filling of a whole tree against the lazy root of the same records.
// Allocations: everything the walk allocates, less what building the same
// menu items item by item allocates inside the (simulated) menu system.
#include "menus/level_builder.h"
#include "menus/sort_orders.h"
#include "platform/menu.h"
#include "support/allocation_counter.h"
#include "support/bench_library.h"
#include "support/menu_replay.h"

namespace tg::bench {
namespace {

std::vector<LevelType> rangeArtistAlbumTitle() {
    return {LevelType::Range, LevelType::Artist, LevelType::Album, LevelType::Title};
}

// Fills a fresh root popup for the records, as the level builder does for an
// opened popup; returns the popup.
HMENU fillRoot(MenuDefinition& definition, RecordSet& records, const char* nowPlaying) {
    std::vector<LevelSelection> path(1);
    const HMENU popup = platform::createPopupMenu();
    path[0].menu = popup;
    path[0].kind = definition.levelKind(0);
    fillLevelMenu(popup, definition, path, 0, records.data(), 0, records.count() - 1, 0,
                  nowPlaying);
    return popup;
}

void BM_LevelWalkLazyRoot(benchmark::State& state) {
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    const bool wide = state.range(1) != 0;
    const QueryRecord& answer = libraryAnswer(size, wide);
    usePlayerLibrary(size, wide);
    RecordSet records(answer);
    MenuDefinition definition = libraryDefinition(rangeArtistAlbumTitle());
    model().options.loadAllMenus = 0;
    const std::string playing = middleFile(answer);
    const Comparator comparator = comparatorForLevel(definition, 0);

    // Allocations of one build, and of the same menu items alone.
    records.restore();
    const std::uint64_t before = allocationCount();
    HMENU popup = fillRoot(definition, records, playing.c_str());
    const std::uint64_t walkAllocations = allocationCount() - before;
    const MenuShape shape = captureMenu(popup);
    destroyPopup(popup);
    const std::uint64_t menuAllocations = replayAllocations(shape);

    PairedTiming paired;
    paired.run(
        state, [&] { records.restore(); },
        [&] { sortRecords(records.data(), records.data() + records.count(), comparator); },
        [&] {
            destroyPopup(popup);
            popup = nullptr;
            records.restore();
        },
        [&] { popup = fillRoot(definition, records, playing.c_str()); });
    destroyPopup(popup);

    state.counters["records"] = static_cast<double>(size);
    state.counters["menu_items"] = static_cast<double>(itemCount(shape));
    state.counters["allocs"] = static_cast<double>(walkAllocations);
    state.counters["menu_allocs"] = static_cast<double>(menuAllocations);
    state.counters["walk_allocs_per_record"] =
        (static_cast<double>(walkAllocations) - static_cast<double>(menuAllocations)) /
        static_cast<double>(size);
}

void BM_EagerFill(benchmark::State& state) {
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    const bool wide = state.range(1) != 0;
    const QueryRecord& answer = libraryAnswer(size, wide);
    usePlayerLibrary(size, wide);
    RecordSet records(answer);
    MenuDefinition definition = libraryDefinition(rangeArtistAlbumTitle());
    const std::string playing = middleFile(answer);

    model().options.loadAllMenus = 1;
    records.restore();
    const std::uint64_t before = allocationCount();
    HMENU eager = fillRoot(definition, records, playing.c_str());
    const std::uint64_t eagerAllocations = allocationCount() - before;
    const MenuShape shape = captureMenu(eager);
    destroyPopup(eager);
    eager = nullptr;
    const std::uint64_t menuAllocations = replayAllocations(shape);
    HMENU lazy = nullptr;

    PairedTiming paired;
    paired.run(
        state,
        [&] {
            destroyPopup(lazy);
            lazy = nullptr;
            records.restore();
            model().options.loadAllMenus = 0;
        },
        [&] { lazy = fillRoot(definition, records, playing.c_str()); },
        [&] {
            destroyPopup(eager);
            eager = nullptr;
            records.restore();
            model().options.loadAllMenus = 1;
        },
        [&] { eager = fillRoot(definition, records, playing.c_str()); });
    destroyPopup(lazy);
    destroyPopup(eager);

    state.counters["records"] = static_cast<double>(size);
    state.counters["menu_items"] = static_cast<double>(itemCount(shape));
    state.counters["allocs"] = static_cast<double>(eagerAllocations);
    state.counters["menu_allocs"] = static_cast<double>(menuAllocations);
    state.counters["walk_allocs_per_record"] =
        (static_cast<double>(eagerAllocations) - static_cast<double>(menuAllocations)) /
        static_cast<double>(size);
}

BENCHMARK(BM_LevelWalkLazyRoot)
    ->Apply([](benchmark::internal::Benchmark* b) {
        sizesInBothModes(b, {100000, 1000000});
    })
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EagerFill)
    ->Apply([](benchmark::internal::Benchmark* b) { sizesInBothModes(b, {10000}); })
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tg::bench
