#include "menus/sort_orders.h"

#include "menus/label_options.h"
#include "menus/text_order.h"
#include "plugin/host_messages.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace tg {

namespace {

template <typename T> inline int sign(T x, T y) {
    return (x > y) - (x < y);
}

// A field whose label would be empty sorts like a missing one: an empty label
// amid the numbers would end a range walk's run of groups early.
inline const char* shownField(const TrackRecord& r, const char* name) {
    const char* value = extendedField(r, name);
    return value != nullptr && *stripLeadingThe(value) != '\0' ? value : nullptr;
}

// The extended-field rule: no list last, then no field last, then the leading
// integers; equal numbers by their stripped text, as their labels are grouped.
inline int compareExtended(const TrackRecord& a, const TrackRecord& b, const char* name) {
    if (a.extendedFields == nullptr) return b.extendedFields == nullptr ? 0 : 1;
    if (b.extendedFields == nullptr) return -1;
    const char* x = shownField(a, name);
    const char* y = shownField(b, name);
    if (x == nullptr) return y == nullptr ? 0 : 1;
    if (y == nullptr) return -1;
    const int r = sign(leadingInteger(x), leadingInteger(y));
    return r != 0 ? r : compareFolded(stripLeadingThe(x), stripLeadingThe(y));
}

inline const char* skipSpaces(const char* text) {
    while (*text == ' ') ++text;
    return text;
}

inline int compareFileNameBytes(const char* x, const char* y) {
    if (x == nullptr) return y == nullptr ? 0 : 1;
    if (y == nullptr) return -1;
    return std::strcmp(x, y); // unsigned bytes, as the C library defines it
}

} // namespace

int compareArtist(const TrackRecord& a, const TrackRecord& b) {
    return compareTextIgnoringThe(a.artist, b.artist);
}
int compareAlbum(const TrackRecord& a, const TrackRecord& b) {
    return compareTextIgnoringThe(a.album, b.album);
}
int compareTitle(const TrackRecord& a, const TrackRecord& b) {
    return compareTextIgnoringThe(a.title, b.title);
}
int compareGenre(const TrackRecord& a, const TrackRecord& b) {
    return compareTextIgnoringThe(a.genre, b.genre);
}
int compareYear(const TrackRecord& a, const TrackRecord& b) {
    return sign(knownOrZero(a.year), knownOrZero(b.year));
}
int compareTrack(const TrackRecord& a, const TrackRecord& b) {
    return sign(knownOrZero(a.trackNumber), knownOrZero(b.trackNumber));
}

