// Level queries answered by the simulated player's library, and the tracks kept
// of their answers: each chosen value finds exactly the tracks whose labels
// show it, whichever way "The " is spelled.
#include "menus/item_tracks.h"
#include "menus/query_templates.h"
#include "player/player.h"
#include "support/level_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tg {
namespace {

using L = LevelType;
using test::chosen;
using test::libraryMenu;

player::Track track(const char* file, const char* artist, const char* album, const char* title,
                    const char* genre, int year) {
    player::Track t;
    t.filename = file;
    if (artist != nullptr) t.artist = artist;
    t.album = album;
    t.title = title;
    if (genre != nullptr) t.genre = genre;
    t.year = year;
    return t;
}

class PlayerLevelQuery : public testing::Test {
protected:
    void SetUp() override {
        player::Player& p = player::player();
        descriptor().hostWindow = p.mainWindow();
        descriptor().libraryWindow = p.libraryWindow();
        p.setTracks({
            track("a1", "The Beatles", "Abbey Road", "Come Together", "Rock", 1969),
            track("a2", "Beatles", "The White Album", "Blackbird", "Rock", 1968),
            track("a3", "beatles", "Help", "Help", "Pop", 1965),
            track("a4", "Abba", "Gold", "Waterloo", "Pop", 1974),
            track("a5", "The Who", "Tommy", "The Acid Queen", "Rock", 1969),
            track("a6", "Theatre of Tragedy", "Velvet Darkness", "Bring Forth", "Metal", 1997),
            track("a7", "Blur", "The Great Escape", "Charmless Man", "Britpop", 1995),
            track("a8", "Cream", "Disraeli Gears", "The Sunshine", "Rock", 1967),
            track("a9", "Bob Dylan", "Blonde on Blonde", "Visions", "Folk", 1966),
            track("a10", nullptr, "Bootleg", "Untitled", nullptr, 1990),
            track("a11", "the band", "Music from Big Pink", "The Weight", "Rock", 1968),
            track("a12", "Czars", "Before", "Zebra", "Rock", 2000),
        });
    }
    void TearDown() override {
        descriptor().hostWindow = nullptr;
        descriptor().libraryWindow = nullptr;
    }

    // The files of the tracks kept of the result, sorted, then released.
    static std::string found(MenuDefinition definition, std::vector<LevelSelection> path) {
        // Labels as the values read: no years, no track numbers.
        definition.addYearToAlbums = false;
        definition.showTrackNumbers = false;
        QueryRecord result{};
        const int covered = static_cast<int>(path.size());
        runLevelQuery(nullptr, definition, path, covered, &result);
        const int kept = keepItemTracks(definition, path, covered, result.items, result.count);
        std::vector<std::string> files;
        for (int i = 0; i < kept; ++i) files.emplace_back(result.items[i].filename);
        releaseQueryResult(&result, definition.sourceType);
        std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
            return std::stoi(a.substr(1)) < std::stoi(b.substr(1));
        });
        std::string text;
        for (const std::string& f : files) text += (text.empty() ? "" : " ") + f;
        return text;
    }
};

struct SemanticCase {
    const char* name;
    std::vector<LevelType> levels;
    std::vector<LevelSelection> path;
    const char* expected;
};

TEST_F(PlayerLevelQuery, ChosenValuesFindTheTracksTheirLabelsStandFor) {
    const SemanticCase cases[] = {
        {"artist, three spellings",
         {L::Artist, L::Title},
         {chosen(L::Artist, "The Beatles")},
         "a1 a2 a3"},
        {"artist stored with The", {L::Artist, L::Title}, {chosen(L::Artist, "Who")}, "a5"},
        {"Theatre is not The",
         {L::Artist, L::Title},
         {chosen(L::Artist, "Theatre of Tragedy")},
         "a6"},
        {"album", {L::Album, L::Title}, {chosen(L::Album, "White Album")}, "a2"},
        {"title", {L::Title}, {chosen(L::Title, "Acid Queen")}, "a5"},
        {"genre", {L::Genre, L::Title}, {chosen(L::Genre, "rock")}, "a1 a2 a5 a8 a11 a12"},
        {"artist initial B",
         {L::FirstLetter, L::Artist},
         {chosen(L::FirstLetter, "B")},
         "a1 a2 a3 a7 a9 a11"},
        {"artist initial T", {L::FirstLetter, L::Artist}, {chosen(L::FirstLetter, "T")}, "a6"},
        {"artist initial W", {L::FirstLetter, L::Artist}, {chosen(L::FirstLetter, "W")}, "a5"},
        {"album initial B",
         {L::FirstLetter, L::Album},
         {chosen(L::FirstLetter, "B")},
         "a9 a10 a12"},
        {"title initial W", {L::FirstLetter, L::Title}, {chosen(L::FirstLetter, "W")}, "a4 a11"},
        {"year under a first letter",
         {L::FirstLetter, L::Year},
         {chosen(L::FirstLetter, "1969")},
         "a1 a5"},
        {"artist range A to Bo",
         {L::Range, L::Artist},
         {chosen(L::Range, "A", "Bo")},
         "a1 a2 a3 a4 a7 a9 a11"},
        {"artist range C to Cz", {L::Range, L::Artist}, {chosen(L::Range, "C", "Cz")}, "a8 a12"},
        {"title range S to W",
         {L::Range, L::Title},
         {chosen(L::Range, "S", "W")},
         "a4 a8 a9 a10 a11"},
        {"genre range M to R",
         {L::Range, L::Genre},
         {chosen(L::Range, "M", "R")},
         "a1 a2 a3 a4 a5 a6 a8 a11 a12"},
        {"year range", {L::Range, L::Year}, {chosen(L::Range, "1965", "1968")}, "a2 a3 a8 a9 a11"},
        {"range, artist, album",
         {L::Range, L::Artist, L::Album, L::Title},
         {chosen(L::Range, "A", "Bo"), chosen(L::Artist, "Beatles"), chosen(L::Album, "Help")},
         "a3"},
        {"artist and album in one item",
         {L::ArtistAlbum, L::Title},
         {chosen(L::ArtistAlbum, "The Beatles", "The White Album")},
         "a2"},
    };
    for (const SemanticCase& c : cases) {
        SCOPED_TRACE(c.name);
        MenuDefinition definition = libraryMenu({});
        definition.levels = c.levels;
        EXPECT_EQ(found(definition, c.path), c.expected);
        EXPECT_EQ(player::player().liveQueryResults(), 0);
    }
}

