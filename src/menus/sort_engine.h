// The sorting engine behind sortRecords: keys made once per record, ranks of
// ranges already in order, and the scratch memory both need. Templates on the
// comparator, so that each known comparator is inlined into its sort; only
// sort_orders.cpp, which pairs the comparators with their keys, includes this.
#pragma once

#include "menus/comparator.h"
#include "menus/text_order.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace tg {

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
inline bool putText(SortKey& key, int at, const char* text) {
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
inline bool putNumber(SortKey& key, std::int32_t number) {
    constexpr std::uint64_t kTop = 0xFFFF;
    if (number < 0) number = 0;
    if (static_cast<std::uint64_t>(number) >= kTop) {
        key.words[0] = kTop << 48;
        return false;
    }
    key.words[0] = static_cast<std::uint64_t>(number) << 48;
    return true;
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

} // namespace tg
