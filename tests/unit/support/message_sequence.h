// What the tests read back as lists of texts: the simulated player's log held
// against an expected sequence of lines, in order, and the plug-in playlist.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace tg {
namespace test {

using Texts = std::vector<std::string>;

// One expected line: the whole line, or only how it begins. An optional line
// may be missing.
struct Line {
    Line(std::string whole) : text(std::move(whole)) {}
    Line(const char* whole) : text(whole) {}
    bool matches(const std::string& line) const;

    std::string text;
    bool beginning = false;
    bool optional = false;
};
Line begins(std::string start);
Line optional(Line line);

// Named sequences compose with +.
class Sequence {
public:
    Sequence() = default;
    Sequence(std::initializer_list<Line> lines) : lines_(lines) {}
    const std::vector<Line>& lines() const { return lines_; }

    friend Sequence operator+(Sequence a, const Sequence& b) {
        a.lines_.insert(a.lines_.end(), b.lines_.begin(), b.lines_.end());
        return a;
    }

private:
    std::vector<Line> lines_;
};

// The lines in the order expected, none missing and none more, except those
// beginning with one of ignored. A failure lists every line by its number,
// where they differ as "expected X, got Y".
testing::AssertionResult linesAre(const Texts& lines, const Sequence& expected,
                                  const Texts& ignored = {});
// The same of the player's log since it was last cleared.
testing::AssertionResult logIs(const Sequence& expected, const Texts& ignored = {});
// What a check of the frame's own messages passes over: the menu loop's notes
// of every move, the lookups behind an action and what the player sends back.
extern const Texts kMenuMovesAndLookups;

// How many lines of the player's log match.
int logCount(const Line& line);
inline bool logHas(const Line& line) {
    return logCount(line) > 0;
}

// The plug-in playlist's files, head first.
Texts queuedFiles();

} // namespace test

// In tg itself, where every test finds it.
test::Texts operator+(test::Texts a, const test::Texts& b);

} // namespace tg
