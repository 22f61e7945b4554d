#include "player/media_library.h"

#include "platform/utf8.h"
#include "player/ansi_text.h"
#include "player/query_language.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace tg::player {

namespace {

struct ExtendedValue {
    const char* name;
    std::optional<std::int32_t> Track::*field;
};

constexpr ExtendedValue kExtended[] = {
    {"RATING", &Track::rating},
    {"PLAYCOUNT", &Track::playCount},
    {"BITRATE", &Track::bitrate},
};

std::optional<std::string> Track::*const kTexts[] = {
    &Track::filename, &Track::title, &Track::album, &Track::artist, &Track::comment, &Track::genre,
};

char* copyInto(char*& texts, std::string_view text) {
    char* start = texts;
    if (!text.empty()) std::memcpy(texts, text.data(), text.size());
    texts[text.size()] = '\0';
    texts += text.size() + 1;
    return start;
}

// The file's extension, as the 5.9 library keeps it beside the title.
std::string_view extensionOf(const std::optional<std::string>& filename) {
    if (!filename) return {};
    const std::size_t dot = filename->rfind('.');
    const std::size_t slash = filename->find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return std::string_view(*filename).substr(dot + 1);
}

// The fields of one record, whatever the layout; the extension is set apart.
template <typename Record> void place(Record& record, const TrackRecord& fields, char* extension) {
    record.filename = fields.filename;
    record.title = fields.title;
    record.album = fields.album;
    record.artist = fields.artist;
    record.comment = fields.comment;
    record.genre = fields.genre;
    record.year = fields.year;
    record.trackNumber = fields.trackNumber;
    record.length = fields.length;
    record.extendedFields = fields.extendedFields;
    if constexpr (std::is_same_v<Record, TrackRecordWithExtension>) record.extension = extension;
}

template <typename Record> TrackRecord fieldsOf(const Record& record) {
    return TrackRecord{record.filename, record.title,         record.album, record.artist,
                       record.comment,  record.genre,         record.year,  record.trackNumber,
                       record.length,   record.extendedFields};
}

void placeAt(RecordLayout layout, void* items, std::size_t index, const TrackRecord& fields,
             char* extension) {
    if (layout == RecordLayout::WithExtension)
        place(static_cast<TrackRecordWithExtension*>(items)[index], fields, extension);
    else
        place(static_cast<TrackRecord*>(items)[index], fields, nullptr);
}

// The library's number for a value it does not know.
std::int32_t knownOr(std::int32_t value) {
    return value > 0 ? value : -1;
}

// The texts and numbers of one wide record, whatever the layout.
struct WideFields {
    WideChar* filename = nullptr;
    WideChar* title = nullptr;
    WideChar* extension = nullptr;
    WideChar* album = nullptr;
    WideChar* artist = nullptr;
    WideChar* comment = nullptr;
    WideChar* genre = nullptr;
    std::int32_t year = 0;
    std::int32_t trackNumber = 0;
    std::int32_t length = 0;
    std::int32_t rating = -1; // -1: not known
    std::int32_t playCount = -1;
    std::int32_t bitrate = -1;
};

template <typename Record> void placeWide(Record& record, const WideFields& fields) {
    record = Record{};
    record.filename = fields.filename;
    record.title = fields.title;
    record.album = fields.album;
    record.artist = fields.artist;
    record.comment = fields.comment;
    record.genre = fields.genre;
    record.year = fields.year;
    record.trackNumber = fields.trackNumber;
    record.length = fields.length;
    record.rating = fields.rating;
    record.playCount = fields.playCount;
    record.bitrate = fields.bitrate;
    if constexpr (std::is_same_v<Record, WideTrackRecordWithExtension>)
        record.extension = fields.extension;
}

void placeWideAt(RecordLayout layout, void* items, std::size_t index, const WideFields& fields) {
    if (layout == RecordLayout::WithExtension)
        placeWide(static_cast<WideTrackRecordWithExtension*>(items)[index], fields);
    else
        placeWide(static_cast<WideTrackRecord*>(items)[index], fields);
}

std::optional<std::string> utf8Of(const WideChar* text) {
    if (text == nullptr) return std::nullopt;
    return wideToUtf8(text);
}

template <typename Record> Track trackOfWide(const Record& record) {
    Track track;
    track.filename = utf8Of(record.filename);
    track.title = utf8Of(record.title);
    track.artist = utf8Of(record.artist);
    track.length = record.length;
    return track;
}

} // namespace

