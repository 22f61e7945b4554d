#include "menus/text_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tg {
namespace {

int sign(int v) {
    return (v > 0) - (v < 0);
}

TEST(StripLeadingThe, SkipsTheAndSpacesOnly) {
    const struct {
        const char* text;
        const char* stripped;
    } cases[] = {
        {"The Who", "Who"},
        {"the who", "who"},
        {"THE WHO", "WHO"},
        {"tHe  Who", "Who"},
        {"The", "The"},
        {"The ", ""},
        {"Theatre", "Theatre"},
        {"  Abba", "Abba"},
        {"", ""},
        {"   ", ""},
        {"Th", "Th"},
        {"T", "T"},
        {"The\tWho", "The\tWho"},
        {" The Who", "The Who"},
        {"The The Who", "The Who"},
        {"Tha Who", "Tha Who"},
        {"Uhe Who", "Uhe Who"},
        {"The-Who", "The-Who"},
    };
    for (const auto& c : cases) EXPECT_STREQ(stripLeadingThe(c.text), c.stripped) << c.text;
}

TEST(StripLeadingThe, ReturnsAPointerIntoTheText) {
    const char text[] = "The  Who";
    EXPECT_EQ(stripLeadingThe(text), text + 5);
}

TEST(CompareTextIgnoringThe, OrdersStrippedTextIgnoringCaseWithMissingLast) {
    const struct {
        const char* x;
        const char* y;
        int expected;
    } cases[] = {
        {"The Beatles", "beatles", 0},
        {"Abba", "The Beatles", -1},
        {"the beatles", "Abba", 1},
        {"ABBA", "abba", 0},
        {"abc", "abcd", -1},
        {"Zed", nullptr, -1},
        {nullptr, "", 1},
        {nullptr, nullptr, 0},
        {"", "a", -1},
        {"The ", "", 0},
        {"_x", "ax", -1},     // '_' (0x5F) before letters once they are folded to lower case
        {"[x", "Zx", -1},     // '[' (0x5B) before 'Z' once it is folded to 'z' (0x7A)
        {"\xC3\xA9", "e", 1}, // bytes above 127 compare unsigned, after ASCII
        {"Theatre", "The Atre", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sign(compareTextIgnoringThe(c.x, c.y)), c.expected)
            << (c.x ? c.x : "(null)") << " vs " << (c.y ? c.y : "(null)");
}

TEST(CompareTextThenWhole, TellsApartTextsEqualOnlyAfterStripping) {
    EXPECT_EQ(compareTextThenWhole("Best", "best"), 0);
    EXPECT_NE(compareTextThenWhole("The Best", "Best"), 0);
    EXPECT_EQ(sign(compareTextThenWhole("The Best", "Best")),
              -sign(compareTextThenWhole("Best", "The Best")));
    EXPECT_LT(compareTextThenWhole("Abba", "The Best"), 0); // stripped order first
    EXPECT_EQ(compareTextThenWhole("the best", "THE BEST"), 0);
    EXPECT_GT(compareTextThenWhole(nullptr, "x"), 0);
}

TEST(CompareFirstLetter, ComparesUpperCaseInitialsAfterStripping) {
    const struct {
        const char* x;
        const char* y;
        int expected;
    } cases[] = {
        {"The Who", "wailers", 0}, {"abba", "Beck", -1},  {"Beck", "Abba", 1}, {"The ", "A", -1},
        {"x", nullptr, -1},        {nullptr, nullptr, 0}, {"axe", "Azure", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sign(compareFirstLetter(c.x, c.y)), c.expected)
            << (c.x ? c.x : "(null)") << " vs " << (c.y ? c.y : "(null)");
}

TEST(LeadingInteger, ReadsLikeTheCLibraryWithoutOverflow) {
    const struct {
        const char* text;
        std::int64_t value;
    } cases[] = {
        {"10", 10},
        {"  42abc", 42},
        {"-7", -7},
        {"+8", 8},
        {"", 0},
        {"abc", 0},
        {"- 5", 0},
        {"\t9", 9},
        {"007", 7},
        {"99999999999999999999999", INT64_MAX},
        {"-99999999999999999999999", -INT64_MAX},
        {"3.9", 3},
    };
    for (const auto& c : cases) EXPECT_EQ(leadingInteger(c.text), c.value) << c.text;
}

TEST(CompareKeyWithBound, MatchesTheKeyOverTheBoundsLength) {
    EXPECT_EQ(compareKeyWithBound("Beatles", "be"), 0);
    EXPECT_LT(compareKeyWithBound("Abba", "B"), 0);
    EXPECT_GT(compareKeyWithBound("Cher", "B"), 0);
    EXPECT_LT(compareKeyWithBound("B", "Be"), 0); // a key shorter than the bound is below it
    EXPECT_EQ(compareKeyWithBound("anything", ""), 0);
}

TEST(FileNameListPredicates, LessIgnoresCaseAndNeverLessKeepsOrder) {
    EXPECT_TRUE(lessIgnoringCase("a.mp3", "B.mp3"));
    EXPECT_FALSE(lessIgnoringCase("B.mp3", "a.mp3"));
    EXPECT_FALSE(lessIgnoringCase("A.mp3", "a.mp3"));
    EXPECT_TRUE(lessIgnoringCase("The Z.mp3", "Zed.mp3")); // whole strings, no "The " rule

    std::vector<std::string> first{"c", "a"};
    std::vector<std::string> second{"b", "d"};
    std::vector<std::string> merged;
    std::merge(first.begin(), first.end(), second.begin(), second.end(), std::back_inserter(merged),
               [](const std::string& a, const std::string& b) { return neverLess(a, b); });
    EXPECT_EQ(merged, (std::vector<std::string>{"c", "a", "b", "d"}));
}

} // namespace
} // namespace tg
