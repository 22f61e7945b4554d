// Any track record at any level with any label options: the label, its play
// time and its menu escapes stay inside their buffers (of any size), and the
// label read back gives the value the level's query needs wherever the label
// format can carry it.
#include "menus/item_label.h"
#include "menus/label_reader.h"
#include "menus/text_order.h"
#include "model/model_state.h"
#include "model/text.h"
#include "plugin/host_messages.h"
#include "support/fuzz_host.h"
#include "tests/unit/support/level_fields.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace tg;
using L = LevelType;

// A record whose texts live as long as the builder.
struct RecordBuilder {
    std::optional<std::string> fields[6]; // filename, title, album, artist, comment, genre
    std::vector<std::string> extended;    // "NAME\0value"
    bool hasExtendedList = false;
    std::vector<char*> extendedPointers;
    TrackRecord record{};

    char* text(std::optional<std::string>& field) { return field ? field->data() : nullptr; }

    TrackRecord& build() {
        record.filename = text(fields[0]);
        record.title = text(fields[1]);
        record.album = text(fields[2]);
        record.artist = text(fields[3]);
        record.comment = text(fields[4]);
        record.genre = text(fields[5]);
        extendedPointers.clear();
        for (std::string& entry : extended) extendedPointers.push_back(entry.data());
        extendedPointers.push_back(nullptr);
        record.extendedFields = hasExtendedList ? extendedPointers.data() : nullptr;
        return record;
    }
};

RecordBuilder makeRecord(FuzzedDataProvider& in) {
    RecordBuilder b;
    for (auto& field : b.fields)
        if (in.ConsumeBool()) field = in.ConsumeRandomLengthString(600);
    b.record.year = in.ConsumeIntegral<std::int32_t>();
    b.record.trackNumber = in.ConsumeIntegral<std::int32_t>();
    b.record.length = in.ConsumeIntegral<std::int32_t>();
    b.hasExtendedList = in.ConsumeBool();
    static const char* const kNames[] = {"RATING",  "PLAYCOUNT", "BITRATE", "rating",
                                         "Bitrate", "LENGTH",    ""};
    const int count = in.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < count; ++i) {
        std::string entry = in.ConsumeBool() ? std::string(in.PickValueInArray(kNames))
                                             : in.ConsumeRandomLengthString(20);
        entry = entry.c_str(); // a name ends at its NUL
        entry.push_back('\0');
        entry += in.ConsumeRandomLengthString(300);
        b.extended.push_back(std::move(entry));
    }
    return b;
}

using test::firstField;

const char* secondField(const TrackRecord& r, L kind) {
    switch (kind) {
    case L::ArtistAlbum: return r.album;
    case L::ArtistTitle:
    case L::AlbumTitle: return r.title;
    default: return nullptr;
    }
}

bool isCombined(L kind) {
    return kind == L::ArtistAlbum || kind == L::ArtistTitle || kind == L::AlbumTitle;
}
bool hasValue(L kind) {
    switch (kind) {
    case L::FirstLetter:
    case L::Range:
    case L::PlaylistEntries: return false;
    default: return static_cast<int>(kind) >= 0 && static_cast<int>(kind) < kLevelNameCount;
    }
}

std::string text(const char* t) {
    return t != nullptr ? std::string(t) : std::string();
}
bool has(const char* t, char c) {
    return t != nullptr && std::strchr(t, c) != nullptr;
}

// The menu shows the escaped label; undoing the escapes gives the label again.
void checkEscapes(const std::string& before, const char* escaped, std::size_t size) {
    const std::size_t length = strnlen(escaped, size);
    fuzz::check(length < size, "escaped label without its terminator");
    std::string undone;
    for (std::size_t i = 0; i < length; ++i) {
        if (escaped[i] == '&') {
            fuzz::check(i + 1 < length && escaped[i + 1] == '&', "a lone '&' in the menu text");
            ++i;
        }
        undone += escaped[i];
    }
    fuzz::check(before.compare(0, undone.size(), undone) == 0,
                "escaping changed the text: " + fuzz::printable(before) + " -> " +
                    fuzz::printable(escaped));
    // Cut only where a doubled character no longer fits.
    if (undone.size() < before.size())
        fuzz::check(length + (before[undone.size()] == '&' ? 2 : 1) > size - 1,
                    "escaping cut a label that fits");
}

