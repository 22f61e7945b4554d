// The current song's values in a user's query, and the root caption they give.
#include "menus/query_templates.h"
#include "support/level_paths.h"
#include "support/scripted_library.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tg {
namespace {

using L = LevelType;
using test::TrackValues;

constexpr const char* kSongFile = R"(C:\Music\Queen\Mustapha.mp3)";

TrackValues song(std::optional<std::string> genre, std::optional<std::string> artist,
                 std::optional<std::string> album) {
    TrackValues track;
    track.filename = kSongFile;
    track.genre = std::move(genre);
    track.artist = std::move(artist);
    track.album = std::move(album);
    return track;
}

// A player whose current entry is the song, which the library holds.
void playSong(test::ScriptedLibrary& library, const TrackValues& track) {
    library.playlist = {std::string("other.mp3"), std::string(kSongFile)};
    library.currentIndex = 1;
    library.catalog = {track};
}

struct SubstitutionCase {
    const char* templateText;
    const char* text; // expected output, when it succeeds
    const char* caption;
    bool succeeds;
    const char* artist = "Queen";
};

TEST(SongVariables, VariablesTakeTheCurrentSongsValues) {
    const SubstitutionCase cases[] = {
        {R"(genre == "%genre")", R"(genre == "Rock")", "Rock", true},
        {"%genre%artist", "RockQueen", "Rock : Queen", true},
        {"%Genre and %ARTIST on %aLbUm", "Rock and Queen on Jazz", "Rock : Queen - Jazz", true},
        {"%album", "Jazz", "Jazz", true},
        {"%genres", "Rocks", "Rock", true},
        {"%xyz", "xyz", "", true},
        {"100%%", "100%", "", true},
        {"%%genre", "%genre", "", true},
        {"%artis", "artis", "", true},
        {"50%", "50", "", true},
        {"%", "", "", true},
        {"", "", "", true},
        {"no variables", "no variables", "", true},
        // A value cannot end the user's quotes: its quotes and percent signs
        // go as the library's escapes; the caption shows it as it is.
        {R"(artist == "%artist")", R"(artist == "x%22 OR %25")", R"(x" OR %)", true, R"(x" OR %)"},
    };
    for (const SubstitutionCase& c : cases) {
        SCOPED_TRACE(c.templateText);
        test::ScriptedLibrary library;
        playSong(library, song("Rock", c.artist, "Jazz"));
        char caption[kCaptionSize] = "stale";
        char text[kQuerySize] = "stale";
        EXPECT_EQ(substituteSongVariables(caption, c.templateText, text), c.succeeds);
        EXPECT_STREQ(text, c.text);
        EXPECT_STREQ(caption, c.caption);
        // The song is looked up every time, with room for one track, and released.
        ASSERT_EQ(library.runs.size(), 1u);
        EXPECT_EQ(library.runs[0].text, std::string("filename == \"") + kSongFile + "\"");
        EXPECT_EQ(library.runs[0].maxResults, 1);
        EXPECT_EQ(library.liveResults(), 0);
    }
}

struct UnknownCase {
    const char* name;
    const char* templateText;
    int currentIndex;
    bool inLibrary;
    bool succeeds;
    const char* caption;
};

TEST(SongVariables, AMissingValueGivesUnknown) {
    const UnknownCase cases[] = {
        {"field missing, after a value that was there", "%genre %artist", 1, true, false,
         "Unknown"},
        {"song not in the library", "%genre", 1, false, false, "Unknown"},
        {"no current entry", "%album", -1, true, false, "Unknown"},
        {"current entry without a file", "%album", 2, true, false, "Unknown"},
        {"no variable needs no song", "genre == \"Pop\"", -1, true, true, ""},
    };
    for (const UnknownCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScriptedLibrary library;
        playSong(library, song("Rock", std::nullopt, "Jazz"));
        library.playlist.push_back(std::nullopt);
        library.currentIndex = c.currentIndex;
        if (!c.inLibrary) library.catalog.clear();
        char caption[kCaptionSize] = "stale";
        char text[kQuerySize];
        EXPECT_EQ(substituteSongVariables(caption, c.templateText, text), c.succeeds);
        EXPECT_STREQ(caption, c.caption);
        EXPECT_EQ(library.liveResults(), 0);
    }
}

TEST(SongVariables, NoLookupWithoutACurrentFile) {
    test::ScriptedLibrary library;
    library.playlist = {std::nullopt};
    char text[kQuerySize];
    library.currentIndex = -1;
    EXPECT_TRUE(substituteSongVariables(nullptr, "x", text));
    library.currentIndex = 0;
    EXPECT_TRUE(substituteSongVariables(nullptr, "x", text));
    EXPECT_TRUE(library.runs.empty());
}

TEST(SongVariables, ALookupAnswerWithoutAllocationIsStillReleased) {
    test::ScriptedLibrary library;
    playSong(library, song("Rock", "Queen", "Jazz"));
    library.reportNoAllocation = true;
    char text[kQuerySize];
    EXPECT_TRUE(substituteSongVariables(nullptr, "%artist", text));
    EXPECT_STREQ(text, "Queen");
    EXPECT_EQ(library.liveResults(), 0);
}

TEST(SongVariables, LevelQueryCarriesTheValuesAndSetsTheFlags) {
    test::ScriptedLibrary library;
    playSong(library, song("Rock", "Queen", "Jazz"));
    MenuDefinition definition =
        test::libraryMenu({L::Artist, L::Title}, R"(genre == "%genre" && artist != "%artist")");
    char caption[kCaptionSize];
    QueryRecord result{};
    runLevelQuery(caption, definition, {}, 0, &result);
    EXPECT_STREQ(caption, "Rock : Queen");
    EXPECT_EQ(library.levelQueries(),
              std::vector<std::string>{R"(genre == "Rock" && artist != "Queen")"});
    EXPECT_EQ(library.levelQueries().size(), 1u);
    EXPECT_EQ(definition.usesSongVariables, 1);
    EXPECT_TRUE(model().playlistMenusValid);
    EXPECT_TRUE(model().libraryMenusValid);
    EXPECT_TRUE(model().songMenusValid);
    releaseQueryResult(&result, definition.sourceType);
    EXPECT_EQ(library.liveResults(), 0);
}

TEST(SongVariables, UsesSongVariablesIsWrittenOnlyWithACaption) {
    test::ScriptedLibrary library;
    playSong(library, song("Rock", "Queen", "Jazz"));
    MenuDefinition definition = test::libraryMenu({L::Artist}, "%genre");
    QueryRecord result{};

    definition.usesSongVariables = 7;
    runLevelQuery(nullptr, definition, {}, 0, &result);
    releaseQueryResult(&result, definition.sourceType);
    EXPECT_EQ(definition.usesSongVariables, 7);

    char caption[kCaptionSize];
    copyText(definition.query, "plain");
    runLevelQuery(caption, definition, {}, 0, &result);
    releaseQueryResult(&result, definition.sourceType);
    EXPECT_EQ(definition.usesSongVariables, 0);
}

TEST(SongVariables, AFailedSubstitutionSendsNothingAndLeavesTheFlags) {
    test::ScriptedLibrary library;
    library.levelAnswer = {song("Pop", "Abba", "Gold")};
    MenuDefinition definition = test::libraryMenu({L::Artist}, "%artist");
    definition.usesSongVariables = 1;
    char caption[kCaptionSize];
    QueryRecord result{};
    result.count = 99; // the result is zeroed first
    runLevelQuery(caption, definition, {test::chosen(L::Artist, "Abba")}, 1, &result);
    EXPECT_STREQ(caption, "Unknown");
    EXPECT_TRUE(library.levelQueries().empty());
    EXPECT_EQ(result.items, nullptr);
    EXPECT_EQ(result.count, 0);
    EXPECT_EQ(definition.usesSongVariables, 1);
    EXPECT_FALSE(model().playlistMenusValid);
    EXPECT_FALSE(model().libraryMenusValid);
    EXPECT_FALSE(model().songMenusValid);
}

} // namespace
} // namespace tg
