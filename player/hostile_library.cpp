#include "player/hostile_library.h"

#include "player/random.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tg::player {

namespace {

constexpr std::array<std::string_view, 32> kNames = {
    "Abba",
    "Who",
    "Then",
    "AC/DC",
    "Tom \"Bones\" Malone",
    "x\" OR artist != \"",
    "Rock & Roll",
    "A -> B",
    "Simon & Garfunkel",
    "Harbor (Live)",
    "Hits",
    "Intro",
    "50%41",
    "100% Pure",
    "Blues",
    "4 Non Blondes",
    "_under",
    "~tilde",
    "Zed",
    "\xC3\xA9t\xC3\xA9",
    "The",
    "Theatre",
    "Beatles",
    "beck",
    "B",
    "a/b",
    "c/d/e",
    "x)y(z",
    "More",
    "Q -> R -> S",
    "Beat",
    "Be",
};

// Twins here too: case (Cyrillic), "The ", and names that only a wide text
// tells apart ("?? ?" in the code page).
constexpr std::array<std::string_view, 10> kUnicodeNames = {
    "\u6708\u91CE \u5149",                                       // Japanese
    "\u661F\u91CE \u5149",                                       // the same in the code page
    "\u0411\u0435\u043B\u044B\u0435 \u041D\u043E\u0447\u0438",   // Cyrillic
    "\u0431\u0435\u043B\u044B\u0435 \u043D\u043E\u0447\u0438",   // its lower-case twin
    "\u0395\u03BB\u03AD\u03BD\u03B7 & \u039C\u03B1\u03C1\u03AE", // Greek
    "\u0141ukasz \u017Bak",                                      // Latin beyond Windows-1252
    "Am\u00E9lie",                                               // Latin within it
    "DJ \U0001F3B5",                                             // beyond the BMP
    "\U0001F3B5",
    "The \u0416\u0443\u043A",
};

constexpr std::array<std::string_view, 3> kLongBeginnings = {
    "The Extraordinarily Long Winded Orchestra ",
    "the extraordinarily long winded orchestra ",
    "Extraordinarily Long ",
};

std::string recased(std::string_view text, bool upper) {
    std::string out(text);
    for (char& c : out) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return out;
}

// A value of 200 to 400 characters: one of a few beginnings, repeated, then
// the name, so long values share most of their text.
std::string longValue(Random& random, std::string_view name) {
    std::string text(random.pick(kLongBeginnings));
    const std::size_t length = static_cast<std::size_t>(random.between(200, 400));
    while (text.size() + name.size() < length) text += "Winded Orchestra ";
    return text + std::string(name);
}

// One spelling of a name, as a tag might hold it.
std::string spelled(Random& random, std::string_view name) {
    switch (random.below(16)) {
    case 0: return "The " + std::string(name);
    case 1: return "the " + std::string(name);
    case 2: return "THE " + recased(name, true);
    case 3: return recased(name, false);
    case 4: return recased(name, true);
    case 5: return "  " + std::string(name);
    case 6: return std::string(name) + " ";
    case 7: return "The  " + std::string(name);
    case 8: return std::string(name) + "  " + std::string(name);
    case 9: return longValue(random, name);
    default: return std::string(name);
    }
}

// Some names for a field, each in one to three spellings.
std::vector<std::string> spellings(Random& random, int names, bool unicode) {
    std::vector<std::string> out;
    for (int i = 0; i < names; ++i) {
        const std::string_view name =
            unicode && random.chance(50) ? random.pick(kUnicodeNames) : random.pick(kNames);
        const int count = random.between(1, 3);
        out.emplace_back(name);
        for (int k = 1; k < count; ++k) out.push_back(spelled(random, name));
    }
    return out;
}

// A present value most of the time; sometimes an empty one, sometimes none.
std::optional<std::string> fieldFrom(Random& random, const std::vector<std::string>& pool) {
    const std::uint32_t roll = random.below(100);
    if (roll < 4) return std::nullopt;
    if (roll < 7) return std::string();
    return pool[random.below(static_cast<std::uint32_t>(pool.size()))];
}

} // namespace

std::vector<Track> generateHostileLibrary(std::size_t trackCount, std::uint64_t seed,
                                          bool unicode) {
    Random random(seed);
    const std::vector<std::string> artists = spellings(random, 5, unicode);
    const std::vector<std::string> albums = spellings(random, 5, unicode);
    const std::vector<std::string> titles = spellings(random, 7, unicode);
    std::vector<std::string> genres = spellings(random, 3, unicode);
    genres.insert(genres.end(), {"The Blues", "Blues", "the blues"});
    constexpr std::array<int, 8> kYears = {0, 0, 476, 1990, 1999, 1999, 2005, 12345};
    constexpr std::array<int, 7> kTracks = {0, 1, 1, 2, 5, 12, 100};
    constexpr std::array<std::string_view, 4> kFolders = {"C:\\H\\", "C:\\h\\", "C:\\The h\\",
                                                          "C:\\H\\The "};
    constexpr std::array<std::string_view, 3> kUnicodeFolders = {
        "C:\\\u97F3\u697D\\", "C:\\\u041C\u0443\u0437\u044B\u043A\u0430\\", "C:\\M\u00FAsica\\"};

    std::vector<Track> tracks;
    tracks.reserve(trackCount);
    for (std::size_t i = 0; i < trackCount; ++i) {
        Track track;
        track.filename = std::string(random.pick(kFolders)) + std::to_string(i) + ".mp3";
        // Names a code page cannot hold, apart only in what it loses.
        if (unicode && random.chance(50))
            *track.filename = std::string(random.pick(kUnicodeFolders)) + std::to_string(i) +
                              (random.chance(50) ? "\u266A.mp3" : "\U0001F3B5.mp3");
        track.artist = fieldFrom(random, artists);
        track.album = fieldFrom(random, albums);
        track.title = fieldFrom(random, titles);
        track.genre = fieldFrom(random, genres);
        track.year = random.pick(kYears);
        track.trackNumber = random.pick(kTracks);
        track.length = random.between(1, 700);
        if (random.chance(60)) track.rating = random.between(1, 5);
        if (random.chance(50)) track.playCount = random.between(0, 12);
        if (random.chance(70)) track.bitrate = random.chance(50) ? 128 : 320;
        tracks.push_back(std::move(track));
    }
    return tracks;
}

} // namespace tg::player
