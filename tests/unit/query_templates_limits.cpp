// Values too long for the query or caption buffers: nothing is written past
// them, and a query that does not fit whole is not sent at all.
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

TEST(QueryLimits, ConditionsThatDoNotFitAreNotSent) {
    test::ScriptedLibrary library;
    const std::string bound(255, 'm');
    MenuDefinition definition = libraryMenu({L::Range, L::Artist, L::Title});
    QueryRecord result{};
    // One range over artists holds each bound three times: well past the buffer.
    runLevelQuery(nullptr, definition, {chosen(L::Range, bound, bound)}, 1, &result);
    EXPECT_TRUE(library.levelQueries().empty());
    EXPECT_EQ(result.items, nullptr);
    EXPECT_FALSE(model().playlistMenusValid);
    EXPECT_FALSE(model().libraryMenusValid);
    EXPECT_FALSE(model().songMenusValid);

    char output[kQuerySize];
    std::memset(output, 'x', 1000);
    output[1000] = '\0';
    EXPECT_FALSE(appendPathConditions(definition, {chosen(L::Artist, "Abba")}, 1, output));
    EXPECT_EQ(std::strlen(output), 1000u);
    output[990] = '\0';
    EXPECT_TRUE(appendPathConditions(definition, {chosen(L::Year, "1")}, 1, output));
}

TEST(QueryLimits, TheLastByteOfTheBufferDecides) {
    // "(q…" + ") && " + four genre conditions of 235 characters each, joined by " AND ":
    // 1 + 18 + 5 + 4 * (235 + 11) + 3 * 5 = 1023 characters, the most that fits.
    const std::string value(235, 'v');
    const std::string condition = "genre == \"" + value + "\"";
    const std::vector<LevelSelection> path(4, chosen(L::Genre, value));
    for (int queryLength : {18, 19}) {
        SCOPED_TRACE(queryLength);
        test::ScriptedLibrary library;
        MenuDefinition definition =
            libraryMenu({L::Genre, L::Genre, L::Genre, L::Genre, L::Title},
                        std::string(static_cast<std::size_t>(queryLength), 'q'));
        QueryRecord result{};
        runLevelQuery(nullptr, definition, path, 4, &result);
        releaseQueryResult(&result, definition.sourceType);
        if (queryLength == 18) {
            const std::string expected = "(" + std::string(18, 'q') + ") && " + condition +
                                         " AND " + condition + " AND " + condition + " AND " +
                                         condition;
            ASSERT_EQ(expected.size(), kQuerySize - 1);
            EXPECT_EQ(library.levelQueries(), std::vector<std::string>{expected});
        } else {
            EXPECT_TRUE(library.levelQueries().empty());
        }
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
    EXPECT_EQ(library.levelQueries(),
              std::vector<std::string>{"(" + std::string(256, 'q') + ") && genre == \"" +
                                       std::string(256, 'v') + "\""});
}

} // namespace
} // namespace tg
