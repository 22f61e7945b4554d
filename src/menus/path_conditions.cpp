// The conditions that narrow a level query to the items chosen above it, in
// the library's query language. A condition selects every track of its item
// and may select more: the tracks are then kept exactly by their labels
// (item_tracks.h). So where the language cannot say a value exactly, the
// condition is widened: labels ignore a leading "The " and spaces (any text
// beginning with a space or with "The" and two spaces is taken too), a long
// value is asked for by its beginning, and a range by the first characters its
// values can begin with, which holds whatever order the library sorts text in.
// Every value is quoted with the library's escapes (query_quoting.h).
#include "menus/item_tracks.h"
#include "menus/label_options.h"
#include "menus/query_quoting.h"
#include "menus/query_templates.h"
#include "menus/sort_orders.h"
#include "menus/text_order.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace tg {

namespace {

using L = LevelType;

// Values longer than this are asked for by their beginning.
constexpr std::size_t kExactValueLength = 64;
// A range asks for at most this many first characters; a wider one asks nothing.
constexpr int kMaxRangeInitials = 8;
// Labels of two values with more "/" than this are asked for by the first part.
constexpr int kMaxSplitsAsked = 3;

// What a level's label shows: a field of this kind, whole or its initial; plain
// when seen through a First Letter or Range (no year, no track number, the first
// of two values).
struct Shown {
    bool valid = false;
    L kind = L::Artist;
    bool initial = false;
    bool plain = false;
};

bool isCombinedKind(L kind) {
    return kind == L::ArtistAlbum || kind == L::ArtistTitle || kind == L::AlbumTitle;
}

// Follows First Letter and Range levels to the field they show, as the labels
// do: from the kind the record names at level, then the definition's levels.
Shown shownAt(const MenuDefinition& definition, int level, L kindAtLevel) {
    Shown shown;
    for (int steps = 0; steps <= definition.levelCount() + 1; ++steps) {
        const L kind = steps == 0 ? kindAtLevel : definition.levelKind(level);
        if (!isTagLevel(kind)) return shown;
        if (kind == L::Range) {
            ++level;
            shown.plain = true;
            continue;
        }
        if (kind != L::FirstLetter) {
            shown.valid = true;
            shown.kind = kind;
            return shown;
        }
        const L next = definition.levelKind(level + 1);
        if (!isTagLevel(next)) return shown;
        if (isNumberKind(next) || next == L::FirstLetter || next == L::Range) {
            ++level;
            shown.plain = true;
            continue;
        }
        shown.valid = true;
        shown.kind = next;
        shown.initial = true;
        shown.plain = true;
        return shown;
    }
    return shown;
}

const char* fieldOf(L kind) {
    switch (kind) {
    case L::Artist:
    case L::ArtistAlbum:
    case L::ArtistTitle: return "artist";
    case L::Album:
    case L::AlbumTitle: return "album";
    case L::Title: return "title";
    case L::Genre: return "genre";
    case L::Filename: return "filename";
    case L::Year: return "year";
    case L::TrackNumber: return "trackno";
    case L::Rating: return "rating";
    case L::PlayCount: return "playcount";
    case L::Bitrate: return "bitrate";
    default: return "";
    }
}
const char* secondFieldOf(L kind) {
    return kind == L::ArtistAlbum ? "album" : "title";
}

// Whether the initial a First Letter shows of this kind is taken after "The ".
bool initialIsStripped(L kind) {
    return kind != L::Genre && kind != L::Filename;
}

// The beginning of a long value: never cut inside a character of more than one
// byte, which the player's conversion of the query would turn into another.
std::string_view beginningOf(std::string_view value) {
    std::size_t n = value.size() < kExactValueLength ? value.size() : kExactValueLength;
    while (n > 0 && static_cast<unsigned char>(value[n - 1]) >= 0x80) --n;
    return value.substr(0, n);
}

void compare(std::string& out, const char* field, const char* op, std::string_view value) {
    out += field;
    out += op;
    appendQuoted(out, value);
}

std::string anyOf(const std::vector<std::string>& alternatives) {
    if (alternatives.empty()) return {};
    if (alternatives.size() == 1) return alternatives.front();
    std::string out = "(";
    for (std::size_t i = 0; i < alternatives.size(); ++i) {
        if (i > 0) out += " OR ";
        out += alternatives[i];
    }
    return out + ")";
}

// The texts that a label stripped of "The " and spaces shows as v, ignoring
// case, and more: v, "The " and v, and every text beginning with a space or
// with "The" and two spaces. A long v is asked for by its beginning.
std::string strippedEquals(const char* field, std::string_view v) {
    std::vector<std::string> alternatives(1);
    if (v.empty()) {
        // Empty, spaces, "The " and spaces, and "The" before a label's " (year)".
        compare(alternatives.back(), field, " == ", "");
        compare(alternatives.emplace_back(), field, " == ", "The");
        compare(alternatives.emplace_back(), field, " begins ", " ");
        compare(alternatives.emplace_back(), field, " begins ", "The ");
        return anyOf(alternatives);
    }
    const bool whole = v.size() <= kExactValueLength;
    const std::string_view p = whole ? v : beginningOf(v);
    if (p.empty()) return {};
    const char* op = whole ? " == " : " begins ";
    compare(alternatives.back(), field, op, p);
    compare(alternatives.emplace_back(), field, op, "The " + std::string(p));
    compare(alternatives.emplace_back(), field, " begins ", " ");
    compare(alternatives.emplace_back(), field, " begins ", "The  ");
    return anyOf(alternatives);
}

// A second value as a label shows it (not stripped), ignoring case.
std::string secondEquals(const char* field, std::string_view v) {
    std::string out;
    if (v.size() <= kExactValueLength) {
        compare(out, field, " == ", v);
    } else {
        const std::string_view p = beginningOf(v);
        if (!p.empty()) compare(out, field, " begins ", p);
    }
    return out;
}

// Texts whose label begins with one of these characters (the label stripped
// first where stripped is set).
std::string beginsWithOneOf(const char* field, const std::string& initials, bool stripped) {
    std::vector<std::string> alternatives;
    for (const char c : initials) {
        compare(alternatives.emplace_back(), field, " begins ", std::string(1, c));
        if (stripped)
            compare(alternatives.emplace_back(), field, " begins ", "The " + std::string(1, c));
    }
    if (stripped) {
        compare(alternatives.emplace_back(), field, " begins ", " ");
        compare(alternatives.emplace_back(), field, " begins ", "The  ");
    }
    return anyOf(alternatives);
}

// A whole number that the library reads as one, or nothing.
bool asNumber(std::string_view text, std::int64_t& number) {
    const std::string whole(text);
    number = leadingInteger(whole.c_str());
    return number >= std::numeric_limits<std::int32_t>::min() &&
           number <= std::numeric_limits<std::int32_t>::max();
}

// Kinds whose 0 stands for every value of 0 and below: the library gives -1
// for a year or track number it does not know.
bool zeroIsUnknown(const char* field) {
    return std::strcmp(field, "year") == 0 || std::strcmp(field, "trackno") == 0;
}

std::string numberEquals(const char* field, std::string_view text) {
    std::int64_t number = 0;
    std::string out;
    if (!asNumber(text, number)) return out;
    if (number <= 0 && zeroIsUnknown(field))
        compare(out, field, " <= ", "0");
    else
        compare(out, field, " == ", std::to_string(number));
    return out;
}

// Two values shown as "first/second": every place of a "/" may be where they
// meet, or the first value holds them all and the second is missing.
std::string combinedEquals(L kind, std::string_view s) {
    const char* first = fieldOf(kind);
    const char* second = secondFieldOf(kind);
    std::vector<std::size_t> slashes;
    for (std::size_t i = s.find('/'); i != std::string_view::npos; i = s.find('/', i + 1))
        slashes.push_back(i);
    if (slashes.size() > static_cast<std::size_t>(kMaxSplitsAsked)) {
        const std::string_view head = beginningOf(s.substr(0, slashes.front()));
        return head.empty() ? std::string() : beginsWithOneOf(first, std::string(head), true);
    }
    std::vector<std::string> alternatives;
    alternatives.push_back(strippedEquals(first, s));
    for (const std::size_t at : slashes) {
        const std::string a = strippedEquals(first, s.substr(0, at));
        const std::string b = secondEquals(second, s.substr(at + 1));
        if (a.empty()) return {};
        alternatives.push_back(b.empty() ? a : "(" + a + " AND " + b + ")");
    }
    for (const std::string& a : alternatives)
        if (a.empty()) return {};
    return anyOf(alternatives);
}

template <std::size_t N> std::string_view fieldText(const char (&buffer)[N]) {
    return std::string_view(buffer, strnlen(buffer, N));
}

// The characters a label may begin with to lie between the first characters
// of two bounds, in the order of the level: one per letter whatever its case.
// Empty when there are too many, or one of more than a byte could be cut.
std::string initialsBetween(char low, char high, bool upperOrder) {
    const auto key = [upperOrder](unsigned char c) {
        if (upperOrder) return c == ' ' ? 0 : static_cast<int>(upperByte(static_cast<char>(c)));
        return static_cast<int>(foldByte(static_cast<char>(c)));
    };
    const int from = key(static_cast<unsigned char>(low));
    const int to = key(static_cast<unsigned char>(high));
    std::string initials;
    bool seen[256] = {};
    for (int c = 1; c < 256; ++c) {
        const int k = key(static_cast<unsigned char>(c));
        if (c == ' ' || k < from || k > to || seen[k]) continue;
        if (c >= 0x80 || static_cast<int>(initials.size()) == kMaxRangeInitials) return {};
        seen[k] = true;
        initials += static_cast<char>(c);
    }
    return initials;
}

std::string rangeCondition(const MenuDefinition& definition, int level,
                           const LevelSelection& record) {
    const Shown shown = shownAt(definition, level, record.kind);
    if (!shown.valid) return {};
    const std::string lowValue(fieldText(record.value));
    const std::string highValue(fieldText(record.secondValue));
    const std::string lower = stripLeadingThe(lowValue.c_str());
    const std::string upper = stripLeadingThe(highValue.c_str());
    if (lower.empty() || upper.empty()) return {};
    const char* field = fieldOf(shown.kind);
    if (isNumberKind(shown.kind)) {
        std::int64_t from = 0;
        std::int64_t to = 0;
        if (!asNumber(lower, from) || !asNumber(upper, to) || from > to) return {};
        std::string out;
        if (from > 0 || !zeroIsUnknown(field)) {
            compare(out, field, " >= ", std::to_string(from));
            out += " AND ";
        }
        compare(out, field, " <= ", std::to_string(to));
        return out;
    }
    const Comparator order = comparatorForLevel(definition, level);
    const bool upperOrder = order == compareAlbumInitial || order == compareTitleInitial ||
                            order == compareGenreInitial || order == compareFileNameInitial;
    const std::string initials = initialsBetween(lower[0], upper[0], upperOrder);
    if (initials.empty()) return {};
    const bool stripped = !shown.initial || initialIsStripped(shown.kind);
    return beginsWithOneOf(field, initials, stripped);
}

// The condition of a record chosen at a level other than a Range.
std::string itemCondition(const MenuDefinition& definition, int level,
                          const LevelSelection& record) {
    const Shown shown = shownAt(definition, level, record.kind);
    if (!shown.valid) return {};
    const char* field = fieldOf(shown.kind);
    const std::string value(fieldText(record.value));
    const std::string v = stripLeadingThe(value.c_str());
    if (shown.initial) {
        if (v.empty() || static_cast<unsigned char>(v[0]) >= 0x80) return {};
        return beginsWithOneOf(field, v.substr(0, 1), initialIsStripped(shown.kind));
    }
    if (isNumberKind(shown.kind)) return numberEquals(field, v);
    if (isCombinedKind(shown.kind) && !shown.plain) {
        const std::string second(fieldText(record.secondValue));
        const std::string whole = !record.label.empty() ? record.label
                                  : second.empty()      ? value
                                                        : value + "/" + second;
        return combinedEquals(shown.kind, stripLeadingThe(whole.c_str()));
    }
    std::string condition = strippedEquals(field, v);
    // The year an album's label shows tells albums of one name apart.
    const std::string year(fieldText(record.secondValue));
    if (shown.kind == L::Album && !shown.plain && definition.addYearToAlbums && !year.empty() &&
        !condition.empty()) {
        const std::string yearCondition = numberEquals("year", year);
        if (!yearCondition.empty()) condition += " AND " + yearCondition;
    }
    return condition;
}

} // namespace

