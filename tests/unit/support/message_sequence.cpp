#include "support/message_sequence.h"

#include "actions/plugin_playlist.h"
#include "player/player.h"

#include <algorithm>
#include <sstream>

namespace tg {
namespace test {
namespace {

std::string shown(const Line& line) {
    std::string text = '"' + line.text + '"';
    if (line.beginning) text += "...";
    if (line.optional) text += " (optional)";
    return text;
}

bool startsWith(const std::string& line, const std::string& start) {
    return line.compare(0, start.size(), start) == 0;
}

} // namespace

const Texts kMenuMovesAndLookups = {
    "WM_MENUSELECT", "WM_UNINITMENUPOPUP",    "HOST_GET_", "ML_RUN_", "ML_FREE_",
    "PLAYLIST_",     "HOST_NEXT_ENTRY_QUERY", "send "};

bool Line::matches(const std::string& line) const {
    return beginning ? startsWith(line, text) : line == text;
}

Line begins(std::string start) {
    Line line(std::move(start));
    line.beginning = true;
    return line;
}

Line optional(Line line) {
    line.optional = true;
    return line;
}

testing::AssertionResult linesAre(const Texts& lines, const Sequence& expected,
                                  const Texts& ignored) {
    const std::vector<Line>& want = expected.lines();
    const auto isIgnored = [&](const std::string& line) {
        return std::any_of(ignored.begin(), ignored.end(),
                           [&](const std::string& start) { return startsWith(line, start); });
    };
    // A row per line of the log, then one per expected line past its end.
    std::ostringstream rows;
    std::size_t row = 0;
    bool differs = false;
    std::size_t w = 0;
    std::size_t n = 0;
    while (n < lines.size() || w < want.size()) {
        const bool hasLine = n < lines.size();
        const std::string got = hasLine ? '"' + lines[n] + '"' : "nothing";
        if (hasLine && isIgnored(lines[n])) {
            rows << "\n  " << row++ << ": " << got << " (ignored)";
            ++n;
        } else if (hasLine && w < want.size() && want[w].matches(lines[n])) {
            rows << "\n  " << row++ << ": " << got;
            ++n;
            ++w;
        } else if (w < want.size() && want[w].optional) {
            ++w;
        } else {
            differs = true;
            rows << "\n  " << row++ << ": expected "
                 << (w < want.size() ? shown(want[w]) : "nothing more") << ", got " << got;
            if (w < want.size()) ++w;
            if (hasLine) ++n;
        }
    }
    if (!differs) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the lines differ from the sequence:" << rows.str();
}

testing::AssertionResult logIs(const Sequence& expected, const Texts& ignored) {
    return linesAre(player::player().log(), expected, ignored);
}

int logCount(const Line& line) {
    const Texts& log = player::player().log();
    return static_cast<int>(std::count_if(log.begin(), log.end(),
                                          [&](const std::string& l) { return line.matches(l); }));
}

Texts queuedFiles() {
    Texts files;
    for (const QueueEntry& entry : pluginPlaylist()) files.push_back(entry.file);
    return files;
}

} // namespace test

test::Texts operator+(test::Texts a, const test::Texts& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace tg
