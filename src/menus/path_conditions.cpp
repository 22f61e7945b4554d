// The conditions that restrict a level query to the values chosen above it,
// written in the library's query language. Chosen values have lost a leading
// "The " (labels hide it), so artist, album and title conditions accept the
// field with and without it.
#include "menus/query_templates.h"
#include "menus/text_order.h"

#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tg {

namespace {

// Patterns: %f is the field name, %s the next value, %c the next value's first
// character. Values are inserted in one pass, so a "%" inside a value stays text.
constexpr std::string_view kEitherSpelling = "(%f == \"%s\" OR %f == \"The %s\")";
constexpr std::string_view kEquals = "%f == \"%s\"";
constexpr std::string_view kFirstLetterEitherSpelling =
    "((!(%f begins \"The \") AND %f begins \"%c\") OR %f begins \"The %c\")";
constexpr std::string_view kBegins = "%f begins \"%c\"";
// The upper bound's begins-alternative excludes "The " values like the
// comparisons before it: an upper bound such as "Th" would otherwise take
// every "The ..." value of other ranges.
constexpr std::string_view kRangeEitherSpelling =
    "(((!(%f begins \"The \") AND %f >= \"%s\") OR (%f begins \"The \" AND %f >= \"The %s\")) AND "
    "((!(%f begins \"The \") AND %f < \"%s\") OR (%f begins \"The \" AND %f < \"The %s\")) OR "
    "(!(%f begins \"The \") AND %f begins \"%s\") OR %f begins \"The %s\")";
// Whole in parentheses: its OR would otherwise split the AND that joins it
// to the conditions of the outer levels.
constexpr std::string_view kRangeText = "((%f >= \"%s\") AND (%f < \"%s\") OR (%f begins \"%s\"))";
constexpr std::string_view kRangeNumber = "%f >= \"%s\" AND %f <= \"%s\"";
// A year or track number shown as 0 stands for every value of 0 and below:
// the library gives -1 for one it does not know.
constexpr std::string_view kUpTo = "%f <= \"%s\"";

std::string fill(std::string_view pattern, std::string_view field,
                 std::initializer_list<std::string_view> values) {
    std::string out;
    const std::string_view* next = values.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        const char code = pattern[++i];
        if (code == 'f') {
            out += field;
        } else if (next != values.end()) {
            // An empty value has no first character: it inserts nothing rather
            // than a NUL that would cut the query short.
            out += code == 'c' ? next->substr(0, 1) : *next;
            ++next;
        }
    }
    return out;
}

// How the values of a level kind are matched.
enum class Match { None, EitherSpelling, Text, Number };

struct LevelField {
    Match match = Match::None;
    const char* field = "";
    bool zeroIsUnknown = false; // 0 and below all mean "not known"
};

bool unknownNumber(const LevelField& f, std::string_view value) {
    return f.zeroIsUnknown && leadingInteger(std::string(value).c_str()) <= 0;
}

// The equality of a numeric value, or the range below it for an unknown one.
std::string numberCondition(const LevelField& f, std::string_view v) {
    return unknownNumber(f, v) ? fill(kUpTo, f.field, {"0"}) : fill(kEquals, f.field, {v});
}

LevelField fieldOf(std::int32_t kind) {
    switch (static_cast<LevelType>(kind)) {
    case LevelType::Artist:
    case LevelType::ArtistAlbum:
    case LevelType::ArtistTitle: return {Match::EitherSpelling, "artist"};
    case LevelType::Album:
    case LevelType::AlbumTitle: return {Match::EitherSpelling, "album"};
    case LevelType::Title: return {Match::EitherSpelling, "title"};
    case LevelType::Genre: return {Match::Text, "genre"};
    case LevelType::Filename: return {Match::Text, "filename"};
    case LevelType::Year: return {Match::Number, "year", true};
    case LevelType::TrackNumber: return {Match::Number, "trackno", true};
    case LevelType::Rating: return {Match::Number, "rating"};
    case LevelType::PlayCount: return {Match::Number, "playcount"};
    case LevelType::Bitrate: return {Match::Number, "bitrate"};
    default: return {};
    }
}

std::string firstLetterCondition(std::int32_t following, std::string_view v) {
    const LevelField f = fieldOf(following);
    switch (f.match) {
    case Match::EitherSpelling: return fill(kFirstLetterEitherSpelling, f.field, {v, v});
    case Match::Text: return fill(kBegins, f.field, {v});
    // Numbers under a first-letter level are grouped by their whole value.
    case Match::Number: return numberCondition(f, v);
    case Match::None: break;
    }
    return {};
}

std::string rangeCondition(std::int32_t following, std::string_view v, std::string_view u) {
    const LevelField f = fieldOf(following);
    switch (f.match) {
    case Match::EitherSpelling: return fill(kRangeEitherSpelling, f.field, {v, v, u, u, u, u});
    case Match::Text: return fill(kRangeText, f.field, {v, u, u});
    case Match::Number:
        return unknownNumber(f, v) ? fill(kUpTo, f.field, {u})
                                   : fill(kRangeNumber, f.field, {v, u});
    case Match::None: break;
    }
    return {};
}

// The record's own value condition; First Letter and Range are handled apart.
std::string valueCondition(std::int32_t kind, std::string_view v, std::string_view u) {
    using L = LevelType;
    const auto k = static_cast<L>(kind);
    if (k == L::ArtistAlbum || k == L::ArtistTitle || k == L::AlbumTitle) {
        const char* second = k == L::ArtistAlbum ? "album" : "title";
        return fill(kEitherSpelling, fieldOf(kind).field, {v, v}) + " AND " +
               fill(kEitherSpelling, second, {u, u});
    }
    if (k == L::Album && !u.empty()) // the year the album's label shows
        return fill(kEitherSpelling, "album", {v, v}) + " AND " + fill(kEquals, "year", {u});
    const LevelField f = fieldOf(kind);
    switch (f.match) {
    case Match::EitherSpelling: return fill(kEitherSpelling, f.field, {v, v});
    case Match::Text: return fill(kEquals, f.field, {v});
    case Match::Number: return numberCondition(f, v);
    case Match::None: break;
    }
    return {};
}

// A value buffer read only up to its size, in case it was filled without a terminator.
template <std::size_t N> std::string strippedValue(const char (&buffer)[N]) {
    const std::string whole(buffer, strnlen(buffer, N));
    return stripLeadingThe(whole.c_str());
}

} // namespace

std::string pathConditions(const MenuDefinition& definition,
                           const std::vector<LevelSelection>& path, int coveredCount) {
    const int covered = coveredCount < 0 ? 0
                        : static_cast<std::size_t>(coveredCount) > path.size()
                            ? static_cast<int>(path.size())
                            : coveredCount;
    std::string out;
    for (int i = covered - 1; i >= 0; --i) {
        const LevelSelection& record = path[static_cast<std::size_t>(i)];
        const std::string v = strippedValue(record.value);
        const std::string u = strippedValue(record.secondValue);
        std::string condition;
        const auto kind = static_cast<LevelType>(record.kind);
        if (kind == LevelType::FirstLetter || kind == LevelType::Range) {
            const bool innermostWithFollower =
                i == covered - 1 && covered < definition.levelCount();
            if (innermostWithFollower) {
                const std::int32_t following = definition.levelKind(covered);
                condition = kind == LevelType::FirstLetter ? firstLetterCondition(following, v)
                                                           : rangeCondition(following, v, u);
            }
        } else {
            condition = valueCondition(record.kind, v, u);
        }
        if (condition.empty()) continue;
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
