// The sample data keeps the cases it was written for: a change to samples/
// that drops one of them fails here rather than silently weakening the tests
// and previews built on it.
#include "platform/file.h"
#include "player/hostile_library.h"
#include "player/m3u_file.h"
#include "player/player.h"
#include "player/text_fold.h"
#include "support/player_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

namespace tg::player {
namespace {

bool has(const std::optional<std::string>& text, std::string_view part) {
    return text && text->find(part) != std::string::npos;
}

std::string folded(const std::string& text) {
    std::string lower;
    for (char c : text) lower += foldAscii(c);
    return lower;
}

TEST(PlayerSamples, LibraryCoversTheRules) {
    test::loadSampleLibrary();
    const std::vector<Track>& tracks = player().library().tracks();
    EXPECT_GE(tracks.size(), 300u);
    EXPECT_LE(tracks.size(), 500u);
    const struct {
        const char* what;
        std::function<bool(const Track&)> holds;
    } cases[] = {
        {"a \"The \" artist",
         [](const Track& t) { return t.artist && t.artist->rfind("The ", 0) == 0; }},
        {"the artist \"The\" alone", [](const Track& t) { return t.artist == "The"; }},
        {"the artist \"The The\"", [](const Track& t) { return t.artist == "The The"; }},
        {"an artist beginning \"Theatre\"",
         [](const Track& t) { return has(t.artist, "Theatre"); }},
        {"a lower-case \"the \" artist",
         [](const Track& t) { return t.artist && t.artist->rfind("the ", 0) == 0; }},
        {"a \"The \" title",
         [](const Track& t) { return t.title && foldedBeginsWith(*t.title, "the "); }},
        {"a \"The \" album",
         [](const Track& t) { return t.album && t.album->rfind("The ", 0) == 0; }},
        {"a \"The \" genre",
         [](const Track& t) { return t.genre && t.genre->rfind("The ", 0) == 0; }},
        {"an ampersand in an artist", [](const Track& t) { return has(t.artist, "&"); }},
        {"two ampersands in an artist",
         [](const Track& t) {
             return t.artist && std::count(t.artist->begin(), t.artist->end(), '&') == 2;
         }},
        {"an ampersand in an album", [](const Track& t) { return has(t.album, "&"); }},
        {"an ampersand in a file name", [](const Track& t) { return has(t.filename, "&"); }},
        {"no artist", [](const Track& t) { return !t.artist; }},
        {"no album", [](const Track& t) { return !t.album; }},
        {"no title", [](const Track& t) { return !t.title; }},
        {"no genre", [](const Track& t) { return !t.genre; }},
        {"no file name", [](const Track& t) { return !t.filename; }},
        {"year 0", [](const Track& t) { return t.year == 0; }},
        {"a year below 1000", [](const Track& t) { return t.year > 0 && t.year < 1000; }},
        {"track number 0", [](const Track& t) { return t.trackNumber == 0; }},
        {"a track number above 99", [](const Track& t) { return t.trackNumber > 99; }},
        {"an artist beyond 255 characters",
         [](const Track& t) { return t.artist && t.artist->size() > 255; }},
        {"an album beyond 255 characters",
         [](const Track& t) { return t.album && t.album->size() > 255; }},
        {"a title beyond 255 characters",
         [](const Track& t) { return t.title && t.title->size() > 255; }},
        {"a rating", [](const Track& t) { return t.rating.has_value(); }},
        {"no rating", [](const Track& t) { return !t.rating; }},
        {"play count 9", [](const Track& t) { return t.playCount == 9; }},
        {"play count 10", [](const Track& t) { return t.playCount == 10; }},
        {"play count 0", [](const Track& t) { return t.playCount == 0; }},
        {"no play count", [](const Track& t) { return !t.playCount; }},
        {"a bitrate", [](const Track& t) { return t.bitrate.has_value(); }},
        {"no extended field at all",
         [](const Track& t) { return !t.rating && !t.playCount && !t.bitrate; }},
        {"under a minute", [](const Track& t) { return t.length < 60; }},
        {"an hour or more", [](const Track& t) { return t.length >= 3600; }},
        {"ten hours or more", [](const Track& t) { return t.length >= 36000; }},
        {"a non-ASCII name",
         [](const Track& t) {
             return t.artist && std::any_of(t.artist->begin(), t.artist->end(), [](char c) {
                        return static_cast<unsigned char>(c) >= 0x80;
                    });
         }},
        {"an .ogg file",
         [](const Track& t) { return t.filename && foldedEndsWith(*t.filename, ".ogg"); }},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(std::any_of(tracks.begin(), tracks.end(), c.holds)) << c.what;

    // Case twins: one name in two spellings, for artists and genres.
    std::map<std::string, std::set<std::string>> artistSpellings, genreSpellings;
    std::map<std::string, std::set<std::string>> fileSpellings;
    for (const Track& t : tracks) {
        if (t.artist) artistSpellings[folded(*t.artist)].insert(*t.artist);
        if (t.genre) genreSpellings[folded(*t.genre)].insert(*t.genre);
        if (t.filename) fileSpellings[folded(*t.filename)].insert(*t.filename);
    }
    const auto twins = [](const std::map<std::string, std::set<std::string>>& spellings) {
        return std::count_if(spellings.begin(), spellings.end(),
                             [](const auto& entry) { return entry.second.size() > 1; });
    };
    EXPECT_GE(twins(artistSpellings), 2);
    EXPECT_GE(twins(genreSpellings), 1);
    EXPECT_GE(twins(fileSpellings), 1);
    EXPECT_EQ(tracks.size(), fileSpellings.size() + 1 /* no file name */ + twins(fileSpellings));
}

TEST(PlayerSamples, PlaylistMatchesTheLibrary) {
    test::loadSampleLibrary();
    const LoadResult result = player().loadPlaylist(test::samplePath("playlist.m3u"));
    ASSERT_TRUE(result.ok) << result.error;
    const std::vector<PlaylistEntry>& entries = player().playlist();
    std::map<std::string, int> seen;
    int inLibrary = 0, urls = 0;
    for (const PlaylistEntry& entry : entries) {
        ++seen[entry.file];
        inLibrary += player().library().findByFilename(entry.file) != nullptr;
        urls += isUrl(entry.file);
    }
    EXPECT_GE(inLibrary, 15);
    EXPECT_EQ(urls, 1);
    EXPECT_EQ(static_cast<int>(entries.size()) - inLibrary - urls, 1); // one stranger
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const auto& e) { return e.second == 2; }));
    // Entries without #EXTINF take their title from the library.
    EXPECT_EQ(entries[3].title, *player().library().findByFilename(entries[3].file)->artist +
                                    " - " +
                                    *player().library().findByFilename(entries[3].file)->title);
}

