#include "menus/item_label.h"

#include "menus/label_options.h"
#include "menus/text_order.h"
#include "model/text.h"

#include <cstdio>
#include <cstring>

namespace tg {

namespace {

void copyField(char* buffer, const char* field) {
    if (field != nullptr) copyText(buffer, kLabelSize, field);
}

// The first character in upper case, or nothing when there is none.
void copyInitial(char* buffer, const char* text) {
    if (text == nullptr || *text == '\0') return;
    buffer[0] = static_cast<char>(upperByte(*text));
    buffer[1] = '\0';
}

// "first/second" when both are present, else the first alone.
void copyCombined(char* buffer, const char* first, const char* second, bool full) {
    if (first == nullptr) return;
    if (full && second != nullptr)
        std::snprintf(buffer, kLabelSize, "%s/%s", first, second);
    else
        copyField(buffer, first);
}

void copyAlbum(char* buffer, const TrackRecord& r, bool full, const MenuDefinition& d) {
    if (r.album == nullptr) return;
    if (!full || !d.addYearToAlbums) return copyField(buffer, r.album);
    const bool after = showsYearAfterAlbum(d);
    if (r.year >= 1000) {
        if (after)
            std::snprintf(buffer, kLabelSize, "%s (%d)", r.album, static_cast<int>(r.year));
        else
            std::snprintf(buffer, kLabelSize, "(%d) %s", static_cast<int>(r.year), r.album);
    } else {
        if (after)
            std::snprintf(buffer, kLabelSize, "%s (        )", r.album);
        else
            std::snprintf(buffer, kLabelSize, "(        ) %s", r.album);
    }
}

void copyTitle(char* buffer, const TrackRecord& r, bool full, const MenuDefinition& d) {
    if (r.title == nullptr) return;
    if (!full || !d.showTrackNumbers) return copyField(buffer, r.title);
    if (r.trackNumber > 0)
        std::snprintf(buffer, kLabelSize, "%3d. %s", static_cast<int>(r.trackNumber), r.title);
    else
        std::snprintf(buffer, kLabelSize, "     %s", r.title);
}

void copyNumber(char* buffer, std::int32_t value) {
    std::snprintf(buffer, kLabelSize, "%d", static_cast<int>(value));
}

} // namespace

char* itemLabel(const TrackRecord& record, int level, bool full, const MenuDefinition& definition,
                char* buffer) {
    buffer[0] = '\0';
    // First Letter and Range labels borrow the plain label of a later level;
    // walking there in a loop keeps any chain of them flat.
    for (;;) {
        switch (static_cast<LevelType>(definition.levelKind(level))) {
        case LevelType::Artist: copyField(buffer, record.artist); return buffer;
        case LevelType::Album: copyAlbum(buffer, record, full, definition); return buffer;
        case LevelType::Title: copyTitle(buffer, record, full, definition); return buffer;
        case LevelType::Genre: copyField(buffer, record.genre); return buffer;
        case LevelType::Year: copyNumber(buffer, record.year); return buffer;
        case LevelType::TrackNumber: copyNumber(buffer, record.trackNumber); return buffer;
        case LevelType::ArtistAlbum:
            copyCombined(buffer, record.artist, record.album, full);
            return buffer;
        case LevelType::ArtistTitle:
            copyCombined(buffer, record.artist, record.title, full);
            return buffer;
        case LevelType::AlbumTitle:
            copyCombined(buffer, record.album, record.title, full);
            return buffer;
        case LevelType::Rating: copyField(buffer, extendedField(record, "RATING")); return buffer;
        case LevelType::PlayCount:
            copyField(buffer, extendedField(record, "PLAYCOUNT"));
            return buffer;
        case LevelType::Bitrate: {
            const char* value = extendedField(record, "BITRATE");
            // An empty value shows nothing, not a bare " kbps" item.
            if (value != nullptr && *stripLeadingThe(value) == '\0') return buffer;
            if (value != nullptr && full)
                std::snprintf(buffer, kLabelSize, "%s kbps", value);
            else
                copyField(buffer, value);
            return buffer;
        }
        case LevelType::Filename: copyField(buffer, record.filename); return buffer;
        case LevelType::Range:
            ++level;
            full = false;
            continue;
        case LevelType::FirstLetter:
            switch (static_cast<LevelType>(definition.levelKind(level + 1))) {
            case LevelType::Artist:
            case LevelType::ArtistAlbum:
            case LevelType::ArtistTitle:
                if (record.artist != nullptr) copyInitial(buffer, stripLeadingThe(record.artist));
                return buffer;
            case LevelType::Album:
            case LevelType::AlbumTitle:
                if (record.album != nullptr) copyInitial(buffer, stripLeadingThe(record.album));
                return buffer;
            case LevelType::Title:
                if (record.title != nullptr) copyInitial(buffer, stripLeadingThe(record.title));
                return buffer;
            case LevelType::Genre: copyInitial(buffer, record.genre); return buffer;
            case LevelType::Filename: copyInitial(buffer, record.filename); return buffer;
            case LevelType::Year:
            case LevelType::TrackNumber:
            case LevelType::Rating:
            case LevelType::PlayCount:
            case LevelType::Bitrate:
            case LevelType::FirstLetter:
            case LevelType::Range:
                ++level;
                full = false;
                continue;
            default: return buffer;
            }
        default: return buffer;
        }
    }
}

void appendDuration(std::int64_t seconds, char* buffer, std::size_t size) {
    if (size == 0) return;
    const long long s = seconds < 0 ? 0 : seconds;
    char time[64];
    if (s < 600)
        std::snprintf(time, sizeof time, "\t       [%lld:%2.2lld]", s / 60, s % 60);
    else if (s < 3600)
        std::snprintf(time, sizeof time, "\t     [%2.2lld:%2.2lld]", s / 60, s % 60);
    else if (s < 36000)
        std::snprintf(time, sizeof time, "\t  [%lld:%2.2lld:%2.2lld]", s / 3600, s % 3600 / 60,
                      s % 60);
    else
        std::snprintf(time, sizeof time, "\t[%2.2lld:%2.2lld:%2.2lld]", s / 3600, s % 3600 / 60,
                      s % 60);
    const std::size_t need = std::strlen(time);
    if (need >= size) return;
    std::size_t length = strnlen(buffer, size - 1);
    if (length + need > size - 1) length = size - 1 - need;
    std::memcpy(buffer + length, time, need + 1);
}

void escapeAmpersands(char* buffer, std::size_t size) {
    if (size == 0) return;
    const std::size_t length = strnlen(buffer, size - 1);
    // Most labels hold no "&": one search, and nothing moves.
    if (std::memchr(buffer, '&', length) == nullptr) {
        buffer[length] = '\0';
        return;
    }
    // How much of the text fits once doubled.
    std::size_t kept = 0;
    std::size_t escaped = 0;
    for (; kept < length; ++kept) {
        const std::size_t width = buffer[kept] == '&' ? 2 : 1;
        if (escaped + width > size - 1) break;
        escaped += width;
    }
    buffer[escaped] = '\0';
    // Spread from the end, so nothing is overwritten before it was moved.
    std::size_t to = escaped;
    for (std::size_t from = kept; from-- > 0;) {
        const char c = buffer[from];
        buffer[--to] = c;
        if (c == '&') buffer[--to] = '&';
    }
}

} // namespace tg