// Labels, times and escapes into a heap buffer of exactly size bytes, so a
// write past it is caught.
void checkSmallBuffer(FuzzedDataProvider& in, const std::string& label, std::int64_t seconds) {
    const std::size_t size = in.ConsumeIntegralInRange<std::size_t>(0, 600);
    std::unique_ptr<char[]> buffer(new char[size == 0 ? 1 : size]);
    if (size > 0) copyText(buffer.get(), size, label);
    appendDuration(seconds, buffer.get(), size);
    if (size > 0) fuzz::check(strnlen(buffer.get(), size) < size, "time past a small buffer");
    const std::string timed = size > 0 ? std::string(buffer.get()) : std::string();
    escapeAmpersands(buffer.get(), size);
    if (size > 0) checkEscapes(timed, buffer.get(), size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    MenuDefinition d;
    const int levelCount = in.ConsumeIntegralInRange(1, 4);
    for (int i = 0; i < levelCount; ++i)
        d.levels.push_back(static_cast<L>(in.ConsumeIntegralInRange(-1, 19)));
    d.showTrackNumbers = in.ConsumeBool();
    d.addYearToAlbums = in.ConsumeBool();
    d.yearPosition =
        in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 1) : in.ConsumeIntegral<std::int32_t>();
    const int level = in.ConsumeIntegralInRange(0, levelCount);
    const bool full = in.ConsumeBool();
    RecordBuilder builder = makeRecord(in);
    const TrackRecord& r = builder.build();

    std::unique_ptr<char[]> label(new char[kLabelSize]);
    std::memset(label.get(), 0x55, kLabelSize);
    itemLabel(r, level, full, d, label.get());
    fuzz::check(strnlen(label.get(), kLabelSize) < kLabelSize, "label without its terminator");
    const std::string plain = label.get();

    appendDuration(r.length, label.get());
    const std::string timed = label.get();
    fuzz::check(timed.size() < kLabelSize, "time past the label buffer");
    // The time is kept whole: the label is what gets cut.
    const std::size_t tab = timed.rfind('\t');
    fuzz::check(tab != std::string::npos && timed.back() == ']', "no play time appended");
    fuzz::check(plain.compare(0, tab, timed, 0, tab) == 0, "the label changed under its time");
    escapeAmpersands(label.get());
    checkEscapes(timed, label.get(), kLabelSize);
    checkSmallBuffer(in, plain, r.length);

    // What the menu gives back: at most 255 characters.
    const std::string menuText = std::string(label.get()).substr(0, 255);
    const L kind = d.levelKind(level);
    LevelSelection s;
    s.kind = kind;
    decodeItemValue(menuText.c_str(), d, s);
    fuzz::check(strnlen(s.value, sizeof s.value) < sizeof s.value, "value without terminator");
    fuzz::check(strnlen(s.secondValue, sizeof s.secondValue) < sizeof s.secondValue,
                "second value without terminator");

    // Where the format can carry the value back, it must come back exactly.
    if (!full || !hasValue(kind) || *stripLeadingThe(plain.c_str()) == '\0') return 0;
    const std::string escapedText = label.get();
    if (escapedText.substr(0, escapedText.find('\t')).size() > 255)
        return 0; // cut by the menu read
    const char* first = firstField(r, kind);
    const char* second = secondField(r, kind);
    if (has(first, '\t') || has(second, '\t')) return 0; // a label ends at its first tab
    if (isCombined(kind) && has(first, '/')) return 0;   // split at the first "/"
    if (kind == L::Bitrate && has(first, ' ')) return 0; // a bitrate ends at its first space
    std::string expected;
    // A year or track number the library does not know (0 and below) shows as 0.
    if (kind == L::Year)
        expected = std::to_string(std::max(r.year, 0));
    else if (kind == L::TrackNumber)
        expected = std::to_string(std::max(r.trackNumber, 0));
    else
        expected = text(first);
    if (std::string(s.value) != expected)
        fuzz::fail("label \"" + fuzz::printable(plain) + "\" read back as \"" +
                   fuzz::printable(s.value) + "\", not \"" + fuzz::printable(expected) + "\"");
    if (isCombined(kind) && std::string(s.secondValue) != text(second))
        fuzz::fail("label \"" + fuzz::printable(plain) + "\" second value \"" +
                   fuzz::printable(s.secondValue) + "\", not \"" + fuzz::printable(text(second)) +
                   "\"");
    return 0;
}
