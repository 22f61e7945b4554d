#include "support/track_samples.h"

namespace tg::test {

char* TrackStore::keep(const std::optional<std::string>& text) {
    if (!text) return nullptr;
    texts_.push_back(*text);
    return texts_.back().data();
}

TrackRecord TrackStore::make(const TrackSpec& spec) {
    TrackRecord r{};
    r.filename = keep(spec.filename);
    r.title = keep(spec.title);
    r.album = keep(spec.album);
    r.artist = keep(spec.artist);
    r.genre = keep(spec.genre);
    r.year = spec.year;
    r.trackNumber = spec.trackNumber;
    r.length = spec.length;
    if (spec.extended) {
        std::vector<char*>& list = lists_.emplace_back();
        for (const auto& [name, value] : *spec.extended) {
            // The player's layout: "NAME\0value\0" in one block.
            texts_.push_back(name + std::string(1, '\0') + value);
            list.push_back(texts_.back().data());
        }
        list.push_back(nullptr);
        r.extendedFields = list.data();
    }
    return r;
}

std::vector<TrackRecord> TrackStore::make(const std::vector<TrackSpec>& specs) {
    std::vector<TrackRecord> records;
    for (const TrackSpec& s : specs) records.push_back(make(s));
    return records;
}

} // namespace tg::test
