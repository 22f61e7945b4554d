#include "plugin/record_layout.h"

#include <cstring>
#include <string_view>

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

// A drive path, a network path or an address, as a library's file names are.
bool looksLikePath(const char* text) {
    if (text == nullptr) return false;
    const std::string_view name(text);
    const bool drive = name.size() >= 3 && name[1] == ':' && name[2] == '\\';
    return drive || name.starts_with("\\\\") || name.find("://") != std::string_view::npos;
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

void probeRecordLayout(const void* items, int held, const FileLookup& holds) {
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
    // Names the player's code page could not hold come back with '?' and are
    // found nowhere; when only one reading is a path at all, it is the name.
    const bool classicPath = looksLikePath(classic);
    if (classicPath != looksLikePath(extended)) {
        s.layout = classicPath ? RecordLayout::Classic : RecordLayout::WithExtension;
        s.settled = true;
        return;
    }
    if (s.probesLeft == 0) s.settled = true;
}

namespace {

// The fields both layouts share, whichever way they are copied.
template <typename From, typename To> void copyFields(const From& from, To& to) {
    to.filename = from.filename;
    to.title = from.title;
    to.album = from.album;
    to.artist = from.artist;
    to.comment = from.comment;
    to.genre = from.genre;
    to.year = from.year;
    to.trackNumber = from.trackNumber;
    to.length = from.length;
    to.extendedFields = from.extendedFields;
}

template <typename From, typename To> void copyWideFields(const From& from, To& to) {
    copyFields(from, to);
    to.albumArtist = from.albumArtist;
    to.replayGainAlbum = from.replayGainAlbum;
    to.replayGainTrack = from.replayGainTrack;
    to.publisher = from.publisher;
    to.composer = from.composer;
    to.tracks = from.tracks;
    to.rating = from.rating;
    to.playCount = from.playCount;
    to.lastPlayed = from.lastPlayed;
    to.lastUpdated = from.lastUpdated;
    to.fileTime = from.fileTime;
    to.fileSize = from.fileSize;
    to.bitrate = from.bitrate;
    to.type = from.type;
    to.disc = from.disc;
    to.discs = from.discs;
    to.bpm = from.bpm;
    to.category = from.category;
}

// Record index of the player's array, in the layout it was found to use.
template <typename Classic, typename Extended, typename Copy>
Classic recordAt(const void* items, int index, Copy copy) {
    Classic record{};
    if (items == nullptr || index < 0) return record;
    const auto* bytes = static_cast<const unsigned char*>(items);
    if (recordLayout() == RecordLayout::Classic) {
        std::memcpy(&record, bytes + sizeof record * static_cast<std::size_t>(index),
                    sizeof record);
        return record;
    }
    Extended r;
    std::memcpy(&r, bytes + sizeof r * static_cast<std::size_t>(index), sizeof r);
    copy(r, record);
    return record;
}

template <typename Classic, typename Extended, typename Copy>
void setRecordAt(void* items, int index, const Classic& record, Copy copy) {
    if (items == nullptr || index < 0) return;
    auto* bytes = static_cast<unsigned char*>(items);
    if (recordLayout() == RecordLayout::Classic) {
        std::memcpy(bytes + sizeof record * static_cast<std::size_t>(index), &record,
                    sizeof record);
        return;
    }
    Extended r{};
    copy(record, r);
    std::memcpy(bytes + sizeof r * static_cast<std::size_t>(index), &r, sizeof r);
}

} // namespace

TrackRecord playerRecordAt(const void* items, int index) {
    return recordAt<TrackRecord, TrackRecordWithExtension>(
        items, index, copyFields<TrackRecordWithExtension, TrackRecord>);
}

void setPlayerRecordAt(void* items, int index, const TrackRecord& record) {
    setRecordAt<TrackRecord, TrackRecordWithExtension>(
        items, index, record, copyFields<TrackRecord, TrackRecordWithExtension>);
}

std::size_t wideRecordSize(RecordLayout layout) {
    return layout == RecordLayout::WithExtension ? sizeof(WideTrackRecordWithExtension)
                                                 : sizeof(WideTrackRecord);
}

WideTrackRecord widePlayerRecordAt(const void* items, int index) {
    return recordAt<WideTrackRecord, WideTrackRecordWithExtension>(
        items, index, copyWideFields<WideTrackRecordWithExtension, WideTrackRecord>);
}

void setWidePlayerRecordAt(void* items, int index, const WideTrackRecord& record) {
    setRecordAt<WideTrackRecord, WideTrackRecordWithExtension>(
        items, index, record, copyWideFields<WideTrackRecord, WideTrackRecordWithExtension>);
}

} // namespace tg
