// A menu as it stood while it was open: what the preview prints.
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tg::preview {

struct MenuNode {
    std::string text;     // exactly as the menu holds it: escapes and tab included
    std::uint32_t id = 0; // 0 for a submenu item that carries its submenu's handle
    bool separator = false;
    bool popup = false;
    bool checked = false;
    bool disabled = false;    // MF_DISABLED or MF_GRAYED
    bool columnBreak = false; // MF_MENUBREAK or MF_MENUBARBREAK: starts a new column
    // The submenu's items as they stood while it was open; none when it was
    // not opened (not a popup, or past the depth asked for).
    std::optional<std::vector<MenuNode>> items;
};

// One item from its text, its flags (MF_*, without a submenu's item count),
// its id and whether it opens a submenu; its submenu's items are not read.
MenuNode nodeOf(const std::string& text, UINT flags, UINT id, bool popup);

struct MenuTree {
    std::string title; // how the menu was reached, for the heading
    std::vector<MenuNode> items;
};

} // namespace tg::preview
