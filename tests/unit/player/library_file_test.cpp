// Loading the simulated library and playlists from files: the formats, and a
// clear error naming file and line for every kind of damage, with nothing
// half-loaded.
#include "player/library_file.h"
#include "player/library_generator.h"
#include "player/m3u_file.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tg::player {
namespace {

LoadResult read(const std::string& text, std::vector<Track>& tracks) {
    std::istringstream in(text);
    return readLibrary(in, "lib.tsv", tracks);
}

TEST(PlayerLibraryFile, ReadsAnySubsetOfColumnsInAnyOrder) {
    std::vector<Track> tracks;
    const LoadResult result = read("\xEF\xBB\xBFYear\ttitle\tFILENAME\trating\tartist\r\n"
                                   "1969\tCome Together\tC:\\a.mp3\t5\tThe Beatles\r\n"
                                   "\n"
                                   "\t\tC:\\b.mp3\t\t\r\n"
                                   "-5\tCaf\xE9\t\t0\tSigur R\xC3\xB3s\n",
                                   tracks);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(tracks.size(), 3u);
    EXPECT_EQ(*tracks[0].title, "Come Together");
    EXPECT_EQ(*tracks[0].artist, "The Beatles");
    EXPECT_EQ(*tracks[0].filename, "C:\\a.mp3");
    EXPECT_EQ(tracks[0].year, 1969);
    EXPECT_EQ(tracks[0].rating, 5);
    EXPECT_FALSE(tracks[0].album.has_value());
    EXPECT_FALSE(tracks[0].playCount.has_value());
    // Empty cells are missing fields, not empty texts.
    EXPECT_FALSE(tracks[1].title.has_value());
    EXPECT_FALSE(tracks[1].artist.has_value());
    EXPECT_FALSE(tracks[1].rating.has_value());
    EXPECT_EQ(tracks[1].year, 0);
    // UTF-8 is kept, a code-page cell becomes UTF-8; a track may lack its file name.
    EXPECT_EQ(*tracks[2].title, "Caf\xC3\xA9");
    EXPECT_EQ(*tracks[2].artist, "Sigur R\xC3\xB3s");
    EXPECT_FALSE(tracks[2].filename.has_value());
    EXPECT_EQ(tracks[2].year, -5);
    EXPECT_EQ(tracks[2].rating, 0);
}

TEST(PlayerLibraryFile, DamageIsReportedWithFileAndLineAndLoadsNothing) {
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"", "lib.tsv:1: missing header row"},
        {"title\tartist\n", "lib.tsv:1: no 'filename' column"},
        {"filename\tsinger\n", "lib.tsv:1: unknown column 'singer'"},
        {"filename\ttitle\tTitle\n", "lib.tsv:1: column 'Title' given twice"},
        {"filename\t\n", "lib.tsv:1: unknown column ''"},
        {"filename\ttitle\nC:\\a.mp3\n", "lib.tsv:2: 1 cells where the header names 2"},
        {"filename\ttitle\nC:\\a.mp3\tA\nC:\\b.mp3\tB\tx\n",
         "lib.tsv:3: 3 cells where the header names 2"},
        {"filename\tyear\nC:\\a.mp3\t19x9\n", "lib.tsv:2: year '19x9' is not a whole number"},
        {"filename\tbitrate\nC:\\a.mp3\t99999999999\n",
         "lib.tsv:2: bitrate '99999999999' is not a whole number"},
        {"filename\ttrackno\n\nC:\\a.mp3\t1.5\n", "lib.tsv:3: trackno '1.5' is not a whole number"},
        {std::string("filename\ttitle\nC:\\a.mp3\tA\0B\n", 28), "lib.tsv:2: line holds a NUL byte"},
        {"filename\n" + std::string(70000, 'x') + "\n",
         "lib.tsv:2: line longer than 65536 characters"},
    };
    for (const auto& c : cases) {
        std::vector<Track> tracks(2);
        const LoadResult result = read(c.text, tracks);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(tracks.size(), 2u) << c.error; // untouched
    }
}

TEST(PlayerLibraryFile, MissingFileIsAnError) {
    std::vector<Track> tracks;
    const LoadResult result = loadLibraryFile("/nonexistent/lib.tsv", tracks);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "/nonexistent/lib.tsv: cannot open");
}

