// Sorting a level's records with its comparator against an ideal sort of the
// same records whose text fields were replaced, before timing, by their keys
// already stripped of "The " and case-folded (and their numbers by the shown
// numbers), so each comparison is a plain number and byte comparison.
#include "menus/label_options.h"
#include "menus/sort_orders.h"
#include "menus/text_order.h"
#include "support/bench_library.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <stdexcept>
#include <string>

namespace tg::bench {
namespace {

enum class Key { Artist, YearAlbum, TrackTitle };

// Missing values sort after every present one; library texts are ASCII.
constexpr char kMissing[] = "\xff";

struct IdealRecords {
    std::deque<std::string> keys; // stable addresses
    std::vector<TrackRecord> pristine;
    std::vector<TrackRecord> work;
};

char* keyOf(std::deque<std::string>& keys, const char* text) {
    if (text == nullptr) return const_cast<char*>(kMissing);
    std::string key(stripLeadingThe(text));
    for (char& c : key) c = static_cast<char>(foldByte(c));
    keys.push_back(std::move(key));
    return keys.back().data();
}

IdealRecords idealRecords(const std::vector<TrackRecord>& records, Key key) {
    IdealRecords ideal;
    ideal.pristine = records;
    for (TrackRecord& r : ideal.pristine) {
        switch (key) {
        case Key::Artist: r.artist = keyOf(ideal.keys, r.artist); break;
        case Key::YearAlbum:
            r.year = shownYear(r.year);
            r.album = keyOf(ideal.keys, r.album);
            break;
        case Key::TrackTitle:
            r.trackNumber = shownTrackNumber(r.trackNumber);
            r.title = keyOf(ideal.keys, r.title);
            break;
        }
    }
    ideal.work = ideal.pristine;
    return ideal;
}

bool idealLess(Key key, const TrackRecord& a, const TrackRecord& b) {
    switch (key) {
    case Key::Artist: return std::strcmp(a.artist, b.artist) < 0;
    case Key::YearAlbum:
        if (a.year != b.year) return a.year < b.year;
        return std::strcmp(a.album, b.album) < 0;
    case Key::TrackTitle:
        if (a.trackNumber != b.trackNumber) return a.trackNumber < b.trackNumber;
        return std::strcmp(a.title, b.title) < 0;
    }
    return false;
}

void idealSort(Key key, std::vector<TrackRecord>& records) {
    switch (key) {
    case Key::Artist:
        std::sort(records.begin(), records.end(), [](const TrackRecord& a, const TrackRecord& b) {
            return idealLess(Key::Artist, a, b);
        });
        break;
    case Key::YearAlbum:
        std::sort(records.begin(), records.end(), [](const TrackRecord& a, const TrackRecord& b) {
            return idealLess(Key::YearAlbum, a, b);
        });
        break;
    case Key::TrackTitle:
        std::sort(records.begin(), records.end(), [](const TrackRecord& a, const TrackRecord& b) {
            return idealLess(Key::TrackTitle, a, b);
        });
        break;
    }
}

// Both sorts must give the same order of keys, or the comparison is unfair.
void checkSameOrder(Key key, const std::vector<TrackRecord>& sorted) {
    IdealRecords ideal = idealRecords(sorted, key);
    for (std::size_t i = 1; i < ideal.pristine.size(); ++i)
        if (idealLess(key, ideal.pristine[i], ideal.pristine[i - 1]))
            throw std::runtime_error("the comparator's order differs from the keys' order");
}

void sortBenchmark(benchmark::State& state, Key key, int level) {
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    RecordSet records(libraryAnswer(size, state.range(1) != 0));
    const MenuDefinition definition =
        libraryDefinition({LevelType::Artist, LevelType::Album, LevelType::Title});
    const Comparator comparator = comparatorForLevel(definition, level);
    IdealRecords ideal = idealRecords(records.pristine(), key);

    sortRecords(records.data(), records.data() + records.count(), comparator);
    checkSameOrder(key, std::vector<TrackRecord>(records.data(), records.data() + records.count()));

    PairedTiming paired;
    paired.run(
        state, [&] { ideal.work = ideal.pristine; }, [&] { idealSort(key, ideal.work); },
        [&] { records.restore(); },
        [&] { sortRecords(records.data(), records.data() + records.count(), comparator); });
    state.counters["records"] = static_cast<double>(size);
}

void BM_SortArtist(benchmark::State& state) {
    sortBenchmark(state, Key::Artist, 0);
}
void BM_SortAlbumYearFirst(benchmark::State& state) {
    sortBenchmark(state, Key::YearAlbum, 1);
}
void BM_SortTitleTrackNumbers(benchmark::State& state) {
    sortBenchmark(state, Key::TrackTitle, 2);
}

void sortSizes(benchmark::internal::Benchmark* b) {
    sizesInBothModes(b, {100000, 1000000});
}
#define TG_SORT_SIZES ->Apply(sortSizes)->UseManualTime()->Unit(benchmark::kMillisecond)
BENCHMARK(BM_SortArtist) TG_SORT_SIZES;
BENCHMARK(BM_SortAlbumYearFirst) TG_SORT_SIZES;
BENCHMARK(BM_SortTitleTrackNumbers) TG_SORT_SIZES;

} // namespace
} // namespace tg::bench
