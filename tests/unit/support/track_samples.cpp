#include "support/track_samples.h"

namespace tg::test {

TrackValues valuesOf(const player::Track& track) {
    TrackValues v;
    v.filename = track.filename;
    v.title = track.title;
    v.album = track.album;
    v.artist = track.artist;
    v.genre = track.genre;
    v.year = track.year;
    v.trackNumber = track.trackNumber;
    v.length = track.length;
    ExtendedList extended;
    if (track.rating) extended.emplace_back("RATING", std::to_string(*track.rating));
    if (track.playCount) extended.emplace_back("PLAYCOUNT", std::to_string(*track.playCount));
    if (track.bitrate) extended.emplace_back("BITRATE", std::to_string(*track.bitrate));
    if (!extended.empty()) v.extended = extended;
    return v;
}

char* TrackStore::keep(const std::optional<std::string>& text) {
    if (!text) return nullptr;
    texts_.push_back(*text);
    return texts_.back().data();
}

TrackRecord TrackStore::make(const TrackValues& values) {
    TrackRecord r{};
    r.filename = keep(values.filename);
    r.title = keep(values.title);
    r.album = keep(values.album);
    r.artist = keep(values.artist);
    r.genre = keep(values.genre);
    r.year = values.year;
    r.trackNumber = values.trackNumber;
    r.length = values.length;
    if (values.extended) {
        std::vector<char*>& list = lists_.emplace_back();
        for (const auto& [name, value] : *values.extended) {
            // The player's layout: "NAME\0value\0" in one block.
            texts_.push_back(name + std::string(1, '\0') + value);
            list.push_back(texts_.back().data());
        }
        list.push_back(nullptr);
        r.extendedFields = list.data();
    }
    return r;
}

std::vector<TrackRecord> TrackStore::make(const std::vector<TrackValues>& tracks) {
    std::vector<TrackRecord> records;
    for (const TrackValues& s : tracks) records.push_back(make(s));
    return records;
}

} // namespace tg::test
