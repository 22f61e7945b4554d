// The records the simulated library hands out: every field where the record
// layout puts it, owned until freed, and counted so that a leak shows.
#include "player/library_generator.h"
#include "player/media_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>

namespace tg::player {
namespace {

MediaLibrary sampleLibrary() {
    std::vector<Track> tracks(3);
    tracks[0].filename = "C:\\a.mp3";
    tracks[0].title = "Alpha";
    tracks[0].album = "First";
    tracks[0].artist = "The Band";
    tracks[0].comment = "c";
    tracks[0].genre = "Rock";
    tracks[0].year = 1999;
    tracks[0].trackNumber = 3;
    tracks[0].length = 215;
    tracks[0].rating = 4;
    tracks[0].playCount = 10;
    tracks[0].bitrate = 320;
    tracks[1].filename = "C:\\b.mp3";
    tracks[1].title = "Beta";
    tracks[1].playCount = 0;
    tracks[2].filename = "C:\\B.mp3";
    tracks[2].artist = "";
    MediaLibrary library;
    library.setTracks(std::move(tracks));
    return library;
}

std::vector<std::string> extendedOf(const TrackRecord& record) {
    std::vector<std::string> entries;
    if (!record.extendedFields) return entries;
    for (char** entry = record.extendedFields; *entry; ++entry)
        entries.push_back(std::string(*entry) + "=" + (*entry + std::strlen(*entry) + 1));
    return entries;
}

class PlayerMediaLibraryLayouts : public testing::TestWithParam<RecordLayout> {};

TEST_P(PlayerMediaLibraryLayouts, QueryFillsEveryFieldOfTheRecord) {
    MediaLibrary library = sampleLibrary();
    library.setRecordLayout(GetParam());
    char text[] = "";
    QueryRecord query{text, 0, nullptr, 0, 0};
    std::string note;
    EXPECT_EQ(library.runQuery(&query, note), 1);
    ASSERT_EQ(query.count, 3);
    EXPECT_EQ(query.allocated, 3);
    const TrackRecord a = library.recordAt(query.items, 0);
    EXPECT_STREQ(a.filename, "C:\\a.mp3");
    EXPECT_STREQ(a.title, "Alpha");
    EXPECT_STREQ(a.album, "First");
    EXPECT_STREQ(a.artist, "The Band");
    EXPECT_STREQ(a.comment, "c");
    EXPECT_STREQ(a.genre, "Rock");
    EXPECT_EQ(a.year, 1999);
    EXPECT_EQ(a.trackNumber, 3);
    EXPECT_EQ(a.length, 215);
    EXPECT_EQ(extendedOf(a), (std::vector<std::string>{"RATING=4", "PLAYCOUNT=10", "BITRATE=320"}));
    // Missing texts are null pointers; only present extended fields get entries.
    const TrackRecord b = library.recordAt(query.items, 1);
    EXPECT_EQ(b.album, nullptr);
    EXPECT_EQ(b.artist, nullptr);
    EXPECT_EQ(b.genre, nullptr);
    EXPECT_EQ(extendedOf(b), std::vector<std::string>{"PLAYCOUNT=0"});
    const TrackRecord c = library.recordAt(query.items, 2);
    EXPECT_EQ(c.title, nullptr);
    EXPECT_STREQ(c.artist, ""); // an empty text is not a missing one
    EXPECT_EQ(c.extendedFields, nullptr);
    if (GetParam() == RecordLayout::WithExtension) {
        // The records follow each other at the longer stride, the extension after the title.
        const auto* records = reinterpret_cast<const TrackRecordWithExtension*>(query.items);
        EXPECT_STREQ(records[2].filename, "C:\\B.mp3");
        EXPECT_STREQ(records[2].extension, "mp3");
    }
    EXPECT_EQ(library.liveQueryResults(), 1);

    EXPECT_EQ(library.freeQueryResults(&query, note), 1);
    EXPECT_EQ(query.items, nullptr);
    EXPECT_EQ(query.count, 0);
    EXPECT_EQ(query.allocated, 0);
    EXPECT_EQ(library.liveQueryResults(), 0);
    // A second free of the zeroed record is harmless.
    EXPECT_EQ(library.freeQueryResults(&query, note), 0);
    EXPECT_TRUE(library.takeFaults().empty());
}

// As the player fills it: answer 0, only title, album, artist, genre and the
// three numbers, -1 for what it does not know, nothing already set replaced.
template <typename Record> void checkFileInfo(MediaLibrary& library) {
    char name[] = "C:\\a.mp3";
    char kept[] = "Kept";
    Record record{};
    record.filename = name;
    record.album = kept;
    std::string note;
    EXPECT_EQ(library.getFileInfo(&record, note), 0);
    EXPECT_EQ(record.filename, name); // the caller's text stays
    EXPECT_EQ(record.album, kept);
    EXPECT_STREQ(record.artist, "The Band");
    EXPECT_STREQ(record.title, "Alpha");
    EXPECT_STREQ(record.genre, "Rock");
    EXPECT_EQ(record.comment, nullptr);
    EXPECT_EQ(record.extendedFields, nullptr);
    EXPECT_EQ(record.year, 1999);
    EXPECT_EQ(library.liveFileInfoRecords(), 1);

    // ML_FREE_QUERY_RESULTS is for query results only.
    QueryRecord wrapped{nullptr, 0, reinterpret_cast<TrackRecord*>(&record), 1, 1};
    EXPECT_EQ(library.freeQueryResults(&wrapped, note), 0);
    EXPECT_EQ(library.takeFaults().size(), 1u);
    EXPECT_EQ(library.liveFileInfoRecords(), 1);

    record.album = nullptr; // the caller's own text is not the library's to free
    EXPECT_EQ(library.freeFileInfo(&record, note), 0);
    EXPECT_EQ(library.liveFileInfoRecords(), 0);
    EXPECT_EQ(record.artist, nullptr);
    EXPECT_EQ(record.title, nullptr);
    EXPECT_EQ(record.filename, name);

    char beta[] = "C:\\b.mp3";
    Record unknownNumbers{};
    unknownNumbers.filename = beta;
    library.getFileInfo(&unknownNumbers, note);
    EXPECT_EQ(unknownNumbers.year, -1);
    EXPECT_EQ(unknownNumbers.trackNumber, -1);
    EXPECT_EQ(unknownNumbers.length, -1);
    library.freeFileInfo(&unknownNumbers, note);

    // A file the library does not hold leaves the record alone; freeing it frees nothing.
    char other[] = "C:\\zzz.mp3";
    Record unknown{};
    unknown.filename = other;
    EXPECT_EQ(library.getFileInfo(&unknown, note), 0);
    EXPECT_EQ(unknown.title, nullptr);
    EXPECT_EQ(unknown.year, 0);
    EXPECT_EQ(library.freeFileInfo(&unknown, note), 0);
    EXPECT_EQ(library.liveFileInfoRecords(), 0);

    // A text the library never handed out is reported, not freed.
    Record stranger{};
    stranger.title = kept;
    library.freeFileInfo(&stranger, note);
    EXPECT_EQ(stranger.title, kept);
    EXPECT_EQ(library.takeFaults().size(), 1u);
}

TEST_P(PlayerMediaLibraryLayouts, FileInfoFillsWhatThePlayerFillsUntilFreed) {
    MediaLibrary library = sampleLibrary();
    library.setRecordLayout(GetParam());
    if (GetParam() == RecordLayout::WithExtension)
        checkFileInfo<TrackRecordWithExtension>(library);
    else
        checkFileInfo<TrackRecord>(library);
}

INSTANTIATE_TEST_SUITE_P(BothReleases, PlayerMediaLibraryLayouts,
                         testing::Values(RecordLayout::Classic, RecordLayout::WithExtension),
                         [](const testing::TestParamInfo<RecordLayout>& param) {
                             return std::string(param.param == RecordLayout::Classic
                                                    ? "Classic"
                                                    : "WithExtension");
                         });

TEST(PlayerMediaLibrary, ResultsOutliveLaterQueriesUntilFreed) {
    MediaLibrary library = sampleLibrary();
    char first[] = "title == Alpha";
    char second[] = "filename begins \"C:\\b\"";
    QueryRecord one{first, 0, nullptr, 0, 0};
    QueryRecord two{second, 0, nullptr, 0, 0};
    std::string note;
    library.runQuery(&one, note);
    library.runQuery(&two, note);
    EXPECT_EQ(note, "max=0 filename begins \"C:\\b\" -> 2");
    EXPECT_EQ(library.liveQueryResults(), 2);
    library.freeQueryResults(&two, note);
    EXPECT_STREQ(one.items[0].title, "Alpha"); // still valid (ASan would object otherwise)
    library.freeQueryResults(&one, note);
    EXPECT_EQ(library.liveQueryResults(), 0);
}

TEST(PlayerMediaLibrary, MaxResultsAndEmptyAndRejectedQueries) {
    MediaLibrary library = sampleLibrary();
    const struct {
        const char* text;
        int maxResults;
        int count;
        LRESULT answer;
    } cases[] = {
        {"", 0, 3, 1},       {"", 1, 1, 1},           {"", 2, 2, 1},
        {"", -1, 3, 1},      {"", 10, 3, 1},          {"year > 3000", 0, 0, 1},
        {"year >", 0, 0, 0}, {"artist ~ x", 0, 0, 0},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        QueryRecord query{text.data(), c.maxResults, nullptr, 0, 0};
        std::string note;
        EXPECT_EQ(library.runQuery(&query, note), c.answer) << c.text;
        EXPECT_EQ(query.count, c.count) << c.text << " max " << c.maxResults;
        // Nothing found: no storage, nothing to free.
        if (c.count == 0) {
            EXPECT_EQ(query.items, nullptr);
            EXPECT_EQ(query.allocated, 0);
        }
        library.freeQueryResults(&query, note);
    }
    EXPECT_EQ(library.liveQueryResults(), 0);
}

TEST(PlayerMediaLibrary, FilenameQueryMatchesOneExactName) {
    MediaLibrary library = sampleLibrary();
    const struct {
        const char* name;
        const char* title;
    } cases[] = {{"C:\\b.mp3", "Beta"}, {"C:\\B.mp3", nullptr}, {"c:\\A.MP3", "-"}, {"", "-"}};
    for (const auto& c : cases) {
        std::string name = c.name;
        QueryRecord query{name.data(), 0, nullptr, 0, 0};
        std::string note;
        library.runFilenameQuery(&query, note);
        if (std::string(c.title ? c.title : "") == "-") {
            EXPECT_EQ(query.count, 0) << c.name;
        } else {
            ASSERT_EQ(query.count, 1) << c.name;
            EXPECT_STREQ(query.items[0].filename, c.name);
            if (c.title)
                EXPECT_STREQ(query.items[0].title, c.title);
            else
                EXPECT_EQ(query.items[0].title, nullptr);
        }
        library.freeQueryResults(&query, note);
    }
    EXPECT_EQ(library.liveQueryResults(), 0);
}

TEST(PlayerMediaLibrary, MisuseIsReportedNotFollowed) {
    MediaLibrary library = sampleLibrary();
    std::string note;
    TrackRecord stranger{};
    QueryRecord bogus{nullptr, 0, &stranger, 1, 1};
    EXPECT_EQ(library.freeQueryResults(&bogus, note), 0);
    EXPECT_EQ(bogus.items, &stranger); // not touched
    EXPECT_EQ(library.runQuery(nullptr, note), 0);
    EXPECT_EQ(library.freeQueryResults(nullptr, note), 0);
    EXPECT_EQ(library.getFileInfo(nullptr, note), 0);
    EXPECT_EQ(library.freeFileInfo(nullptr, note), 0);
    QueryRecord noText{nullptr, 0, nullptr, 0, 0};
    EXPECT_EQ(library.runQuery(&noText, note), 0);
    EXPECT_EQ(noText.count, 0);
    EXPECT_EQ(library.takeFaults().size(), 6u);
}

TEST(PlayerLibraryGenerator, SameSeedSameLibraryAndRealisticSpread) {
    const std::vector<Track> tracks = generateLibrary(20000, 42);
    ASSERT_EQ(tracks.size(), 20000u);
    const std::vector<Track> again = generateLibrary(20000, 42);
    const std::vector<Track> other = generateLibrary(20000, 43);
    int sameAsAgain = 0, sameAsOther = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        sameAsAgain +=
            tracks[i].filename == again[i].filename && tracks[i].rating == again[i].rating;
        sameAsOther += tracks[i].filename == other[i].filename;
    }
    EXPECT_EQ(sameAsAgain, 20000);
    EXPECT_LT(sameAsOther, 100);

