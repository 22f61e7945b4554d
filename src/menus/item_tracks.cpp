#include "menus/item_tracks.h"

#include "menus/item_label.h"
#include "menus/label_options.h"
#include "menus/level_builder.h"
#include "menus/sort_orders.h"
#include "menus/text_order.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <utility>

namespace tg {

namespace {

constexpr std::string_view kArrow = " -> ";

// How a Range level orders the labels it groups, and so how a label lies
// against the bounds of a range item.
enum class RangeOrder { Text, Initial, Number };

RangeOrder rangeOrderOf(const MenuDefinition& definition, int level) {
    const Comparator c = comparatorForLevel(definition, level);
    if (c == compareYear || c == compareTrack || c == compareRating || c == comparePlayCount ||
        c == compareBitrate)
        return RangeOrder::Number;
    if (c == compareAlbumInitial || c == compareTitleInitial || c == compareGenreInitial ||
        c == compareFileNameInitial)
        return RangeOrder::Initial;
    return RangeOrder::Text;
}

// key against a bound as the range walk placed them: <0 before it, 0 when key
// begins with it (text) or equals it (numbers, whose bounds are whole), >0 after.
int compareWithBound(RangeOrder order, const char* key, const char* bound) {
    switch (order) {
    case RangeOrder::Number: {
        const std::int64_t x = leadingInteger(key);
        const std::int64_t y = leadingInteger(bound);
        if (x != y) return x < y ? -1 : 1;
        return compareFolded(key, bound);
    }
    case RangeOrder::Initial: {
        const auto initial = [](char c) { return c == ' ' ? 0 : static_cast<int>(upperByte(c)); };
        for (; *bound != '\0'; ++key, ++bound)
            if (initial(*key) != initial(*bound)) return initial(*key) - initial(*bound);
        return 0;
    }
    case RangeOrder::Text: break;
    }
    return compareKeyWithBound(key, bound);
}

// Moves the records for which keep(record) holds to the front of
// records[0..count), in their order, the others after them in any order;
// returns how many were kept. One pass, in place.
template <typename Keep> int keepWhere(TrackRecord* records, int count, Keep keep) {
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (!keep(records[i])) continue;
        if (kept != i) std::swap(records[kept], records[i]);
        ++kept;
    }
    return kept;
}

int keepRange(MenuDefinition& definition, std::vector<LevelSelection>& path, int level,
              TrackRecord* records, int count) {
    const std::string& label = path[static_cast<std::size_t>(level)].label;
    if (!rangeBoundsAreClear(label)) {
        // Only the walk itself tells where such a range begins and ends; the
        // query asked for every record of the item above it.
        int first = 0;
        int last = -1;
        if (count == 0 || !findLevelItem(definition, path, level, records, 0, count - 1,
                                         label.c_str(), first, last))
            return 0;
        std::rotate(records, records + first, records + last + 1);
        return last - first + 1;
    }
    const std::size_t arrow = label.find(kArrow);
    const std::string lower = label.substr(0, arrow);
    const std::string upper = label.substr(arrow + kArrow.size());
    const RangeOrder order = rangeOrderOf(definition, level);
    char buffer[kLabelSize];
    return keepWhere(records, count, [&](const TrackRecord& r) {
        const char* key = stripLeadingThe(itemLabel(r, level, true, definition, buffer));
        return *key != '\0' && compareWithBound(order, key, lower.c_str()) >= 0 &&
               compareWithBound(order, key, upper.c_str()) <= 0;
    });
}

int keepLabel(const MenuDefinition& definition, int level, const std::string& label,
              TrackRecord* records, int count) {
    const char* chosen = label.c_str();
    if (*stripLeadingThe(chosen) == '\0') return 0; // no item shows an empty label
    const bool exact = labelsCompareExactly(definition, level);
    char buffer[kLabelSize];
    return keepWhere(records, count, [&](const TrackRecord& r) {
        const char* own = itemLabel(r, level, true, definition, buffer);
        return exact ? std::strcmp(own, chosen) == 0 : sameStrippedLabel(own, chosen);
    });
}

} // namespace

bool rangeBoundsAreClear(std::string_view label) {
    const std::size_t first = label.find(kArrow);
    return first != std::string_view::npos &&
           label.find(kArrow, first + 1) == std::string_view::npos;
}

int keepItemTracks(MenuDefinition& definition, std::vector<LevelSelection>& path, int coveredCount,
                   TrackRecord* records, int count) {
    if (records == nullptr || count <= 0) return 0;
    const int covered = std::clamp(coveredCount, 0, static_cast<int>(path.size()));
    int kept = count;
    try {
        for (int level = 0; level < covered && kept > 0; ++level) {
            const LevelSelection& chosen = path[static_cast<std::size_t>(level)];
            // Kinds outside the level table show no labels of their own.
            if (chosen.label.empty() || !isTagLevel(chosen.kind)) continue;
            kept = chosen.kind == LevelType::Range
                       ? keepRange(definition, path, level, records, kept)
                       : keepLabel(definition, level, chosen.label, records, kept);
        }
    } catch (const std::bad_alloc&) {
        return 0; // better nothing than tracks the item does not hold
    }
    return kept;
}

} // namespace tg
