#include "player/library_generator.h"

#include "player/random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <string_view>

namespace tg::player {

namespace {

constexpr std::array<std::string_view, 48> kSyllables = {
    "ka",  "lo",  "mi",  "ra",  "ven", "tor", "sil", "da",  "mar", "no",  "bel", "zu",
    "qua", "rin", "sto", "ne",  "fal", "ter", "gi",  "ol",  "am",  "bro", "cy",  "dre",
    "el",  "fen", "gar", "hol", "ix",  "jun", "kel", "lum", "mor", "nix", "or",  "pel",
    "ri",  "sa",  "tu",  "ul",  "vo",  "wen", "xa",  "yel", "zor", "ash", "en",  "is",
};

constexpr std::array<std::string_view, 40> kFirstNames = {
    "John",  "Mary",  "Alex",   "Nina", "Paul",  "Sofia",  "Marcus", "Lena",  "David", "Ella",
    "Oscar", "Ruth",  "Victor", "Ivy",  "Tom",   "Clara",  "Sam",    "Grace", "Leo",   "Hannah",
    "Miles", "Joni",  "Ray",    "Etta", "Otis",  "Aretha", "Nick",   "Patti", "Bruce", "Stevie",
    "Janis", "Frank", "Billie", "Chet", "Dusty", "Ike",    "June",   "Levon", "Nico",  "Rosa",
};

constexpr std::array<std::string_view, 96> kWords = {
    "Love",     "Night",    "Dream",      "Fire",    "Rain",      "Heart",   "Blue",
    "River",    "Summer",   "Winter",     "Light",   "Dark",      "Road",    "Home",
    "Time",     "Girl",     "Boy",        "Moon",    "Sun",       "Star",    "Sky",
    "Ocean",    "City",     "Street",     "Dance",   "Song",      "Heaven",  "Angel",
    "Devil",    "Wild",     "Golden",     "Silver",  "Broken",    "Crazy",   "Lonely",
    "Sweet",    "Electric", "Midnight",   "Morning", "Shadow",    "Thunder", "Highway",
    "Paradise", "Stone",    "Glass",      "Paper",   "Honey",     "Whiskey", "Train",
    "Radio",    "Window",   "Mirror",     "Garden",  "Desert",    "Island",  "Mountain",
    "Echo",     "Ghost",    "Machine",    "Velvet",  "Neon",      "Crystal", "Satellite",
    "Rocket",   "Tiger",    "Wolf",       "Raven",   "Butterfly", "Rose",    "Thorn",
    "Kingdom",  "Empire",   "Revolution", "Memory",  "Promise",   "Secret",  "Story",
    "Letter",   "Journey",  "Horizon",    "Fever",   "Gravity",   "Storm",   "Silence",
    "Wonder",   "Freedom",  "Money",      "Trouble", "Magic",     "Mystery", "Sugar",
    "Cherry",   "Diamond",  "Velocity",   "Harbor",  "Lantern",
};

constexpr std::array<std::string_view, 16> kJoiners = {
    "of", "in",   "and", "on",    "for", "with", "from", "to",
    "&",  "over", "at",  "under", "my",  "your", "no",   "the",
};

constexpr std::array<std::string_view, 24> kGenres = {
    "Rock",  "Pop",   "Jazz",  "Blues",       "Classical", "Electronic", "Hip-Hop", "Country",
    "Folk",  "Metal", "Soul",  "Reggae",      "Punk",      "R&B",        "Ambient", "Soundtrack",
    "Latin", "Funk",  "Indie", "Alternative", "Gospel",    "World",      "Disco",   "Trance",
};

constexpr std::array<int, 8> kBitrates = {128, 160, 192, 224, 256, 320, 96, 64};

std::string capitalized(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 32);
    return text;
}

std::string inventedWord(Random& random) {
    std::string word;
    const int syllables = random.between(2, 3);
    for (int i = 0; i < syllables; ++i) word += random.pick(kSyllables);
    return capitalized(word);
}

std::string artistName(Random& random) {
    switch (random.below(10)) {
    case 0: return "The " + std::string(random.pick(kWords)) + "s";
    case 1:
    case 2:
    case 3: return std::string(random.pick(kFirstNames)) + " " + inventedWord(random);
    case 4:
    case 5: return inventedWord(random);
    case 6: return std::string(random.pick(kWords)) + " " + inventedWord(random);
    case 7: return inventedWord(random) + " & The " + std::string(random.pick(kWords)) + "s";
    default: return std::string(random.pick(kWords)) + " " + std::string(random.pick(kWords));
    }
}

std::string phrase(Random& random, int maxWords) {
    const int words = random.between(1, maxWords);
    std::string text(random.pick(kWords));
    for (int i = 1; i < words; ++i) {
        text += ' ';
        text += (random.chance(30) ? random.pick(kJoiners) : random.pick(kWords));
    }
    if (random.chance(4)) text = "The " + text;
    return text;
}

// Zipf weights over artists: artist k is chosen with weight 1 / (k + 1)^0.9.
std::vector<double> zipfTable(std::size_t count) {
    std::vector<double> cumulative(count);
    double sum = 0;
    for (std::size_t k = 0; k < count; ++k) {
        sum += 1.0 / std::pow(static_cast<double>(k + 1), 0.9);
        cumulative[k] = sum;
    }
    for (double& value : cumulative) value /= sum;
    return cumulative;
}

std::string fileSafe(const std::string& text) {
    std::string safe;
    for (char c : text)
        safe += (c == '\\' || c == '/' || c == ':' || c == '?' || c == '*' || c == '"' ||
                 c == '<' || c == '>' || c == '|')
                    ? '_'
                    : c;
    return safe;
}

} // namespace