RecordLayout recordLayoutFromEnvironment() {
    const char* chosen = std::getenv("TG_PLAYER_LAYOUT");
    return chosen != nullptr && std::string_view(chosen) == "5.9.2" ? RecordLayout::WithExtension
                                                                    : RecordLayout::Classic;
}

void MediaLibrary::setTracks(std::vector<Track> tracks) {
    tracks_ = std::move(tracks);
    byFilename_.clear();
    byFilename_.reserve(tracks_.size());
    for (std::size_t i = 0; i < tracks_.size(); ++i)
        if (tracks_[i].filename) byFilename_.emplace(*tracks_[i].filename, i);
}

const Track* MediaLibrary::findByFilename(std::string_view filename) const {
    const auto found = byFilename_.find(std::string(filename));
    return found == byFilename_.end() ? nullptr : &tracks_[found->second];
}

std::size_t MediaLibrary::recordSize() const {
    return layout_ == RecordLayout::WithExtension ? sizeof(TrackRecordWithExtension)
                                                  : sizeof(TrackRecord);
}

TrackRecord MediaLibrary::recordAt(const void* items, std::size_t index) const {
    if (layout_ == RecordLayout::WithExtension)
        return fieldsOf(static_cast<const TrackRecordWithExtension*>(items)[index]);
    return fieldsOf(static_cast<const TrackRecord*>(items)[index]);
}

MediaLibrary::Block MediaLibrary::makeBlock(const std::vector<const Track*>& tracks) const {
    std::size_t textBytes = 0;
    std::size_t extendedSlots = 0;
    for (const Track* track : tracks) {
        for (auto field : kTexts)
            if (track->*field) textBytes += (track->*field)->size() + 1;
        textBytes += extensionOf(track->filename).size() + 1;
        std::size_t present = 0;
        for (const ExtendedValue& value : kExtended)
            if (track->*value.field) {
                ++present;
                textBytes += std::strlen(value.name) + 1 + 12; // the longest int32 and its NUL
            }
        if (present) extendedSlots += present + 1;
    }
    Block block;
    block.records = std::make_unique<unsigned char[]>(recordSize() * tracks.size());
    block.texts = std::make_unique<char[]>(textBytes ? textBytes : 1);
    if (extendedSlots) block.extended = std::make_unique<char*[]>(extendedSlots);
    return block;
}

void MediaLibrary::answer(QueryRecord* query, const std::vector<const Track*>& found) {
    query->items = nullptr;
    query->count = 0;
    query->allocated = 0;
    if (found.empty()) {
        query->count = faultMode_.count.value_or(0);
        return;
    }
    Block block = makeBlock(found);
    char* texts = block.texts.get();
    char** extended = block.extended.get();
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Track& track = *found[i];
        // The block was sized for the UTF-8 texts; their ANSI forms are never longer.
        auto text = [&](const std::optional<std::string>& value) -> char* {
            return value && !faultMode_.nullTexts ? copyInto(texts, toAnsi(*value)) : nullptr;
        };
        TrackRecord fields{};
        fields.filename = track.filename && !faultMode_.nullFileNames
                              ? copyInto(texts, toAnsi(*track.filename))
                              : nullptr;
        fields.title = text(track.title);
        fields.album = text(track.album);
        fields.artist = text(track.artist);
        fields.comment = text(track.comment);
        fields.genre = text(track.genre);
        fields.year = track.year;
        fields.trackNumber = track.trackNumber;
        fields.length = track.length;
        for (const ExtendedValue& value : kExtended) {
            const std::optional<std::int32_t>& number = track.*value.field;
            if (!number || faultMode_.noExtendedFields) continue;
            if (!fields.extendedFields) fields.extendedFields = extended;
            char* entry = copyInto(texts, value.name);
            texts = std::to_chars(texts, texts + 11, *number).ptr;
            *texts++ = '\0';
            *extended++ = entry;
        }
        if (fields.extendedFields) *extended++ = nullptr;
        char* extension = copyInto(texts, toAnsi(extensionOf(track.filename)));
        placeAt(layout_, block.records.get(), i, fields, extension);
    }
    query->items = reinterpret_cast<TrackRecord*>(block.records.get());
    query->allocated = static_cast<std::int32_t>(found.size());
    query->count = faultMode_.count.value_or(query->allocated);
    queryBlocks_.emplace(block.records.get(), std::move(block));
}