    std::map<std::string, int> perArtist;
    std::map<std::string, int> perFolder;
    std::set<std::string> files;
    int theArtists = 0, withRating = 0, withBitrate = 0, yearZero = 0, longTracks = 0;
    for (const Track& t : tracks) {
        files.insert(*t.filename);
        if (t.artist) ++perArtist[*t.artist];
        perFolder[t.filename->substr(0, t.filename->rfind('\\'))]++;
        withRating += t.rating.has_value();
        withBitrate += t.bitrate.has_value();
        yearZero += t.year == 0;
        longTracks += t.length >= 1200;
        EXPECT_GE(t.length, 60);
    }
    for (const auto& [artist, count] : perArtist) theArtists += artist.rfind("The ", 0) == 0;
    EXPECT_EQ(files.size(), tracks.size()); // file names are unique
    const double theShare = static_cast<double>(theArtists) / static_cast<double>(perArtist.size());
    EXPECT_GT(theShare, 0.05);
    EXPECT_LT(theShare, 0.2);
    // Zipf-like: the most popular artist has far more tracks than a typical one.
    std::vector<int> counts;
    for (const auto& [artist, count] : perArtist) counts.push_back(count);
    std::sort(counts.begin(), counts.end());
    EXPECT_GT(counts.back(), 20 * counts[counts.size() / 2]);
    for (const auto& [folder, count] : perFolder) EXPECT_LE(count, 20) << folder;
    EXPECT_NEAR(withRating / 20000.0, 0.4, 0.05);
    EXPECT_NEAR(withBitrate / 20000.0, 0.9, 0.05);
    EXPECT_GT(yearZero, 0);
    EXPECT_GT(longTracks, 0);
}

} // namespace
} // namespace tg::player
