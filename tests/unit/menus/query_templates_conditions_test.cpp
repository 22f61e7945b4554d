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

// The condition of a text a label shows stripped of "The " and spaces: both
// spellings, and every text beginning with a space or "The" and two spaces.
std::string either(const std::string& field, const std::string& value) {
    return "(" + field + " == \"" + value + "\" OR " + field + " == \"The " + value + "\" OR " +
           field + " begins \" \" OR " + field + " begins \"The  \")";
}

// Texts whose stripped label begins with one of the characters.
std::string beginsOneOf(const std::string& field, const std::string& initials) {
    std::string out = "(";
    for (const char c : initials)
        out += field + " begins \"" + c + "\" OR " + field + " begins \"The " + c + "\" OR ";
    return out + field + " begins \" \" OR " + field + " begins \"The  \")";
}

const char* const kLongValue = "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                               "aaaaaaaaaaaaaaaaaaaaaaaaaaaaa";

struct ValueCase {
    LevelType kind;
    const char* value;
    const char* secondValue;
    std::string expected;
};

TEST(QueryConditions, EachKindOfChosenValueGivesItsCondition) {
    ASSERT_EQ(either("artist", "Abba"), R"((artist == "Abba" OR artist == "The Abba" OR )"
                                        R"(artist begins " " OR artist begins "The  "))");
    const ValueCase cases[] = {
        {L::Artist, "The Beatles", "", either("artist", "Beatles")},
        {L::Album, "the White Album", "", either("album", "White Album")},
        // The year an album's label shows tells albums of one name apart.
        {L::Album, "Gold", "1992", either("album", "Gold") + R"( AND year == "1992")"},
        {L::Title, "Help", "", either("title", "Help")},
        {L::Genre, "Rock", "", either("genre", "Rock")},
        // Genres are grouped without "The " too: "The Blues" is the Blues item.
        {L::Genre, "The Blues", "", either("genre", "Blues")},
        {L::Year, "1969", "", R"(year == "1969")"},
        {L::TrackNumber, "7", "", R"(trackno == "7")"},
        // 0 stands for every unknown number: the library gives -1 for those.
        {L::Year, "0", "", R"(year <= "0")"},
        {L::TrackNumber, "0", "", R"(trackno <= "0")"},
        // Two values: every "/" may be where they meet, or the first holds it all.
        {L::ArtistAlbum, "The Who", "Tommy",
         "(" + either("artist", "Who/Tommy") + " OR (" + either("artist", "Who") +
             R"( AND album == "Tommy")))"},
        {L::ArtistTitle, "AC/DC", "Back",
         "(" + either("artist", "AC/DC/Back") + " OR (" + either("artist", "AC") +
             R"( AND title == "DC/Back") OR ()" + either("artist", "AC/DC") +
             R"( AND title == "Back")))"},
        {L::AlbumTitle, "Gold", "", either("album", "Gold")},
        {L::Rating, "5", "", R"(rating == "5")"},
        {L::PlayCount, "12", "", R"(playcount == "12")"},
        {L::Bitrate, "320", "", R"(bitrate == "320")"},
        // Not a number the library reads: no condition rather than a rejected query.
        {L::Rating, "99999999999", "", ""},
        {L::Filename, R"(C:\Music\a.mp3)", "", either("filename", R"(C:\Music\a.mp3)")},
        // Quotes and percent signs go as the library's escapes.
        {L::Title, "100% Pure", "", either("title", "100%25 Pure")},
        {L::Artist, R"(Tom "Bones" Malone)", "", either("artist", "Tom %22Bones%22 Malone")},
        {L::Artist, R"(x" OR artist != ")", "", either("artist", "x%22 OR artist != %22")},
        // A long value is asked for by its beginning.
        {L::Artist, kLongValue, "",
         "(artist begins \"" + std::string(64, 'a') + "\" OR artist begins \"The " +
             std::string(64, 'a') + R"(" OR artist begins " " OR artist begins "The  "))"},
        // Kinds without a condition: the raw entries, a popup past the last level, junk.
        {L::PlaylistEntries, "x", "", ""},
        {L::PastLastLevel, "x", "", ""},
        {static_cast<L>(-1), "x", "", ""},
        {static_cast<L>(99), "x", "", ""},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "kind " << static_cast<int>(c.kind) << " value " << c.value);
        const MenuDefinition definition = libraryMenu({L::Artist, L::Title});
        EXPECT_EQ(sentQuery(definition, {chosen(c.kind, c.value, c.secondValue)}, 1), c.expected);
    }
}

struct FollowingCase {
    LevelType following;
    std::string expected;
};