std::optional<std::vector<const Track*>>
MediaLibrary::matches(const char* text, std::int32_t maxResults, std::string& note) const {
    note = "max=" + std::to_string(maxResults) + " " + text;
    const QueryParseResult parsed = parseQuery(text);
    if (!parsed.query) {
        note += " -> rejected (" + parsed.error + ")";
        return std::nullopt;
    }
    const std::size_t limit =
        maxResults > 0 ? static_cast<std::size_t>(maxResults) : tracks_.size();
    std::vector<const Track*> found;
    for (const Track& track : tracks_) {
        if (found.size() >= limit) break;
        if (parsed.query->matches(track)) found.push_back(&track);
    }
    note += " -> " + std::to_string(found.size());
    return found;
}

std::vector<const Track*> MediaLibrary::filenameMatches(const char* name, Track& echo) const {
    if (faultMode_.filenameQueriesFindAnything) {
        echo.filename = name;
        return {&echo};
    }
    const Track* track = findByFilename(name);
    if (track == nullptr || faultMode_.filenameQueriesFindNothing) return {};
    return {track};
}

LRESULT MediaLibrary::runQuery(QueryRecord* query, std::string& note) {
    if (!query) {
        faults_.push_back("ML_RUN_QUERY without a record");
        note = "no record";
        return 0;
    }
    if (!query->query) {
        faults_.push_back("ML_RUN_QUERY without a query text");
        answer(query, {});
        note = "no query text";
        return 0;
    }
    const std::string text = fromAnsi(query->query);
    const auto found = matches(text.c_str(), query->maxResults, note);
    answer(query, found.value_or(std::vector<const Track*>{}));
    return found ? 1 : 0;
}

LRESULT MediaLibrary::runFilenameQuery(QueryRecord* query, std::string& note) {
    if (!query) {
        faults_.push_back("ML_RUN_FILENAME_QUERY without a record");
        note = "no record";
        return 0;
    }
    std::vector<const Track*> found;
    Track echo;
    if (query->query) {
        note = fromAnsi(query->query);
        found = filenameMatches(note.c_str(), echo);
    } else {
        faults_.push_back("ML_RUN_FILENAME_QUERY without a file name");
        note = "no file name";
    }
    answer(query, found);
    note += " -> " + std::to_string(found.size());
    return found.empty() ? 0 : 1;
}

template <typename Query, typename Blocks>
LRESULT MediaLibrary::freeResults(Query* query, Blocks& blocks, const std::string& message,
                                  std::string& note) {
    if (!query) {
        faults_.push_back(message + " without a record");
        note = "no record";
        return 0;
    }
    if (!query->items) {
        query->count = 0;
        query->allocated = 0;
        note = "nothing to free";
        return 0;
    }
    const auto block = blocks.find(query->items);
    if (block == blocks.end()) {
        // The player frees every text of every item and then the array itself:
        // on anything but its own result that corrupts its heap.
        faults_.push_back(message + " of records the library did not hand out");
        note = "unknown records";
        return 0;
    }
    note = std::to_string(query->count) + " records";
    blocks.erase(block);
    query->items = nullptr;
    query->count = 0;
    query->allocated = 0;
    return 1;
}

LRESULT MediaLibrary::freeQueryResults(QueryRecord* query, std::string& note) {
    return freeResults(query, queryBlocks_, "ML_FREE_QUERY_RESULTS", note);
}