int compareYearAlbum(const TrackRecord& a, const TrackRecord& b) {
    const int r = sign(shownYear(a.year), shownYear(b.year));
    // The album follows "(year) " in the label, so a leading "The " is part of
    // what the label shows and must not merge two albums.
    return r != 0 ? r : compareTextThenWhole(a.album, b.album);
}
int compareAlbumYear(const TrackRecord& a, const TrackRecord& b) {
    // The album as its label strips it: "The (1999)" is the label of an empty
    // album of 1999, and must sort with it.
    int r = 0;
    if (a.album == nullptr || b.album == nullptr)
        r = compareTextIgnoringThe(a.album, b.album);
    else
        r = compareFolded(strippedBeforeSuffix(a.album), strippedBeforeSuffix(b.album));
    return r != 0 ? r : sign(shownYear(a.year), shownYear(b.year));
}
int compareTrackTitle(const TrackRecord& a, const TrackRecord& b) {
    const std::int32_t track = shownTrackNumber(a.trackNumber);
    const int r = sign(track, shownTrackNumber(b.trackNumber));
    if (r != 0) return r;
    if (track > 0) return compareTextThenWhole(a.title, b.title);
    // Behind five blanks the title's own leading spaces merge with them when
    // the label is stripped, so they must not tell titles apart.
    if (a.title == nullptr || b.title == nullptr) return compareTextThenWhole(a.title, b.title);
    return compareTextThenWhole(skipSpaces(a.title), skipSpaces(b.title));
}
int compareArtistAlbum(const TrackRecord& a, const TrackRecord& b) {
    const int r = compareTextIgnoringThe(a.artist, b.artist);
    return r != 0 ? r : compareTextThenWhole(a.album, b.album);
}
int compareArtistTitle(const TrackRecord& a, const TrackRecord& b) {
    const int r = compareTextIgnoringThe(a.artist, b.artist);
    return r != 0 ? r : compareTextThenWhole(a.title, b.title);
}
int compareAlbumTitle(const TrackRecord& a, const TrackRecord& b) {
    const int r = compareTextIgnoringThe(a.album, b.album);
    return r != 0 ? r : compareTextThenWhole(a.title, b.title);
}
int compareAlbumInitial(const TrackRecord& a, const TrackRecord& b) {
    return compareFirstLetter(a.album, b.album);
}
int compareTitleInitial(const TrackRecord& a, const TrackRecord& b) {
    return compareFirstLetter(a.title, b.title);
}
int compareGenreInitial(const TrackRecord& a, const TrackRecord& b) {
    return compareInitialAsIs(a.genre, b.genre);
}
int compareFileNameInitial(const TrackRecord& a, const TrackRecord& b) {
    return compareInitialAsIs(a.filename, b.filename);
}
int compareRating(const TrackRecord& a, const TrackRecord& b) {
    return compareExtended(a, b, "RATING");
}
int comparePlayCount(const TrackRecord& a, const TrackRecord& b) {
    return compareExtended(a, b, "PLAYCOUNT");
}
int compareBitrate(const TrackRecord& a, const TrackRecord& b) {
    return compareExtended(a, b, "BITRATE");
}
int compareFileName(const TrackRecord& a, const TrackRecord& b) {
    return compareFileNameBytes(a.filename, b.filename);
}
int compareFileNameAsText(const TrackRecord& a, const TrackRecord& b) {
    return compareTextIgnoringThe(a.filename, b.filename);
}

Comparator comparatorForLevel(const MenuDefinition& definition, int level) {
    if (level < 0) level = 0;
    // Under a Range the following level is seen through its plain label (no
    // year, no track number), so it must be ordered by that label alone, or the
    // range bounds would not enclose their values.
    bool plain = false;
    // A loop rather than recursion: a stored definition may chain any number
    // of First Letter and Range levels.
    for (;; ++level) {
        switch (static_cast<LevelType>(definition.levelKind(level))) {
        case LevelType::Artist: return compareArtist;
        case LevelType::Album:
            if (plain) return compareAlbum;
            if (showsYearBeforeAlbum(definition)) return compareYearAlbum;
            if (showsYearAfterAlbum(definition)) return compareAlbumYear;
            return compareAlbum;
        case LevelType::Title:
            return !plain && definition.showTrackNumbers ? compareTrackTitle : compareTitle;
        case LevelType::Genre: return compareGenre;
        case LevelType::Year: return compareYear;
        case LevelType::TrackNumber: return compareTrack;
        case LevelType::ArtistAlbum: return compareArtistAlbum;
        case LevelType::ArtistTitle: return compareArtistTitle;
        case LevelType::AlbumTitle: return compareAlbumTitle;
        case LevelType::Rating: return compareRating;
        case LevelType::PlayCount: return comparePlayCount;
        case LevelType::Bitrate: return compareBitrate;
        case LevelType::Filename: return plain ? compareFileNameAsText : compareFileName;
        case LevelType::Range: plain = true; continue;
        case LevelType::FirstLetter:
            switch (static_cast<LevelType>(definition.levelKind(level + 1))) {
            case LevelType::Artist:
            case LevelType::ArtistAlbum:
            case LevelType::ArtistTitle: return compareArtist;
            case LevelType::Album:
            case LevelType::AlbumTitle: return compareAlbumInitial;
            case LevelType::Title: return compareTitleInitial;
            // Their initials are shown unstripped; ordering them by the
            // stripped value would split a letter's item in two.
            case LevelType::Genre: return compareGenreInitial;
            case LevelType::Filename: return compareFileNameInitial;
            default: continue; // the following level's comparator (none past the end)
            }
        default: return nullptr;
        }
    }
}

