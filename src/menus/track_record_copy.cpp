// The plug-in's own copies of library track records, which outlive the
// library's result they came from.
#include "menus/query_templates.h"

#include <cstdlib>
#include <cstring>

namespace tg {

namespace {

char* duplicate(const char* text, std::size_t length) {
    char* copy = static_cast<char*>(std::malloc(length));
    if (copy != nullptr) std::memcpy(copy, text, length);
    return copy;
}

char* duplicateText(const char* text) {
    return text != nullptr ? duplicate(text, std::strlen(text) + 1) : nullptr;
}

// Each entry is "NAME\0value\0": both parts are copied.
char** duplicateExtendedFields(char* const* fields) {
    if (fields == nullptr) return nullptr;
    std::size_t count = 0;
    while (fields[count] != nullptr) ++count;
    auto** copy = static_cast<char**>(std::calloc(count + 1, sizeof(char*)));
    if (copy == nullptr) return nullptr;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char* entry = fields[i];
        const std::size_t nameLength = std::strlen(entry) + 1;
        const std::size_t valueLength = std::strlen(entry + nameLength) + 1;
        if (char* entryCopy = duplicate(entry, nameLength + valueLength)) copy[kept++] = entryCopy;
    }
    return copy;
}

void freeExtendedFields(char** fields) {
    if (fields == nullptr) return;
    for (char** entry = fields; *entry != nullptr; ++entry) std::free(*entry);
    std::free(static_cast<void*>(fields));
}

} // namespace

void copyTrackRecord(TrackRecord* destination, const TrackRecord& source) {
    if (destination == nullptr) return;
    destination->filename = duplicateText(source.filename);
    destination->title = duplicateText(source.title);
    destination->album = duplicateText(source.album);
    destination->artist = duplicateText(source.artist);
    destination->comment = duplicateText(source.comment);
    destination->genre = duplicateText(source.genre);
    destination->year = source.year;
    destination->trackNumber = source.trackNumber;
    destination->length = source.length;
    // Kept so that Rating, Play Count and Bitrate levels work on these copies too.
    destination->extendedFields = duplicateExtendedFields(source.extendedFields);
}

void freeTrackRecord(TrackRecord* record) {
    if (record == nullptr) return;
    for (char* text : {record->filename, record->title, record->album, record->artist,
                       record->comment, record->genre})
        std::free(text);
    freeExtendedFields(record->extendedFields);
    *record = TrackRecord{};
}

} // namespace tg
