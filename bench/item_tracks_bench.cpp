// Keeping the tracks of a chosen item among a query's answer, against one pass
// that only makes each record's label at one level. The whole library stands
// for the answer (the most a widened query can return): the records of the
// first range of a Range level, or of one artist's album.
#include "menus/item_label.h"
#include "menus/item_tracks.h"
#include "menus/level_builder.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "support/bench_library.h"

namespace tg::bench {
namespace {

enum class Chosen { FirstRange, ArtistAlbum };

// The path of the item: labels read back as the frame reads them.
std::vector<LevelSelection> chosenPath(MenuDefinition& definition, RecordSet& records,
                                       Chosen chosen) {
    std::vector<LevelSelection> path;
    if (chosen == Chosen::FirstRange) {
        const HMENU popup = platform::createPopupMenu();
        std::vector<LevelSelection> building(1);
        building[0].menu = popup;
        building[0].kind = definition.levelKind(0);
        model().options.loadAllMenus = 0;
        fillLevelMenu(popup, definition, building, 0, records.data(), 0, records.count() - 1, 0,
                      nullptr);
        const std::string text = platform::sim::menuItems(popup).front().text;
        destroyPopup(popup);
        LevelSelection& range = path.emplace_back();
        range.kind = definition.levelKind(0);
        range.label = text.substr(0, text.rfind('\t'));
        return path;
    }
    const TrackRecord& middle = records.pristine()[records.pristine().size() / 2];
    for (int level = 0; level < 2; ++level) {
        char label[kLabelSize];
        LevelSelection& record = path.emplace_back();
        record.kind = definition.levelKind(level);
        record.label = itemLabel(middle, level, true, definition, label);
    }
    return path;
}

void BM_KeepItemTracks(benchmark::State& state) {
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    const auto chosen = static_cast<Chosen>(state.range(1));
    const bool wide = state.range(2) != 0;
    const QueryRecord& answer = libraryAnswer(size, wide);
    usePlayerLibrary(size, wide);
    RecordSet records(answer);
    MenuDefinition definition =
        chosen == Chosen::FirstRange
            ? libraryDefinition(
                  {LevelType::Range, LevelType::Artist, LevelType::Album, LevelType::Title})
            : libraryDefinition({LevelType::Artist, LevelType::Album, LevelType::Title});
    records.restore();
    std::vector<LevelSelection> path = chosenPath(definition, records, chosen);
    const int covered = static_cast<int>(path.size());

    int kept = 0;
    std::size_t sink = 0;
    PairedTiming paired;
    paired.run(
        state, [&] { records.restore(); },
        [&] {
            char label[kLabelSize];
            for (int i = 0; i < records.count(); ++i)
                sink += itemLabel(records.data()[i], 0, true, definition, label)[0] != '\0';
        },
        [&] { records.restore(); },
        [&] { kept = keepItemTracks(definition, path, covered, records.data(), records.count()); });
    benchmark::DoNotOptimize(sink);

    state.counters["records"] = static_cast<double>(size);
    state.counters["kept"] = kept;
}

BENCHMARK(BM_KeepItemTracks)
    ->ArgNames({"records", "item", "wide"})
    ->ArgsProduct({{100000, 1000000},
                   {static_cast<int>(Chosen::FirstRange), static_cast<int>(Chosen::ArtistAlbum)},
                   {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tg::bench
