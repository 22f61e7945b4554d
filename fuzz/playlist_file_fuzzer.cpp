// Any bytes as a playlist file inside a Directory menu, ".m3u" or ".m3u8", with
// ANSI or UTF-8 texts: the popup lists every line up to the first overlong one,
// except empty lines and "#" lines, each in the plug-in's texts (valid UTF-8
// when they are UTF-8) and escaped for the menu, in file order, and never opens
// "MORE" with two rows or more a column.
#include "actions/popup_sources.h"
#include "model/model_state.h"
#include "model/text.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "platform/text_encoding.h"
#include "platform/utf8.h"
#include "support/fuzz_host.h"
#include "support/line_model.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace tg;

constexpr char kFolder[] = "C:\\Music";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::HostSession session;
    static const bool folderMade = std::filesystem::create_directories(platform::hostPath(kFolder));
    (void)folderMade;
    const std::string_view bytes = fuzz::bytes(data, size);
    const bool utf8Texts = size / 7 % 2 == 1;
    const bool utf8File = size / 3 % 2 == 1;
    platform::setUtf8Texts(utf8Texts);
    const std::string file = std::string(kFolder) + (utf8File ? "\\list.m3u8" : "\\list.m3u");
    std::vector<std::string> entries;
    for (std::string& line : fuzz::expectedTextLines(bytes, utf8File, kLineLimit - 1))
        if (!line.empty() && line[0] != '#') entries.push_back(std::move(line));

    resetModel();
    const fuzz::Layout& layout = fuzz::pickLayout(size);
    fuzz::applyLayout(layout);
    fuzz::writeFile(file, bytes);
    MenuDefinition definition;
    applySourceDefaults(definition, SourceType::Directory);
    copyText(definition.query, file);
    std::vector<LevelSelection> path(1);
    HMENU popup = platform::createPopupMenu();
    fillDirectoryPopup(popup, definition, path, 0);

    const std::vector<fuzz::ShownItem> shown = fuzz::shownItems(popup);
    fuzz::check(shown.size() == entries.size(), "the popup shows " + std::to_string(shown.size()) +
                                                    " lines of " + std::to_string(entries.size()));
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const std::string expected = fuzz::expectedItemText(entries[i]);
        fuzz::check(shown[i].text == expected, "line " + std::to_string(i) + " shows \"" +
                                                   fuzz::printable(shown[i].text) + "\", not \"" +
                                                   fuzz::printable(expected) + "\"");
        fuzz::check(!utf8Texts || isValidUtf8(shown[i].text), "a line that is no UTF-8");
        fuzz::check((shown[i].flags & (MF_DISABLED | MF_GRAYED | MF_POPUP)) == 0,
                    "a playlist line that is not a plain enabled item");
    }
    if (layout.rows >= 2) {
        const std::size_t topItems = platform::sim::menuItems(popup).size();
        fuzz::check(topItems == shown.size(), "playlist lines opened a \"MORE\" submenu");
    }
    fuzz::check(platform::sim::messageBoxes().empty(), "a message for a readable playlist");
    platform::destroyMenu(popup);
    fuzz::check(platform::sim::liveMenuCount() == 0, "menus left alive");
    return 0;
}
