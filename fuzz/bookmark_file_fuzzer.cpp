// Any bytes as the player's bookmark file (the code page one, or the UTF-8 one
// with UTF-8 texts): lines of any length, NUL bytes, no line end at the end.
// The line reader and the pair reader give exactly the lines and pairs the file
// holds up to the first overlong line, in the plug-in's texts, and the
// Bookmarks popup shows exactly those titles, escaped, disabled, in order.
#include "actions/bookmark_file.h"
#include "actions/line_reader.h"
#include "actions/popup_sources.h"
#include "model/model_state.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "platform/text_encoding.h"
#include "platform/utf8.h"
#include "support/fuzz_host.h"
#include "support/line_model.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tg;

const std::string kFile = std::string(fuzz::kSettingsFolder) + "\\Winamp.bm";
const std::string kUtf8File = kFile + "8";
constexpr std::size_t kMaxLine = kLineLimit - 1;

void checkLineReader(std::string_view bytes, const std::vector<std::string>& expected) {
    std::istringstream in{std::string(bytes)};
    std::vector<std::string> lines;
    std::string line;
    while (readLimitedLine(in, line)) {
        lines.push_back(line);
        fuzz::check(lines.size() <= expected.size(),
                    "the line reader gives more lines than expected");
    }
    fuzz::check(lines == expected, "the line reader gives " + std::to_string(lines.size()) +
                                       " lines, not " + std::to_string(expected.size()));
    fuzz::check(!readLimitedLine(in, line), "the line reader goes on after its end");
}

void checkPairReader(std::string_view bytes, bool utf8, const std::vector<std::string>& lines) {
    std::istringstream stream{std::string(bytes)};
    TextLines in(stream, utf8);
    std::string file;
    std::string title;
    std::size_t next = 0;
    while (readBookmarkPair(in, file, title)) {
        fuzz::check(next + 1 < lines.size(), "a pair beyond the readable lines");
        fuzz::check(file == lines[next] && title == lines[next + 1],
                    "pair " + std::to_string(next / 2) + " is not the file's");
        next += 2;
    }
    fuzz::check(next + 1 >= lines.size(), "pairs stop before the last readable pair");
    fuzz::check(!readBookmarkPair(in, file, title), "the pair reader goes on after its end");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::HostSession session;
    const std::string_view bytes = fuzz::bytes(data, size);
    checkLineReader(bytes, fuzz::expectedLines(bytes, kMaxLine));
    const bool utf8 = size / 7 % 2 == 1;
    platform::setUtf8Texts(utf8);
    const std::vector<std::string> lines = fuzz::expectedTextLines(bytes, utf8, kMaxLine);
    checkPairReader(bytes, utf8, lines);

    fuzz::applyLayout(fuzz::pickLayout(size));
    fuzz::writeFile(utf8 ? kUtf8File : kFile, bytes);
    MenuDefinition definition;
    applySourceDefaults(definition, SourceType::Bookmarks);
    HMENU popup = platform::createPopupMenu();
    fillBookmarksPopup(popup, definition);

    const std::vector<fuzz::ShownItem> shown = fuzz::shownItems(popup);
    fuzz::check(shown.size() == lines.size() / 2,
                "the popup shows " + std::to_string(shown.size()) + " bookmarks of " +
                    std::to_string(lines.size() / 2));
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const std::string expected = fuzz::expectedItemText(lines[2 * i + 1]);
        fuzz::check(shown[i].text == expected, "bookmark " + std::to_string(i) + " shows \"" +
                                                   fuzz::printable(shown[i].text) + "\", not \"" +
                                                   fuzz::printable(expected) + "\"");
        fuzz::check(!utf8 || isValidUtf8(shown[i].text), "a title that is no UTF-8");
        fuzz::check((shown[i].flags & MF_DISABLED) != 0, "a bookmark item that is not disabled");
    }
    platform::destroyMenu(popup);
    fuzz::check(platform::sim::liveMenuCount() == 0, "menus left alive");
    return 0;
}