std::vector<std::string> lines(const std::string& nativePath) {
    std::ifstream in(nativePath, std::ios::binary);
    std::vector<std::string> all;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        all.push_back(line);
    }
    return all;
}

TEST(PlayerSamples, BookmarksAndLibraryViews) {
    const std::vector<std::string> bookmarks = lines(test::samplePath("settings/Winamp.bm"));
    ASSERT_EQ(bookmarks.size() % 2, 0u);
    std::map<std::string, int> titles;
    for (std::size_t i = 1; i < bookmarks.size(); i += 2) ++titles[bookmarks[i]];
    EXPECT_TRUE(
        std::any_of(titles.begin(), titles.end(), [](const auto& t) { return t.second > 1; }));
    EXPECT_TRUE(std::any_of(titles.begin(), titles.end(),
                            [](const auto& t) { return t.first.find('&') != std::string::npos; }));

    // View names as the library's file gives them: "query<n>_name=<name>" until "query_num".
    std::vector<std::string> views;
    for (const std::string& line : lines(test::samplePath("settings/Plugins/gen_ml.ini"))) {
        if (line.rfind("query", 0) != 0) continue;
        const std::size_t underscore = line.find('_', 5);
        if (underscore == std::string::npos) continue;
        if (line.compare(underscore + 1, 3, "num") == 0) break;
        if (line.compare(underscore + 1, 5, "name=") == 0)
            views.push_back(line.substr(underscore + 6));
    }
    EXPECT_EQ(views, (std::vector<std::string>{"Audio", "Rock Ballads", "Rock", "Top Rated",
                                               "Never Played", "Jazz & Blues"}));
}

TEST(PlayerSamples, FolderTreeHasHiddenAndDotEntriesAndAListOfEveryKind) {
    test::mapSampleTree('M');
    const struct {
        const char* path;
        bool hidden;
    } entries[] = {{"M:\\secret.mp3", true},
                   {"M:\\Private", true},
                   {"M:\\Mixed\\h.mp3", true},
                   {"M:\\.dot", false},
                   {"M:\\top.mp3", false}};
    for (const auto& e : entries) {
        platform::FindData data;
        HANDLE find = platform::findFirstFile(e.path, &data);
        ASSERT_NE(find, platform::kInvalidFind) << e.path;
        platform::findClose(find);
        EXPECT_EQ((data.attributes & FILE_ATTRIBUTE_HIDDEN) != 0, e.hidden) << e.path;
    }
    std::ifstream in(test::samplePath("tree/Lists/best.m3u"), std::ios::binary);
    std::vector<M3uEntry> list;
    ASSERT_TRUE(readM3u(in, "best.m3u", list, true).ok);
    int relative = 0, absolute = 0, urls = 0;
    for (const M3uEntry& e : list) {
        if (isUrl(e.file))
            ++urls;
        else if (isAbsoluteWindowsPath(e.file))
            ++absolute;
        else
            ++relative;
    }
    EXPECT_GE(relative, 2);
    EXPECT_GE(absolute, 1);
    EXPECT_GE(urls, 1);
    const std::vector<std::string> raw = lines(test::samplePath("tree/Lists/best.m3u"));
    EXPECT_GE(std::count_if(raw.begin(), raw.end(),
                            [](const std::string& l) { return l.rfind("# ", 0) == 0; }),
              2);
    EXPECT_GE(std::count(raw.begin(), raw.end(), std::string()), 1);
}

// The hostile library is the generator's own output, so it can be made again
// (gen_library --hostile 300 19), and it loads.
TEST(PlayerSamples, HostileLibraryIsTheGeneratorsAndLoads) {
    std::ostringstream made;
    writeLibrary(made, generateHostileLibrary(300, 19));
    std::ifstream in(test::samplePath("hostile-library.tsv"), std::ios::binary);
    std::ostringstream stored;
    stored << in.rdbuf();
    EXPECT_EQ(stored.str(), made.str());
    EXPECT_TRUE(player().loadLibrary(test::samplePath("hostile-library.tsv")).ok);
    EXPECT_EQ(player().library().tracks().size(), 300u);
}

} // namespace
} // namespace tg::player
