// Prints a captured menu tree for people (indented text) or programs (JSON).
#pragma once

#include "menu_node.h"

#include <ostream>
#include <string>
#include <string_view>

namespace tg::preview {

// A menu text as the menu shows it: "&&" is one "&", any other "&" only
// underlines the next character and is not shown.
std::string displayText(std::string_view menuText);

// Characters as a terminal counts them (UTF-8 sequences count once).
std::size_t displayWidth(std::string_view text);

// The heading, then one line per item, two spaces deeper per level: a check
// column ("* " when checked), the label, " >" for a submenu, the text after the
// tab aligned within its menu, " [disabled]"; "----" for a separator, "|| new
// column" before an item that starts a column, "(empty)" for an opened
// submenu without items.
void printTree(std::ostream& out, const MenuTree& tree);

// {"menu": heading, "items": [...]}, each item
// {"text", "id", "separator", "popup", "checked", "disabled", "break", "items"},
// "items" null for a submenu that was not opened.
void printTreeJson(std::ostream& out, const MenuTree& tree);
// One item list as a JSON array, for other printers.
void printItemsJson(std::ostream& out, const std::vector<MenuNode>& items, int indent);

} // namespace tg::preview
