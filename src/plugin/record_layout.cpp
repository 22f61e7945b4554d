#include "plugin/record_layout.h"

#include <cstring>

namespace tg {

namespace {

// A library whose lookups never answer does not get asked for ever.
constexpr int kProbes = 3;

struct LayoutState {
    RecordLayout layout = RecordLayout::Classic;
    bool settled = false;
    int probesLeft = kProbes;
    bool pairProbeTaken = false;
};

LayoutState& state() {
    static LayoutState s;
    return s;
}

// Record 1's file name in either layout lies inside two records of the other.
static_assert(sizeof(TrackRecordWithExtension) + sizeof(char*) <= 2 * sizeof(TrackRecord));
static_assert(sizeof(TrackRecord) + sizeof(char*) <= 2 * sizeof(TrackRecordWithExtension));

const char* pointerAt(const void* items, std::size_t offset) {
    const char* text = nullptr;
    std::memcpy(&text, static_cast<const unsigned char*>(items) + offset, sizeof text);
    return text;
}

} // namespace

RecordLayout recordLayout() {
    return state().layout;
}

bool recordLayoutSettled() {
    return state().settled;
}

bool takeRecordPairProbe() {
    LayoutState& s = state();
    if (s.pairProbeTaken) return false;
    s.pairProbeTaken = true;
    return true;
}

void resetRecordLayout() {
    state() = LayoutState{};
}

void concludeRecordLayout(RecordLayout layout) {
    LayoutState& s = state();
    s.layout = layout;
    s.settled = true;
}

std::size_t recordSize(RecordLayout layout) {
    return layout == RecordLayout::WithExtension ? sizeof(TrackRecordWithExtension)
                                                 : sizeof(TrackRecord);
}

void probeRecordLayout(const void* items, int held, FileLookup holds) {
    LayoutState& s = state();
    if (s.settled || s.probesLeft <= 0 || items == nullptr || held < 2 || holds == nullptr) return;
    // The file name is every record's first field.
    const char* classic = pointerAt(items, sizeof(TrackRecord));
    const char* extended = pointerAt(items, sizeof(TrackRecordWithExtension));
    if (classic == nullptr && extended == nullptr) return; // the next array may tell
    --s.probesLeft;
    // A library that finds every name keeps the classic layout.
    if (classic != nullptr && holds(classic)) {
        s.settled = true;
        return;
    }
    if (extended != nullptr && holds(extended)) {
        s.layout = RecordLayout::WithExtension;
        s.settled = true;
        return;
    }
    if (s.probesLeft == 0) s.settled = true;
}

TrackRecord playerRecordAt(const void* items, int index) {
    TrackRecord record{};
    if (items == nullptr || index < 0) return record;
    const auto* bytes = static_cast<const unsigned char*>(items);
    if (recordLayout() == RecordLayout::Classic) {
        std::memcpy(&record, bytes + sizeof(TrackRecord) * static_cast<std::size_t>(index),
                    sizeof record);
        return record;
    }
    TrackRecordWithExtension r;
    std::memcpy(&r, bytes + sizeof r * static_cast<std::size_t>(index), sizeof r);
    record.filename = r.filename;
    record.title = r.title;
    record.album = r.album;
    record.artist = r.artist;
    record.comment = r.comment;
    record.genre = r.genre;
    record.year = r.year;
    record.trackNumber = r.trackNumber;
    record.length = r.length;
    record.extendedFields = r.extendedFields;
    return record;
}

void setPlayerRecordAt(void* items, int index, const TrackRecord& record) {
    if (items == nullptr || index < 0) return;
    auto* bytes = static_cast<unsigned char*>(items);
    if (recordLayout() == RecordLayout::Classic) {
        std::memcpy(bytes + sizeof record * static_cast<std::size_t>(index), &record,
                    sizeof record);
        return;
    }
    TrackRecordWithExtension r{};
    r.filename = record.filename;
    r.title = record.title;
    r.album = record.album;
    r.artist = record.artist;
    r.comment = record.comment;
    r.genre = record.genre;
    r.year = record.year;
    r.trackNumber = record.trackNumber;
    r.length = record.length;
    r.extendedFields = record.extendedFields;
    std::memcpy(bytes + sizeof r * static_cast<std::size_t>(index), &r, sizeof r);
}

} // namespace tg
