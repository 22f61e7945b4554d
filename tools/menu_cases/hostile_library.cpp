#include "hostile_library.h"

#include "player/random.h"

#include <cstdio>
#include <string>

namespace tg::menucases {

namespace {

const std::vector<std::string> kArtists = {
    "The The",
    "The  Double  Spaces",
    "AC/DC",
    "Simon & Garfunkel",
    "Tom && Jerry",
    "\"Weird Al\" Yankovic",
    "Left -> Right",
    "(Parenthesised)",
    "abba",
    "ABBA",
    "  Leading Spaces",
    "Trailing Spaces  ",
    "Sigur R\xC3\xB3s",
    "Caf\xE9 Tacvba",
    "the lowercase the",
    "THE SHOUTING",
    "1999",
    "#1 Fans",
    "...And Dots",
    "Rock &",
    std::string(300, 'L') + " Long Artist",
    "",
};

const std::vector<std::string> kAlbums = {
    "(1958) Detective Stories",
    "Either/Or",
    "Greatest Hits (Live)",
    "The Album",
    "A -> B -> C",
    "Quote \"Unquote\"",
    "Gin & Tonic",
    "Two  Spaces",
    "",
    std::string(280, 'A'),
    "Vol. 1 & 2",
    "[Brackets]",
};

const std::vector<std::string> kTitles = {
    "Song (Live)",
    "He said \"Hi\"",
    "Up/Down",
    "Here -> There",
    "The End",
    "the end",
    "Rock & Roll",
    "&&&",
    "",
    "  spaced  ",
    "Tab\tInside",
    std::string(400, 'T'),
    "100%",
    "C:\\Not A Path",
    "Caf\xE9",
    "-> Arrow First",
};

const std::vector<std::string> kGenres = {"Rock", "rock",   "R&B",        "Hip-Hop/Rap",
                                          "",     "(none)", "Rock & Roll"};

std::string fileSafe(const std::string& text) {
    std::string safe;
    for (const char c : text) {
        const bool bad = c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' ||
                         c == '<' || c == '>' || c == '|' || c == '\t';
        safe += bad ? '_' : c;
    }
    if (safe.size() > 60) safe.resize(60);
    while (!safe.empty() && (safe.back() == ' ' || safe.back() == '.')) safe.pop_back();
    return safe.empty() ? "_" : safe;
}

} // namespace

std::vector<player::Track> hostileLibrary(std::uint64_t seed) {
    player::Random random(seed);
    std::vector<player::Track> tracks;
    int serial = 0;
    for (std::size_t a = 0; a < kArtists.size(); ++a) {
        const int albums = random.between(1, 3);
        for (int b = 0; b < albums; ++b) {
            const std::string& album = random.pick(kAlbums);
            const int year = random.pick(std::vector<int>{0, -1, 1958, 1999, 2000, 2024, 9999});
            const int titles = random.between(1, 5);
            for (int t = 1; t <= titles; ++t) {
                player::Track track;
                const std::string& title = random.pick(kTitles);
                char number[12];
                std::snprintf(number, sizeof number, "%02d", t);
                track.filename = "C:\\Music\\" + fileSafe(kArtists[a]) + "\\" + fileSafe(album) +
                                 " " + std::to_string(b) + "\\" + number + " - " + fileSafe(title) +
                                 " " + std::to_string(serial++) + ".mp3";
                // An empty text is a missing field in the library file.
                if (!kArtists[a].empty()) track.artist = kArtists[a];
                if (!album.empty()) track.album = album;
                if (!title.empty()) track.title = title;
                if (const std::string& genre = random.pick(kGenres); !genre.empty())
                    track.genre = genre;
                if (random.chance(20)) track.comment = "Comment \"quoted\" & more";
                track.year = year;
                track.trackNumber = random.chance(15) ? 0 : (random.chance(10) ? 999 : t);
                track.length = random.pick(std::vector<int>{0, 1, 59, 60, 3599, 3600, 86399, 200});
                if (random.chance(50)) track.rating = random.between(0, 5);
                if (random.chance(50)) track.playCount = random.pick(std::vector<int>{0, 1, 99999});
                if (random.chance(70))
                    track.bitrate = random.pick(std::vector<int>{0, 8, 320, 1411});
                tracks.push_back(std::move(track));
            }
        }
    }
    return tracks;
}

} // namespace tg::menucases
