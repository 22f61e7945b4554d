#include "menus/grouping.h"

#include "menus/item_label.h"
#include "menus/record_prefetch.h"
#include "menus/text_order.h"
#include "model/model_state.h"
#include "model/text.h"
#include "platform/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tg {

int rangeTargetGroups(const MenuDefinition& definition, int level, const TrackRecord* records,
                      int first, int last) {
    if (records == nullptr || last < first) return 0;
    char labels[2][kLabelSize];
    char* previous = itemLabel(records[first], level, true, definition, labels[0]);
    char* current = labels[1];
    std::int64_t x = *stripLeadingThe(previous) != '\0' ? 1 : 0;
    for (int i = first + 1; i <= last; ++i) {
        if (last - i >= kPrefetchDistance) prefetchTexts(records[i + kPrefetchDistance]);
        itemLabel(records[i], level, true, definition, current);
        if (!sameStrippedLabel(previous, current)) ++x;
        std::swap(previous, current);
    }
    if (x <= 0) return 0;
    std::int64_t d = 1;
    while (d * d < x) ++d; // at most ~46341 steps for any int count
    const std::int64_t rows = layoutRows();
    if (d >= rows) d = rows;
    return static_cast<int>(std::max<std::int64_t>(x / d + 1, 2));
}

namespace {
// Levels that show the plain label of the level after them: a Range, and a
// First Letter over a number (or over another such level).
bool showsFollowingLabel(const MenuDefinition& definition, int level) {
    const LevelType kind = definition.levelKind(level);
    if (kind == LevelType::Range) return true;
    if (kind != LevelType::FirstLetter) return false;
    const LevelType following = definition.levelKind(level + 1);
    return isNumberKind(following) || following == LevelType::FirstLetter ||
           following == LevelType::Range;
}
} // namespace

bool numericLevelFollows(const MenuDefinition& definition, int level) {
    if (level < 0) level = 0;
    // Whole numbers shown by a First Letter are numbers too: cut as text, their
    // bounds would not enclose the values between them in numeric order.
    while (showsFollowingLabel(definition, level)) ++level;
    switch (definition.levelKind(level)) {
    case LevelType::PastLastLevel:
    case LevelType::Year:
    case LevelType::TrackNumber:
    case LevelType::Rating:
    case LevelType::PlayCount:
    case LevelType::Bitrate: return true;
    default: return false;
    }
}

int commonPrefixLength(const char* a, const char* b) {
    int n = 0;
    while (a[n] != '\0' && b[n] != '\0' && upperByte(a[n]) == upperByte(b[n])) ++n;
    return a[n] == '\0' && b[n] == '\0' ? 0 : n;
}

namespace {
// a is shorter than b and b begins with it, ignoring case.
bool isProperPrefix(const char* a, const char* b) {
    std::size_t n = 0;
    while (a[n] != '\0' && upperByte(a[n]) == upperByte(b[n])) ++n;
    return a[n] == '\0' && b[n] != '\0';
}

// The first n characters of text (all of it when n is 0 or longer than it).
// UTF-8 texts are cut after a whole character, never inside one.
std::string_view prefix(const char* text, int n) {
    const std::string_view all(text);
    if (n <= 0 || static_cast<std::size_t>(n) >= all.size()) return all;
    auto length = static_cast<std::size_t>(n);
    if (platform::utf8Texts())
        while (length < all.size() && (static_cast<unsigned char>(all[length]) & 0xC0) == 0x80)
            ++length;
    return all.substr(0, length);
}
} // namespace

bool advanceRange(int& groupCount, char* rangeLabel, const char* label, const char* otherLabel,
                  int target, bool numeric, bool closeNow, std::size_t labelSize) {
    // A negative setting means no cutting, like 0; as a base of the allowance
    // below it would keep ranges from closing at all.
    const std::int64_t maxChars = std::max(model().options.maxRangeChars, 0);
    const bool cut = maxChars > 0 && !numeric;
    int length = cut ? commonPrefixLength(label, otherLabel) + 1 : 0;
    if (groupCount <= 1) copyText(rangeLabel, labelSize, prefix(label, length));
    const std::int64_t beyond = static_cast<std::int64_t>(groupCount) - target;
    if (!closeNow && !(beyond > 0 && length <= maxChars + beyond / 8)) return true;
    // An upper bound that the next value begins with would take that value into
    // this range as well (text ranges also take every value that begins with
    // their upper bound), so such a boundary is passed over.
    if (!closeNow && !numeric && isProperPrefix(label, otherLabel)) return true;
    groupCount = 1;
    // The upper bound must also differ from the range's own lower bound.
    if (length > 0) length = std::max(length, commonPrefixLength(rangeLabel, label) + 1);
    appendText(rangeLabel, labelSize, " -> ");
    appendText(rangeLabel, labelSize, prefix(label, length));
    return false;
}

} // namespace tg