namespace {

// Sorts of many records first order them by a key made once per record: the
// first bytes of the text as the comparator sees it (folded, after "The "),
// after the shown number where the comparator orders by one first. Most
// comparisons then compare three integers instead of walking two texts
// through the host's memory. A key is monotone for its comparator (C(a, b) < 0
// implies key(a) <= key(b)); equal keys fall back to the comparator, unless
// both are complete: they hold the whole of what the comparator looks at, so
// their records compare equal.
struct SortKey {
    std::uint64_t words[3] = {0, 0, 0};
    bool complete = false;
};
using MakeKey = void (*)(const TrackRecord&, SortKey&);

// Below this many records the plain sort is as fast and needs no scratch
// memory (eager filling sorts many small groups).
constexpr std::ptrdiff_t kKeyedSortMinimum = 512;

// Writes the text's bytes as compareFolded sees them (folded; the terminator
// and what follows as 0) big-endian into the key from byte position `at` on.
// A missing text sorts last: all ones. Returns whether the whole text fit.
bool putText(SortKey& key, int at, const char* text) {
    constexpr int kBytes = static_cast<int>(sizeof key.words);
    if (text == nullptr) {
        for (int i = at; i < kBytes; ++i)
            key.words[i / 8] |= std::uint64_t{0xFF} << (56 - 8 * (i % 8));
        return true;
    }
    int i = at;
    for (; i < kBytes && *text != '\0'; ++i, ++text)
        key.words[i / 8] |= std::uint64_t{foldByte(*text)} << (56 - 8 * (i % 8));
    return i < kBytes; // a 0 byte (the terminator) is in the key
}

// A shown number (0 or more) in the top 16 bits. Numbers too big for them all
// get the same key, text left out, so the comparator alone orders them.
bool putNumber(SortKey& key, std::int32_t number) {
    constexpr std::uint64_t kTop = 0xFFFF;
    if (number < 0) number = 0;
    if (static_cast<std::uint64_t>(number) >= kTop) {
        key.words[0] = kTop << 48;
        return false;
    }
    key.words[0] = static_cast<std::uint64_t>(number) << 48;
    return true;
}

// compareTextIgnoringThe: the stripped text decides alone.
template <char* TrackRecord::*Field> void strippedKey(const TrackRecord& r, SortKey& key) {
    const char* text = r.*Field;
    key.complete = putText(key, 0, text != nullptr ? stripLeadingThe(text) : nullptr);
}
// A text first, then a second key the prefix does not hold.
template <char* TrackRecord::*Field> void firstOfTwoKey(const TrackRecord& r, SortKey& key) {
    strippedKey<Field>(r, key);
    key.complete = false;
}
void albumYearKey(const TrackRecord& r, SortKey& key) {
    putText(key, 0, r.album != nullptr ? strippedBeforeSuffix(r.album) : nullptr);
    key.complete = false;
}
// compareTextThenWhole after a number: texts that lost a "The " or spaces to
// stripping are told apart by their whole text, which the key does not hold.
void numberThenTextKey(SortKey& key, std::int32_t number, const char* text) {
    if (!putNumber(key, number)) return;
    const char* stripped = text != nullptr ? stripLeadingThe(text) : nullptr;
    key.complete = putText(key, 2, stripped) && stripped == text;
}
void yearAlbumKey(const TrackRecord& r, SortKey& key) {
    numberThenTextKey(key, shownYear(r.year), r.album);
}
void trackTitleKey(const TrackRecord& r, SortKey& key) {
    const std::int32_t track = shownTrackNumber(r.trackNumber);
    const char* title = r.title;
    // Untracked titles are compared without their leading spaces.
    if (track <= 0 && title != nullptr) title = skipSpaces(title);
    numberThenTextKey(key, track, title);
}

struct KeyedRecord {
    SortKey key;
    std::uint32_t index; // where the record stands before sorting
};

template <Comparator C>
bool keyedLess(const KeyedRecord& x, const KeyedRecord& y, const TrackRecord* records) {
    for (int i = 0; i < 3; ++i)
        if (x.key.words[i] != y.key.words[i]) return x.key.words[i] < y.key.words[i];
    if (x.key.complete && y.key.complete) return false;
    return C(records[x.index], records[y.index]) < 0;
}

template <Comparator C> void plainSort(TrackRecord* begin, TrackRecord* end) {
    std::sort(begin, end, [](const TrackRecord& x, const TrackRecord& y) { return C(x, y) < 0; });
}

template <Comparator C, MakeKey K> void keyedSort(TrackRecord* begin, TrackRecord* end) {
    const std::size_t count = static_cast<std::size_t>(end - begin);
    // Without scratch memory the plain sort, which needs none, does the work.
    std::vector<KeyedRecord> keyed;
    try {
        keyed.resize(count);
    } catch (const std::bad_alloc&) {
        return plainSort<C>(begin, end);
    }
    std::unique_ptr<TrackRecord[]> gathered(new (std::nothrow) TrackRecord[count]);
    if (gathered == nullptr) return plainSort<C>(begin, end);
    for (std::size_t i = 0; i < count; ++i) {
        K(begin[i], keyed[i].key);
        keyed[i].index = static_cast<std::uint32_t>(i);
    }
    std::sort(keyed.begin(), keyed.end(), [begin](const KeyedRecord& x, const KeyedRecord& y) {
        return keyedLess<C>(x, y, begin);
    });
    // Gathered into scratch memory, the records are read independently of
    // each other; following the permutation's cycles in place would read them
    // one after the other.
    for (std::size_t i = 0; i < count; ++i) gathered[i] = begin[keyed[i].index];
    std::copy(gathered.get(), gathered.get() + count, begin);
}

// Ranks of ranges up to this size are kept on the stack.
constexpr std::ptrdiff_t kRanksOnStack = 1024;

// A rank in the high half, the record's position in the low half.
constexpr std::uint64_t rankedPosition(std::uint64_t rank, std::size_t position) {
    return rank << 32 | position;
}

// One pass over neighbours: false at the first pair out of order. ranks, when
// given, receives each record's rank (how many strict steps up lie before it).
template <typename Compare>
bool rankOrderedRange(const TrackRecord* begin, std::size_t count, Compare compare, bool& ties,
                      std::uint64_t* ranks) {
    std::uint64_t rank = 0;
    if (ranks != nullptr) ranks[0] = rankedPosition(0, 0);
    for (std::size_t i = 1; i < count; ++i) {
        const int r = compare(begin[i - 1], begin[i]);
        if (r > 0) return false;
        if (r < 0)
            ++rank;
        else
            ties = true;
        if (ranks != nullptr) ranks[i] = rankedPosition(rank, i);
    }
    return true;
}

// A range that is already in order gets the order std::sort would give it,
// without comparing records inside the sort. The sort is not stable, and the
// first of two equal records names their item, so only its exact result will
// do: its moves depend on nothing but the outcomes of its comparisons, so
// sorting the records' ranks moves them alike. Eager filling re-sorts every
// range of a Range level by the comparator that ordered it. Returns false,
// having changed nothing, when the range is out of order.
template <typename Compare>
bool sortOrderedRange(TrackRecord* begin, TrackRecord* end, Compare compare) {
    const std::ptrdiff_t size = end - begin;
    // Record positions are kept in 32 bits.
    if (size < 2 || static_cast<std::uint64_t>(size) > std::uint64_t{0xFFFFFFFF}) return false;
    const auto count = static_cast<std::size_t>(size);
    std::uint64_t onStack[kRanksOnStack];
    std::uint64_t* ranks = size <= kRanksOnStack ? onStack : nullptr;
    bool ties = false;
    if (!rankOrderedRange(begin, count, compare, ties, ranks)) return false;
    // Without equal neighbours the sorted order is unique.
    if (!ties) return true;
    std::vector<std::uint64_t> onHeap;
    if (ranks == nullptr) {
        try {
            onHeap.resize(count);
        } catch (const std::bad_alloc&) {
            return false;
        }
        ranks = onHeap.data();
        rankOrderedRange(begin, count, compare, ties, ranks);
    }
    std::sort(ranks, ranks + count,
              [](std::uint64_t x, std::uint64_t y) { return x >> 32 < y >> 32; });
    // Position i takes the record from the low half of ranks[i]; follow each
    // cycle once, marking the places done as holding their own record.
    constexpr std::uint64_t kLow = 0xFFFFFFFF;
    for (std::size_t i = 0; i < count; ++i) {
        if ((ranks[i] & kLow) == i) continue;
        const TrackRecord first = begin[i];
        std::size_t to = i;
        for (;;) {
            const auto from = static_cast<std::size_t>(ranks[to] & kLow);
            ranks[to] = to;
            if (from == i) {
                begin[to] = first;
                break;
            }
            begin[to] = begin[from];
            to = from;
        }
    }
    return true;
}

template <Comparator C> bool sortOrderedRange(TrackRecord* begin, TrackRecord* end) {
    return sortOrderedRange(begin, end,
                            [](const TrackRecord& x, const TrackRecord& y) { return C(x, y); });
}

using SortFunction = void (*)(TrackRecord*, TrackRecord*);

template <Comparator C> void sortWith(TrackRecord* begin, TrackRecord* end) {
    if (!sortOrderedRange<C>(begin, end)) plainSort<C>(begin, end);
}

template <Comparator C, MakeKey K> void sortKeyed(TrackRecord* begin, TrackRecord* end) {
    if (sortOrderedRange<C>(begin, end)) return;
    // Record positions are kept in 32 bits.
    if (end - begin < kKeyedSortMinimum ||
        static_cast<std::uint64_t>(end - begin) > std::uint64_t{0xFFFFFFFF})
        plainSort<C>(begin, end);
    else
        keyedSort<C, K>(begin, end);
}

struct KnownSort {
    Comparator comparator;
    SortFunction sort;
};

constexpr KnownSort kKnownSorts[] = {
    {compareArtist, sortKeyed<compareArtist, strippedKey<&TrackRecord::artist>>},
    {compareAlbum, sortKeyed<compareAlbum, strippedKey<&TrackRecord::album>>},
    {compareTitle, sortKeyed<compareTitle, strippedKey<&TrackRecord::title>>},
    {compareGenre, sortKeyed<compareGenre, strippedKey<&TrackRecord::genre>>},
    {compareYear, sortWith<compareYear>},
    {compareTrack, sortWith<compareTrack>},
    {compareYearAlbum, sortKeyed<compareYearAlbum, yearAlbumKey>},
    {compareAlbumYear, sortKeyed<compareAlbumYear, albumYearKey>},
    {compareTrackTitle, sortKeyed<compareTrackTitle, trackTitleKey>},
    {compareArtistAlbum, sortKeyed<compareArtistAlbum, firstOfTwoKey<&TrackRecord::artist>>},
    {compareArtistTitle, sortKeyed<compareArtistTitle, firstOfTwoKey<&TrackRecord::artist>>},
    {compareAlbumTitle, sortKeyed<compareAlbumTitle, firstOfTwoKey<&TrackRecord::album>>},
    {compareAlbumInitial, sortWith<compareAlbumInitial>},
    {compareTitleInitial, sortWith<compareTitleInitial>},
    {compareGenreInitial, sortWith<compareGenreInitial>},
    {compareFileNameInitial, sortWith<compareFileNameInitial>},
    {compareRating, sortWith<compareRating>},
    {comparePlayCount, sortWith<comparePlayCount>},
    {compareBitrate, sortWith<compareBitrate>},
    {compareFileName, sortWith<compareFileName>},
    {compareFileNameAsText, sortWith<compareFileNameAsText>},
};

} // namespace

void sortRecords(TrackRecord* begin, TrackRecord* end, Comparator comparator) {
    if (comparator == nullptr || begin == nullptr || end - begin < 2) return;
    for (const KnownSort& known : kKnownSorts) {
        if (known.comparator == comparator) {
            known.sort(begin, end);
            return;
        }
    }
    if (sortOrderedRange(begin, end, comparator)) return;
    std::sort(begin, end, [comparator](const TrackRecord& x, const TrackRecord& y) {
        return comparator(x, y) < 0;
    });
}

} // namespace tg
