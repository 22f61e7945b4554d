#include "menus/item_label.h"
#include "menus/label_reader.h"
#include "menus/text_order.h"
#include "model/text.h"
#include "support/level_fields.h"
#include "support/random_tracks.h"
#include "support/track_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tg {
namespace {

using L = LevelType;

MenuDefinition definitionWith(std::vector<LevelType> levels, bool trackNumbers = false,
                              bool addYear = false, int yearPosition = 0) {
    MenuDefinition d;
    d.levels = std::move(levels);
    d.showTrackNumbers = trackNumbers;
    d.addYearToAlbums = addYear;
    d.yearPosition = yearPosition;
    return d;
}

LevelSelection decode(const char* text, LevelType kind, const MenuDefinition& d) {
    LevelSelection s;
    s.kind = kind;
    copyText(s.secondValue, "untouched");
    decodeItemValue(text, d, s);
    return s;
}

TEST(DecodeItemValue, RemovesEveryDecorationOfItsKind) {
    const MenuDefinition none = definitionWith({});
    const MenuDefinition numbers = definitionWith({}, true);
    const MenuDefinition yearFirst = definitionWith({}, false, true, 0);
    const MenuDefinition yearAfter = definitionWith({}, false, true, 1);
    const struct {
        const char* name;
        LevelType kind;
        const MenuDefinition& definition;
        const char* text;
        const char* value;
        const char* second;
    } cases[] = {
        {"time cut", L::Artist, none, "Abba\t       [3:00]", "Abba", "untouched"},
        {"ampersands", L::Artist, none, "Simon && Garfunkel", "Simon & Garfunkel", "untouched"},
        {"lone ampersand dropped", L::Artist, none, "&Abba", "Abba", "untouched"},
        {"trailing ampersand", L::Artist, none, "Abba&", "Abba", "untouched"},
        {"four ampersands", L::Genre, none, "R&&&&B", "R&&B", "untouched"},
        {"spaces kept", L::Artist, none, "  The Who ", "  The Who ", "untouched"},
        {"null text", L::Artist, none, nullptr, "", "untouched"},
        {"year after", L::Album, yearAfter, "Live (Deluxe) (1999)\t     [40:00]", "Live (Deluxe)",
         "1999"},
        {"blank year after", L::Album, yearAfter, "Live (        )", "Live", ""},
        {"year after, empty album", L::Album, yearAfter, " (1999)", "", "1999"},
        {"year after, no parenthesis", L::Album, yearAfter, "Live", "Live", ""},
        {"year first", L::Album, yearFirst, "(1999) Live (x)", "Live (x)", "1999"},
        {"blank year first", L::Album, yearFirst, "(        ) Live", "Live", ""},
        {"year first, empty album", L::Album, yearFirst, "(1999) ", "", "1999"},
        {"year first, nothing after", L::Album, yearFirst, "(1999)", "(1999)", ""},
        {"year first, escaped", L::Album, yearFirst, "(2001) R&&B", "R&B", "2001"},
        {"no year option", L::Album, none, "Live (1999)", "Live (1999)", ""},
        {"year after, words in the last parenthesis", L::Album, yearAfter, "Live (Deluxe)", "Live",
         ""},
        {"year first, words in the parenthesis", L::Album, yearFirst, "(Live) Hits", "Hits", ""},
        {"track number", L::Title, numbers, "  7. Song", "Song", "untouched"},
        {"three digits", L::Title, numbers, "123. Song", "Song", "untouched"},
        {"four digits", L::Title, numbers, "1000. Song", "Song", "untouched"},
        {"no track", L::Title, numbers, "     12. Song", "12. Song", "untouched"},
        {"title with spaces", L::Title, numbers, "  7.   Song", "  Song", "untouched"},
        {"short title text", L::Title, numbers, "ab", "", "untouched"},
        {"no track option", L::Title, none, "  7. Song", "  7. Song", "untouched"},
        {"artist/album", L::ArtistAlbum, none, "Abba/Gold", "Abba", "Gold"},
        {"artist/album alone", L::ArtistAlbum, none, "Abba", "Abba", ""},
        {"artist/title second slash", L::ArtistTitle, none, "Abba/A/B", "Abba", "A/B"},
        {"album/title empty second", L::AlbumTitle, none, "Gold/", "Gold", ""},
        {"range", L::Range, none, "A -> B\t  [1:00:00]", "A", "B"},
        {"range spaces in bounds", L::Range, none, "A  -> B ", "A ", "B "},
        {"range arrow in bound", L::Range, none, "a->b -> c", "a->b", "c"},
        {"range escaped", L::Range, none, "A&&M -> B", "A&M", "B"},
        {"range without arrow", L::Range, none, "Queen", "Queen", ""},
        {"range bare arrow", L::Range, none, "A->B", "A", "B"},
        {"numeric range", L::Range, none, "1990 -> 1995", "1990", "1995"},
        {"bitrate", L::Bitrate, none, "192 kbps", "192", "untouched"},
        {"first letter", L::FirstLetter, none, "W", "W", "untouched"},
        {"year", L::Year, none, "1999\t       [3:00]", "1999", "untouched"},
        {"unknown kind", static_cast<L>(18), none, "x&&y", "x&y", "untouched"},
    };
    for (const auto& c : cases) {
        const LevelSelection s = decode(c.text, c.kind, c.definition);
        EXPECT_STREQ(s.value, c.value) << c.name;
        EXPECT_STREQ(s.secondValue, c.second) << c.name;
    }
}

TEST(DecodeItemValue, CutsLongTextsToTheValueBuffers) {
    const MenuDefinition d = definitionWith({});
    const std::string pair = std::string(200, 'a') + "/" + std::string(300, 'b');
    LevelSelection s = decode(pair.c_str(), L::ArtistAlbum, d);
    EXPECT_EQ(std::string(s.value), std::string(200, 'a'));
    EXPECT_EQ(std::string(s.secondValue), std::string(255, 'b'));
    const std::string single(1000, 'c');
    s = decode(single.c_str(), L::Artist, d);
    EXPECT_EQ(std::string(s.value), std::string(255, 'c'));
}

// ---- Round trip: label -> menu text -> value -----------------------------------

using test::extendedValue;
using test::firstField;

// The value a level's query needs, or nullopt when the record is not shown.
struct Expected {
    std::string value;
    std::optional<std::string> second;
};

std::optional<Expected> expectedValue(const TrackRecord& r, LevelType kind) {
    auto text = [](const char* t) { return std::string(t); };
    switch (kind) {
    case L::Artist: return Expected{text(r.artist), {}};
    case L::Album: return Expected{text(r.album), {}};
    case L::Title: return Expected{text(r.title), {}};
    case L::Genre: return Expected{text(r.genre), {}};
    case L::Filename: return Expected{text(r.filename), {}};
    // Unknown numbers (0 and below) all read as 0.
    case L::Year: return Expected{std::to_string(std::max(r.year, 0)), {}};
    case L::TrackNumber: return Expected{std::to_string(std::max(r.trackNumber, 0)), {}};
    case L::Rating:
    case L::PlayCount:
    case L::Bitrate: return Expected{text(extendedValue(r, kind)), {}};
    case L::ArtistAlbum: return Expected{text(r.artist), r.album ? text(r.album) : ""};
    case L::ArtistTitle: return Expected{text(r.artist), r.title ? text(r.title) : ""};
    case L::AlbumTitle: return Expected{text(r.album), r.title ? text(r.title) : ""};
    default: return std::nullopt;
    }
}

// Where the label formats lose information by design, the round trip is not
// expected to hold: a menu text longer than the 255 characters a menu read
// returns, a "/" in the first value of a combined level, a space in a bitrate
// value (its label ends at the first space).
bool fitsMenuRead(const std::string& escapedLabel) {
    return escapedLabel.substr(0, escapedLabel.find('\t')).size() <= 255;
}
bool keepsValue(const TrackRecord& r, LevelType kind) {
    if (kind == L::ArtistAlbum || kind == L::ArtistTitle || kind == L::AlbumTitle)
        return std::string(firstField(r, kind)).find('/') == std::string::npos;
    if (kind == L::Bitrate) return std::string(firstField(r, kind)).find(' ') == std::string::npos;
    return true;
}

TEST(DecodeItemValue, ReadsBackTheValueOfEveryFullLabel) {
    const LevelType kinds[] = {L::Artist,     L::Album,       L::Title,       L::Genre,
                               L::Year,       L::TrackNumber, L::ArtistAlbum, L::ArtistTitle,
                               L::AlbumTitle, L::Rating,      L::PlayCount,   L::Bitrate,
                               L::Filename};
    std::mt19937 rng(424242);
    test::TrackStore store;
    int checked = 0;
    int outside = 0;
    for (int n = 0; n < 1200; ++n) {
        test::TrackValues values = test::randomTrack(rng);
        if (n % 10 == 0) values.artist = std::string(n % 3 == 0 ? 300 : 120, '&'); // long escapes
        const TrackRecord r = store.make(values);
        for (int options = 0; options < 6; ++options) {
            for (const LevelType kind : kinds) {
                for (const bool letter : {false, true}) {
                    const MenuDefinition d =
                        letter ? definitionWith({L::FirstLetter, kind}, options & 1, options >= 2,
                                                options >= 4 ? 1 : 0)
                               : definitionWith({kind}, options & 1, options >= 2,
                                                options >= 4 ? 1 : 0);
                    char label[kLabelSize];
                    itemLabel(r, 0, true, d, label);
                    if (*stripLeadingThe(label) == '\0') continue; // not shown at this level
                    appendDuration(r.length, label);
                    escapeAmpersands(label);
                    const std::string menuText = std::string(label).substr(0, 255);
                    LevelSelection s;
                    s.kind = d.levels[0];
                    decodeItemValue(menuText.c_str(), d, s);
                    const std::optional<Expected> expected = expectedValue(r, kind);
                    ASSERT_TRUE(expected.has_value());
                    if (!fitsMenuRead(label) || (!letter && !keepsValue(r, kind))) {
                        ++outside;
                        continue;
                    }
                    ++checked;
                    if (letter) {
                        // One character (or a whole number) that the query matches
                        // against the start of the stripped value.
                        const std::string plain = expected->value;
                        const bool numeric = kind == L::Year || kind == L::TrackNumber ||
                                             kind == L::Rating || kind == L::PlayCount ||
                                             kind == L::Bitrate;
                        if (numeric) {
                            ASSERT_EQ(s.value, plain);
                        } else {
                            const bool strips = kind != L::Genre && kind != L::Filename;
                            const char* field = firstField(r, kind);
                            const char initial = static_cast<char>(
                                upperByte(*(strips ? stripLeadingThe(field) : field)));
                            ASSERT_EQ(std::string(s.value), std::string(1, initial));
                        }
                        continue;
                    }
                    ASSERT_EQ(std::string(stripLeadingThe(s.value)),
                              std::string(stripLeadingThe(expected->value.c_str())))
                        << "label \"" << label << "\" kind " << levelName(s.kind);
                    ASSERT_EQ(std::string(s.value), expected->value) << "label \"" << label << "\"";
                    if (expected->second) {
                        ASSERT_EQ(std::string(s.secondValue), *expected->second)
                            << "label \"" << label << "\"";
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 40000);
    EXPECT_LT(outside, checked / 10);
}

} // namespace
} // namespace tg
