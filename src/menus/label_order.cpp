#include "menus/label_order.h"

#include "menus/label_options.h"
#include "menus/text_order.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace tg {

namespace {

template <typename T> int sign(T x, T y) {
    return (x > y) - (x < y);
}

const char* skipSpaces(const char* t) {
    while (*t == ' ') ++t;
    return t;
}

// Two parts of labels as the comparators order their fields: stripped, and
// with whole set, then told apart by their whole text.
int compareParts(std::string_view a, std::string_view b, bool whole = true) {
    char x[512];
    char y[512];
    const std::size_t nx = a.size() < sizeof x ? a.size() : sizeof x - 1;
    const std::size_t ny = b.size() < sizeof y ? b.size() : sizeof y - 1;
    std::memcpy(x, a.data(), nx);
    std::memcpy(y, b.data(), ny);
    x[nx] = '\0';
    y[ny] = '\0';
    return whole ? compareTextThenWhole(x, y) : compareTextIgnoringThe(x, y);
}

int compareNumbers(const char* a, const char* b) {
    const int r = sign(leadingInteger(a), leadingInteger(b));
    return r != 0 ? r : compareStrippedLabels(a, b);
}

// "  7. Song" or "     Song": the track number (0 for blanks) and the title.
std::int64_t splitTrackLabel(const char* label, std::string_view& title) {
    const std::string_view t(label);
    if (t.substr(0, 5) == "     ") {
        title = std::string_view(skipSpaces(label));
        return 0;
    }
    const std::size_t dot = t.find(". ");
    title = dot == std::string_view::npos ? t : t.substr(dot + 2);
    return leadingInteger(label);
}

// "(1999) Album" / "Album (1999)": the shown year (0 for blanks) and the album.
std::int64_t splitAlbumLabel(const char* label, bool yearFirst, std::string_view& album) {
    const std::string_view t(label);
    if (yearFirst) {
        const std::size_t close = t.find(')');
        album = close == std::string_view::npos
                    ? t
                    : t.substr(close + 2 < t.size() ? close + 2 : t.size());
        return close == std::string_view::npos ? 0 : leadingInteger(label + 1);
    }
    std::size_t open = t.rfind('(');
    if (open == std::string_view::npos) {
        album = t;
        return 0;
    }
    const std::int64_t year = leadingInteger(label + open + 1);
    if (open > 0 && t[open - 1] == ' ') --open;
    album = t.substr(0, open);
    return year;
}

// Labels "first/second": the first value stripped, then the second (missing last).
int compareCombined(const char* a, const char* b) {
    const std::string_view x(a);
    const std::string_view y(b);
    const std::size_t sx = x.find('/');
    const std::size_t sy = y.find('/');
    const int r = compareParts(x.substr(0, sx), y.substr(0, sy), false);
    if (r != 0) return r;
    if (sx == std::string_view::npos || sy == std::string_view::npos)
        return (sx == std::string_view::npos) - (sy == std::string_view::npos);
    return compareParts(x.substr(sx + 1), y.substr(sy + 1));
}

} // namespace

int compareLabelsForLevel(const MenuDefinition& d, int level, const char* a, const char* b) {
    if (d.levelKind(level) == LevelType::Range) return compareStrippedLabels(a, b);
    bool plain = false;
    for (;; ++level) {
        switch (d.levelKind(level)) {
        case LevelType::Year:
        case LevelType::TrackNumber:
        case LevelType::Rating:
        case LevelType::PlayCount:
        case LevelType::Bitrate: return compareNumbers(a, b);
        case LevelType::Title: {
            if (plain || !d.showTrackNumbers) return compareStrippedLabels(a, b);
            std::string_view ta;
            std::string_view tb;
            const int r = sign(splitTrackLabel(a, ta), splitTrackLabel(b, tb));
            return r != 0 ? r : compareParts(ta, tb);
        }
        case LevelType::Album: {
            if (plain || !d.addYearToAlbums) return compareStrippedLabels(a, b);
            const bool yearFirst = showsYearBeforeAlbum(d);
            std::string_view xa;
            std::string_view xb;
            const std::int64_t ya = splitAlbumLabel(a, yearFirst, xa);
            const std::int64_t yb = splitAlbumLabel(b, yearFirst, xb);
            if (yearFirst) {
                const int r = sign(ya, yb);
                return r != 0 ? r : compareParts(xa, xb);
            }
            int r = compareParts(xa, xb, false);
            if (r == 0) r = sign(ya, yb);
            return r != 0 ? r : compareStrippedLabels(a, b);
        }
        case LevelType::ArtistAlbum:
        case LevelType::ArtistTitle:
        case LevelType::AlbumTitle:
            return plain ? compareStrippedLabels(a, b) : compareCombined(a, b);
        case LevelType::Filename: return plain ? compareStrippedLabels(a, b) : std::strcmp(a, b);
        case LevelType::Range: plain = true; continue;
        case LevelType::FirstLetter: {
            const LevelType next = d.levelKind(level + 1);
            switch (next) {
            case LevelType::Artist:
            case LevelType::ArtistAlbum:
            case LevelType::ArtistTitle: return compareStrippedLabels(a, b);
            case LevelType::Album:
            case LevelType::AlbumTitle:
            case LevelType::Title:
            case LevelType::Genre:
            case LevelType::Filename: // initials ordered in upper case, as shown
                return sign(static_cast<unsigned char>(*a), static_cast<unsigned char>(*b));
            default:
                if (!isNumberKind(next) && next != LevelType::FirstLetter &&
                    next != LevelType::Range)
                    return compareStrippedLabels(a, b);
                plain = true;
                continue;
            }
        }
        default: return compareStrippedLabels(a, b);
        }
    }
}

void unescapeAmpersands(char* text) {
    char* out = text;
    for (const char* in = text; *in != '\0'; ++in) {
        if (*in == '&' && *++in == '\0') break;
        *out++ = *in;
    }
    *out = '\0';
}

} // namespace tg
