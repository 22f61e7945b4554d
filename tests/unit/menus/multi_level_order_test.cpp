#include "menus/multi_level_order.h"
#include "support/track_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tg {
namespace {

using test::TrackStore;
using test::TrackValues;
using L = LevelType;

std::string describe(const std::vector<TrackRecord>& records) {
    std::string out;
    for (const TrackRecord& r : records) {
        if (!out.empty()) out += ", ";
        out += std::string(r.artist ? r.artist : "-") + "/" + (r.album ? r.album : "-") + "/" +
               (r.title ? r.title : "-");
    }
    return out;
}

std::vector<TrackRecord> sortedFrom(int level, const MenuDefinition& d,
                                    std::vector<TrackRecord> records) {
    setSortStartLevel(level, d);
    std::stable_sort(
        records.begin(), records.end(),
        [](const TrackRecord& a, const TrackRecord& b) { return compareFromLevel(a, b) < 0; });
    return records;
}

TEST(CompareFromLevel, OrdersTracksAsTheMenusBelowTheChosenLevel) {
    TrackStore store;
    const std::vector<TrackRecord> records = store.make({
        {.title = "Zed", .album = "Blue", .artist = "Cher", .year = 1990, .trackNumber = 2},
        {.title = "Air", .album = "Blue", .artist = "Cher", .year = 1990, .trackNumber = 3},
        {.title = "Bee", .album = "Alpha", .artist = "Cher", .year = 2000, .trackNumber = 1},
        {.title = "Cat", .album = "Gold", .artist = "The Abba", .year = 1975, .trackNumber = 1},
        {.title = "Dog", .album = "Blue", .artist = "Cher", .year = 1990, .trackNumber = 1},
    });
    MenuDefinition d;
    d.levels = {L::Range, L::Artist, L::Album, L::Title};
    d.addYearToAlbums = true;
    d.yearPosition = 0;
    d.showTrackNumbers = true;
    const struct {
        int start;
        const char* expected;
    } cases[] = {
        // The Range level orders like the Artist level below it.
        {0, "The Abba/Gold/Cat, Cher/Blue/Dog, Cher/Blue/Zed, Cher/Blue/Air, Cher/Alpha/Bee"},
        {-2, "The Abba/Gold/Cat, Cher/Blue/Dog, Cher/Blue/Zed, Cher/Blue/Air, Cher/Alpha/Bee"},
        // From the album level: year first, then the track numbers.
        {2, "The Abba/Gold/Cat, Cher/Blue/Dog, Cher/Blue/Zed, Cher/Blue/Air, Cher/Alpha/Bee"},
        {3, "Cher/Alpha/Bee, The Abba/Gold/Cat, Cher/Blue/Dog, Cher/Blue/Zed, Cher/Blue/Air"},
        // Past the last level everything is equal: the order stays.
        {4, "Cher/Blue/Zed, Cher/Blue/Air, Cher/Alpha/Bee, The Abba/Gold/Cat, Cher/Blue/Dog"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(sortedFrom(c.start, d, records)), c.expected) << c.start;
}

TEST(CompareFromLevel, PassesOverLevelsWithoutAComparator) {
    TrackStore store;
    const std::vector<TrackRecord> records = store.make({
        {.title = "b", .album = "B"},
        {.title = "a", .album = "B"},
        {.title = "c", .album = "A"},
    });
    MenuDefinition d;
    d.levels = {L::Album, L::PlaylistEntries, L::Title};
    d.showTrackNumbers = false;
    EXPECT_EQ(describe(sortedFrom(0, d, records)), "-/A/c, -/B/a, -/B/b");
}

TEST(CompareFromLevel, ResetForgetsTheStoredLevels) {
    TrackStore store;
    const TrackRecord a = store.make({.artist = "A"});
    const TrackRecord b = store.make({.artist = "B"});
    MenuDefinition d;
    d.levels = {L::Artist};
    setSortStartLevel(0, d);
    EXPECT_LT(compareFromLevel(a, b), 0);
    resetMultiLevelOrderState();
    EXPECT_EQ(compareFromLevel(a, b), 0);
    EXPECT_EQ(multiLevelOrderState().definition, nullptr);
}

} // namespace
} // namespace tg
