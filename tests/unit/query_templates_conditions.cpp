// The exact query texts sent to the library for the values chosen above a level.
#include "menus/query_templates.h"
#include "support/level_paths.h"
#include "support/scripted_library.h"

#include <gtest/gtest.h>

#include <string>

namespace tg {
namespace {

using L = LevelType;
using test::chosen;
using test::libraryMenu;

// Runs a level query over path and returns the one text the library received.
std::string sentQuery(MenuDefinition definition, const std::vector<LevelSelection>& path,
                      int coveredCount) {
    test::ScriptedLibrary library;
    QueryRecord result{};
    runLevelQuery(nullptr, definition, path, coveredCount, &result);
    releaseQueryResult(&result, definition.sourceType);
    const std::vector<std::string> sent = library.levelQueries();
    EXPECT_EQ(sent.size(), 1u);
    EXPECT_EQ(library.liveResults(), 0);
    return sent.empty() ? "(nothing sent)" : sent.front();
}

struct ValueCase {
    std::int32_t kind;
    const char* value;
    const char* secondValue;
    const char* expected;
};

TEST(QueryConditions, EachKindOfChosenValueGivesItsCondition) {
    const ValueCase cases[] = {
        {0, "The Beatles", "", R"((artist == "Beatles" OR artist == "The Beatles"))"},
        {1, "the White Album", "", R"((album == "White Album" OR album == "The White Album"))"},
        // The year an album's label shows tells albums of one name apart.
        {1, "Gold", "1992", R"((album == "Gold" OR album == "The Gold") AND year == "1992")"},
        {2, "Help", "", R"((title == "Help" OR title == "The Help"))"},
        {3, "Rock", "", R"(genre == "Rock")"},
        // Only the stripped value: a genre stored as "The Blues" is not matched.
        {3, "The Blues", "", R"(genre == "Blues")"},
        {4, "1969", "", R"(year == "1969")"},
        {7, "7", "", R"(trackno == "7")"},
        // 0 stands for every unknown number: the library gives -1 for those.
        {4, "0", "", R"(year <= "0")"},
        {7, "0", "", R"(trackno <= "0")"},
        {8, "The Who", "Tommy",
         R"((artist == "Who" OR artist == "The Who") AND (album == "Tommy" OR album == "The Tommy"))"},
        {9, "Abba", "The Winner",
         R"((artist == "Abba" OR artist == "The Abba") AND (title == "Winner" OR title == "The Winner"))"},
        {10, "Gold", "  Waterloo",
         R"((album == "Gold" OR album == "The Gold") AND (title == "Waterloo" OR title == "The Waterloo"))"},
        {11, "5", "", R"(rating == "5")"},
        {12, "12", "", R"(playcount == "12")"},
        {13, "320", "", R"(bitrate == "320")"},
        {14, R"(C:\Music\a.mp3)", "", R"(filename == "C:\Music\a.mp3")"},
        // A value holding a "%" stays as it is.
        {2, "100% Pure", "", R"((title == "100% Pure" OR title == "The 100% Pure"))"},
        // Kinds without a condition: the raw entries, a popup past the last level, junk.
        {16, "x", "", ""},
        {kPastLastLevel, "x", "", ""},
        {-1, "x", "", ""},
        {99, "x", "", ""},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " value " << c.value);
        const MenuDefinition definition = libraryMenu({L::Artist, L::Title});
        EXPECT_EQ(sentQuery(definition, {chosen(c.kind, c.value, c.secondValue)}, 1), c.expected);
    }
}

struct FollowingCase {
    LevelType following;
    const char* expected;
};

TEST(QueryConditions, FirstLetterConditionFollowsTheNextLevel) {
    const std::string artist =
        R"(((!(artist begins "The ") AND artist begins "B") OR artist begins "The B"))";
    const std::string album =
        R"(((!(album begins "The ") AND album begins "B") OR album begins "The B"))";
    const FollowingCase textCases[] = {
        {L::Artist, artist.c_str()},
        {L::ArtistAlbum, artist.c_str()},
        {L::ArtistTitle, artist.c_str()},
        {L::Album, album.c_str()},
        {L::AlbumTitle, album.c_str()},
        {L::Title, R"(((!(title begins "The ") AND title begins "B") OR title begins "The B"))"},
        {L::Genre, R"(genre begins "B")"},
        {L::Filename, R"(filename begins "B")"},
        {L::FirstLetter, ""},
        {L::Range, ""},
    };
    for (const FollowingCase& c : textCases) {
        SCOPED_TRACE(levelName(static_cast<std::int32_t>(c.following)));
        const MenuDefinition definition = libraryMenu({L::FirstLetter, c.following});
        // Only the first character of a text value counts.
        EXPECT_EQ(sentQuery(definition, {chosen(L::FirstLetter, "Bx")}, 1), c.expected);
    }
    // Numbers under a first-letter level are grouped by their whole value.
    const FollowingCase numberCases[] = {
        {L::Year, R"(year == "1987")"},       {L::TrackNumber, R"(trackno == "1987")"},
        {L::Rating, R"(rating == "1987")"},   {L::PlayCount, R"(playcount == "1987")"},
        {L::Bitrate, R"(bitrate == "1987")"},
    };
    for (const FollowingCase& c : numberCases) {
        SCOPED_TRACE(levelName(static_cast<std::int32_t>(c.following)));
        const MenuDefinition definition = libraryMenu({L::FirstLetter, c.following});
        EXPECT_EQ(sentQuery(definition, {chosen(L::FirstLetter, "1987")}, 1), c.expected);
    }
}

std::string textRange(const char* field, const char* low, const char* high) {
    const std::string f = field;
    const std::string notThe = "(!(" + f + " begins \"The \")";
    const std::string isThe = "(" + f + " begins \"The \"";
    return "((" + notThe + " AND " + f + " >= \"" + low + "\") OR " + isThe + " AND " + f +
           " >= \"The " + low + "\")) AND (" + notThe + " AND " + f + " < \"" + high + "\") OR " +
           isThe + " AND " + f + " < \"The " + high + "\")) OR " + notThe + " AND " + f +
           " begins \"" + high + "\") OR " + f + " begins \"The " + high + "\")";
}

TEST(QueryConditions, RangeConditionFollowsTheNextLevel) {
    // The helper above is checked once against the literal text.
    ASSERT_EQ(textRange("artist", "A", "Cz"),
              R"((((!(artist begins "The ") AND artist >= "A") OR (artist begins "The " AND )"
              R"(artist >= "The A")) AND ((!(artist begins "The ") AND artist < "Cz") OR )"
              R"((artist begins "The " AND artist < "The Cz")) OR (!(artist begins "The ") AND )"
              R"(artist begins "Cz") OR artist begins "The Cz"))");
    const std::string artist = textRange("artist", "A", "Cz");
    const std::string album = textRange("album", "A", "Cz");
    const std::string title = textRange("title", "A", "Cz");
    const FollowingCase textCases[] = {
        {L::Artist, artist.c_str()},
        {L::ArtistAlbum, artist.c_str()},
        {L::ArtistTitle, artist.c_str()},
        {L::Album, album.c_str()},
        {L::AlbumTitle, album.c_str()},
        {L::Title, title.c_str()},
        {L::Genre, R"(((genre >= "A") AND (genre < "Cz") OR (genre begins "Cz")))"},
        {L::Filename, R"(((filename >= "A") AND (filename < "Cz") OR (filename begins "Cz")))"},
        {L::FirstLetter, ""},
        {L::Range, ""},
    };
    for (const FollowingCase& c : textCases) {
        SCOPED_TRACE(levelName(static_cast<std::int32_t>(c.following)));
        const MenuDefinition definition = libraryMenu({L::Range, c.following});
        // Both bounds lose a leading "The ".
        EXPECT_EQ(sentQuery(definition, {chosen(L::Range, "The A", "the Cz")}, 1), c.expected);
    }
    const FollowingCase numberCases[] = {
        {L::Year, R"(year >= "1980" AND year <= "1989")"},
        {L::TrackNumber, R"(trackno >= "1980" AND trackno <= "1989")"},
        {L::Rating, R"(rating >= "1980" AND rating <= "1989")"},
        {L::PlayCount, R"(playcount >= "1980" AND playcount <= "1989")"},
        {L::Bitrate, R"(bitrate >= "1980" AND bitrate <= "1989")"},
    };
    for (const FollowingCase& c : numberCases) {
        SCOPED_TRACE(levelName(static_cast<std::int32_t>(c.following)));
        const MenuDefinition definition = libraryMenu({L::Range, c.following});
        EXPECT_EQ(sentQuery(definition, {chosen(L::Range, "1980", "1989")}, 1), c.expected);
    }
}

struct JoinCase {
    const char* name;
    MenuDefinition definition;
    std::vector<LevelSelection> path;
    int covered;
    std::string expected;
};

TEST(QueryConditions, ConditionsJoinInnermostFirstAfterTheUsersQuery) {
    const std::string beatles = R"((artist == "Beatles" OR artist == "The Beatles"))";
    const std::string abba = R"((artist == "Abba" OR artist == "The Abba"))";
    const std::string gold = R"((album == "Gold" OR album == "The Gold"))";
    const std::string albumG =
        R"(((!(album begins "The ") AND album begins "G") OR album begins "The G"))";
    const JoinCase cases[] = {
        {"user query, then inner before outer",
         libraryMenu({L::Genre, L::Artist, L::Title}, R"(year > 1970)"),
         {chosen(L::Genre, "Pop"), chosen(L::Artist, "The Beatles")},
         2,
         R"((year > 1970) && )" + beatles + R"( AND genre == "Pop")"},
        {"empty user query: no joiner",
         libraryMenu({L::Artist, L::Title}),
         {chosen(L::Artist, "The Beatles")},
         1,
         beatles},
        {"a query of spaces takes no joiner",
         libraryMenu({L::Artist, L::Title}, "   "),
         {chosen(L::Artist, "The Beatles")},
         1,
         "   " + beatles},
        {"an outer range adds nothing, not even a joiner",
         libraryMenu({L::Range, L::Artist, L::Album, L::Title}),
         {chosen(L::Range, "A", "C"), chosen(L::Artist, "Abba"), chosen(L::Album, "Gold")},
         3,
         gold + " AND " + abba},
        {"an outer first letter adds nothing",
         libraryMenu({L::FirstLetter, L::Artist, L::Title}, "x"),
         {chosen(L::FirstLetter, "A"), chosen(L::Artist, "Abba")},
         2,
         "(x) && " + abba},
        {"an innermost first letter follows the next level",
         libraryMenu({L::Artist, L::FirstLetter, L::Album}),
         {chosen(L::Artist, "Abba"), chosen(L::FirstLetter, "G")},
         2,
         albumG + " AND " + abba},
        {"records beyond the covered count are not read",
         libraryMenu({L::Artist, L::FirstLetter, L::Album}),
         {chosen(L::Artist, "Abba"), chosen(L::FirstLetter, "G")},
         1,
         abba},
        {"a first letter at the last level has no follower",
         libraryMenu({L::Artist, L::FirstLetter}, "x"),
         {chosen(L::Artist, "Abba"), chosen(L::FirstLetter, "G")},
         2,
         "(x) && " + abba},
        {"nothing covered: the user's query alone",
         libraryMenu({L::Artist, L::Title}, "genre == \"Pop\""),
         {chosen(L::Artist, "Abba")},
         0,
         "genre == \"Pop\""},
        {"no condition at all: no joiner",
         libraryMenu({L::FirstLetter}, "x"),
         {chosen(L::FirstLetter, "G")},
         1,
         "x"},
        {"a covered count beyond the path stops at its end",
         libraryMenu({L::Artist, L::Album, L::Title}),
         {chosen(L::Artist, "Abba")},
         5,
         abba},
        {"a range from the unknown years takes every year up to its end",
         libraryMenu({L::Range, L::Year}),
         {chosen(L::Range, "0", "1989")},
         1,
         R"(year <= "1989")"},
        {"a first letter over unknown track numbers takes them all",
         libraryMenu({L::FirstLetter, L::TrackNumber}),
         {chosen(L::FirstLetter, "0")},
         1,
         R"(trackno <= "0")"},
        {"a negative covered count covers nothing",
         libraryMenu({L::Artist, L::Title}, "x"),
         {chosen(L::Artist, "Abba")},
         -3,
         "x"},
    };
    for (const JoinCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sentQuery(c.definition, c.path, c.covered), c.expected);
    }
}

TEST(QueryConditions, AppendPathConditionsAddsToWhatTheBufferHolds) {
    const MenuDefinition definition = libraryMenu({L::Genre, L::Year, L::Title});
    const std::vector<LevelSelection> path = {chosen(L::Genre, "Pop"), chosen(L::Year, "1999")};
    char output[kQuerySize] = "start ";
    ASSERT_TRUE(appendPathConditions(definition, path, 2, output));
    EXPECT_STREQ(output, R"(start year == "1999" AND genre == "Pop")");
}

} // namespace
} // namespace tg
