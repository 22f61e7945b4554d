// Playlist Tags menus: the library's answer narrowed to the player's playlist,
// held as the plug-in's own copies until released.
#include "menus/query_templates.h"
#include "support/level_paths.h"
#include "support/scripted_library.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tg {
namespace {

using L = LevelType;
using test::TrackValues;

TrackValues track(std::optional<std::string> file, std::string title) {
    TrackValues t;
    t.filename = std::move(file);
    t.title = std::move(title);
    t.artist = "Artist of " + t.title.value();
    t.year = 1990;
    t.trackNumber = 3;
    t.length = 200;
    return t;
}

std::vector<std::string> titles(const QueryRecord& result) {
    std::vector<std::string> out;
    for (int i = 0; i < result.count; ++i)
        out.push_back(result.items[i].title != nullptr ? result.items[i].title : "(null)");
    return out;
}

class PlaylistTagsQuery : public testing::Test {
protected:
    test::ScriptedLibrary library;
    MenuDefinition definition =
        test::libraryMenu({L::Artist, L::Title}, "", SourceType::PlaylistTags);
    QueryRecord result{};
};

TEST_F(PlaylistTagsQuery, ListsOnlyPlaylistFilesInPlaylistOrderWithRepeats) {
    library.levelAnswer = {track("b.mp3", "b"),       track("a.mp3", "a"),
                           track("C.mp3", "upper C"), track(std::nullopt, "no file"),
                           track("c.mp3", "c"),       track("d.mp3", "d")};
    // "B.mp3" differs from "b.mp3" in case only: file names compare byte for byte.
    library.playlist = {std::string("c.mp3"), std::string("x.mp3"), std::string("a.mp3"),
                        std::nullopt,         std::string("c.mp3"), std::string("B.mp3"),
                        std::string("C.mp3")};
    runLevelQuery(nullptr, definition, {}, 0, &result);

    EXPECT_EQ(titles(result), (std::vector<std::string>{"c", "a", "c", "upper C"}));
    EXPECT_EQ(result.allocated, 7);
    EXPECT_EQ(result.query, nullptr);
    // The library's answer is gone; what the result holds are copies.
    EXPECT_EQ(library.liveResults(), 0);
    EXPECT_NE(result.items[0].title, nullptr);
    EXPECT_EQ(result.items[0].year, 1990);
    EXPECT_EQ(result.items[0].trackNumber, 3);
    EXPECT_EQ(result.items[0].length, 200);
    EXPECT_STREQ(result.items[0].artist, "Artist of c");
    EXPECT_EQ(result.items[0].genre, nullptr);
    EXPECT_NE(result.items[0].title, result.items[2].title);

    EXPECT_EQ(releaseQueryResult(&result, SourceType::PlaylistTags), 0);
    EXPECT_EQ(result.items, nullptr);
    EXPECT_EQ(result.count, 0);
    EXPECT_EQ(result.allocated, 0);
    EXPECT_EQ(result.maxResults, 0);
}

// Files that differ only far from their ends (whole folders of one name, and
// names that end another name) must not be taken for each other, and a file
// the library answers twice gives the entry the first of its records.
TEST_F(PlaylistTagsQuery, FilesAlikeAtTheirEndsStayApart) {
    const std::string tail = "\\Disc 1\\01 - The Same Title Everywhere.mp3";
    std::vector<std::optional<std::string>> playlist;
    std::vector<std::string> expected;
    for (int i = 0; i < 200; ++i) {
        const std::string file = "C:\\Music\\Folder " + std::to_string(i) + tail;
        library.levelAnswer.push_back(track(file, "title " + std::to_string(i)));
        // Every third file stands in the playlist, in reverse order.
    }
    for (int i = 199; i >= 0; --i) {
        if (i % 3 != 0) continue;
        playlist.emplace_back("C:\\Music\\Folder " + std::to_string(i) + tail);
        expected.push_back("title " + std::to_string(i));
    }
    playlist.emplace_back("Music\\Folder 3" + tail); // the end of another name
    playlist.emplace_back("X" + tail);               // the same length as none
    library.levelAnswer.push_back(track("C:\\Music\\Folder 0" + tail, "second of 0"));
    library.playlist = playlist;
    runLevelQuery(nullptr, definition, {}, 0, &result);

    EXPECT_EQ(titles(result), expected);
    EXPECT_EQ(result.allocated, static_cast<int>(playlist.size()));
    releaseQueryResult(&result, SourceType::PlaylistTags);
}

TEST_F(PlaylistTagsQuery, CopiesKeepTheExtendedFields) {
    TrackValues rated = track("a.mp3", "a");
    rated.extended = test::ExtendedList{{"RATING", "4"}, {"PLAYCOUNT", "17"}};
    library.levelAnswer = {rated};
    library.playlist = {std::string("a.mp3")};
    runLevelQuery(nullptr, definition, {}, 0, &result);
    ASSERT_EQ(result.count, 1);
    EXPECT_STREQ(extendedField(result.items[0], "rating"), "4");
    EXPECT_STREQ(extendedField(result.items[0], "PlayCount"), "17");
    EXPECT_EQ(library.liveResults(), 0); // read after the library's copy was freed
    releaseQueryResult(&result, SourceType::PlaylistTags);
}

TEST_F(PlaylistTagsQuery, NothingInCommonGivesAnEmptyResult) {
    library.levelAnswer = {track("a.mp3", "a")};
    library.playlist = {std::string("z.mp3"), std::nullopt};
    runLevelQuery(nullptr, definition, {}, 0, &result);
    EXPECT_EQ(result.count, 0);
    EXPECT_EQ(result.allocated, 2);
    EXPECT_TRUE(model().playlistMenusValid);
    releaseQueryResult(&result, SourceType::PlaylistTags);

    library.playlist.clear();
    runLevelQuery(nullptr, definition, {}, 0, &result);
    EXPECT_EQ(result.count, 0);
    EXPECT_EQ(result.items, nullptr);
    EXPECT_EQ(library.liveResults(), 0);
    releaseQueryResult(&result, SourceType::PlaylistTags);
}

TEST_F(PlaylistTagsQuery, AnEmptyLibraryAnswerGivesAnEmptyResult) {
    library.playlist = {std::string("a.mp3")};
    runLevelQuery(nullptr, definition, {}, 0, &result);
    EXPECT_EQ(result.count, 0);
    EXPECT_EQ(library.liveResults(), 0);
    releaseQueryResult(&result, SourceType::PlaylistTags);
}

TEST_F(PlaylistTagsQuery, ReleaseByModeLeavesOtherSourcesAlone) {
    library.levelAnswer = {track("a.mp3", "a")};
    definition.sourceType = SourceType::MediaLibrary;
    runLevelQuery(nullptr, definition, {}, 0, &result);
    ASSERT_EQ(library.liveResults(), 1);
    // The library's own records are handed out as they are.
    EXPECT_EQ(result.items, library.lastAnswerItems());

    for (SourceType other :
         {SourceType::Directory, SourceType::PlaylistRaw, SourceType::Bookmarks}) {
        EXPECT_EQ(releaseQueryResult(&result, other), static_cast<int>(other));
        EXPECT_EQ(result.count, 1);
    }
    EXPECT_EQ(releaseQueryResult(&result, SourceType::MediaLibrary), 1); // the library's answer
    EXPECT_EQ(library.liveResults(), 0);
    EXPECT_EQ(releaseQueryResult(nullptr, SourceType::PlaylistTags), 0);
}

TEST(TrackRecordCopy, CopiesEveryTextAndFreesToZero) {
    char file[] = "a.mp3", title[] = "Title", comment[] = "note",
         rating[] = "RATING\0"
                    "5";
    char* extended[] = {rating, nullptr};
    TrackRecord source{file, title, nullptr, nullptr, comment, nullptr, 1999, 4, 321, extended};
    TrackRecord copy{};
    copyTrackRecord(&copy, source);
    EXPECT_STREQ(copy.filename, "a.mp3");
    EXPECT_NE(copy.filename, source.filename);
    EXPECT_STREQ(copy.title, "Title");
    EXPECT_STREQ(copy.comment, "note");
    EXPECT_EQ(copy.album, nullptr);
    EXPECT_EQ(copy.artist, nullptr);
    EXPECT_EQ(copy.genre, nullptr);
    EXPECT_EQ(copy.year, 1999);
    EXPECT_EQ(copy.trackNumber, 4);
    EXPECT_EQ(copy.length, 321);
    ASSERT_NE(copy.extendedFields, nullptr);
    EXPECT_NE(copy.extendedFields, source.extendedFields);
    EXPECT_NE(copy.extendedFields[0], rating);
    EXPECT_STREQ(extendedField(copy, "RATING"), "5");
    EXPECT_EQ(copy.extendedFields[1], nullptr);

    freeTrackRecord(&copy);
    for (char* text :
         {copy.filename, copy.title, copy.album, copy.artist, copy.comment, copy.genre})
        EXPECT_EQ(text, nullptr);
    EXPECT_EQ(copy.year + copy.trackNumber + copy.length, 0);
    EXPECT_EQ(copy.extendedFields, nullptr);
    freeTrackRecord(&copy); // a zeroed record frees nothing twice
    freeTrackRecord(nullptr);
}

} // namespace
} // namespace tg