template <typename Record> void MediaLibrary::fillFileInfo(Record& record, const Track& track) {
    std::vector<std::unique_ptr<char[]>>& kept = fileInfoTexts_[&record];
    // As the player does: only fields still empty are filled, the comment and
    // the extended fields never.
    auto fill = [&](char*& field, const std::optional<std::string>& value) {
        if (field || !value || faultMode_.nullTexts) return;
        const std::string ansi = toAnsi(*value);
        auto text = std::make_unique<char[]>(ansi.size() + 1);
        std::memcpy(text.get(), ansi.c_str(), ansi.size() + 1);
        field = text.get();
        kept.push_back(std::move(text));
    };
    fill(record.title, track.title);
    fill(record.album, track.album);
    fill(record.artist, track.artist);
    fill(record.genre, track.genre);
    if (record.trackNumber <= 0) record.trackNumber = knownOr(track.trackNumber);
    if (record.year <= 0) record.year = knownOr(track.year);
    if (record.length <= 0) record.length = knownOr(track.length);
    if (kept.empty()) fileInfoTexts_.erase(&record);
}

LRESULT MediaLibrary::getFileInfo(void* record, std::string& note) {
    if (!record) {
        faults_.push_back("ML_GET_FILE_INFO without a record");
        note = "no record";
        return 0;
    }
    // The file name is first in both layouts.
    const char* filename = static_cast<TrackRecord*>(record)->filename;
    if (!filename || !*filename) {
        note = "no file name";
        return 0;
    }
    note = fromAnsi(filename);
    const Track* track = findByFilename(note);
    if (!track) {
        note += " -> not in the library";
        return 0;
    }
    if (layout_ == RecordLayout::WithExtension)
        fillFileInfo(*static_cast<TrackRecordWithExtension*>(record), *track);
    else
        fillFileInfo(*static_cast<TrackRecord*>(record), *track);
    return 0; // the player answers 0 whether or not it filled anything
}

template <typename Record> void MediaLibrary::freeFileInfoTexts(Record& record) {
    const auto fill = fileInfoTexts_.find(&record);
    for (char** field :
         {&record.album, &record.artist, &record.comment, &record.genre, &record.title}) {
        if (!*field) continue;
        bool mine = false;
        if (fill != fileInfoTexts_.end()) {
            auto& kept = fill->second;
            for (auto text = kept.begin(); text != kept.end(); ++text)
                if (text->get() == *field) {
                    kept.erase(text);
                    mine = true;
                    break;
                }
        }
        if (!mine) {
            // The player would free a text of somebody else's.
            faults_.push_back("ML_FREE_FILE_INFO of a text the library did not hand out");
            continue;
        }
        *field = nullptr;
    }
    if (fill != fileInfoTexts_.end() && fill->second.empty()) fileInfoTexts_.erase(fill);
}

LRESULT MediaLibrary::freeFileInfo(void* record, std::string& note) {
    if (!record) {
        faults_.push_back("ML_FREE_FILE_INFO without a record");
        note = "no record";
        return 0;
    }
    const int before = liveFileInfoRecords();
    if (layout_ == RecordLayout::WithExtension)
        freeFileInfoTexts(*static_cast<TrackRecordWithExtension*>(record));
    else
        freeFileInfoTexts(*static_cast<TrackRecord*>(record));
    note = before != liveFileInfoRecords() ? "filled record" : "nothing to free";
    return 0;
}

std::unique_ptr<unsigned char[]>
MediaLibrary::selectionRecords(const std::vector<Track>& tracks,
                               std::deque<std::string>& texts) const {
    auto records =
        std::make_unique<unsigned char[]>(recordSize() * (tracks.empty() ? 1 : tracks.size()));
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const Track& t = tracks[i];
        auto text = [&](const std::optional<std::string>& value) {
            return value ? texts.emplace_back(toAnsi(*value)).data() : nullptr;
        };
        const TrackRecord fields{text(t.filename), text(t.title), text(t.album), text(t.artist),
                                 text(t.comment),  text(t.genre), t.year,        t.trackNumber,
                                 t.length,         nullptr};
        placeAt(layout_, records.get(), i, fields, nullptr);
    }
    return records;
}

std::size_t MediaLibrary::wideRecordSize() const {
    return layout_ == RecordLayout::WithExtension ? sizeof(WideTrackRecordWithExtension)
                                                  : sizeof(WideTrackRecord);
}

