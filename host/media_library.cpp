#include "host/media_library.h"

#include "host/query_language.h"

#include <charconv>
#include <cstring>

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

char* copyInto(char*& texts, const std::string& text) {
    char* start = texts;
    std::memcpy(texts, text.c_str(), text.size() + 1);
    texts += text.size() + 1;
    return start;
}

} // namespace

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

MediaLibrary::Block MediaLibrary::makeBlock(const std::vector<const Track*>& tracks,
                                            bool withRecords) {
    std::size_t textBytes = 0;
    std::size_t extendedSlots = 0;
    for (const Track* track : tracks) {
        for (auto field : kTexts)
            if ((track->*field) && (withRecords || field != &Track::filename))
                textBytes += (track->*field)->size() + 1;
        std::size_t present = 0;
        for (const ExtendedValue& value : kExtended)
            if (track->*value.field) {
                ++present;
                textBytes += std::strlen(value.name) + 1 + 12; // the longest int32 and its NUL
            }
        if (present) extendedSlots += present + 1;
    }
    Block block;
    if (withRecords) block.records = std::make_unique<TrackRecord[]>(tracks.size());
    block.texts = std::make_unique<char[]>(textBytes ? textBytes : 1);
    if (extendedSlots) block.extended = std::make_unique<char*[]>(extendedSlots);
    return block;
}

void MediaLibrary::fillRecord(TrackRecord& record, const Track& track, char*& texts,
                              char**& extended, bool withFilename) const {
    auto text = [&](const std::optional<std::string>& value) -> char* {
        return value && !faultMode_.nullTexts ? copyInto(texts, *value) : nullptr;
    };
    if (withFilename)
        record.filename = track.filename && !faultMode_.nullFileNames
                              ? copyInto(texts, *track.filename)
                              : nullptr;
    record.title = text(track.title);
    record.album = text(track.album);
    record.artist = text(track.artist);
    record.comment = text(track.comment);
    record.genre = text(track.genre);
    record.year = track.year;
    record.trackNumber = track.trackNumber;
    record.length = track.length;
    record.extendedFields = nullptr;
    for (const ExtendedValue& value : kExtended) {
        const std::optional<std::int32_t>& number = track.*value.field;
        if (!number || faultMode_.noExtendedFields) continue;
        if (!record.extendedFields) record.extendedFields = extended;
        char* entry = texts;
        const std::size_t nameLength = std::strlen(value.name) + 1;
        std::memcpy(texts, value.name, nameLength);
        texts += nameLength;
        texts = std::to_chars(texts, texts + 11, *number).ptr;
        *texts++ = '\0';
        *extended++ = entry;
    }
    if (record.extendedFields) *extended++ = nullptr;
}

void MediaLibrary::answer(QueryRecord* query, const std::vector<const Track*>& found) {
    query->items = nullptr;
    query->count = 0;
    query->allocated = 0;
    if (found.empty()) {
        query->count = faultMode_.count.value_or(0);
        return;
    }
    Block block = makeBlock(found, true);
    char* texts = block.texts.get();
    char** extended = block.extended.get();
    for (std::size_t i = 0; i < found.size(); ++i)
        fillRecord(block.records[i], *found[i], texts, extended, true);
    query->items = block.records.get();
    query->allocated = static_cast<std::int32_t>(found.size());
    query->count = faultMode_.count.value_or(query->allocated);
    queryBlocks_.emplace(query->items, std::move(block));
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
    note = "max=" + std::to_string(query->maxResults) + " " + query->query;
    const QueryParseResult parsed = parseQuery(query->query);
    if (!parsed.query) {
        answer(query, {});
        note += " -> rejected (" + parsed.error + ")";
        return 0;
    }
    const std::size_t limit =
        query->maxResults > 0 ? static_cast<std::size_t>(query->maxResults) : tracks_.size();
    std::vector<const Track*> found;
    for (const Track& track : tracks_) {
        if (found.size() >= limit) break;
        if (parsed.query->matches(track)) found.push_back(&track);
    }
    answer(query, found);
    note += " -> " + std::to_string(found.size());
    return 1;
}

LRESULT MediaLibrary::runFilenameQuery(QueryRecord* query, std::string& note) {
    if (!query) {
        faults_.push_back("ML_RUN_FILENAME_QUERY without a record");
        note = "no record";
        return 0;
    }
    std::vector<const Track*> found;
    if (query->query) {
        if (const Track* track = findByFilename(query->query)) found.push_back(track);
        note = query->query;
    } else {
        faults_.push_back("ML_RUN_FILENAME_QUERY without a file name");
        note = "no file name";
    }
    answer(query, found);
    note += " -> " + std::to_string(found.size());
    return found.empty() ? 0 : 1;
}

LRESULT MediaLibrary::freeQueryResults(QueryRecord* query, std::string& note) {
    if (!query) {
        faults_.push_back("ML_FREE_QUERY_RESULTS without a record");
        note = "no record";
        return 0;
    }
    if (!query->items) {
        query->count = 0;
        query->allocated = 0;
        note = "nothing to free";
        return 0;
    }
    if (const auto block = queryBlocks_.find(query->items); block != queryBlocks_.end()) {
        note = std::to_string(query->count) + " records";
        queryBlocks_.erase(block);
        query->items = nullptr;
        query->count = 0;
        query->allocated = 0;
        return 1;
    }
    const auto [first, last] = fileInfoBlocks_.equal_range(query->items);
    if (first != last && query->count == 1) {
        TrackRecord& record = *query->items;
        record.title = record.album = record.artist = record.comment = record.genre = nullptr;
        record.extendedFields = nullptr;
        fileInfoBlocks_.erase(std::prev(last));
        query->items = nullptr;
        query->count = 0;
        query->allocated = 0;
        note = "file info record";
        return 1;
    }
    faults_.push_back("ML_FREE_QUERY_RESULTS of records the library did not hand out");
    note = "unknown records";
    return 0;
}

LRESULT MediaLibrary::getFileInfo(TrackRecord* record, std::string& note) {
    if (!record) {
        faults_.push_back("ML_GET_FILE_INFO without a record");
        note = "no record";
        return 0;
    }
    if (!record->filename) {
        note = "no file name";
        return 0;
    }
    note = record->filename;
    const Track* track = findByFilename(record->filename);
    if (!track) {
        note += " -> not in the library";
        return 0;
    }
    Block block = makeBlock({track}, false);
    char* texts = block.texts.get();
    char** extended = block.extended.get();
    fillRecord(*record, *track, texts, extended, false);
    fileInfoBlocks_.emplace(record, std::move(block));
    return 1;
}

void MediaLibrary::releaseAll() {
    queryBlocks_.clear();
    fileInfoBlocks_.clear();
}

std::vector<std::string> MediaLibrary::takeFaults() {
    std::vector<std::string> taken;
    taken.swap(faults_);
    return taken;
}

} // namespace tg::player
