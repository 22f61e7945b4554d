#include "support/random_tracks.h"

#include <climits>
#include <iterator>

namespace tg::test {

namespace {

template <typename T, std::size_t N> const T& pick(std::mt19937& rng, const T (&items)[N]) {
    return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(rng)];
}

bool chance(std::mt19937& rng, int percent) {
    return std::uniform_int_distribution<int>(0, 99)(rng) < percent;
}

std::optional<std::string> maybeText(std::mt19937& rng) {
    if (chance(rng, 8)) return std::nullopt;
    return randomText(rng);
}

} // namespace

std::string randomText(std::mt19937& rng) {
    static const char* const starts[] = {"", "", "", "The ", "the ", "THE ", " ", "  "};
    static const char* const pieces[] = {
        "A",       "a",   "b", "B",  "Beatles", "beck", "&",   "&&", "/",    "(",
        ")",       " (",  " ", "x",  "Q",       "12",   "7. ", "->", " -> ", "\xC3\xA9",
        "Theatre", "The", "-", "Zz", "_",       "[",    "ab",  "AB", ".",    "Who"};
    std::string text = pick(rng, starts);
    const int count = std::uniform_int_distribution<int>(0, 4)(rng);
    for (int i = 0; i < count; ++i) text += pick(rng, pieces);
    return text;
}

TrackValues randomTrack(std::mt19937& rng) {
    static const int numbers[] = {0,    0,    1,    7,     12, 99,  100,   999,     1000,
                                  1969, 1999, 2001, 12345, -1, -50, -1000, INT_MAX, INT_MIN};
    static const char* const extendedValues[] = {"",   "5",   "05",  " 5",    "10", "9", "abc",
                                                 "-3", "128", "320", "The 7", "+4", "0"};
    static const char* const extendedNames[] = {"RATING",  "rating",  "PLAYCOUNT", "PlayCount",
                                                "BITRATE", "bitrate", "COMMENTS"};
    TrackValues t;
    t.filename = maybeText(rng);
    t.title = maybeText(rng);
    t.album = maybeText(rng);
    t.artist = maybeText(rng);
    t.genre = maybeText(rng);
    t.year = pick(rng, numbers);
    t.trackNumber = pick(rng, numbers);
    t.length = std::uniform_int_distribution<int>(0, 4000)(rng);
    if (!chance(rng, 15)) {
        ExtendedList list;
        const int count = std::uniform_int_distribution<int>(0, 4)(rng);
        for (int i = 0; i < count; ++i)
            list.emplace_back(pick(rng, extendedNames), pick(rng, extendedValues));
        t.extended = list;
    }
    return t;
}

} // namespace tg::test