Track MediaLibrary::wideRecordAt(const void* items, std::size_t index) const {
    if (layout_ == RecordLayout::WithExtension)
        return trackOfWide(static_cast<const WideTrackRecordWithExtension*>(items)[index]);
    return trackOfWide(static_cast<const WideTrackRecord*>(items)[index]);
}

void MediaLibrary::answerWide(WideQueryRecord* query, const std::vector<const Track*>& found) {
    query->items = nullptr;
    query->count = 0;
    query->allocated = 0;
    if (found.empty()) {
        query->count = faultMode_.count.value_or(0);
        return;
    }
    WideBlock block;
    block.records = std::make_unique<unsigned char[]>(wideRecordSize() * found.size());
    auto keep = [&](std::string_view text, bool broken = false) -> WideChar* {
        std::u16string& kept = block.texts.emplace_back(utf8ToWide(text));
        if (broken) kept += u'\xD800';
        return kept.data();
    };
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Track& track = *found[i];
        auto text = [&](const std::optional<std::string>& value, bool broken = false) {
            return value && !faultMode_.nullTexts ? keep(*value, broken) : nullptr;
        };
        auto number = [&](const std::optional<std::int32_t>& value) {
            return value && !faultMode_.noExtendedFields ? *value : -1;
        };
        WideFields fields;
        fields.filename =
            track.filename && !faultMode_.nullFileNames ? keep(*track.filename) : nullptr;
        fields.title = text(track.title, faultMode_.unpairedSurrogates);
        fields.album = text(track.album);
        fields.artist = text(track.artist);
        fields.comment = text(track.comment);
        fields.genre = text(track.genre);
        fields.extension = keep(extensionOf(track.filename));
        fields.year = track.year;
        fields.trackNumber = track.trackNumber;
        fields.length = track.length;
        fields.rating = number(track.rating);
        fields.playCount = number(track.playCount);
        fields.bitrate = number(track.bitrate);
        placeWideAt(layout_, block.records.get(), i, fields);
    }
    query->items = reinterpret_cast<WideTrackRecord*>(block.records.get());
    query->allocated = static_cast<std::int32_t>(found.size());
    query->count = faultMode_.count.value_or(query->allocated);
    wideBlocks_.emplace(block.records.get(), std::move(block));
}

LRESULT MediaLibrary::runQueryWide(WideQueryRecord* query, std::string& note) {
    if (!query) {
        faults_.push_back("ML_RUN_QUERY_WIDE without a record");
        note = "no record";
        return 0;
    }
    if (!query->query) {
        faults_.push_back("ML_RUN_QUERY_WIDE without a query text");
        answerWide(query, {});
        note = "no query text";
        return 0;
    }
    const std::string text = wideToUtf8(query->query);
    const auto found = matches(text.c_str(), query->maxResults, note);
    answerWide(query, found.value_or(std::vector<const Track*>{}));
    return found ? 1 : 0;
}

LRESULT MediaLibrary::runFilenameQueryWide(WideQueryRecord* query, std::string& note) {
    if (!query) {
        faults_.push_back("ML_RUN_FILENAME_QUERY_WIDE without a record");
        note = "no record";
        return 0;
    }
    std::vector<const Track*> found;
    Track echo;
    if (query->query) {
        note = wideToUtf8(query->query);
        found = filenameMatches(note.c_str(), echo);
    } else {
        faults_.push_back("ML_RUN_FILENAME_QUERY_WIDE without a file name");
        note = "no file name";
    }
    answerWide(query, found);
    note += " -> " + std::to_string(found.size());
    return found.empty() ? 0 : 1;
}

LRESULT MediaLibrary::freeQueryResultsWide(WideQueryRecord* query, std::string& note) {
    return freeResults(query, wideBlocks_, "ML_FREE_QUERY_RESULTS_WIDE", note);
}