TEST(QueryConditions, FirstLetterConditionFollowsTheNextLevel) {
    const FollowingCase textCases[] = {
        {L::Artist, beginsOneOf("artist", "B")},
        {L::ArtistAlbum, beginsOneOf("artist", "B")},
        {L::ArtistTitle, beginsOneOf("artist", "B")},
        {L::Album, beginsOneOf("album", "B")},
        {L::AlbumTitle, beginsOneOf("album", "B")},
        {L::Title, beginsOneOf("title", "B")},
        // Their initials are shown as they stand.
        {L::Genre, R"(genre begins "B")"},
        {L::Filename, R"(filename begins "B")"},
        {L::FirstLetter, ""},
        {L::Range, ""},
    };
    for (const FollowingCase& c : textCases) {
        SCOPED_TRACE(levelName(c.following));
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
        SCOPED_TRACE(levelName(c.following));
        const MenuDefinition definition = libraryMenu({L::FirstLetter, c.following});
        EXPECT_EQ(sentQuery(definition, {chosen(L::FirstLetter, "1987")}, 1), c.expected);
    }
}

TEST(QueryConditions, RangeConditionAsksForTheFirstCharactersBetweenItsBounds) {
    const FollowingCase textCases[] = {
        {L::Artist, beginsOneOf("artist", "ABC")},
        {L::ArtistAlbum, beginsOneOf("artist", "ABC")},
        {L::ArtistTitle, beginsOneOf("artist", "ABC")},
        {L::Album, beginsOneOf("album", "ABC")},
        {L::AlbumTitle, beginsOneOf("album", "ABC")},
        {L::Title, beginsOneOf("title", "ABC")},
        {L::Genre, beginsOneOf("genre", "ABC")},
        {L::Filename, beginsOneOf("filename", "ABC")},
        {L::FirstLetter, ""},
        {L::Range, ""},
    };
    for (const FollowingCase& c : textCases) {
        SCOPED_TRACE(levelName(c.following));
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
        SCOPED_TRACE(levelName(c.following));
        const MenuDefinition definition = libraryMenu({L::Range, c.following});
        EXPECT_EQ(sentQuery(definition, {chosen(L::Range, "1980", "1989")}, 1), c.expected);
    }
    // Too many first characters between the bounds, or bounds that do not tell
    // themselves apart: no condition, the tracks are kept by their labels.
    const MenuDefinition definition = libraryMenu({L::Range, L::Artist});
    EXPECT_EQ(sentQuery(definition, {chosen(L::Range, "4", "E")}, 1), "");
    LevelSelection twoArrows = chosen(L::Range, "A -> B", "C");
    EXPECT_EQ(sentQuery(definition, {twoArrows}, 1), "");
}

struct JoinCase {
    const char* name;
    MenuDefinition definition;
    std::vector<LevelSelection> path;
    int covered;
    std::string expected;
};

TEST(QueryConditions, ConditionsJoinInnermostFirstAfterTheUsersQuery) {
    const std::string beatles = either("artist", "Beatles");
    const std::string abba = either("artist", "Abba");
    const std::string gold = either("album", "Gold");
    const std::string albumG = beginsOneOf("album", "G");
    const JoinCase cases[] = {
        {"user query, then inner before outer",
         libraryMenu({L::Genre, L::Artist, L::Title}, R"(year > 1970)"),
         {chosen(L::Genre, "Pop"), chosen(L::Artist, "The Beatles")},
         2,
         R"((year > 1970) && )" + beatles + " AND " + either("genre", "Pop")},
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
        {"an outer range narrows too",
         libraryMenu({L::Range, L::Artist, L::Album, L::Title}),
         {chosen(L::Range, "A", "C"), chosen(L::Artist, "Abba"), chosen(L::Album, "Gold")},
         3,
         gold + " AND " + abba + " AND " + beginsOneOf("artist", "ABC")},
        {"an outer first letter narrows too",
         libraryMenu({L::FirstLetter, L::Artist, L::Title}, "x"),
         {chosen(L::FirstLetter, "A"), chosen(L::Artist, "Abba")},
         2,
         "(x) && " + abba + " AND " + beginsOneOf("artist", "A")},
        {"a range that cannot be told by its bounds: nothing from it down",
         libraryMenu({L::Artist, L::Range, L::Album, L::Title}),
         {chosen(L::Artist, "Abba"), chosen(L::Range, "A -> B", "C"), chosen(L::Album, "Gold")},
         3,
         abba},
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
    EXPECT_EQ(std::string(output), R"(start year == "1999" AND )" + either("genre", "Pop"));
}

} // namespace
} // namespace tg
