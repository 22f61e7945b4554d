#include "support/line_model.h"

#include "menus/column_layout.h"
#include "menus/item_label.h"
#include "model/file_text.h"
#include "model/model_state.h"
#include "platform/sim/inspect.h"
#include "platform/text_encoding.h"
#include "support/fuzz_host.h"

#include <cstring>

namespace tg::fuzz {

std::vector<std::string> expectedLines(std::string_view bytes, std::size_t maxCharacters) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find('\n', start);
        std::string line(bytes.substr(start, end == std::string_view::npos ? end : end - start));
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > maxCharacters) break;
        lines.push_back(std::move(line));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> expectedTextLines(std::string_view bytes, bool utf8,
                                           std::size_t maxCharacters) {
    if (startsWithByteOrderMark(bytes)) {
        bytes.remove_prefix(kByteOrderMark.size());
        utf8 = true;
    }
    std::vector<std::string> lines = expectedLines(bytes, maxCharacters);
    for (std::string& line : lines) line = textFromFile(line, utf8);
    return lines;
}

std::string expectedItemText(std::string_view text) {
    const bool utf8 = platform::utf8Texts();
    const auto cut = [&](std::string_view whole, std::size_t limit) {
        return whole.substr(0, utf8 ? platform::utf8CutLength(whole, limit) : limit);
    };
    text = cut(text, kLabelSize - 1);
    text = text.substr(0, text.find('\0'));
    std::size_t kept = 0;
    for (std::size_t width = 0; kept < text.size(); ++kept) {
        width += text[kept] == '&' ? 2 : 1;
        if (width > kLabelSize - 1) break;
    }
    std::string shown;
    for (const char c : cut(text, kept)) shown.append(c == '&' ? 2 : 1, c);
    return shown;
}

const Layout& pickLayout(std::size_t selector) {
    static const Layout kLayouts[] = {
        {4, 35, 2},            // the defaults
        {1, 1, 1},             // every item its own column: "MORE" in every menu
        {2, 3, 1},  {0, 0, 0}, // settings of 0 count as 1
        {3, 2, -4},
    };
    return kLayouts[selector % (sizeof kLayouts / sizeof kLayouts[0])];
}

void applyLayout(const Layout& layout) {
    GlobalOptions& o = model().options;
    o.columnCount = layout.columns;
    o.rowsPerColumn = layout.rows;
    o.moreColumnCount = layout.moreColumns;
}

namespace {

void collect(HMENU menu, std::vector<ShownItem>& shown) {
    // Iteratively: a popup of a thousand one-row columns nests as deep.
    while (menu != nullptr) {
        const std::vector<platform::sim::MenuItemView> items = platform::sim::menuItems(menu);
        HMENU more = nullptr;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const platform::sim::MenuItemView& item = items[i];
            if (item.submenu != nullptr && item.text == kMoreText) {
                check(i + 1 == items.size(), "\"MORE\" is not the last item of its menu");
                more = item.submenu;
                continue;
            }
            check(item.id == i,
                  "item id " + std::to_string(item.id) + " at position " + std::to_string(i));
            shown.push_back({item.text, item.flags});
        }
        menu = more;
    }
}

} // namespace

std::vector<ShownItem> shownItems(HMENU popup) {
    std::vector<ShownItem> shown;
    collect(popup, shown);
    return shown;
}

} // namespace tg::fuzz
