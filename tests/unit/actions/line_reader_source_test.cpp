// Bounded line reading of the player's text files, and the bookmark pairs.
#include "actions/bookmark_file.h"
#include "actions/line_reader.h"
#include "actions/popup_sources.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tg {
namespace {

const std::string kLongest(kLineLimit - 1, 'x');
const std::string kTooLong(kLineLimit, 'y');

struct LinesCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

class ReadLimitedLine : public testing::TestWithParam<LinesCase> {};

TEST_P(ReadLimitedLine, ReadsLinesUntilTheEndOrAnOverlongLine) {
    std::istringstream in(GetParam().text);
    std::vector<std::string> lines;
    std::string line;
    while (readLimitedLine(in, line)) lines.push_back(line);
    EXPECT_EQ(lines, GetParam().lines);
    EXPECT_FALSE(readLimitedLine(in, line)) << "reading stays ended";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadLimitedLine,
    testing::Values(LinesCase{"Empty", "", {}}, LinesCase{"OneEmptyLine", "\n", {""}},
                    LinesCase{"NoFinalNewline", "a\nb", {"a", "b"}},
                    LinesCase{"FinalNewline", "a\nb\n", {"a", "b"}},
                    LinesCase{"EmptyLinesKept", "a\n\n\nb\n", {"a", "", "", "b"}},
                    LinesCase{"CarriageReturns", "a\r\nb\r\n", {"a", "b"}},
                    LinesCase{"LoneCarriageReturnStays", "a\rb\n", {"a\rb"}},
                    LinesCase{"LongestLine", kLongest + "\n" + kLongest, {kLongest, kLongest}},
                    LinesCase{
                        "LongestLineWithCarriageReturn", kLongest + "\r\nz\r\n", {kLongest, "z"}},
                    LinesCase{"OverlongLineEndsReading", "a\n" + kTooLong + "\nb\n", {"a"}},
                    LinesCase{"OverlongLastLine", "a\n" + kTooLong, {"a"}},
                    LinesCase{"HugeLine", "a\n" + std::string(1 << 20, 'h') + "\nb", {"a"}}),
    [](const testing::TestParamInfo<LinesCase>& param) { return std::string(param.param.name); });

// A file that fails part-way: its buffer throws, as a file stream's does on a
// read error.
class FailingBuffer : public std::stringbuf {
public:
    explicit FailingBuffer(const std::string& text) : std::stringbuf(text) {}

protected:
    int_type underflow() override {
        const int_type c = std::stringbuf::underflow();
        if (c == traits_type::eof()) throw std::ios_base::failure("read error");
        return c;
    }
};

TEST(ReadLimitedLineErrors, AReadErrorEndsReadingWithoutThrowing) {
    FailingBuffer buffer("a\nb");
    std::istream in(&buffer);
    std::string line;
    ASSERT_TRUE(readLimitedLine(in, line));
    EXPECT_EQ(line, "a");
    EXPECT_FALSE(readLimitedLine(in, line));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(readLimitedLine(in, line)) << "reading stays ended";
}

struct Pair {
    std::string file;
    std::string title;
    bool operator==(const Pair&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Pair& pair) {
    return out << '{' << pair.file << ", " << pair.title << '}';
}

std::vector<Pair> pairsOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<Pair> pairs;
    Pair pair;
    TextLines lines(in, false);
    while (readBookmarkPair(lines, pair.file, pair.title)) pairs.push_back(pair);
    EXPECT_FALSE(readBookmarkPair(lines, pair.file, pair.title)) << "reading stays ended";
    return pairs;
}

TEST(ReadBookmarkPair, TakesLinesInPairsFromTheFirst) {
    EXPECT_EQ(pairsOf("C:\\a.mp3\nSong A\nD:\\b.ogg\nSong B\n"),
              (std::vector<Pair>{{"C:\\a.mp3", "Song A"}, {"D:\\b.ogg", "Song B"}}));
    EXPECT_EQ(pairsOf("\nSong A\nD:\\b.ogg\n\n"),
              (std::vector<Pair>{{"", "Song A"}, {"D:\\b.ogg", ""}}))
        << "empty lines count as lines";
}

TEST(ReadBookmarkPair, FileLineWithoutTitleIsNoPair) {
    EXPECT_EQ(pairsOf("C:\\a.mp3\nSong A\nC:\\b.mp3\n"),
              (std::vector<Pair>{{"C:\\a.mp3", "Song A"}}));
}

TEST(ReadBookmarkPair, NoPairIsTakenAfterAnOverlongLine) {
    EXPECT_EQ(pairsOf("C:\\a.mp3\nSong A\n" + kTooLong + "\nSong B\nC:\\c.mp3\nSong C\n"),
              (std::vector<Pair>{{"C:\\a.mp3", "Song A"}}))
        << "an overlong file line";
    EXPECT_EQ(pairsOf("C:\\a.mp3\nSong A\nC:\\b.mp3\n" + kTooLong + "\nC:\\c.mp3\nSong C\n"),
              (std::vector<Pair>{{"C:\\a.mp3", "Song A"}}))
        << "an overlong title: the pairing after it is lost, so nothing more is taken";
    EXPECT_EQ(pairsOf(kLongest + "\n" + kLongest + "\n"),
              (std::vector<Pair>{{kLongest, kLongest}}));
}

} // namespace
} // namespace tg
