#include "menus/grouping.h"
#include "menus/item_label.h"
#include "menus/label_reader.h"
#include "menus/text_order.h"
#include "model/model_state.h"
#include "model/text.h"
#include "platform/text_encoding.h"
#include "support/track_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tg {
namespace {

using test::TrackStore;
using test::TrackValues;
using L = LevelType;

MenuDefinition definitionWith(std::vector<LevelType> levels) {
    MenuDefinition d;
    d.levels = std::move(levels);
    return d;
}

TEST(CommonPrefixLength, CountsEqualLeadingCharactersIgnoringCase) {
    const struct {
        const char* a;
        const char* b;
        int expected;
    } cases[] = {
        {"Beatles", "Beck", 2}, {"Abba", "Beatles", 0}, {"Q", "Queen", 1},
        {"Queen", "Q", 1},      {"Queen", "queen", 0},  {"", "", 0},
        {"", "x", 0},           {"abc", "abd", 2},      {"a&b", "A&C", 2},
        {"ab", "abc", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(commonPrefixLength(c.a, c.b), c.expected) << c.a << "|" << c.b;
}

TEST(NumericLevelFollows, LooksPastLevelsThatShowTheNextOnesLabel) {
    const struct {
        std::vector<LevelType> levels;
        int level;
        bool expected;
    } cases[] = {
        {{L::Range, L::Year}, 0, true},
        {{L::Range, L::Range, L::Bitrate}, 0, true},
        {{L::Range, L::TrackNumber}, 0, true},
        {{L::Range, L::Rating}, 0, true},
        {{L::Range, L::PlayCount}, 0, true},
        {{L::Range}, 0, true},
        {{L::Range, L::Artist}, 0, false},
        // A First Letter over years shows whole years: numbers all the same.
        {{L::Range, L::FirstLetter, L::Year}, 0, true},
        {{L::Range, L::FirstLetter, L::Artist}, 0, false},
        {{L::Range, L::Filename}, 0, false},
        {{L::Artist, L::Range, L::Year}, 1, true},
        {{L::Range, L::PlaylistEntries}, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numericLevelFollows(definitionWith(c.levels), c.level), c.expected);
}

TEST(RangeTargetGroups, TakesAboutTheSquareRootOfTheValues) {
    TrackStore store;
    auto artists = [&store](std::vector<const char*> names) {
        std::vector<TrackRecord> records;
        for (const char* n : names) records.push_back(store.make(TrackValues{.artist = n}));
        return records;
    };
    const MenuDefinition d = definitionWith({L::Range, L::Artist});
    const auto six = artists({"Abba", "Beatles", "Beck", "Blur", "Cher", "Doors"});
    EXPECT_EQ(rangeTargetGroups(d, 0, six.data(), 0, 5), 3);
    // Case and a leading "The " do not make values; an empty label counts none.
    const auto twins = artists({"", "The Beatles", "beatles", "Beatles", "Cher"});
    EXPECT_EQ(rangeTargetGroups(d, 0, twins.data(), 0, 4), 2); // x = 2, d = 2: 2 / 2 + 1
    const auto one = artists({"Queen", "queen"});
    EXPECT_EQ(rangeTargetGroups(d, 0, one.data(), 0, 1), 2); // x = 1 gives at least 2
    const auto empty = artists({"", "The "});
    EXPECT_EQ(rangeTargetGroups(d, 0, empty.data(), 0, 1), 0);
    EXPECT_EQ(rangeTargetGroups(d, 0, six.data(), 3, 2), 0);
    EXPECT_EQ(rangeTargetGroups(d, 0, nullptr, 0, 5), 0);
    EXPECT_EQ(rangeTargetGroups(d, 0, six.data(), 2, 4), 2); // x = 3, d = 2
}

TEST(RangeTargetGroups, NeverMakesMoreRangesThanRows) {
    TrackStore store;
    std::vector<TrackRecord> records;
    for (int year = 0; year < 10000; ++year)
        records.push_back(store.make(TrackValues{.year = year}));
    const MenuDefinition d = definitionWith({L::Range, L::Year});
    EXPECT_EQ(rangeTargetGroups(d, 0, records.data(), 0, 9999), 10000 / 35 + 1);
    model().options.rowsPerColumn = 200;
    EXPECT_EQ(rangeTargetGroups(d, 0, records.data(), 0, 9999), 101); // d = 100
    for (const int rows : {0, -7}) {
        model().options.rowsPerColumn = rows; // counts as 1: no division by zero
        EXPECT_EQ(rangeTargetGroups(d, 0, records.data(), 0, 9999), 10001);
    }
}

// The grouping walk of a Range level reduced to its labels: each entry is the
// stripped label of one record, in sort order. Returns the range items' texts.
std::vector<std::string> walkRanges(const std::vector<std::string>& labels, int target,
                                    bool numeric) {
    std::vector<std::string> items;
    char buffers[2][kLabelSize] = {};
    char* current = buffers[0];
    char* next = buffers[1];
    char range[kLabelSize] = {};
    int groups = 0;
    const int last = static_cast<int>(labels.size()) - 1;
    for (int i = 0; i <= last + 1; ++i) {
        if (current[0] == '\0') {
            if (i <= last) {
                copyText(current, kLabelSize, labels[i]);
                groups = 0;
            }
            continue;
        }
        if (i <= last) copyText(next, kLabelSize, labels[i]);
        if (i <= last && sameStrippedLabel(next, current)) continue;
        ++groups;
        if (advanceRange(groups, range, current, next, target, numeric, i == last + 1)) {
            std::swap(current, next);
            continue;
        }
        items.push_back(range);
        std::swap(current, next);
        advanceRange(groups, range, current, next, target, numeric);
    }
    return items;
}

int targetFor(const std::vector<std::string>& labels) {
    int x = 0;
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (i == 0 ? !labels[i].empty()
                   : !sameStrippedLabel(labels[i].c_str(), labels[i - 1].c_str()))
            ++x;
    if (x == 0) return 0;
    int d = 1;
    while (d * d < x) ++d;
    d = std::min(d, layoutRows());
    return std::max(x / d + 1, 2);
}

TEST(AdvanceRange, WalksTheWorkedExamples) {
    using Items = std::vector<std::string>;
    const struct {
        const char* name;
        std::vector<std::string> labels;
        int maxRangeChars;
        bool numeric;
        Items expected;
        bool utf8 = false; // bounds take whole characters, counted as characters
    } cases[] = {
        {"six artists",
         {"Abba", "Beatles", "Beck", "Blur", "Cher", "Doors"},
         2,
         false,
         {"A -> B", "C -> D"}},
        {"one value", {"Queen"}, 2, false, {"Q -> Qu"}},
        {"one value, many records", {"Queen", "queen", "Queen"}, 2, false, {"Q -> Qu"}},
        {"one-letter value", {"Q"}, 2, false, {"Q -> Q"}},
        {"two values", {"Abba", "Beatles"}, 2, false, {"A -> B"}},
        {"whole values",
         {"Abba", "Beatles", "Beck", "Blur", "Cher", "Doors"},
         0,
         false,
         {"Abba -> Blur", "Cher -> Doors"}},
        {"negative setting",
         {"Abba", "Beatles", "Beck", "Blur", "Cher", "Doors"},
         -1,
         false,
         {"Abba -> Blur", "Cher -> Doors"}},
        {"years",
         {"1969", "1971", "1971", "1975", "1980", "1999"},
         2,
         true,
         {"1969 -> 1975", "1980 -> 1999"}},
        // Bead/Beat and Beat/Beck need more than 2 characters: the range grows
        // past T = 4 to the next boundary that 2 characters tell apart.
        {"shared prefix",
         {"Aa", "Ab", "Ac", "Ad", "Bead", "Beat", "Beck", "Bf", "C"},
         2,
         false,
         {"Aa -> Be", "Bf -> C"}},
        // A value that the next one begins with is no boundary: "Q" as an upper
        // bound would take "Queen" in as well.
        {"prefix value",
         {"Abba", "Air", "Alf", "Q", "Queen", "Rush", "Sade"},
         2,
         false,
         {"Ab -> Q", "R -> S"}},
        {"UTF-8 letters",
         {"Caf\xC3\xA9", "\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE", "\xD0\x9A\xD1\x80\xD0\xB0\xD0\xB9",
          "\xE5\xAE\x87\xE5\xA4\x9A", "\xE5\xAE\x87\xE5\xAE\x99"},
         1,
         false,
         {"C -> \xD0\x9A", "\xE5\xAE\x87 -> \xE5\xAE\x87\xE5\xAE\x99"},
         true},
    };
    for (const auto& c : cases) {
        platform::setUtf8Texts(c.utf8);
        model().options.maxRangeChars = c.maxRangeChars;
        EXPECT_EQ(walkRanges(c.labels, targetFor(c.labels), c.numeric), c.expected) << c.name;
    }
    platform::setUtf8Texts(false);
}

// A UTF-8 label is cut after a whole character; in the code page every byte is one.
TEST(AdvanceRange, CutsUtf8LabelsBetweenCharacters) {
    const std::vector<std::string> labels = {
        "Abba", "\u0141ukasz", "\u0395\u03bb\u03ad\u03bd\u03b7", "\u6708\u91ce", "\u661f\u91ce"};
    model().options.maxRangeChars = 1;
    for (const bool utf8 : {true, false}) {
        platform::setUtf8Texts(utf8);
        const std::vector<std::string> items = walkRanges(labels, 2, false);
        ASSERT_FALSE(items.empty());
        EXPECT_EQ(items.front(), utf8 ? "A -> \u0395" : "A -> \xCE") << utf8;
    }
}

TEST(AdvanceRange, AllowanceGrowsEveryEightGroupsPastTheTarget) {
    // Values that all share "Sam" need L = 4 at every boundary; with T = 2 and
    // maxRangeChars 2 a boundary is allowed once (g - 2) / 8 >= 2, at g = 18.
    std::vector<std::string> labels;
    for (char c = 'a'; c <= 'z'; ++c) labels.push_back(std::string("Sam") + c);
    model().options.maxRangeChars = 2;
    const auto items = walkRanges(labels, 2, false);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], "Sama -> Samr");
    EXPECT_EQ(items[1], "Sams -> Samz");
}

TEST(AdvanceRange, LabelsStayInsideTheirBuffer) {
    const std::string longLabel(600, 'x');
    const std::string other = std::string(599, 'x') + "y";
    char range[kLabelSize + 8];
    std::memset(range, '#', sizeof range);
    int groups = 1;
    model().options.maxRangeChars = 2;
    EXPECT_FALSE(advanceRange(groups, range, longLabel.c_str(), other.c_str(), 2, false, true));
    EXPECT_EQ(std::strlen(range), kLabelSize - 1);
    for (std::size_t i = kLabelSize; i < sizeof range; ++i) EXPECT_EQ(range[i], '#');
}

bool inTextRange(const std::string& value, const std::string& lower, const std::string& upper) {
    return compareFolded(value.c_str(), lower.c_str()) >= 0 &&
           (compareFolded(value.c_str(), upper.c_str()) < 0 ||
            compareKeyWithBound(value.c_str(), upper.c_str()) == 0);
}

// Every range item, read back from its menu text, must select exactly its own
// values with the range rule of the queries (lower bound inclusive, upper bound
// exclusive, plus every value that begins with the upper bound).
TEST(AdvanceRange, RangesReadBackAndSelectExactlyTheirOwnValues) {
    std::mt19937 rng(5150);
    const char alphabet[] = "aabbbcAB &-";
    MenuDefinition d;
    for (int round = 0; round < 400; ++round) {
        std::vector<std::string> values;
        const int count = std::uniform_int_distribution<int>(1, 120)(rng);
        for (int i = 0; i < count; ++i) {
            std::string v;
            const int length = std::uniform_int_distribution<int>(1, 7)(rng);
            for (int k = 0; k < length; ++k)
                v += alphabet[std::uniform_int_distribution<int>(0, sizeof alphabet - 2)(rng)];
            if (*stripLeadingThe(v.c_str()) == '\0' || v.find(" -> ") != std::string::npos ||
                v.front() == ' ')
                continue;
            values.push_back(v);
        }
        if (values.empty()) continue;
        std::sort(values.begin(), values.end(), [](const std::string& a, const std::string& b) {
            return compareFolded(a.c_str(), b.c_str()) < 0;
        });
        model().options.maxRangeChars = std::uniform_int_distribution<int>(1, 3)(rng);
        const auto items = walkRanges(values, targetFor(values), false);
        ASSERT_FALSE(items.empty());
        std::vector<std::pair<std::string, std::string>> bounds;
        for (const std::string& item : items) {
            char text[kLabelSize];
            copyText(text, item);
            escapeAmpersands(text);
            LevelSelection s;
            s.kind = L::Range;
            decodeItemValue(text, d, s);
            ASSERT_EQ(std::string(s.value) + " -> " + s.secondValue, item);
            bounds.emplace_back(s.value, s.secondValue);
        }
        for (const std::string& v : values) {
            int matches = 0;
            for (const auto& [lower, upper] : bounds) matches += inTextRange(v, lower, upper);
            ASSERT_EQ(matches, 1) << "value \"" << v << "\" round " << round;
        }
    }
}

} // namespace
} // namespace tg
