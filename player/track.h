// One track of the simulated media library, and the field names the query
// language and the library file share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tg::player {

struct Track {
    // A missing text field is nullopt: the library hands it out as a null pointer.
    std::optional<std::string> filename;
    std::optional<std::string> title;
    std::optional<std::string> album;
    std::optional<std::string> artist;
    std::optional<std::string> comment;
    std::optional<std::string> genre;
    std::int32_t year = 0;        // 0 or below: not known
    std::int32_t trackNumber = 0; // 0 or below: not known
    std::int32_t length = 0;      // seconds
    // Extended fields; a missing one has no entry in the record's list.
    std::optional<std::int32_t> rating;
    std::optional<std::int32_t> playCount;
    std::optional<std::int32_t> bitrate;
};

enum class TrackField {
    Artist,
    Album,
    Title,
    Genre,
    Comment,
    Filename,
    Year,
    TrackNumber,
    Length,
    Rating,
    PlayCount,
    Bitrate,
};

inline constexpr int kTrackFieldCount = 12;

// The query-language and library-file name of a field ("artist", "trackno", ...).
std::string_view fieldName(TrackField field);
// Looks a name up without regard to case.
std::optional<TrackField> parseFieldName(std::string_view name);
bool isNumericField(TrackField field);

// Text fields: the stored text, or null when missing. Numeric fields: null.
const std::string* textField(const Track& track, TrackField field);
std::optional<std::string>& textFieldRef(Track& track, TrackField field);
// Numeric fields: the value, or nullopt for a missing extended field.
std::optional<std::int64_t> numberField(const Track& track, TrackField field);
void setNumberField(Track& track, TrackField field, std::optional<std::int32_t> value);

} // namespace tg::player