std::vector<Track> generateLibrary(std::size_t trackCount, std::uint64_t seed) {
    Random random(seed);
    const std::size_t artistCount = std::max<std::size_t>(8, trackCount / 25);

    std::vector<std::string> artists;
    artists.reserve(artistCount);
    std::set<std::string> usedArtists;
    while (artists.size() < artistCount) {
        std::string name = artistName(random);
        if (!usedArtists.insert(name).second) {
            name += " " + inventedWord(random);
            if (!usedArtists.insert(name).second) continue;
        }
        artists.push_back(std::move(name));
    }
    const std::vector<double> popularity = zipfTable(artistCount);
    std::vector<int> albumsMade(artistCount, 0);
    std::vector<int> genreOf(artistCount);
    for (int& genre : genreOf)
        genre = static_cast<int>(random.below(random.chance(70) ? 8 : kGenres.size()));

    std::vector<Track> tracks;
    tracks.reserve(trackCount);
    while (tracks.size() < trackCount) {
        const auto chosen = std::lower_bound(popularity.begin(), popularity.end(), random.unit());
        const std::size_t artist = std::min<std::size_t>(
            static_cast<std::size_t>(chosen - popularity.begin()), artistCount - 1);
        const int albumNumber = ++albumsMade[artist];
        std::string album = phrase(random, 3);
        if (albumNumber > 1 && random.chance(10)) album += " Vol. " + std::to_string(albumNumber);
        const int year = random.chance(2) ? 0 : random.between(1955, 2024);
        const int titles = random.between(8, 20);
        const bool albumMissing = random.chancePerMille(8);
        const bool artistMissing = random.chancePerMille(4);
        const std::string folder = "C:\\Music\\" + fileSafe(artists[artist]) + "\\" +
                                   fileSafe(album) + " [" + std::to_string(albumNumber) + "]";
        for (int number = 1; number <= titles && tracks.size() < trackCount; ++number) {
            Track track;
            const std::string title = phrase(random, 4);
            char prefix[16];
            std::snprintf(prefix, sizeof prefix, "%02d", number);
            track.filename = folder + "\\" + prefix + " - " + fileSafe(title) + ".mp3";
            if (!random.chancePerMille(3)) track.title = title;
            if (!albumMissing) track.album = album;
            if (!artistMissing) track.artist = artists[artist];
            if (random.chance(5)) track.comment = "Remastered";
            if (!random.chance(3))
                track.genre = std::string(kGenres[static_cast<std::size_t>(
                    random.chance(85) ? genreOf[artist]
                                      : static_cast<int>(random.below(kGenres.size())))]);
            track.year = year;
            track.trackNumber = random.chancePerMille(15) ? 0 : number;
            // Mostly three to five minutes, some short, a few very long.
            const double spread = random.unit() + random.unit() + random.unit();
            track.length = random.chance(1) ? random.between(1200, 4800)
                                            : 60 + static_cast<int>(spread * 120.0);
            if (random.chance(40)) track.rating = random.between(1, 5);
            if (random.chance(60))
                track.playCount = static_cast<std::int32_t>(std::pow(random.unit(), 3.0) * 500.0);
            if (random.chance(90))
                track.bitrate = kBitrates[random.chance(80) ? random.below(6) : random.below(8)];
            tracks.push_back(std::move(track));
        }
    }
    return tracks;
}

} // namespace tg::player
