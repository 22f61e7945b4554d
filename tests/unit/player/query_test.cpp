// The simulated library's query language: operators, precedence, case and
// number rules, rejection of bad text, and the condition texts the plug-in
// composes (with their "The " alternatives).
#include "player/query_language.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace tg::player {
namespace {

Track track(const char* title, const char* artist, int year = 0, int trackNumber = 0) {
    Track t;
    t.title = title;
    if (artist) t.artist = artist;
    t.year = year;
    t.trackNumber = trackNumber;
    t.filename = std::string("C:\\Music\\") + title + ".mp3";
    return t;
}

// Titles of the matching tracks in library order, or "rejected".
std::string matching(const std::vector<Track>& library, const std::string& text) {
    const QueryParseResult parsed = parseQuery(text);
    if (!parsed.query) return "rejected";
    std::string titles;
    for (const Track& t : library)
        if (parsed.query->matches(t)) titles += (titles.empty() ? "" : ",") + t.title.value_or("?");
    return titles;
}

std::vector<Track> smallLibrary() {
    std::vector<Track> library = {
        track("a1", "Abba", 1976, 1),     track("b1", "The Beatles", 1969, 2),
        track("b2", "beatles", 1965, 10), track("c1", "Cher", 0, 0),
        track("n1", nullptr, 999, 100),   track("t1", "The", 2001, 3),
        track("t2", "Theatre", 1995, 4),
    };
    library[0].genre = "Pop";
    library[0].rating = 5;
    library[0].playCount = 9;
    library[0].bitrate = 128;
    library[1].genre = "Rock";
    library[1].rating = 3;
    library[1].playCount = 10;
    library[2].genre = "rock";
    library[2].bitrate = 320;
    library[3].comment = "live & loud";
    library[4].filename.reset();
    return library;
}

struct Case {
    const char* query;
    const char* expected;
};

TEST(PlayerQuery, OperatorsCaseAndNumbers) {
    const std::vector<Track> library = smallLibrary();
    const Case cases[] = {
        {"", "a1,b1,b2,c1,n1,t1,t2"},
        {"   ", "a1,b1,b2,c1,n1,t1,t2"},
        {"artist == \"the beatles\"", "b1"},
        {"ARTIST == \"BEATLES\"", "b2"},
        {"artist != \"abba\"", "b1,b2,c1,n1,t1,t2"},
        {"artist = Cher", "c1"},
        {"artist begins \"The \"", "b1"},
        {"artist begins \"the\"", "b1,t1,t2"},
        {"artist ends \"LES\"", "b1,b2"},
        {"artist has \"eat\"", "b1,b2,t2"},
        {"artist < \"b\"", "a1,n1"},
        {"artist <= \"beatles\"", "a1,b2,n1"},
        {"artist > \"the\"", "b1,t2"},
        {"artist >= \"the\"", "b1,t1,t2"},
        {"artist == \"\"", "n1"},
        {"genre == \"ROCK\"", "b1,b2"},
        {"comment has \"&\"", "c1"},
        {"filename begins \"c:\\music\\b\"", "b1,b2"},
        {"year == \"1969\"", "b1"},
        {"year == 1969", "b1"},
        {"year == \" 1969 \"", "b1"},
        {"year < 1000", "c1,n1"},
        {"year == \"0\"", "c1"},
        {"year >= \"1969\" AND year <= \"1995\"", "a1,b1,t2"},
        {"year begins \"19\"", "a1,b1,b2,t2"},
        // Numbers, not text: 9 < 10 and 100 > 99.
        {"trackno > 9", "b2,n1"},
        {"trackno < \"10\"", "a1,b1,c1,t1,t2"},
        {"playcount < 10", "a1"},
        {"playcount >= 9", "a1,b1"},
        // A missing extended field satisfies only "!=".
        {"rating != 5", "b1,b2,c1,n1,t1,t2"},
        {"rating == 0", ""},
        {"bitrate >= \"0\"", "a1,b2"},
        {"length == 0", "a1,b1,b2,c1,n1,t1,t2"},
        // Inside quotes "%" and two hex digits are that byte, "%%" a percent
        // sign, any other "%" itself; bare words are taken as they stand.
        {"artist == \"%41bba\"", "a1"},
        {"artist begins \"The%20\"", "b1"},
        {"comment has \"%26 loud\"", "c1"},
        {"year == \"%31969\"", "b1"},
        {"artist == \"abba%\"", ""},
        {"artist == \"ab%%ba\"", ""},
        {"artist == %41bba", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(matching(library, c.query), c.expected) << c.query;
}

TEST(PlayerQuery, PrecedenceAndGrouping) {
    const std::vector<Track> library = smallLibrary();
    const Case cases[] = {
        // AND binds tighter than OR, on both spellings.
        {"artist == abba OR artist == cher AND year == 1", "a1"},
        {"artist == abba || artist == cher && year == 0", "a1,c1"},
        {"(artist == abba OR artist == cher) AND year == 0", "c1"},
        // "!" binds tighter than AND.
        {"!artist begins \"the \" AND artist begins \"t\"", "t1,t2"},
        {"!(artist begins \"t\" OR artist begins \"a\")", "b2,c1,n1"},
        {"!!(year == 1969)", "b1"},
        {"((((year == 1969))))", "b1"},
        {"artist==abba OR(year==0)", "a1,c1"},
        {"year > 1990 and year < 2000 or trackno == 100", "n1,t2"},
        // Keywords as bare values, and long flat chains.
        {"artist == and OR artist == or", ""},
        {"year == 1 OR year == 2 OR year == 3 OR year == 1965 OR year == 1976", "a1,b2"},
    };
    for (const Case& c : cases) EXPECT_EQ(matching(library, c.query), c.expected) << c.query;
}

TEST(PlayerQuery, RejectsTextThatDoesNotParse) {
    const char* bad[] = {
        "artist",
        "artist ==",
        "artist == \"abba",
        "== \"abba\"",
        "singer == abba",
        "(artist == abba",
        "artist == abba)",
        "artist == abba AND",
        "OR artist == abba",
        "artist abba",
        "year == \"19x9\"",
        "year == \"\"",
        "rating > 99999999999",
        "artist == \"a\" \"b\"",
        "artist == a & year == 1",
        "artist == a | year == 1",
        "!",
        "()",
        // A value holding a double quote ends early and leaves text behind.
        "title == \"Say \"Hi\"\"",
    };
    const std::vector<Track> library = smallLibrary();
    for (const char* text : bad) {
        const QueryParseResult parsed = parseQuery(text);
        EXPECT_FALSE(parsed.query.has_value()) << text;
        EXPECT_FALSE(parsed.error.empty()) << text;
    }
}

TEST(PlayerQuery, DeepNestingIsRejectedNotOverflowed) {
    const std::string deep = std::string(100000, '(') + "year == 1" + std::string(100000, ')');
    EXPECT_FALSE(parseQuery(deep).query.has_value());
    EXPECT_FALSE(parseQuery(std::string(100000, '!') + "year == 1").query.has_value());
    const std::string fine = std::string(100, '(') + "year == 1969" + std::string(100, ')');
    EXPECT_EQ(matching(smallLibrary(), fine), "b1");
    std::string chain = "year == 1969";
    for (int i = 0; i < 20000; ++i) chain += " OR year == 1";
    EXPECT_EQ(matching(smallLibrary(), chain), "b1");
}

// ---- The plug-in's condition texts -------------------------------------------

// Fills "%s" and "%c" from left to right, as the plug-in's formatting does.
std::string fill(std::string_view format, std::initializer_list<std::string_view> values) {
    std::string text;
    auto value = values.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && value != values.end() &&
            (format[i + 1] == 's' || format[i + 1] == 'c')) {
            text += format[i + 1] == 's' ? *value : value->substr(0, 1);
            ++value;
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

// The same value set in the artist, album or title field, so one table serves all three.
std::vector<Track> theNames(TrackField field) {
    const char* names[] = {"Abba", "The Beatles", "beatles", "Beck",    "Blur",
                           "Cher", "Doors",       "The",     "The The", "Theatre",
                           "Them", "The Who",     "the who", "Wire",    nullptr};
    std::vector<Track> library;
    int n = 0;
    for (const char* name : names) {
        Track t;
        if (field != TrackField::Title) t.title = std::to_string(n);
        if (name) textFieldRef(t, field) = name;
        t.comment = name ? name : "(none)";
        library.push_back(t);
        ++n;
    }
    return library;
}

std::string matchingNames(const std::vector<Track>& library, const std::string& text) {
    const QueryParseResult parsed = parseQuery(text);
    if (!parsed.query) return "rejected: " + parsed.error;
    std::string names;
    for (const Track& t : library)
        if (parsed.query->matches(t)) names += (names.empty() ? "" : "|") + *t.comment;
    return names;
}

struct TheField {
    TrackField field;
    const char* equal;
    const char* letter;
    const char* range;
};

const TheField kTheFields[] = {
    {TrackField::Artist, "(artist == \"%s\" OR artist == \"The %s\")",
     "((!(artist begins \"The \") AND artist begins \"%c\") OR artist begins \"The %c\")",
     "(((!(artist begins \"The \") AND artist >= \"%s\") OR (artist begins \"The \" AND artist >= "
     "\"The %s\")) AND ((!(artist begins \"The \") AND artist < \"%s\") OR (artist begins \"The \" "
     "AND artist < \"The %s\")) OR (!(artist begins \"The \") AND artist begins \"%s\") OR artist "
     "begins "
     "\"The %s\")"},
    {TrackField::Album, "(album == \"%s\" OR album == \"The %s\")",
     "((!(album begins \"The \") AND album begins \"%c\") OR album begins \"The %c\")",
     "(((!(album begins \"The \") AND album >= \"%s\") OR (album begins \"The \" AND album >= "
     "\"The %s\")) AND ((!(album begins \"The \") AND album < \"%s\") OR (album begins \"The \" "
     "AND album < \"The %s\")) OR (!(album begins \"The \") AND album begins \"%s\") OR album "
     "begins "
     "\"The %s\")"},
    {TrackField::Title, "(title == \"%s\" OR title == \"The %s\")",
     "((!(title begins \"The \") AND title begins \"%c\") OR title begins \"The %c\")",
     "(((!(title begins \"The \") AND title >= \"%s\") OR (title begins \"The \" AND title >= "
     "\"The %s\")) AND ((!(title begins \"The \") AND title < \"%s\") OR (title begins \"The \" "
     "AND title < \"The %s\")) OR (!(title begins \"The \") AND title begins \"%s\") OR title "
     "begins "
     "\"The %s\")"},
};

TEST(PlayerQuery, EqualityTakesBothSpellingsOfThe) {
    const Case cases[] = {
        {"Beatles", "The Beatles|beatles"},
        {"Who", "The Who|the who"},
        {"The", "The|The The"}, // "The" alone and "The The" both strip to "The"
        {"Theatre", "Theatre"},
        {"Them", "Them"},
        {"Abba", "Abba"},
        {"Nobody", ""},
    };
    for (const TheField& f : kTheFields) {
        const std::vector<Track> library = theNames(f.field);
        for (const Case& c : cases)
            EXPECT_EQ(matchingNames(library, fill(f.equal, {c.query, c.query})), c.expected)
                << fieldName(f.field) << " " << c.query;
    }
}

TEST(PlayerQuery, FirstLetterLooksPastThe) {
    const struct {
        char letter;
        const char* expected;
    } cases[] = {
        {'B', "The Beatles|beatles|Beck|Blur"},
        {'T', "The|The The|Theatre|Them"},
        {'W', "The Who|the who|Wire"},
        {'a', "Abba"},
        {'Z', ""},
    };
    for (const TheField& f : kTheFields) {
        const std::vector<Track> library = theNames(f.field);
        for (const auto& c : cases)
            EXPECT_EQ(matchingNames(library, fill(f.letter, {std::string_view(&c.letter, 1),
                                                             std::string_view(&c.letter, 1)})),
                      c.expected)
                << fieldName(f.field) << " " << c.letter;
    }
}

// Ranges as the grouping closes them: each bound is cut to one character more
// than it shares with the neighbouring value. Together they cover every
// present value exactly once.
TEST(PlayerQuery, RangeTakesItsOwnValuesAndNoNeighbours) {
    const struct {
        const char* lower;
        const char* upper;
        const char* expected;
    } ranges[] = {
        {"A", "Be", "Abba|The Beatles|beatles|Beck"},
        {"Bl", "C", "Blur|Cher"},
        {"D", "Do", "Doors"},
        {"T", "Wi", "The|The The|Theatre|Them|The Who|the who|Wire"},
    };
    for (const TheField& f : kTheFields) {
        const std::vector<Track> library = theNames(f.field);
        for (const auto& r : ranges)
            EXPECT_EQ(matchingNames(library, fill(f.range, {r.lower, r.lower, r.upper, r.upper,
                                                            r.upper, r.upper})),
                      r.expected)
                << fieldName(f.field) << " " << r.lower << " -> " << r.upper;
    }
}

// Closing the range after Them (next value Who) gives the upper bound "Th",
// a prefix of "The ": the begins-alternative must not take the "The ..."
// values of other ranges.
TEST(PlayerQuery, RangeUpperBoundThTakesOnlyItsOwnNames) {
    const std::vector<Track> library = theNames(TrackField::Artist);
    EXPECT_EQ(matchingNames(library, fill(kTheFields[0].range, {"T", "T", "Th", "Th", "Th", "Th"})),
              "The|The The|Theatre|Them");
}

TEST(PlayerQuery, PlainTemplatesOfTheOtherLevels) {
    std::vector<Track> library;
    const struct {
        const char* genre;
        int year;
        int trackNumber;
        int rating;
        const char* filename;
    } rows[] = {
        {"Blues", 1959, 1, 1, "C:\\a.mp3"},   {"blues rock", 1969, 2, 2, "C:\\B.mp3"},
        {"Country", 1970, 9, 3, "C:\\b.mp3"}, {"The Blues", 1999, 10, 4, "D:\\c.ogg"},
        {"Rock", 2000, 11, 5, "D:\\d.ogg"},
    };
    for (const auto& row : rows) {
        Track t;
        t.genre = row.genre;
        t.year = row.year;
        t.trackNumber = row.trackNumber;
        t.rating = row.rating;
        t.playCount = row.rating * 10;
        t.bitrate = row.rating * 64;
        t.filename = row.filename;
        t.title = row.filename;
        library.push_back(t);
    }
    const Case cases[] = {
        {"genre == \"Blues\"", "C:\\a.mp3"},
        {"genre begins \"B\"", "C:\\a.mp3,C:\\B.mp3"},
        {"(genre >= \"Bl\") AND (genre < \"C\") OR (genre begins \"C\")",
         "C:\\a.mp3,C:\\B.mp3,C:\\b.mp3"},
        {"(genre >= \"R\") AND (genre < \"T\") OR (genre begins \"T\")", "D:\\c.ogg,D:\\d.ogg"},
        {"year == \"1969\"", "C:\\B.mp3"},
        {"year >= \"1969\" AND year <= \"1999\"", "C:\\B.mp3,C:\\b.mp3,D:\\c.ogg"},
        {"trackno == \"9\"", "C:\\b.mp3"},
        {"trackno >= \"9\" AND trackno <= \"10\"", "C:\\b.mp3,D:\\c.ogg"},
        {"rating == \"5\"", "D:\\d.ogg"},
        {"rating >= \"2\" AND rating <= \"3\"", "C:\\B.mp3,C:\\b.mp3"},
        {"playcount == \"20\"", "C:\\B.mp3"},
        {"playcount >= \"9\" AND playcount <= \"10\"", "C:\\a.mp3"},
        {"bitrate == \"320\"", "D:\\d.ogg"},
        {"bitrate >= \"64\" AND bitrate <= \"128\"", "C:\\a.mp3,C:\\B.mp3"},
        // File names ignore case in queries too.
        {"filename == \"C:\\b.mp3\"", "C:\\B.mp3,C:\\b.mp3"},
        {"filename begins \"D\"", "D:\\c.ogg,D:\\d.ogg"},
        {"(filename >= \"C:\\b\") AND (filename < \"D\") OR (filename begins \"D\")",
         "C:\\B.mp3,C:\\b.mp3,D:\\c.ogg,D:\\d.ogg"},
    };
    for (const Case& c : cases) EXPECT_EQ(matching(library, c.query), c.expected) << c.query;
}

} // namespace
} // namespace tg::player
