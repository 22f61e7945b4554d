#include "menus/item_label.h"

#include "menus/label_options.h"
#include "menus/text_order.h"
#include "model/text.h"
#include "platform/text_encoding.h"
#include "plugin/host_messages.h"

#include <cstring>

namespace tg {

namespace {

// The bytes of value that fit room: a UTF-8 text only up to the end of a
// character. Out of line, as the compiler cannot tell from a short literal
// inlined here that the byte past room is read only when the text has it.
[[gnu::noinline]] std::size_t fittingBytes(const char* value, std::size_t room) {
    const std::size_t length = strnlen(value, room);
    if (length < room || value[room] == '\0' || !platform::utf8Texts()) return length;
    return platform::utf8CutLength({value, room + 1}, room);
}

// Writes into a fixed buffer as snprintf does, cutting at the end and always
// ending the text (a buffer of no bytes gets nothing). Labels are made for
// every record a walk passes, and the printf machinery was most of their cost.
class LabelWriter {
public:
    LabelWriter(char* buffer, std::size_t size)
        : at_(size > 0 ? buffer : nullptr), end_(size > 0 ? buffer + size - 1 : nullptr) {}
    LabelWriter(const LabelWriter&) = delete;
    LabelWriter& operator=(const LabelWriter&) = delete;
    ~LabelWriter() {
        if (at_ != nullptr) *at_ = '\0';
    }

    LabelWriter& text(const char* value) {
        if (at_ == end_) return *this;
        const auto room = static_cast<std::size_t>(end_ - at_);
        const std::size_t length = fittingBytes(value, room);
        // Nothing follows a cut, whatever room it left.
        if (length < room && value[length] != '\0') end_ = at_ + length;
        std::memcpy(at_, value, length);
        at_ += length;
        return *this;
    }
    LabelWriter& character(char c) {
        if (at_ < end_) *at_++ = c;
        return *this;
    }
    // The decimal digits of value, at least minDigits of them (zeros in
    // front), with a minus sign first when negative.
    LabelWriter& number(long long value, int minDigits = 1) {
        char digits[kDigitsSize];
        const char* start = decimal(value, minDigits, digits + kDigitsSize);
        return bytes(start, digits + kDigitsSize);
    }
    // As number, right-aligned with spaces in a field of width characters.
    LabelWriter& alignedNumber(long long value, int width) {
        char digits[kDigitsSize];
        const char* start = decimal(value, 1, digits + kDigitsSize);
        for (auto count = digits + kDigitsSize - start; count < width; ++count) character(' ');
        return bytes(start, digits + kDigitsSize);
    }

    // Writes the digits of value so they end at end; returns where they start.
    static char* decimal(long long value, int minDigits, char* end) {
        // The magnitude as unsigned, so the most negative value has one too.
        unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                 : static_cast<unsigned long long>(value);
        char* at = end;
        do {
            *--at = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        while (end - at < minDigits && end - at < 20) *--at = '0';
        if (value < 0) *--at = '-';
        return at;
    }
    // Room for 20 digits and a sign.
    static constexpr int kDigitsSize = 24;

private:
    // A few bytes: a loop is cheaper than a call.
    LabelWriter& bytes(const char* from, const char* to) {
        while (from < to && at_ < end_) *at_++ = *from++;
        return *this;
    }

    char* at_;
    char* end_;
};

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
        LabelWriter(buffer, kLabelSize).text(first).character('/').text(second);
    else
        copyField(buffer, first);
}

void copyAlbum(char* buffer, const TrackRecord& r, bool full, const MenuDefinition& d) {
    if (r.album == nullptr) return;
    if (!full || !d.addYearToAlbums) return copyField(buffer, r.album);
    const bool after = showsYearAfterAlbum(d);
    LabelWriter out(buffer, kLabelSize);
    if (after)
        out.text(r.album).text(" (");
    else
        out.character('(');
    if (r.year >= 1000)
        out.number(r.year);
    else
        out.text("        ");
    if (after)
        out.character(')');
    else
        out.text(") ").text(r.album);
}

void copyTitle(char* buffer, const TrackRecord& r, bool full, const MenuDefinition& d) {
    if (r.title == nullptr) return;
    if (!full || !d.showTrackNumbers) return copyField(buffer, r.title);
    LabelWriter out(buffer, kLabelSize);
    if (r.trackNumber > 0)
        out.alignedNumber(r.trackNumber, 3).text(". ");
    else
        out.text("     ");
    out.text(r.title);
}

void copyNumber(char* buffer, std::int32_t value) {
    LabelWriter(buffer, kLabelSize).number(value);
}

} // namespace

char* itemLabel(const TrackRecord& record, int level, bool full, const MenuDefinition& definition,
                char* buffer) {
    buffer[0] = '\0';
    // First Letter and Range labels borrow the plain label of a later level;
    // walking there in a loop keeps any chain of them flat.
    for (;;) {
        switch (definition.levelKind(level)) {
        case LevelType::Artist: copyField(buffer, record.artist); return buffer;
        case LevelType::Album: copyAlbum(buffer, record, full, definition); return buffer;
        case LevelType::Title: copyTitle(buffer, record, full, definition); return buffer;
        case LevelType::Genre: copyField(buffer, record.genre); return buffer;
        // Every value of 0 and below stands for "not known" and shows as 0.
        case LevelType::Year: copyNumber(buffer, knownOrZero(record.year)); return buffer;
        case LevelType::TrackNumber:
            copyNumber(buffer, knownOrZero(record.trackNumber));
            return buffer;
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
                LabelWriter(buffer, kLabelSize).text(value).text(" kbps");
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
            switch (definition.levelKind(level + 1)) {
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
    // Padded so the brackets line up: "[m:ss]", "[mm:ss]", "[h:mm:ss]", "[hh:mm:ss]".
    // Written from its end; an item of every track gets one, so no formatter.
    char time[48];
    char* const end = time + sizeof time - 1;
    *end = '\0';
    char* at = end;
    *--at = ']';
    at = LabelWriter::decimal(s % 60, 2, at);
    *--at = ':';
    const char* padding = nullptr;
    if (s < 3600) {
        at = LabelWriter::decimal(s / 60, s < 600 ? 1 : 2, at);
        padding = s < 600 ? "\t       [" : "\t     [";
    } else {
        at = LabelWriter::decimal(s % 3600 / 60, 2, at);
        *--at = ':';
        at = LabelWriter::decimal(s / 3600, 1, at); // ten hours and more have two digits
        padding = s < 36000 ? "\t  [" : "\t[";
    }
    const std::size_t paddingLength = std::strlen(padding);
    at -= paddingLength;
    std::memcpy(at, padding, paddingLength);
    const auto need = static_cast<std::size_t>(end - at);
    if (need >= size) return;
    std::size_t length = strnlen(buffer, size - 1);
    if (length + need > size - 1) length = size - 1 - need;
    std::memcpy(buffer + length, at, need + 1);
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
    // A UTF-8 text is cut only between characters.
    if (kept < length && platform::utf8Texts())
        for (const std::size_t whole = platform::utf8CutLength({buffer, length}, kept);
             kept > whole; --kept)
            escaped -= buffer[kept - 1] == '&' ? 2 : 1;
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