TEST(PlayerLibraryFile, WrittenLibraryReadsBackTheSame) {
    std::vector<Track> tracks = generateLibrary(500, 7);
    tracks[3].title = "tab\there";
    std::ostringstream out;
    writeLibrary(out, tracks);
    std::vector<Track> back;
    const LoadResult result = read(out.str(), back);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(back.size(), tracks.size());
    tracks[3].title = "tab here";
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        for (int f = 0; f < kTrackFieldCount; ++f) {
            const auto field = static_cast<TrackField>(f);
            if (isNumericField(field))
                EXPECT_EQ(numberField(back[i], field), numberField(tracks[i], field)) << i;
            else
                EXPECT_EQ(textFieldRef(back[i], field), textFieldRef(tracks[i], field)) << i;
        }
    }
}

std::vector<M3uEntry> readPlaylist(const std::string& text, bool strict, LoadResult& result) {
    std::vector<M3uEntry> entries;
    std::istringstream in(text);
    result = readM3u(in, "list.m3u", entries, strict);
    return entries;
}

TEST(PlayerPlaylistFile, ReadsEntriesWithTheirExtinf) {
    LoadResult result;
    const std::vector<M3uEntry> entries = readPlaylist("#EXTM3U\r\n"
                                                       "#EXTINF:215,Abba - Waterloo\r\n"
                                                       "Abba\\Waterloo.mp3\r\n"
                                                       "# a comment\n"
                                                       "\n"
                                                       "D:\\b.ogg\n"
                                                       "#EXTINF:-1,Radio\n"
                                                       "http://radio.example/stream\n",
                                                       true, result);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].file, "Abba\\Waterloo.mp3");
    EXPECT_EQ(entries[0].title, "Abba - Waterloo");
    EXPECT_EQ(entries[0].length, 215);
    EXPECT_EQ(entries[1].file, "D:\\b.ogg");
    EXPECT_EQ(entries[1].title, "");
    EXPECT_EQ(entries[1].length, -1);
    EXPECT_EQ(entries[2].title, "Radio");
    EXPECT_EQ(entries[2].length, -1);
}

TEST(PlayerPlaylistFile, MalformedExtinfIsAnErrorOnlyWhenStrict) {
    const std::string text = "a.mp3\n#EXTINF:abc,Title\nb.mp3\n";
    LoadResult result;
    std::vector<M3uEntry> entries = readPlaylist(text, true, result);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "list.m3u:2: malformed #EXTINF (want #EXTINF:<seconds>,<title>)");
    EXPECT_TRUE(entries.empty());
    entries = readPlaylist(text, false, result);
    EXPECT_TRUE(result.ok);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].title, "");
    // A damaged line ends a lenient read, keeping what came before it.
    entries = readPlaylist("a.mp3\n" + std::string(70000, 'x') + "\nb.mp3\n", false, result);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(entries.size(), 1u);
    entries = readPlaylist("a.mp3\n" + std::string(70000, 'x') + "\nb.mp3\n", true, result);
    EXPECT_EQ(result.error, "list.m3u:2: line too long");
}

TEST(PlayerPlaylistFile, PathRules) {
    const struct {
        const char* folder;
        const char* relative;
        const char* joined;
    } joins[] = {
        {"C:\\Music", "a.mp3", "C:\\Music\\a.mp3"},
        {"C:\\Music\\", "Rock/b.mp3", "C:\\Music\\Rock\\b.mp3"},
        {"C:\\Music\\Lists", "..\\Rock\\.\\c.mp3", "C:\\Music\\Rock\\c.mp3"},
        {"C:\\Music", "..\\..\\..\\d.mp3", "C:\\d.mp3"},
    };
    for (const auto& j : joins) EXPECT_EQ(joinWindowsPath(j.folder, j.relative), j.joined);
    EXPECT_TRUE(isAbsoluteWindowsPath("D:\\b.mp3"));
    EXPECT_TRUE(isAbsoluteWindowsPath("\\\\server\\share\\c.mp3"));
    EXPECT_FALSE(isAbsoluteWindowsPath("Rock\\a.mp3"));
    EXPECT_TRUE(isUrl("http://x/y.mp3"));
    EXPECT_TRUE(isUrl("HTTPS://x"));
    EXPECT_FALSE(isUrl("C://x"));
    EXPECT_FALSE(isUrl("a.mp3"));
    EXPECT_TRUE(isPlaylistFileName("C:\\x\\LIST.M3U"));
    EXPECT_TRUE(isPlaylistFileName("list.m3u8"));
    EXPECT_FALSE(isPlaylistFileName("list.m3u.txt"));
    EXPECT_EQ(windowsFolderOf("C:\\Music\\Lists\\best.m3u"), "C:\\Music\\Lists");
    EXPECT_EQ(windowsFolderOf("best.m3u"), "");
}

} // namespace
} // namespace tg::player
