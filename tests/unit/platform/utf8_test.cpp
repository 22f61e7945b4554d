#include "platform/text_encoding.h"
#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace tg {
namespace {

const std::string kFffd = "\xEF\xBF\xBD";

TEST(Utf8, DecodesWhatIsValidAndReplacesEachBrokenPartOnce) {
    struct Row {
        std::string in;
        std::u16string wide;
        std::string back; // wideToUtf8(wide)
    };
    const Row rows[] = {
        {"Abc", u"Abc", "Abc"},
        {"\xC3\xA9t\xC3\xA9", u"\u00E9t\u00E9", "\xC3\xA9t\xC3\xA9"},
        {"\xE5\xAE\x87\xE5\xA4\x9A", u"\u5B87\u591A", "\xE5\xAE\x87\xE5\xA4\x9A"},
        {"\xF0\x9F\x8E\xB5", u"\U0001F3B5", "\xF0\x9F\x8E\xB5"}, // beyond the BMP: a pair
        {"a\x80"
         "b",
         u"a\uFFFDb", "a" + kFffd + "b"},                               // stray continuation
        {"\xC0\xAF", u"\uFFFD\uFFFD", kFffd + kFffd},                   // overlong, never valid
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", kFffd + kFffd + kFffd}, // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", kFffd + kFffd + kFffd + kFffd},
        {"\xE5\xAE", u"\uFFFD", kFffd}, // cut at the end: one replacement
        {"\xE5\xAE"
         "A",
         u"\uFFFDA", kFffd + "A"},
        {"\xFF", u"\uFFFD", kFffd},
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.in);
        EXPECT_EQ(utf8ToWide(row.in), row.wide);
        EXPECT_EQ(wideToUtf8(row.wide), row.back);
        EXPECT_EQ(isValidUtf8(row.in), row.back == row.in);
    }
}

TEST(Utf8, AnUnpairedSurrogateFromThePlayerBecomesOneReplacement) {
    const std::u16string rows[] = {u"\xD800", u"a\xDC00", u"\xDC00\xD800",
                                   u"\xD83C"
                                   "A"};
    const std::string want[] = {kFffd, "a" + kFffd, kFffd + kFffd, kFffd + "A"};
    for (std::size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(wideToUtf8(rows[i]), want[i]) << i;
}

TEST(Utf8, AFixedFieldWithoutTerminatorIsReadToItsEndOnly) {
    const char16_t field[4] = {u'a', u'b', u'c', u'd'};
    EXPECT_EQ(boundedWide(field, 4), u"abcd");
    EXPECT_EQ(boundedWide(field, 2), u"ab");
    const char16_t ended[4] = {u'a', 0, u'c', u'd'};
    EXPECT_EQ(boundedWide(ended, 4), u"a");
    EXPECT_EQ(boundedWide(nullptr, 4), u"");
}

TEST(Utf8, ACutNeverSplitsACharacter) {
    const std::string text = "a\xC3\xA9\xE5\xAE\x87\xF0\x9F\x8E\xB5"; // 1 + 2 + 3 + 4 bytes
    const std::size_t want[] = {0, 1, 1, 3, 3, 3, 6, 6, 6, 6, 10, 10};
    for (std::size_t limit = 0; limit < std::size(want); ++limit)
        EXPECT_EQ(platform::utf8CutLength(text, limit), want[limit]) << limit;
    // Bytes that are not UTF-8 are cut where the limit says.
    EXPECT_EQ(platform::utf8CutLength("\x80\x80\x80\x80\x80", 3), 3u);
    EXPECT_EQ(platform::utf8CutLength("ab\xE9"
                                      "cd",
                                      3),
              3u);
}

} // namespace
} // namespace tg
