#include "menus/item_label.h"
#include "menus/label_order.h"
#include "menus/sort_orders.h"
#include "menus/text_order.h"
#include "model/text.h"
#include "support/all_comparators.h"
#include "support/random_tracks.h"
#include "support/track_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace tg {
namespace {

using test::ExtendedList;
using test::TrackStore;
using test::TrackValues;
using L = LevelType;

int sign(int v) {
    return (v > 0) - (v < 0);
}

MenuDefinition definitionWith(std::vector<LevelType> levels, bool trackNumbers = false,
                              bool addYear = false, int yearPosition = 0) {
    MenuDefinition d;
    d.levels = std::move(levels);
    d.showTrackNumbers = trackNumbers;
    d.addYearToAlbums = addYear;
    d.yearPosition = yearPosition;
    return d;
}

TEST(Comparators, ArtistsIgnoreTheAndCaseAndPutMissingLast) {
    TrackStore store;
    auto records = store.make({{.artist = "The Beatles"},
                               {.artist = std::nullopt},
                               {.artist = "beatles"},
                               {.artist = "Abba"}});
    sortRecords(records.data(), records.data() + records.size(), compareArtist);
    EXPECT_EQ(records[0].artist, std::string("Abba"));
    EXPECT_EQ(compareTextIgnoringThe(records[1].artist, "Beatles"), 0);
    EXPECT_EQ(compareTextIgnoringThe(records[2].artist, "Beatles"), 0);
    EXPECT_EQ(records[3].artist, nullptr);
}

// One row per rule of the comparator table, with its tie-breaks and the
// missing-value and extended-field rules.
TEST(Comparators, OrderPairsAsTheirLevelsShowThem) {
    TrackStore s;
    const ExtendedList noRating{{"PLAYCOUNT", "3"}};
    const struct {
        const char* name;
        Comparator compare;
        TrackValues a;
        TrackValues b;
        int expected;
    } cases[] = {
        {"album stripped", compareAlbum, {.album = "The Wall"}, {.album = "Abbey Road"}, 1},
        {"title case", compareTitle, {.title = "yesterday"}, {.title = "Yesterday"}, 0},
        {"genre missing", compareGenre, {.genre = std::nullopt}, {.genre = "Rock"}, 1},
        {"year", compareYear, {.year = 1999}, {.year = 2001}, -1},
        {"year extremes", compareYear, {.year = INT_MIN}, {.year = INT_MAX}, -1},
        {"year extremes reversed", compareYear, {.year = INT_MAX}, {.year = INT_MIN}, 1},
        // The library gives -1 for what it does not know: that is 0 and below.
        {"unknown years", compareYear, {.year = -1}, {.year = 0}, 0},
        {"unknown track numbers", compareTrack, {.trackNumber = 0}, {.trackNumber = -1}, 0},
        {"track", compareTrack, {.trackNumber = 10}, {.trackNumber = 9}, 1},
        {"track extremes", compareTrack, {.trackNumber = INT_MIN}, {.trackNumber = 1}, -1},
        {"year first",
         compareYearAlbum,
         {.album = "A", .year = 2001},
         {.album = "B", .year = 1999},
         1},
        {"same year by album",
         compareYearAlbum,
         {.album = "B", .year = 1999},
         {.album = "a", .year = 1999},
         1},
        {"blank years are one value",
         compareYearAlbum,
         {.album = "B", .year = 5},
         {.album = "A", .year = 7},
         1},
        {"year below 1000 before 1000",
         compareYearAlbum,
         {.album = "Z", .year = 999},
         {.album = "A", .year = 1000},
         -1},
        {"album then year",
         compareAlbumYear,
         {.album = "Hits", .year = 2001},
         {.album = "hits", .year = 1999},
         1},
        {"album before year",
         compareAlbumYear,
         {.album = "A", .year = 2001},
         {.album = "B", .year = 1999},
         -1},
        {"track then title",
         compareTrackTitle,
         {.title = "A", .trackNumber = 2},
         {.title = "B", .trackNumber = 1},
         1},
        {"same track by title",
         compareTrackTitle,
         {.title = "The B", .trackNumber = 1},
         {.title = "a", .trackNumber = 1},
         1},
        {"unknown tracks are one value",
         compareTrackTitle,
         {.title = "B", .trackNumber = -1},
         {.title = "A", .trackNumber = 0},
         1},
        {"blanks before unknown-track titles merge",
         compareTrackTitle,
         {.title = "  x", .trackNumber = 0},
         {.title = "x", .trackNumber = -2},
         0},
        {"but not a leading The",
         compareTrackTitle,
         {.title = "The x", .trackNumber = 0},
         {.title = "x", .trackNumber = 0},
         -1},
        {"artist then album",
         compareArtistAlbum,
         {.album = "A", .artist = "Z"},
         {.album = "Z", .artist = "A"},
         1},
        {"artist tie by album",
         compareArtistAlbum,
         {.album = "b", .artist = "The X"},
         {.album = "A", .artist = "x"},
         1},
        {"missing album last",
         compareArtistAlbum,
         {.album = std::nullopt, .artist = "X"},
         {.album = "Z", .artist = "X"},
         1},
        {"artist then title",
         compareArtistTitle,
         {.title = "a", .artist = "B"},
         {.title = "b", .artist = "b"},
         -1},
        {"album then title",
         compareAlbumTitle,
         {.title = "b", .album = "A"},
         {.title = "a", .album = "a"},
         1},
        {"album initial", compareAlbumInitial, {.album = "The Apple"}, {.album = "axe"}, 0},
        {"album initial order", compareAlbumInitial, {.album = "Beta"}, {.album = "The Alpha"}, 1},
        {"title initial", compareTitleInitial, {.title = "zebra"}, {.title = "Zoo"}, 0},
        {"genre initial unstripped",
         compareGenreInitial,
         {.genre = "The Blues"},
         {.genre = "techno"},
         0},
        {"file initial", compareFileNameInitial, {.filename = "c:\\a"}, {.filename = "C:\\b"}, 0},
        {"play count numeric",
         comparePlayCount,
         {.extended = ExtendedList{{"PLAYCOUNT", "9"}}},
         {.extended = ExtendedList{{"PLAYCOUNT", "10"}}},
         -1},
        {"field name ignores case",
         comparePlayCount,
         {.extended = ExtendedList{{"playcount", "11"}}},
         {.extended = ExtendedList{{"PLAYCOUNT", "10"}}},
         1},
        {"first matching entry counts",
         comparePlayCount,
         {.extended = ExtendedList{{"PLAYCOUNT", "1"}, {"PLAYCOUNT", "99"}}},
         {.extended = ExtendedList{{"PLAYCOUNT", "2"}}},
         -1},
        {"missing field last",
         comparePlayCount,
         {.extended = noRating},
         {.extended = ExtendedList{{"RATING", "3"}}},
         -1},
        {"rating missing last",
         compareRating,
         {.extended = noRating},
         {.extended = ExtendedList{{"RATING", "1"}}},
         1},
        {"both lack the field",
         compareRating,
         {.extended = noRating},
         {.extended = ExtendedList{}},
         0},
        {"no list after a list",
         compareRating,
         {.extended = std::nullopt},
         {.extended = ExtendedList{}},
         1},
        {"no lists equal", compareRating, {}, {}, 0},
        {"leading integer",
         compareBitrate,
         {.extended = ExtendedList{{"BITRATE", " 128 VBR"}}},
         {.extended = ExtendedList{{"BITRATE", "96"}}},
         1},
        {"no digits is 0",
         compareBitrate,
         {.extended = ExtendedList{{"BITRATE", "abc"}}},
         {.extended = ExtendedList{{"BITRATE", "-1"}}},
         1},
        {"huge values do not wrap",
         compareBitrate,
         {.extended = ExtendedList{{"BITRATE", "99999999999"}}},
         {.extended = ExtendedList{{"BITRATE", "-99999999999"}}},
         1},
        {"equal numbers by text",
         compareRating,
         {.extended = ExtendedList{{"RATING", "05"}}},
         {.extended = ExtendedList{{"RATING", "5"}}},
         -1},
        {"an empty value counts as missing",
         compareRating,
         {.extended = ExtendedList{{"RATING", " "}}},
         {.extended = ExtendedList{{"RATING", "-5"}}},
         1},
        {"empty and missing values are alike",
         comparePlayCount,
         {.extended = ExtendedList{{"PLAYCOUNT", ""}}},
         {.extended = ExtendedList{}},
         0},
        {"file names by bytes", compareFileName, {.filename = "a.mp3"}, {.filename = "B.mp3"}, 1},
        {"file names case counts",
         compareFileName,
         {.filename = "A.mp3"},
         {.filename = "a.mp3"},
         -1},
        {"file names high bytes unsigned",
         compareFileName,
         {.filename = "\xE9.mp3"},
         {.filename = "z.mp3"},
         1},
        {"missing file name last",
         compareFileName,
         {.filename = std::nullopt},
         {.filename = ""},
         1},
        {"file names as text",
         compareFileNameAsText,
         {.filename = "a.mp3"},
         {.filename = "B.mp3"},
         -1},
    };
    for (const auto& c : cases) {
        const TrackRecord a = s.make(c.a);
        const TrackRecord b = s.make(c.b);
        EXPECT_EQ(sign(c.compare(a, b)), c.expected) << c.name;
        EXPECT_EQ(sign(c.compare(b, a)), -c.expected) << c.name << " (reversed)";
    }
}

TEST(ComparatorForLevel, PicksByKindOptionsAndFollowingLevel) {
    const struct {
        const char* name;
        MenuDefinition definition;
        int level;
        Comparator expected;
    } cases[] = {
        {"artist", definitionWith({L::Artist}), 0, compareArtist},
        {"negative level is 0", definitionWith({L::Artist, L::Title}), -3, compareArtist},
        {"past the last level", definitionWith({L::Artist}), 1, nullptr},
        {"album", definitionWith({L::Album}), 0, compareAlbum},
        {"album year first", definitionWith({L::Album}, false, true, 0), 0, compareYearAlbum},
        {"album year after", definitionWith({L::Album}, false, true, 1), 0, compareAlbumYear},
        {"title", definitionWith({L::Title}), 0, compareTitle},
        {"title track numbers", definitionWith({L::Title}, true), 0, compareTrackTitle},
        {"genre", definitionWith({L::Genre}), 0, compareGenre},
        {"year", definitionWith({L::Year}), 0, compareYear},
        {"track number", definitionWith({L::TrackNumber}), 0, compareTrack},
        {"artist/album", definitionWith({L::ArtistAlbum}), 0, compareArtistAlbum},
        {"artist/title", definitionWith({L::ArtistTitle}), 0, compareArtistTitle},
        {"album/title", definitionWith({L::AlbumTitle}), 0, compareAlbumTitle},
        {"rating", definitionWith({L::Rating}), 0, compareRating},
        {"play count", definitionWith({L::PlayCount}), 0, comparePlayCount},
        {"bitrate", definitionWith({L::Bitrate}), 0, compareBitrate},
        {"file name", definitionWith({L::Filename}), 0, compareFileName},
        {"raw entries", definitionWith({L::PlaylistEntries}), 0, nullptr},
        {"unknown kind", definitionWith({static_cast<L>(99)}), 0, nullptr},
        {"letter over artist", definitionWith({L::FirstLetter, L::Artist}), 0, compareArtist},
        {"letter over artist/title", definitionWith({L::FirstLetter, L::ArtistTitle}), 0,
         compareArtist},
        {"letter over album", definitionWith({L::FirstLetter, L::Album}, false, true), 0,
         compareAlbumInitial},
        {"letter over album/title", definitionWith({L::FirstLetter, L::AlbumTitle}), 0,
         compareAlbumInitial},
        {"letter over title", definitionWith({L::FirstLetter, L::Title}, true), 0,
         compareTitleInitial},
        {"letter over genre", definitionWith({L::FirstLetter, L::Genre}), 0, compareGenreInitial},
        {"letter over file", definitionWith({L::FirstLetter, L::Filename}), 0,
         compareFileNameInitial},
        {"letter over year", definitionWith({L::FirstLetter, L::Year}), 0, compareYear},
        {"letter over bitrate", definitionWith({L::FirstLetter, L::Bitrate}), 0, compareBitrate},
        {"letter over letter", definitionWith({L::FirstLetter, L::FirstLetter, L::Title}), 0,
         compareTitleInitial},
        {"letter alone", definitionWith({L::FirstLetter}), 0, nullptr},
        {"letter over raw entries", definitionWith({L::FirstLetter, L::PlaylistEntries}), 0,
         nullptr},
        {"range over artist", definitionWith({L::Range, L::Artist}), 0, compareArtist},
        {"range alone", definitionWith({L::Range}), 0, nullptr},
        {"range over year-first albums", definitionWith({L::Range, L::Album}, false, true, 0), 0,
         compareAlbum},
        {"range over numbered titles", definitionWith({L::Range, L::Title}, true), 0, compareTitle},
        {"range over files", definitionWith({L::Range, L::Filename}), 0, compareFileNameAsText},
        {"range over range", definitionWith({L::Range, L::Range, L::Year}), 0, compareYear},
        {"range over letter over album", definitionWith({L::Range, L::FirstLetter, L::Album}), 0,
         compareAlbumInitial},
        {"letter over range over album",
         definitionWith({L::FirstLetter, L::Range, L::Album}, false, true, 0), 0, compareAlbum},
        {"second level", definitionWith({L::Range, L::Artist, L::Album}, false, true, 0), 2,
         compareYearAlbum},
    };
    for (const auto& c : cases)
        EXPECT_EQ(comparatorForLevel(c.definition, c.level), c.expected) << c.name;
}

TEST(ComparatorForLevel, LongChainsOfCoarseLevelsNeedNoDeepRecursion) {
    MenuDefinition d;
    d.levels.assign(200000, L::FirstLetter);
    d.levels.push_back(L::Title);
    EXPECT_EQ(comparatorForLevel(d, 0), compareTitleInitial);
    d.levels.back() = L::Year;
    EXPECT_EQ(comparatorForLevel(d, 0), compareYear);
}

using test::allComparators;

// std::sort misbehaves (even reads out of bounds) with a comparator that is not
// a strict weak order, so every comparator is checked on random records.
TEST(Comparators, AreStrictWeakOrdersOnRandomRecords) {
    std::mt19937 rng(20240611);
    TrackStore store;
    std::vector<TrackRecord> records;
    for (int i = 0; i < 60; ++i) records.push_back(store.make(test::randomTrack(rng)));
    int index = 0;
    for (const Comparator c : allComparators()) {
        for (const TrackRecord& a : records) {
            ASSERT_EQ(c(a, a), 0) << "comparator " << index;
            for (const TrackRecord& b : records) {
                const int ab = sign(c(a, b));
                ASSERT_EQ(ab, -sign(c(b, a))) << "comparator " << index;
                for (const TrackRecord& x : records) {
                    if (ab < 0 && sign(c(b, x)) < 0) {
                        ASSERT_LT(c(a, x), 0) << "comparator " << index;
                    }
                    if (ab == 0) {
                        ASSERT_EQ(sign(c(a, x)), sign(c(b, x))) << "comparator " << index;
                    }
                }
            }
        }
        ++index;
    }
}

TEST(SortRecords, InlinedAndGenericSortsAgree) {
    std::mt19937 rng(7);
    TrackStore store;
    std::vector<TrackRecord> records;
    for (int i = 0; i < 500; ++i) records.push_back(store.make(test::randomTrack(rng)));
    for (const Comparator c : allComparators()) {
        auto sorted = records;
        sortRecords(sorted.data(), sorted.data() + sorted.size(), c);
        for (std::size_t i = 1; i < sorted.size(); ++i) ASSERT_LE(c(sorted[i - 1], sorted[i]), 0);
    }
    // A comparator the sort does not know is still used.
    auto sorted = records;
    sortRecords(sorted.data(), sorted.data() + sorted.size(),
                [](const TrackRecord& a, const TrackRecord& b) { return compareYear(b, a); });
    for (std::size_t i = 1; i < sorted.size(); ++i)
        ASSERT_GE(compareYear(sorted[i - 1], sorted[i]), 0);
    // No comparator: the records stay in their order.
    auto unsorted = records;
    sortRecords(unsorted.data(), unsorted.data() + unsorted.size(), nullptr);
    for (std::size_t i = 0; i < records.size(); ++i) ASSERT_EQ(unsorted[i].title, records[i].title);
}

// Large sorts order by a prefix of each key first: texts that share long
// prefixes, numbers too big for the prefix and missing fields must still come
// out in the comparator's order, with every record kept exactly once.
TEST(SortRecords, LargeSortsKeepEveryRecordInTheComparatorsOrder) {
    std::mt19937 rng(31);
    TrackStore store;
    std::vector<TrackRecord> records;
    static const char* const sharedStarts[] = {"Love Love Love ", "love love LOVE", "The Lovelove",
                                               "  Love Love Lo", "Love Love Love"};
    for (int i = 0; i < 3000; ++i) {
        test::TrackValues t = test::randomTrack(rng);
        if (i % 3 == 0) {
            const std::string start = sharedStarts[i % 5];
            t.artist = start + test::randomText(rng);
            t.album = start + test::randomText(rng);
            t.title = start + test::randomText(rng);
            t.genre = start + test::randomText(rng);
        }
        if (i % 7 == 0) t.year = 65535 + i % 3; // beyond what the prefix holds
        if (i % 11 == 0) t.trackNumber = 70000 - i % 5;
        records.push_back(store.make(t));
    }
    const auto identity = [](const TrackRecord& r) {
        return std::make_tuple(r.filename, r.title, r.album, r.artist, r.genre, r.year,
                               r.trackNumber, r.extendedFields);
    };
    std::vector<decltype(identity(records[0]))> before;
    for (const TrackRecord& r : records) before.push_back(identity(r));
    std::sort(before.begin(), before.end());

    int index = 0;
    for (const Comparator c : allComparators()) {
        auto sorted = records;
        sortRecords(sorted.data(), sorted.data() + sorted.size(), c);
        for (std::size_t i = 1; i < sorted.size(); ++i)
            ASSERT_LE(c(sorted[i - 1], sorted[i]), 0) << "comparator " << index << " at " << i;
        std::vector<decltype(identity(records[0]))> after;
        for (const TrackRecord& r : sorted) after.push_back(identity(r));
        std::sort(after.begin(), after.end());
        ASSERT_EQ(after, before) << "comparator " << index;
        ++index;
    }
}

// Texts where two different records legitimately show the same stripped label
// while their keys differ: documented limits of the label formats.
bool outsideOrderDomain(const TrackRecord& r, LevelType shown) {
    auto startsWithNumberDot = [](const char* t) {
        if (t == nullptr) return false;
        while (*t == ' ') ++t;
        const char* digits = t;
        while (*t >= '0' && *t <= '9') ++t;
        return t > digits && t[0] == '.' && t[1] == ' ';
    };
    auto isBareThe = [](const char* t) { return t != nullptr && equalIgnoringCase(t, "the"); };
    switch (shown) {
    case L::Title: return startsWithNumberDot(r.title); // "     7. x" and "  7. x"
    case L::Album: return isBareThe(r.album);           // "The (1999)" and " (1999)"
    case L::ArtistAlbum:
    case L::ArtistTitle: return r.artist != nullptr && std::strchr(r.artist, '/') != nullptr;
    case L::AlbumTitle: return r.album != nullptr && std::strchr(r.album, '/') != nullptr;
    case L::Bitrate: {
        const char* v = extendedField(r, "BITRATE");
        return isBareThe(v);
    }
    default: return false;
    }
}

std::vector<MenuDefinition> levelShapes() {
    const LevelType kinds[] = {L::Artist,     L::Album,       L::Title,       L::Genre,
                               L::Year,       L::TrackNumber, L::ArtistAlbum, L::ArtistTitle,
                               L::AlbumTitle, L::Rating,      L::PlayCount,   L::Bitrate,
                               L::Filename};
    std::vector<MenuDefinition> shapes;
    for (int options = 0; options < 6; ++options) {
        const bool trackNumbers = options & 1;
        const bool addYear = options >= 2;
        const int yearPosition = options >= 4 ? 1 : 0;
        for (const LevelType k : kinds) {
            for (std::vector<LevelType> levels : {std::vector<LevelType>{k, L::Title},
                                                  {L::FirstLetter, k},
                                                  {L::Range, k},
                                                  {L::Range, L::FirstLetter, k},
                                                  {L::FirstLetter, L::Range, k},
                                                  {L::FirstLetter, L::FirstLetter, k}})
                shapes.push_back(definitionWith(levels, trackNumbers, addYear, yearPosition));
        }
    }
    return shapes;
}

// The grouping walk makes one item per run of equal stripped labels, so after
// sorting with a level's comparator every label must form one run.
TEST(ComparatorForLevel, KeepsEqualLabelsTogether) {
    std::mt19937 rng(99);
    TrackStore store;
    std::vector<TrackRecord> pool;
    for (int i = 0; i < 500; ++i) pool.push_back(store.make(test::randomTrack(rng)));
    for (const MenuDefinition& d : levelShapes()) {
        LevelType shown = d.levels[0];
        for (std::size_t i = 1; shown == L::FirstLetter || shown == L::Range; ++i)
            shown = d.levels[i];
        // A Filename level keeps the byte order that file lookups need, so
        // names that differ only in case or leading blanks may lie apart.
        if (d.levels[0] == L::Filename) continue;
        std::vector<TrackRecord> records;
        for (const TrackRecord& r : pool)
            if (!outsideOrderDomain(r, shown)) records.push_back(r);
        sortRecords(records.data(), records.data() + records.size(), comparatorForLevel(d, 0));
        std::unordered_map<std::string, std::size_t> lastSeen;
        char label[kLabelSize];
        std::string previous;
        for (std::size_t i = 0; i < records.size(); ++i) {
            itemLabel(records[i], 0, true, d, label);
            std::string key;
            for (const char* p = stripLeadingThe(label); *p; ++p)
                key += static_cast<char>(foldByte(*p));
            if (!key.empty()) {
                auto seen = lastSeen.find(key);
                ASSERT_TRUE(seen == lastSeen.end() || seen->second == i - 1)
                    << "label \"" << label << "\" split in levels starting "
                    << levelName(static_cast<int>(d.levels[0])) << "/"
                    << levelName(static_cast<int>(d.levels[1])) << " options " << d.showTrackNumbers
                    << d.addYearToAlbums << d.yearPosition;
                lastSeen[key] = i;
            }
        }
    }
}

// A built menu is searched by label text; the labels must therefore be in the
// order the level sorted its records.
TEST(CompareLabelsForLevel, FollowsTheSortOrderOfEveryLevel) {
    std::mt19937 rng(31337);
    TrackStore store;
    std::vector<TrackRecord> pool;
    for (int i = 0; i < 300; ++i) pool.push_back(store.make(test::randomTrack(rng)));
    for (const MenuDefinition& d : levelShapes()) {
        if (d.levels[0] == L::Range) continue; // range items are matched by their bounds
        LevelType shown = d.levels[0];
        for (std::size_t i = 1; shown == L::FirstLetter || shown == L::Range; ++i)
            shown = d.levels[i];
        std::vector<TrackRecord> records;
        for (const TrackRecord& r : pool)
            if (!outsideOrderDomain(r, shown)) records.push_back(r);
        sortRecords(records.data(), records.data() + records.size(), comparatorForLevel(d, 0));
        std::vector<std::string> labels;
        char label[kLabelSize];
        for (const TrackRecord& r : records)
            if (*stripLeadingThe(itemLabel(r, 0, true, d, label)) != '\0') labels.push_back(label);
        for (std::size_t i = 0; i + 1 < labels.size(); ++i) {
            const std::size_t j =
                std::uniform_int_distribution<std::size_t>(i, labels.size() - 1)(rng);
            for (const std::size_t k : {i + 1, j})
                ASSERT_LE(compareLabelsForLevel(d, 0, labels[i].c_str(), labels[k].c_str()), 0)
                    << "\"" << labels[i] << "\" before \"" << labels[k] << "\" in "
                    << levelName(static_cast<int>(d.levels[0])) << "/"
                    << levelName(static_cast<int>(d.levels[1])) << " options " << d.showTrackNumbers
                    << d.addYearToAlbums << d.yearPosition;
        }
    }
}

TEST(CompareLabelsForLevel, NumbersCompareAsNumbers) {
    const struct {
        MenuDefinition definition;
        const char* a;
        const char* b;
        int expected;
    } cases[] = {
        {definitionWith({L::Title}, true), "  9. Zed", " 10. Air", -1},
        {definitionWith({L::Title}, true), "     Zed", "  1. Air", -1},
        {definitionWith({L::Title}, true), "999. x", "1000. a", -1},
        {definitionWith({L::Title}, false), "  9. Zed", " 10. Air", 1}, // plain titles
        {definitionWith({L::TrackNumber}), "9", "10", -1},
        {definitionWith({L::Bitrate}), "96 kbps", "128 kbps", -1},
        {definitionWith({L::PlayCount}), "05", "5", -1},
        {definitionWith({L::FirstLetter, L::Year}), "999", "1000", -1},
        {definitionWith({L::Album}, false, true, 0), "(        ) Zed", "(1999) Air", -1},
        {definitionWith({L::Album}, false, true, 0), "(2001) Air", "(1999) Zed", 1},
        {definitionWith({L::Album}, false, true, 1), "Air (2001)", "Zed (1999)", -1},
        {definitionWith({L::Album}, false, true, 1), "Hits (2001)", "Hits (1999)", 1},
        {definitionWith({L::ArtistAlbum}), "Abba x/Gold", "Abba/Zed", 1},
        {definitionWith({L::ArtistAlbum}), "Abba", "Abba/Zed", 1},
        {definitionWith({L::FirstLetter, L::Album}), "_", "A", 1},
        {definitionWith({L::FirstLetter, L::Artist}), "_", "A", -1},
        {definitionWith({L::Filename}), "b.mp3", "C.mp3", 1},
        {definitionWith({L::Range, L::Year}), "1990 -> 1995", "1999 -> 2001", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sign(compareLabelsForLevel(c.definition, 0, c.a, c.b)), c.expected)
            << c.a << " | " << c.b;
        EXPECT_EQ(sign(compareLabelsForLevel(c.definition, 0, c.b, c.a)), -c.expected)
            << c.b << " | " << c.a;
    }
}

TEST(UnescapeAmpersands, UndoesMenuEscapes) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {{"A&&B", "A&B"}, {"&&&&", "&&"}, {"&x", "x"}, {"x&", "x"}, {"", ""}};
    for (const auto& c : cases) {
        char text[32];
        std::strcpy(text, c.text);
        unescapeAmpersands(text);
        EXPECT_STREQ(text, c.expected);
    }
}

} // namespace
} // namespace tg
