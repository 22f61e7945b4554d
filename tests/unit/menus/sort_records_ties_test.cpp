// The standard sort is not stable, and the first record of a group names its
// item, so a sort that takes shortcuts must still leave equal records exactly
// where std::sort leaves them. Eager filling sorts ranges again that the level
// above already ordered by the same comparator, so ordered input matters most.
#include "menus/level_builder.h"
#include "menus/sort_orders.h"
#include "menus/text_order.h"
#include "model/model_state.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "support/all_comparators.h"
#include "support/level_menus.h"
#include "support/random_tracks.h"
#include "support/track_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tg {
namespace {

using L = LevelType;

// Each record's length is its number, which no comparator reads.
std::vector<int> numbers(const std::vector<TrackRecord>& records) {
    std::vector<int> out;
    for (const TrackRecord& r : records) out.push_back(r.length);
    return out;
}

void standardSort(std::vector<TrackRecord>& records, Comparator c) {
    std::sort(records.begin(), records.end(),
              [c](const TrackRecord& a, const TrackRecord& b) { return c(a, b) < 0; });
}

// Input orders: as made, already ordered (what eager filling hands on), ordered
// with every run of equal records reversed, ordered but for one late pair, and
// ordered with the last record moved to the front.
enum class Shape { Shuffled, Ordered, TiesReversed, LatePairSwapped, LastFirst };

std::vector<TrackRecord> shaped(std::vector<TrackRecord> records, Comparator c, Shape shape) {
    if (shape == Shape::Shuffled) return records;
    standardSort(records, c);
    switch (shape) {
    case Shape::TiesReversed:
        for (auto run = records.begin(); run != records.end();) {
            auto end = run + 1;
            while (end != records.end() && c(*run, *end) == 0) ++end;
            std::reverse(run, end);
            run = end;
        }
        break;
    case Shape::LatePairSwapped:
        for (std::size_t i = records.size() - 1; i > 0; --i) {
            if (c(records[i - 1], records[i]) < 0) {
                std::swap(records[i - 1], records[i]);
                break;
            }
        }
        break;
    case Shape::LastFirst:
        std::rotate(records.rbegin(), records.rbegin() + 1, records.rend());
        break;
    default: break;
    }
    return records;
}

TEST(SortRecords, LeaveEqualRecordsWhereTheStandardSortLeavesThem) {
    std::mt19937 rng(4242);
    test::TrackStore store;
    std::vector<TrackRecord> pool;
    for (int i = 0; i < 1100; ++i) {
        test::TrackValues t = test::randomTrack(rng);
        t.length = i;
        pool.push_back(store.make(t));
    }
    // Around the insertion-sort limit, the keyed sort's threshold and the
    // ranks kept on the stack.
    const std::size_t sizes[] = {2, 16, 17, 100, 512, 1100};
    const Shape shapes[] = {Shape::Shuffled, Shape::Ordered, Shape::TiesReversed,
                            Shape::LatePairSwapped, Shape::LastFirst};
    std::vector<Comparator> comparators = test::allComparators();
    // One the sort does not know.
    comparators.push_back(
        [](const TrackRecord& a, const TrackRecord& b) { return compareYear(b, a); });
    int index = 0;
    for (const Comparator c : comparators) {
        for (const std::size_t size : sizes) {
            const std::vector<TrackRecord> some(pool.begin(),
                                                pool.begin() + static_cast<std::ptrdiff_t>(size));
            for (const Shape shape : shapes) {
                const std::vector<TrackRecord> input = shaped(some, c, shape);
                std::vector<TrackRecord> expected = input;
                standardSort(expected, c);
                std::vector<TrackRecord> actual = input;
                sortRecords(actual.data(), actual.data() + actual.size(), c);
                ASSERT_EQ(numbers(actual), numbers(expected))
                    << "comparator " << index << ", " << size << " records, shape "
                    << static_cast<int>(shape);
            }
        }
        ++index;
    }
}

// Twins that differ in case or a leading "The ": an item shows the spelling
// most of its records have (the smaller text of two as common), so the tree is
// the same whatever order the library answers in and the sort leaves twins in.
TEST(SortRecords, TwinsNameTheirItemByTheSpellingMostOfItsRecordsHave) {
    const char* const artists[] = {"The Lanterns", "Lanterns", "The Lanterns", "lanterns",
                                   "THE LANTERNS"};
    const char* const albums[] = {"Harbor", "harbor", "HARBOR", "Tide", "tide"};
    const char* const titles[] = {"Song", "song", "SONG"};
    test::TrackStore store;
    std::vector<TrackRecord> records;
    for (int i = 0; i < 90; ++i) {
        test::TrackValues t;
        t.filename = "C:\\m\\" + std::to_string(i) + ".mp3";
        t.artist = artists[i % 5];
        t.album = albums[(i / 3) % 5];
        t.title = titles[i % 3];
        t.trackNumber = 1 + i % 2;
        t.year = 1999;
        t.length = i;
        records.push_back(store.make(t));
    }
    model().options.loadAllMenus = 1;
    MenuDefinition d = test::libraryDefinition({L::Range, L::Artist, L::Album, L::Title});
    d.timeDisplay = 0;
    const auto tree = [&d](std::vector<TrackRecord> built) {
        const HMENU root = platform::createPopupMenu();
        std::vector<LevelSelection> path(1);
        path[0].menu = root;
        fillLevelMenu(root, d, path, 0, built.data(), 0, static_cast<int>(built.size()) - 1, 0,
                      nullptr);
        const std::string dump = platform::sim::menuTree(root);
        platform::destroyMenu(root);
        return dump;
    };
    const std::string shown = tree(records);
    EXPECT_NE(shown.find("The Lanterns"), std::string::npos) << shown;
    EXPECT_NE(shown.find("(1999) HARBOR"), std::string::npos) << shown;
    EXPECT_NE(shown.find("(1999) Tide"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("(1999) Harbor"), std::string::npos) << shown;
    EXPECT_EQ(tree(std::vector<TrackRecord>(records.rbegin(), records.rend())), shown);
    std::vector<TrackRecord> shuffled = records;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    EXPECT_EQ(tree(shuffled), shown);
}

} // namespace
} // namespace tg
