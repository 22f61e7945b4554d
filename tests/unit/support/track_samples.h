// Track records for tests, with every text owned by a store that outlives them.
#pragma once

#include "player/track.h"
#include "plugin/host_messages.h"

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tg::test {

using ExtendedList = std::vector<std::pair<std::string, std::string>>;

// A track as a test describes it: nullopt is a missing (null) field.
struct TrackValues {
    std::optional<std::string> filename = std::nullopt;
    std::optional<std::string> title = std::nullopt;
    std::optional<std::string> album = std::nullopt;
    std::optional<std::string> artist = std::nullopt;
    std::optional<std::string> genre = std::nullopt;
    int year = 0;
    int trackNumber = 0;
    int length = 0;
    std::optional<ExtendedList> extended = std::nullopt; // nullopt: no extended list at all
};

// The simulated library's track as a test record; the extended list only when
// it holds a field, as the library hands them out.
TrackValues valuesOf(const player::Track& track);

class TrackStore {
public:
    // A record whose texts live as long as the store.
    TrackRecord make(const TrackValues& values);
    std::vector<TrackRecord> make(const std::vector<TrackValues>& tracks);

private:
    char* keep(const std::optional<std::string>& text);
    std::deque<std::string> texts_;
    std::deque<std::vector<char*>> lists_;
};

} // namespace tg::test