TEST_F(PlayerLevelQuery, UsersQueryAndSongVariablesNarrowTheConditions) {
    player::player().setPlaylist({{"a5", "", -1}}, 0);
    MenuDefinition definition = libraryMenu({L::Artist, L::Title}, R"(genre == "%genre")");
    EXPECT_EQ(found(definition, {chosen(L::Artist, "Beatles")}), "a1 a2");
    copyText(definition.query, "year < 1968");
    EXPECT_EQ(found(definition, {chosen(L::Artist, "Beatles")}), "a3");
    // The song is looked up by a file name that holds a percent sign before
    // two hex digits, which the library's quotes would read as an escape.
    std::vector<player::Track> tracks = player::player().library().tracks();
    tracks.push_back(track("a13%41", "Queen", "Jazz", "Mustapha", "Opera", 1978));
    player::player().setTracks(tracks);
    player::player().setPlaylist({{"a13%41", "", -1}}, 0);
    copyText(definition.query, R"(genre == "%genre")");
    EXPECT_EQ(found(definition, {chosen(L::Artist, "Queen")}), "a13%41");
}

struct AlternativesCase {
    const char* name;
    const char* query;
    std::vector<LevelType> levels;
    std::vector<LevelSelection> path;
    const char* expected;
};

// The player's AND binds tighter than its OR (&& and || alike): every piece
// that holds alternatives must stay whole under the chosen values.
TEST_F(PlayerLevelQuery, AlternativesStayWholeUnderTheChosenValues) {
    const AlternativesCase cases[] = {
        {"the user's OR",
         R"(genre == "Pop" OR genre == "Folk")",
         {L::Artist, L::Title},
         {chosen(L::Artist, "Beatles")},
         "a3"},
        {"the user's ||",
         R"(artist == "Abba" || year == 1969)",
         {L::Album, L::Title},
         {chosen(L::Album, "Tommy")},
         "a5"},
        {"the user's OR under two values",
         R"(genre == "Rock" OR genre == "Pop")",
         {L::Artist, L::Album, L::Title},
         {chosen(L::Artist, "Beatles"), chosen(L::Album, "Help")},
         "a3"},
        {"a genre range under an artist",
         "",
         {L::Artist, L::Range, L::Genre},
         {chosen(L::Artist, "Beatles"), chosen(L::Range, "M", "R")},
         "a1 a2 a3"},
        {"a file range under a genre",
         "",
         {L::Genre, L::Range, L::Filename},
         {chosen(L::Genre, "Pop"), chosen(L::Range, "a1", "a4")},
         "a3 a4"},
    };
    for (const AlternativesCase& c : cases) {
        SCOPED_TRACE(c.name);
        MenuDefinition definition = libraryMenu({}, c.query);
        definition.levels = c.levels;
        EXPECT_EQ(found(definition, c.path), c.expected);
    }
}

TEST_F(PlayerLevelQuery, PlaylistTagsKeepPlaylistOrderAndRepeats) {
    player::player().setPlaylist({{"a5", "", -1}, {"a4", "", -1}, {"a1", "", -1}, {"a5", "", -1}});
    MenuDefinition definition =
        libraryMenu({L::Artist, L::Title}, "year == 1969", SourceType::PlaylistTags);
    QueryRecord result{};
    runLevelQuery(nullptr, definition, {}, 0, &result);
    std::vector<std::string> files;
    for (int i = 0; i < result.count; ++i) files.emplace_back(result.items[i].filename);
    EXPECT_EQ(files, (std::vector<std::string>{"a5", "a1", "a5"}));
    EXPECT_EQ(player::player().liveQueryResults(), 0); // only the plug-in's copies remain
    EXPECT_EQ(releaseQueryResult(&result, SourceType::PlaylistTags), 0);
}

} // namespace
} // namespace tg