std::vector<std::string> pathConditionList(const MenuDefinition& definition,
                                           const std::vector<LevelSelection>& path,
                                           int coveredCount) {
    int covered = coveredCount < 0 ? 0
                  : static_cast<std::size_t>(coveredCount) > path.size()
                      ? static_cast<int>(path.size())
                      : coveredCount;
    // A range whose label does not tell its bounds apart is found again by
    // walking its level over every record of the item above it: nothing at or
    // below it may narrow the query.
    for (int i = 0; i < covered; ++i) {
        const LevelSelection& record = path[static_cast<std::size_t>(i)];
        if (record.kind == L::Range && !record.label.empty() &&
            !rangeBoundsAreClear(record.label)) {
            covered = i;
            break;
        }
    }
    std::vector<std::string> conditions;
    for (int i = covered - 1; i >= 0; --i) {
        const LevelSelection& record = path[static_cast<std::size_t>(i)];
        std::string condition = record.kind == L::Range ? rangeCondition(definition, i, record)
                                                        : itemCondition(definition, i, record);
        if (!condition.empty()) conditions.push_back(std::move(condition));
    }
    return conditions;
}

std::string pathConditions(const MenuDefinition& definition,
                           const std::vector<LevelSelection>& path, int coveredCount) {
    std::string out;
    for (const std::string& condition : pathConditionList(definition, path, coveredCount)) {
        if (!out.empty()) out += " AND ";
        out += condition;
    }
    return out;
}

bool appendPathConditions(const MenuDefinition& definition, const std::vector<LevelSelection>& path,
                          int coveredCount, char* output) {
    if (output == nullptr) return false;
    const std::string conditions = pathConditions(definition, path, coveredCount);
    const std::size_t used = strnlen(output, kQuerySize);
    if (used >= kQuerySize || conditions.size() > kQuerySize - 1 - used) return false;
    std::memcpy(output + used, conditions.c_str(), conditions.size() + 1);
    return true;
}

} // namespace tg
