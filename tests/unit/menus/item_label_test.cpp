#include "menus/item_label.h"
#include "platform/text_encoding.h"
#include "platform/utf8.h"
#include "support/track_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace tg {
namespace {

using test::ExtendedList;
using test::TrackStore;
using test::TrackValues;
using L = LevelType;

struct Options {
    bool trackNumbers = false;
    bool addYear = false;
    int yearPosition = 0;
};

MenuDefinition definitionWith(std::vector<LevelType> levels, Options o = {}) {
    MenuDefinition d;
    d.levels = std::move(levels);
    d.showTrackNumbers = o.trackNumbers;
    d.addYearToAlbums = o.addYear;
    d.yearPosition = o.yearPosition;
    return d;
}

const TrackValues kFull{.filename = "C:\\Music\\song.mp3",
                        .title = "Song",
                        .album = "The Album",
                        .artist = "The Who",
                        .genre = "rock",
                        .year = 1971,
                        .trackNumber = 7,
                        .length = 200,
                        .extended =
                            ExtendedList{{"rating", "4"}, {"PLAYCOUNT", "12"}, {"BITRATE", "192"}}};

TEST(ItemLabel, ShowsEachLevelInFullAndPlainForm) {
    const Options trackNumbers{.trackNumbers = true};
    const Options yearFirst{.addYear = true, .yearPosition = 0};
    const Options yearAfter{.addYear = true, .yearPosition = 1};
    TrackValues noAlbum = kFull;
    noAlbum.album.reset();
    TrackValues noArtist = kFull;
    noArtist.artist.reset();
    TrackValues oldYear = kFull;
    oldYear.year = 999;
    TrackValues zeroYear = kFull;
    zeroYear.year = 0;
    TrackValues noTrack = kFull;
    noTrack.trackNumber = 0;
    TrackValues bigTrack = kFull;
    bigTrack.trackNumber = 123;
    TrackValues noList = kFull;
    noList.extended.reset();
    TrackValues emptyBitrate = kFull;
    emptyBitrate.extended = ExtendedList{{"BITRATE", " "}};
    TrackValues ampersand = kFull;
    ampersand.artist = "Simon & Garfunkel";
    const struct {
        const char* name;
        std::vector<LevelType> levels;
        Options options;
        TrackValues track;
        const char* full;
        const char* plain;
    } cases[] = {
        {"artist", {L::Artist}, {}, kFull, "The Who", "The Who"},
        {"artist missing", {L::Artist}, {}, noArtist, "", ""},
        {"ampersand as is", {L::Artist}, {}, ampersand, "Simon & Garfunkel", "Simon & Garfunkel"},
        {"album", {L::Album}, {}, kFull, "The Album", "The Album"},
        {"album year first", {L::Album}, yearFirst, kFull, "(1971) The Album", "The Album"},
        {"album year after", {L::Album}, yearAfter, kFull, "The Album (1971)", "The Album"},
        {"album old year first",
         {L::Album},
         yearFirst,
         oldYear,
         "(        ) The Album",
         "The Album"},
        {"album year 0 after",
         {L::Album},
         yearAfter,
         zeroYear,
         "The Album (        )",
         "The Album"},
        {"album missing with year", {L::Album}, yearFirst, noAlbum, "", ""},
        {"title", {L::Title}, {}, kFull, "Song", "Song"},
        {"title track 7", {L::Title}, trackNumbers, kFull, "  7. Song", "Song"},
        {"title track 123", {L::Title}, trackNumbers, bigTrack, "123. Song", "Song"},
        {"title no track", {L::Title}, trackNumbers, noTrack, "     Song", "Song"},
        {"genre", {L::Genre}, {}, kFull, "rock", "rock"},
        {"year", {L::Year}, {}, kFull, "1971", "1971"},
        {"year 0", {L::Year}, {}, zeroYear, "0", "0"},
        {"track number", {L::TrackNumber}, {}, kFull, "7", "7"},
        {"track number 0", {L::TrackNumber}, {}, noTrack, "0", "0"},
        {"artist/album", {L::ArtistAlbum}, {}, kFull, "The Who/The Album", "The Who"},
        {"artist/album no album", {L::ArtistAlbum}, {}, noAlbum, "The Who", "The Who"},
        {"artist/album no artist", {L::ArtistAlbum}, {}, noArtist, "", ""},
        {"artist/title", {L::ArtistTitle}, {}, kFull, "The Who/Song", "The Who"},
        {"album/title", {L::AlbumTitle}, {}, kFull, "The Album/Song", "The Album"},
        {"album/title no album", {L::AlbumTitle}, {}, noAlbum, "", ""},
        {"rating", {L::Rating}, {}, kFull, "4", "4"},
        {"play count", {L::PlayCount}, {}, kFull, "12", "12"},
        {"bitrate", {L::Bitrate}, {}, kFull, "192 kbps", "192"},
        {"bitrate no list", {L::Bitrate}, {}, noList, "", ""},
        {"bitrate empty", {L::Bitrate}, {}, emptyBitrate, "", ""},
        {"file name", {L::Filename}, {}, kFull, "C:\\Music\\song.mp3", "C:\\Music\\song.mp3"},
        {"raw entries", {L::PlaylistEntries}, {}, kFull, "", ""},
        {"unknown kind", {static_cast<L>(42)}, {}, kFull, "", ""},
        {"range over artist/album", {L::Range, L::ArtistAlbum}, {}, kFull, "The Who", "The Who"},
        {"range over numbered title", {L::Range, L::Title}, trackNumbers, kFull, "Song", "Song"},
        {"range over bitrate", {L::Range, L::Bitrate}, {}, kFull, "192", "192"},
        {"range last", {L::Range}, {}, kFull, "", ""},
        {"letter over artist", {L::FirstLetter, L::Artist}, {}, kFull, "W", "W"},
        {"letter over artist/title", {L::FirstLetter, L::ArtistTitle}, {}, kFull, "W", "W"},
        {"letter over album", {L::FirstLetter, L::Album}, yearFirst, kFull, "A", "A"},
        {"letter over album/title", {L::FirstLetter, L::AlbumTitle}, {}, kFull, "A", "A"},
        {"letter over title", {L::FirstLetter, L::Title}, trackNumbers, kFull, "S", "S"},
        {"letter over genre", {L::FirstLetter, L::Genre}, {}, kFull, "R", "R"},
        {"letter over file", {L::FirstLetter, L::Filename}, {}, kFull, "C", "C"},
        {"letter over year", {L::FirstLetter, L::Year}, {}, kFull, "1971", "1971"},
        {"letter over track", {L::FirstLetter, L::TrackNumber}, {}, kFull, "7", "7"},
        {"letter over bitrate", {L::FirstLetter, L::Bitrate}, {}, kFull, "192", "192"},
        {"letter over play count", {L::FirstLetter, L::PlayCount}, {}, kFull, "12", "12"},
        {"letter over rating", {L::FirstLetter, L::Rating}, {}, kFull, "4", "4"},
        {"letter over letter", {L::FirstLetter, L::FirstLetter, L::Artist}, {}, kFull, "W", "W"},
        {"letter over range",
         {L::FirstLetter, L::Range, L::Artist},
         {},
         kFull,
         "The Who",
         "The Who"},
        {"letter last", {L::FirstLetter}, {}, kFull, "", ""},
        {"letter over raw entries", {L::FirstLetter, L::PlaylistEntries}, {}, kFull, "", ""},
        {"letter missing artist", {L::FirstLetter, L::Artist}, {}, noArtist, "", ""},
    };
    TrackStore store;
    char label[kLabelSize];
    for (const auto& c : cases) {
        const MenuDefinition d = definitionWith(c.levels, c.options);
        const TrackRecord r = store.make(c.track);
        EXPECT_STREQ(itemLabel(r, 0, true, d, label), c.full) << c.name;
        EXPECT_STREQ(itemLabel(r, 0, false, d, label), c.plain) << c.name << " (plain)";
    }
}

TEST(ItemLabel, FirstLetterStripsTheFromNamesOnly) {
    const struct {
        LevelType following;
        TrackValues track;
        const char* expected;
    } cases[] = {
        {L::Artist, {.artist = "the who"}, "W"},
        {L::Artist, {.artist = "The "}, ""}, // nothing left after stripping
        {L::Artist, {.artist = "The  wailers"}, "W"},
        {L::Artist, {.artist = "Theatre"}, "T"},
        {L::Artist, {.artist = "&Co"}, "&"},
        {L::Artist, {.artist = "\xE9t\xE9"}, "\xE9"}, // only ASCII letters change case
        {L::Album, {.album = "  abc"}, "A"},
        {L::Genre, {.genre = "The Blues"}, "T"},
        {L::Genre, {.genre = ""}, ""},
        {L::Filename, {.filename = "the x.mp3"}, "T"},
    };
    TrackStore store;
    char label[kLabelSize];
    for (const auto& c : cases) {
        const MenuDefinition d = definitionWith({L::FirstLetter, c.following});
        EXPECT_STREQ(itemLabel(store.make(c.track), 0, true, d, label), c.expected);
    }
}

TEST(ItemLabel, LabelsAtLaterLevelsAndPastTheLast) {
    TrackStore store;
    const TrackRecord r = store.make(kFull);
    const MenuDefinition d =
        definitionWith({L::Range, L::FirstLetter, L::Album, L::Title}, {.trackNumbers = true});
    char label[kLabelSize];
    EXPECT_STREQ(itemLabel(r, 0, true, d, label), "A");
    EXPECT_STREQ(itemLabel(r, 1, true, d, label), "A");
    EXPECT_STREQ(itemLabel(r, 3, true, d, label), "  7. Song");
    EXPECT_STREQ(itemLabel(r, 4, true, d, label), "");
    EXPECT_STREQ(itemLabel(r, -1, true, d, label), "");
}

TEST(ItemLabel, LongValuesAreCutToTheBuffer) {
    TrackStore store;
    const std::string longText(2000, 'x');
    TrackValues t = kFull;
    t.artist = longText;
    t.album = longText;
    t.title = longText;
    t.extended = ExtendedList{{"BITRATE", longText}};
    const TrackRecord r = store.make(t);
    for (const LevelType k : {L::Artist, L::Album, L::Title, L::ArtistAlbum, L::Bitrate}) {
        const MenuDefinition d =
            definitionWith({k}, {.trackNumbers = true, .addYear = true, .yearPosition = 1});
        char label[kLabelSize + 8];
        std::memset(label, '#', sizeof label);
        itemLabel(r, 0, true, d, label);
        EXPECT_EQ(std::strlen(label), kLabelSize - 1);
        for (std::size_t i = kLabelSize; i < sizeof label; ++i) EXPECT_EQ(label[i], '#');
    }
}

// A UTF-8 value cut to the buffer keeps whole characters only.
TEST(ItemLabel, LongUtf8ValuesAreCutBetweenCharacters) {
    platform::setUtf8Texts(true);
    TrackStore store;
    TrackValues t = kFull;
    std::string artist = "ab";
    for (int i = 0; i < 200; ++i) artist += "\xE5\xAE\x87"; // three bytes each
    t.artist = artist;
    const TrackRecord r = store.make(t);
    char label[kLabelSize];
    itemLabel(r, 0, true, definitionWith({L::Artist}, {}), label);
    EXPECT_EQ(std::strlen(label), kLabelSize - 3) << "2 bytes and 169 characters of 3";
    EXPECT_TRUE(isValidUtf8(label));
    platform::setUtf8Texts(false);
}

// Labels are written by hand; these are the printf forms they must match,
// including where a long text is cut and numbers at their limits.
TEST(ItemLabel, FormsNumbersAndCutsAsPrintfWould) {
    const std::string nearlyFull(kLabelSize - 4, 'x');
    const std::string full(kLabelSize + 10, 'y');
    const struct {
        std::vector<LevelType> levels;
        Options options;
        std::string text; // album, title, artist and bitrate
        int year;
        int trackNumber;
    } cases[] = {
        {{L::Year}, {}, "a", -5, 0},
        {{L::Year}, {}, "a", -1, 0},
        {{L::Year}, {}, "a", INT32_MIN, 0},
        {{L::Year}, {}, "a", INT32_MAX, 0},
        {{L::TrackNumber}, {}, "a", 0, -42},
        {{L::Album}, {.addYear = true, .yearPosition = 1}, "a", INT32_MAX, 0},
        {{L::Album}, {.addYear = true, .yearPosition = 0}, "a", 1000, 0},
        {{L::Album}, {.addYear = true, .yearPosition = 1}, nearlyFull, 2024, 0},
        {{L::Album}, {.addYear = true, .yearPosition = 0}, nearlyFull, 2024, 0},
        {{L::Album}, {.addYear = true, .yearPosition = 1}, nearlyFull, 5, 0},
        {{L::Title}, {.trackNumbers = true}, "t", 0, 1},
        {{L::Title}, {.trackNumbers = true}, "t", 0, 99},
        {{L::Title}, {.trackNumbers = true}, "t", 0, 1234},
        {{L::Title}, {.trackNumbers = true}, "t", 0, INT32_MAX},
        {{L::Title}, {.trackNumbers = true}, nearlyFull, 0, 7},
        {{L::Title}, {.trackNumbers = true}, nearlyFull, 0, 0},
        {{L::ArtistAlbum}, {}, nearlyFull, 0, 0},
        {{L::ArtistAlbum}, {}, full, 0, 0},
        {{L::Bitrate}, {}, nearlyFull, 0, 0},
        {{L::Bitrate}, {}, full, 0, 0},
    };
    TrackStore store;
    for (const auto& c : cases) {
        TrackValues t = kFull;
        t.album = t.title = t.artist = c.text;
        t.extended = ExtendedList{{"BITRATE", c.text}};
        t.year = c.year;
        t.trackNumber = c.trackNumber;
        const TrackRecord r = store.make(t);
        const MenuDefinition d = definitionWith(c.levels, c.options);
        const char* s = c.text.c_str();
        char expected[kLabelSize];
        switch (c.levels[0]) {
        // Unknown numbers (0 and below, -1 from the library) all show as 0.
        case L::Year: std::snprintf(expected, sizeof expected, "%d", std::max(c.year, 0)); break;
        case L::TrackNumber:
            std::snprintf(expected, sizeof expected, "%d", std::max(c.trackNumber, 0));
            break;
        case L::Album:
            if (c.year < 1000)
                std::snprintf(expected, sizeof expected, "%s (        )", s);
            else if (c.options.yearPosition == 1)
                std::snprintf(expected, sizeof expected, "%s (%d)", s, c.year);
            else
                std::snprintf(expected, sizeof expected, "(%d) %s", c.year, s);
            break;
        case L::Title:
            if (c.trackNumber > 0)
                std::snprintf(expected, sizeof expected, "%3d. %s", c.trackNumber, s);
            else
                std::snprintf(expected, sizeof expected, "     %s", s);
            break;
        case L::ArtistAlbum: std::snprintf(expected, sizeof expected, "%s/%s", s, s); break;
        default: std::snprintf(expected, sizeof expected, "%s kbps", s); break;
        }
        char label[kLabelSize + 8];
        std::memset(label, '#', sizeof label);
        EXPECT_STREQ(itemLabel(r, 0, true, d, label), expected)
            << static_cast<int>(c.levels[0]) << " " << c.text.size() << " " << c.year << " "
            << c.trackNumber;
        for (std::size_t i = kLabelSize; i < sizeof label; ++i) EXPECT_EQ(label[i], '#');
    }
}

TEST(AppendDuration, MatchesThePaddedPrintfFormsAtEveryBoundary) {
    const long long boundaries[] = {0,    9,     10,    60,     599,    600,      3599,
                                    3600, 35999, 36000, 359999, 360000, INT64_MAX};
    for (const long long seconds : boundaries) {
        const long long s = seconds;
        char expected[64];
        if (s < 600)
            std::snprintf(expected, sizeof expected, "\t       [%lld:%2.2lld]", s / 60, s % 60);
        else if (s < 3600)
            std::snprintf(expected, sizeof expected, "\t     [%2.2lld:%2.2lld]", s / 60, s % 60);
        else if (s < 36000)
            std::snprintf(expected, sizeof expected, "\t  [%lld:%2.2lld:%2.2lld]", s / 3600,
                          s % 3600 / 60, s % 60);
        else
            std::snprintf(expected, sizeof expected, "\t[%2.2lld:%2.2lld:%2.2lld]", s / 3600,
                          s % 3600 / 60, s % 60);
        char label[kLabelSize] = "";
        appendDuration(seconds, label);
        EXPECT_STREQ(label, expected) << seconds;
    }
    // A buffer too small for the time is left as it was.
    char small[8] = "abc";
    appendDuration(59, small, sizeof small);
    EXPECT_STREQ(small, "abc");
}

TEST(AppendDuration, PadsEachSizeOfTimeSoBracketsLineUp) {
    const struct {
        long long seconds;
        const char* expected;
    } cases[] = {
        {0, "x\t       [0:00]"},
        {59, "x\t       [0:59]"},
        {61, "x\t       [1:01]"},
        {599, "x\t       [9:59]"},
        {600, "x\t     [10:00]"},
        {3599, "x\t     [59:59]"},
        {3600, "x\t  [1:00:00]"},
        {3661, "x\t  [1:01:01]"},
        {35999, "x\t  [9:59:59]"},
        {36000, "x\t[10:00:00]"},
        {360000, "x\t[100:00:00]"},
        {-5, "x\t       [0:00]"},
        {10000000000LL, "x\t[2777777:46:40]"},
    };
    for (const auto& c : cases) {
        char label[kLabelSize] = "x";
        appendDuration(c.seconds, label);
        EXPECT_STREQ(label, c.expected) << c.seconds;
    }
}

TEST(AppendDuration, KeepsTheTimeWholeWhenTheLabelIsFull) {
    char label[kLabelSize];
    std::memset(label, 'a', kLabelSize - 1);
    label[kLabelSize - 1] = '\0';
    appendDuration(59, label);
    const std::string text = label;
    EXPECT_EQ(text.size(), kLabelSize - 1);
    EXPECT_EQ(text.substr(text.size() - 14), "\t       [0:59]");
}

TEST(EscapeAmpersands, DoublesEveryAmpersand) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"Simon & Garfunkel", "Simon && Garfunkel"},
        {"A&B&C", "A&&B&&C"},
        {"&&", "&&&&"},
        {"", ""},
        {"plain", "plain"},
        {"&\t       [0:59]", "&&\t       [0:59]"},
    };
    for (const auto& c : cases) {
        char label[kLabelSize];
        std::strcpy(label, c.text);
        escapeAmpersands(label);
        EXPECT_STREQ(label, c.expected);
    }
}

