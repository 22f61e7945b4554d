#include "menus/level_text_order.h"

#include "menus/label_options.h"
#include "menus/text_order.h"
#include "model/text.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace tg {

namespace {

std::int32_t toInt32(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// "(1971) Name" or "(        ) Name".
void takeYearFirst(char* text, TrackRecord& r) {
    r.album = text;
    if (text[0] != '(') return;
    r.year = toInt32(leadingInteger(text + 1));
    char* close = std::strchr(text, ')');
    if (close == nullptr) return;
    r.album = close[1] == ' ' ? close + 2 : close + 1;
}

// "Name (1971)": the year is the last parenthesis, the name may hold others.
void takeYearAfter(char* text, TrackRecord& r) {
    r.album = text;
    char* open = std::strrchr(text, '(');
    if (open == nullptr) return;
    r.year = toInt32(leadingInteger(open + 1));
    if (open > text && open[-1] == ' ') --open;
    *open = '\0';
}

// "%3d. Title" or five blanks and the title.
void takeNumberedTitle(char* text, TrackRecord& r) {
    r.title = text;
    if (std::strncmp(text, "     ", 5) == 0) {
        r.title = text + 5;
        return;
    }
    char* p = text;
    while (*p == ' ') ++p;
    char* digits = p;
    while (*p >= '0' && *p <= '9') ++p;
    if (p == digits || p[0] != '.' || p[1] != ' ') return;
    r.trackNumber = toInt32(leadingInteger(digits));
    r.title = p + 2;
}

// "first/second", or the first alone when the second was missing.
void takeCombined(char* text, bool full, char*& first, char*& second) {
    first = text;
    if (!full) return;
    char* slash = std::strchr(text, '/');
    if (slash == nullptr) return;
    *slash = '\0';
    second = slash + 1;
}

void takeExtended(LabelRecord& out, const char* name, const char* value) {
    const std::size_t nameLength = std::strlen(name);
    std::memcpy(out.extended, name, nameLength + 1);
    copyText(out.extended + nameLength + 1, sizeof out.extended - nameLength - 1, value);
    out.extendedList[0] = out.extended;
    out.extendedList[1] = nullptr;
    out.record.extendedFields = out.extendedList;
}

} // namespace

LevelTextOrder::LevelTextOrder(const MenuDefinition& definition, int level)
    : definition_(definition), comparator_(comparatorForLevel(definition, level)) {
    if (level < 0) level = 0;
    // The same walk as the labels take: Range and First Letter levels show the
    // plain label of a later level, or (First Letter) an initial.
    for (;;) {
        const std::int32_t kind = definition.levelKind(level);
        if (kind == static_cast<std::int32_t>(LevelType::Range)) {
            ++level;
            full_ = false;
            continue;
        }
        if (kind == static_cast<std::int32_t>(LevelType::FirstLetter)) {
            switch (static_cast<LevelType>(definition.levelKind(level + 1))) {
            case LevelType::Artist:
            case LevelType::ArtistAlbum:
            case LevelType::ArtistTitle: initial_ = Initial::Artist; break;
            case LevelType::Album:
            case LevelType::AlbumTitle: initial_ = Initial::Album; break;
            case LevelType::Title: initial_ = Initial::Title; break;
            case LevelType::Genre: initial_ = Initial::Genre; break;
            case LevelType::Filename: initial_ = Initial::Filename; break;
            case LevelType::Year:
            case LevelType::TrackNumber:
            case LevelType::Rating:
            case LevelType::PlayCount:
            case LevelType::Bitrate:
            case LevelType::FirstLetter:
            case LevelType::Range:
                ++level;
                full_ = false;
                continue;
            default: return;
            }
            labelled_ = true;
            return;
        }
        if (kind >= 0 && kind <= static_cast<std::int32_t>(LevelType::Filename)) {
            labelled_ = true;
            kind_ = static_cast<LevelType>(kind);
        }
        return;
    }
}

void LevelTextOrder::parse(const char* text, LabelRecord& out) const {
    copyText(out.text, sizeof out.text, text);
    if (char* tab = std::strchr(out.text, '\t')) *tab = '\0';
    out.record = TrackRecord{};
    out.extendedList[0] = out.extendedList[1] = nullptr;
    if (!labelled_) return;

    char* t = out.text;
    TrackRecord& r = out.record;
    switch (initial_) {
    case Initial::Artist: r.artist = t; return;
    case Initial::Album: r.album = t; return;
    case Initial::Title: r.title = t; return;
    case Initial::Genre: r.genre = t; return;
    case Initial::Filename: r.filename = t; return;
    case Initial::None: break;
    }
    switch (kind_) {
    case LevelType::Artist: r.artist = t; return;
    case LevelType::Album:
        if (full_ && showsYearBeforeAlbum(definition_))
            takeYearFirst(t, r);
        else if (full_ && showsYearAfterAlbum(definition_))
            takeYearAfter(t, r);
        else
            r.album = t;
        return;
    case LevelType::Title:
        if (full_ && definition_.showTrackNumbers)
            takeNumberedTitle(t, r);
        else
            r.title = t;
        return;
    case LevelType::Genre: r.genre = t; return;
    case LevelType::Year: r.year = toInt32(leadingInteger(t)); return;
    case LevelType::TrackNumber: r.trackNumber = toInt32(leadingInteger(t)); return;
    case LevelType::ArtistAlbum: takeCombined(t, full_, r.artist, r.album); return;
    case LevelType::ArtistTitle: takeCombined(t, full_, r.artist, r.title); return;
    case LevelType::AlbumTitle: takeCombined(t, full_, r.album, r.title); return;
    case LevelType::Rating: takeExtended(out, "RATING", t); return;
    case LevelType::PlayCount: takeExtended(out, "PLAYCOUNT", t); return;
    case LevelType::Bitrate: {
        if (full_) {
            // The unit after the value.
            const std::size_t length = std::strlen(t);
            constexpr std::size_t unit = sizeof " kbps" - 1;
            if (length >= unit && std::strcmp(t + length - unit, " kbps") == 0)
                t[length - unit] = '\0';
        }
        takeExtended(out, "BITRATE", t);
        return;
    }
    case LevelType::Filename: r.filename = t; return;
    default: return;
    }
}

int LevelTextOrder::compare(const LabelRecord& a, const LabelRecord& b) const {
    if (comparator_ != nullptr && labelled_) return comparator_(a.record, b.record);
    return compareStrippedLabels(a.text, b.text);
}

} // namespace tg
