// Values too long for the query or caption buffers: nothing is written past
// them, a substituted query that does not fit whole is not sent at all, and a
// condition that does not fit is left out.
#include "menus/query_templates.h"
#include "support/level_paths.h"
#include "support/scripted_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace tg {
namespace {

using L = LevelType;
using test::chosen;
using test::libraryMenu;

// Heap buffers of the exact contract size, so a write past them is caught.
struct Buffers {
    std::unique_ptr<char[]> caption = std::make_unique<char[]>(kCaptionSize);
    std::unique_ptr<char[]> text = std::make_unique<char[]>(kQuerySize);
};

void playSong(test::ScriptedLibrary& library, const std::string& genre, const std::string& artist,
              const std::string& album) {
    test::TrackValues song;
    song.filename = "song.mp3";
    song.genre = genre;
    song.artist = artist;
    song.album = album;
    library.catalog = {song};
    library.playlist = {std::string("song.mp3")};
    library.currentIndex = 0;
}

TEST(QueryLimits, ASubstitutionTooLongForTheQueryFails) {
    test::ScriptedLibrary library;
    const std::string genre(3000, 'g');
    playSong(library, genre, "Queen", "Jazz");
    Buffers b;
    EXPECT_FALSE(substituteSongVariables(b.caption.get(), "%genre", b.text.get()));
    EXPECT_STREQ(b.text.get(), "");
    // The caption still names the song, cut to its buffer.
    EXPECT_EQ(std::string(b.caption.get()), genre.substr(0, kCaptionSize - 1));
    EXPECT_EQ(library.liveResults(), 0);

    MenuDefinition definition = libraryMenu({L::Artist}, "genre == \"%genre\"");
    QueryRecord result{};
    runLevelQuery(b.caption.get(), definition, {}, 0, &result);
    EXPECT_TRUE(library.levelQueries().empty());
    EXPECT_EQ(result.count, 0);
    EXPECT_FALSE(model().libraryMenusValid);
}

TEST(QueryLimits, ALongCaptionIsCutWhileTheQueryGoesOut) {
    test::ScriptedLibrary library;
    const std::string artist(400, 'a');
    const std::string album(400, 'b');
    playSong(library, "Rock", artist, album);
    Buffers b;
    EXPECT_TRUE(substituteSongVariables(b.caption.get(), "%artist%album", b.text.get()));
    EXPECT_EQ(std::string(b.text.get()), artist + album);
    EXPECT_EQ(std::string(b.caption.get()), (artist + " - " + album).substr(0, kCaptionSize - 1));
}

TEST(QueryLimits, ConditionsThatDoNotFitAreLeftOutAndTheRestGoesOut) {
    // Each condition only widens what the item's tracks are kept from: one that
    // does not fit is left out, the query never cut inside one.
    test::ScriptedLibrary library;
    const std::string part(60, 'p');
    const std::string many = part + "/" + part + "/" + part + "/" + part;
    MenuDefinition definition =
        libraryMenu({L::Year, L::ArtistAlbum, L::Title}, std::string(250, 'q'));
    QueryRecord result{};
    runLevelQuery(nullptr, definition, {chosen(L::Year, "1999"), chosen(L::ArtistAlbum, many)}, 2,
                  &result);
    releaseQueryResult(&result, definition.sourceType);
    EXPECT_EQ(library.levelQueries(),
              std::vector<std::string>{"(" + std::string(250, 'q') + R"() && year == "1999")"});
    EXPECT_TRUE(model().libraryMenusValid);

    char output[kQuerySize];
    std::memset(output, 'x', 1000);
    output[1000] = '\0';
    EXPECT_FALSE(appendPathConditions(definition, {chosen(L::Artist, "Abba")}, 1, output));
    EXPECT_EQ(std::strlen(output), 1000u);
    output[990] = '\0';
    EXPECT_TRUE(appendPathConditions(definition, {chosen(L::Year, "1")}, 1, output));
}

TEST(QueryLimits, TheLastByteOfTheBufferDecidesWhetherAConditionGoes) {
    // Four genre conditions of 223 characters, joined by " AND ": 907 characters;
    // with "(" and ") && " a query of 111 characters fills the buffer exactly.
    const std::string value(60, 'v');
    const std::string condition = "(genre == \"" + value + "\" OR genre == \"The " + value +
                                  R"(" OR genre begins " " OR genre begins "The  "))";
    const std::vector<LevelSelection> path(4, chosen(L::Genre, value));
    const std::size_t fits = kQuerySize - 1 - 6 - 4 * condition.size() - 3 * 5;
    for (const std::size_t queryLength : {fits, fits + 1}) {
        SCOPED_TRACE(queryLength);
        test::ScriptedLibrary library;
        MenuDefinition definition = libraryMenu({L::Genre, L::Genre, L::Genre, L::Genre, L::Title},
                                                std::string(queryLength, 'q'));
        QueryRecord result{};
        runLevelQuery(nullptr, definition, path, 4, &result);
        releaseQueryResult(&result, definition.sourceType);
        std::string expected = "(" + std::string(queryLength, 'q') + ") && " + condition + " AND " +
                               condition + " AND " + condition;
        if (queryLength == fits) {
            expected += " AND " + condition;
            ASSERT_EQ(expected.size(), kQuerySize - 1);
        }
        EXPECT_EQ(library.levelQueries(), std::vector<std::string>{expected});
    }
}

TEST(QueryLimits, UnterminatedFieldsAreReadOnlyToTheirEnd) {
    test::ScriptedLibrary library;
    MenuDefinition definition = libraryMenu({L::Genre, L::Title});
    std::memset(definition.query, 'q', sizeof definition.query);
    copyText(definition.fileTypes, "mp3");
    LevelSelection record = chosen(L::Genre, "", "zzz");
    std::memset(record.value, 'v', sizeof record.value);
    QueryRecord result{};
    runLevelQuery(nullptr, definition, {record}, 1, &result);
    releaseQueryResult(&result, definition.sourceType);
    // The value of 256 characters is asked for by its beginning.
    const std::string v(64, 'v');
    EXPECT_EQ(library.levelQueries(),
              std::vector<std::string>{"(" + std::string(256, 'q') + ") && (genre begins \"" + v +
                                       "\" OR genre begins \"The " + v +
                                       R"(" OR genre begins " " OR genre begins "The  "))"});
}

} // namespace
} // namespace tg