TEST(EscapeAmpersands, CutsBeforeAPairThatWouldNotFit) {
    const struct {
        std::size_t letters; // before the ampersands
        std::size_t ampersands;
        std::size_t expectedLength;
        std::size_t expectedAmpersands;
    } cases[] = {
        {509, 1, 511, 2},   // the pair just fits
        {510, 1, 510, 0},   // one slot left: cut before the pair
        {511, 0, 511, 0},   // already full, nothing to do
        {0, 300, 510, 510}, // 255 pairs fit, the 256th would not
        {100, 400, 510, 410},
    };
    for (const auto& c : cases) {
        char label[kLabelSize + 4];
        std::memset(label, '#', sizeof label);
        std::string text = std::string(c.letters, 'a') + std::string(c.ampersands, '&');
        text.resize(std::min(text.size(), kLabelSize - 1));
        std::memcpy(label, text.c_str(), text.size() + 1);
        escapeAmpersands(label);
        const std::string out = label;
        EXPECT_EQ(out.size(), c.expectedLength) << c.letters << "+" << c.ampersands;
        EXPECT_EQ(static_cast<std::size_t>(std::count(out.begin(), out.end(), '&')),
                  c.expectedAmpersands);
        EXPECT_EQ(label[kLabelSize], '#'); // nothing written past the buffer
        // Every ampersand is one of a pair.
        std::size_t run = 0;
        for (const char ch : out + "|") {
            if (ch == '&') {
                ++run;
            } else {
                EXPECT_EQ(run % 2, 0u);
                run = 0;
            }
        }
    }
}

TEST(EscapeAmpersands, RespectsASmallerBuffer) {
    char text[8] = "ab&cd&e";
    escapeAmpersands(text, sizeof text);
    EXPECT_STREQ(text, "ab&&cd");
}

// The doubling pushes a character out: with UTF-8 texts all of it goes.
TEST(EscapeAmpersands, CutsUtf8TextsBetweenCharacters) {
    for (const bool utf8 : {false, true}) {
        platform::setUtf8Texts(utf8);
        char text[8] = "&a&b\xD0\x96";
        escapeAmpersands(text, sizeof text);
        EXPECT_STREQ(text, utf8 ? "&&a&&b" : "&&a&&b\xD0") << utf8;
    }
    platform::setUtf8Texts(false);
}

} // namespace
} // namespace tg