template <typename Record> void MediaLibrary::fillWideFileInfo(Record& record, const Track& track) {
    std::vector<std::unique_ptr<char16_t[]>>& kept = wideFileInfoTexts_[&record];
    auto fill = [&](WideChar*& field, const std::optional<std::string>& value) {
        if (field || !value || faultMode_.nullTexts) return;
        const std::u16string wide = utf8ToWide(*value);
        auto text = std::make_unique<char16_t[]>(wide.size() + 1);
        std::copy(wide.begin(), wide.end(), text.get());
        field = text.get();
        kept.push_back(std::move(text));
    };
    fill(record.title, track.title);
    fill(record.album, track.album);
    fill(record.artist, track.artist);
    fill(record.genre, track.genre);
    if (record.trackNumber <= 0) record.trackNumber = knownOr(track.trackNumber);
    if (record.year <= 0) record.year = knownOr(track.year);
    if (record.length <= 0) record.length = knownOr(track.length);
    if (kept.empty()) wideFileInfoTexts_.erase(&record);
}

LRESULT MediaLibrary::getFileInfoWide(void* record, std::string& note) {
    if (!record) {
        faults_.push_back("ML_GET_FILE_INFO_WIDE without a record");
        note = "no record";
        return 0;
    }
    const WideChar* filename = static_cast<WideTrackRecord*>(record)->filename;
    if (!filename || !*filename) {
        note = "no file name";
        return 0;
    }
    note = wideToUtf8(filename);
    const Track* track = findByFilename(note);
    if (!track) {
        note += " -> not in the library";
        return 0;
    }
    if (layout_ == RecordLayout::WithExtension)
        fillWideFileInfo(*static_cast<WideTrackRecordWithExtension*>(record), *track);
    else
        fillWideFileInfo(*static_cast<WideTrackRecord*>(record), *track);
    return 0;
}

template <typename Record> void MediaLibrary::freeWideFileInfoTexts(Record& record) {
    const auto fill = wideFileInfoTexts_.find(&record);
    for (WideChar** field :
         {&record.album, &record.artist, &record.comment, &record.genre, &record.title}) {
        if (!*field) continue;
        bool mine = false;
        if (fill != wideFileInfoTexts_.end()) {
            auto& kept = fill->second;
            for (auto text = kept.begin(); text != kept.end(); ++text)
                if (text->get() == *field) {
                    kept.erase(text);
                    mine = true;
                    break;
                }
        }
        if (!mine) {
            faults_.push_back("ML_FREE_FILE_INFO_WIDE of a text the library did not hand out");
            continue;
        }
        *field = nullptr;
    }
    if (fill != wideFileInfoTexts_.end() && fill->second.empty()) wideFileInfoTexts_.erase(fill);
}

LRESULT MediaLibrary::freeFileInfoWide(void* record, std::string& note) {
    if (!record) {
        faults_.push_back("ML_FREE_FILE_INFO_WIDE without a record");
        note = "no record";
        return 0;
    }
    const int before = liveFileInfoRecords();
    if (layout_ == RecordLayout::WithExtension)
        freeWideFileInfoTexts(*static_cast<WideTrackRecordWithExtension*>(record));
    else
        freeWideFileInfoTexts(*static_cast<WideTrackRecord*>(record));
    note = before != liveFileInfoRecords() ? "filled record" : "nothing to free";
    return 0;
}

std::unique_ptr<unsigned char[]>
MediaLibrary::wideSelectionRecords(const std::vector<Track>& tracks,
                                   std::deque<std::u16string>& texts) const {
    auto records =
        std::make_unique<unsigned char[]>(wideRecordSize() * (tracks.empty() ? 1 : tracks.size()));
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const Track& t = tracks[i];
        auto text = [&](const std::optional<std::string>& value) -> WideChar* {
            return value ? texts.emplace_back(utf8ToWide(*value)).data() : nullptr;
        };
        WideFields fields;
        fields.filename = text(t.filename);
        fields.title = text(t.title);
        fields.album = text(t.album);
        fields.artist = text(t.artist);
        fields.comment = text(t.comment);
        fields.genre = text(t.genre);
        fields.year = t.year;
        fields.trackNumber = t.trackNumber;
        fields.length = t.length;
        placeWideAt(layout_, records.get(), i, fields);
    }
    return records;
}

void MediaLibrary::releaseAll() {
    queryBlocks_.clear();
    fileInfoTexts_.clear();
    wideBlocks_.clear();
    wideFileInfoTexts_.clear();
}

std::vector<std::string> MediaLibrary::takeFaults() {
    std::vector<std::string> taken;
    taken.swap(faults_);
    return taken;
}

} // namespace tg::player
