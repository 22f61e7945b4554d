#include "player/track.h"

#include "player/text_fold.h"

#include <array>

namespace tg::player {

namespace {

constexpr std::array<std::string_view, kTrackFieldCount> kNames = {
    "artist", "album",   "title",  "genre",  "comment",   "filename",
    "year",   "trackno", "length", "rating", "playcount", "bitrate",
};

} // namespace

std::string_view fieldName(TrackField field) {
    return kNames[static_cast<std::size_t>(field)];
}

std::optional<TrackField> parseFieldName(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (foldedEqual(name, kNames[i])) return static_cast<TrackField>(i);
    return std::nullopt;
}

bool isNumericField(TrackField field) {
    return static_cast<int>(field) >= static_cast<int>(TrackField::Year);
}

const std::string* textField(const Track& track, TrackField field) {
    const std::optional<std::string>* value = nullptr;
    switch (field) {
    case TrackField::Artist: value = &track.artist; break;
    case TrackField::Album: value = &track.album; break;
    case TrackField::Title: value = &track.title; break;
    case TrackField::Genre: value = &track.genre; break;
    case TrackField::Comment: value = &track.comment; break;
    case TrackField::Filename: value = &track.filename; break;
    default: return nullptr;
    }
    return value->has_value() ? &**value : nullptr;
}

std::optional<std::string>& textFieldRef(Track& track, TrackField field) {
    switch (field) {
    case TrackField::Artist: return track.artist;
    case TrackField::Album: return track.album;
    case TrackField::Title: return track.title;
    case TrackField::Genre: return track.genre;
    case TrackField::Comment: return track.comment;
    default: return track.filename;
    }
}

std::optional<std::int64_t> numberField(const Track& track, TrackField field) {
    switch (field) {
    case TrackField::Year: return track.year;
    case TrackField::TrackNumber: return track.trackNumber;
    case TrackField::Length: return track.length;
    case TrackField::Rating: return track.rating;
    case TrackField::PlayCount: return track.playCount;
    case TrackField::Bitrate: return track.bitrate;
    default: return std::nullopt;
    }
}

void setNumberField(Track& track, TrackField field, std::optional<std::int32_t> value) {
    switch (field) {
    case TrackField::Year: track.year = value.value_or(0); break;
    case TrackField::TrackNumber: track.trackNumber = value.value_or(0); break;
    case TrackField::Length: track.length = value.value_or(0); break;
    case TrackField::Rating: track.rating = value; break;
    case TrackField::PlayCount: track.playCount = value; break;
    case TrackField::Bitrate: track.bitrate = value; break;
    default: break;
    }
}

} // namespace tg::player
