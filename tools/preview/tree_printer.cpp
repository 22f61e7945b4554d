#include "tree_printer.h"

#include "json_text.h"

#include <algorithm>

namespace tg::preview {

namespace {

// Labels wider than this do not push every duration of their menu further right.
constexpr std::size_t kWidestAlignedLabel = 60;

struct Line {
    std::string label; // display text before the tab, with " >" for a submenu
    std::string after; // display text after the tab
    bool hasTab = false;
};

Line lineOf(const MenuNode& item) {
    Line line;
    const std::size_t tab = item.text.find('\t');
    line.hasTab = tab != std::string::npos;
    line.label = displayText(std::string_view(item.text).substr(0, tab));
    if (line.hasTab) line.after = displayText(std::string_view(item.text).substr(tab + 1));
    if (item.popup) line.label += " >";
    return line;
}

void printItems(std::ostream& out, const std::vector<MenuNode>& items, int depth) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    std::vector<Line> lines;
    std::size_t column = 0;
    for (const MenuNode& item : items) {
        lines.push_back(lineOf(item));
        const std::size_t width = displayWidth(lines.back().label);
        if (lines.back().hasTab && width <= kWidestAlignedLabel) column = std::max(column, width);
    }
    if (items.empty()) out << indent << "  (empty)\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuNode& item = items[i];
        const Line& line = lines[i];
        if (item.columnBreak) out << indent << "|| new column\n";
        if (item.separator) {
            out << indent << "  ----\n";
            continue;
        }
        out << indent << (item.checked ? "* " : "  ") << line.label;
        if (line.hasTab) {
            const std::size_t width = displayWidth(line.label);
            out << std::string(width < column ? column - width : 0, ' ') << "  " << line.after;
        }
        if (item.disabled) out << " [disabled]";
        out << '\n';
        if (item.items) printItems(out, *item.items, depth + 1);
    }
}

const char* boolText(bool value) {
    return value ? "true" : "false";
}

} // namespace

std::string displayText(std::string_view menuText) {
    std::string shown;
    shown.reserve(menuText.size());
    for (std::size_t i = 0; i < menuText.size(); ++i) {
        if (menuText[i] == '&') {
            if (i + 1 < menuText.size() && menuText[i + 1] == '&') {
                shown += '&';
                ++i;
            }
            continue;
        }
        shown += menuText[i];
    }
    return shown;
}

std::size_t displayWidth(std::string_view text) {
    std::size_t width = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u) ++width;
    return width;
}

void printTree(std::ostream& out, const MenuTree& tree) {
    out << tree.title << '\n';
    printItems(out, tree.items, 0);
}

void printItemsJson(std::ostream& out, const std::vector<MenuNode>& items, int indent) {
    if (items.empty()) {
        out << "[]";
        return;
    }
    const std::string pad(static_cast<std::size_t>(indent) * 2, ' ');
    out << "[\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuNode& item = items[i];
        out << pad << "  {\"text\": " << jsonString(item.text) << ", \"id\": " << item.id
            << ", \"separator\": " << boolText(item.separator)
            << ", \"popup\": " << boolText(item.popup)
            << ", \"checked\": " << boolText(item.checked)
            << ", \"disabled\": " << boolText(item.disabled)
            << ", \"break\": " << boolText(item.columnBreak) << ", \"items\": ";
        if (item.items)
            printItemsJson(out, *item.items, indent + 1);
        else
            out << "null";
        out << '}' << (i + 1 < items.size() ? ",\n" : "\n");
    }
    out << pad << ']';
}

void printTreeJson(std::ostream& out, const MenuTree& tree) {
    out << "{\"menu\": " << jsonString(tree.title) << ", \"items\": ";
    printItemsJson(out, tree.items, 0);
    out << "}\n";
}

} // namespace tg::preview
