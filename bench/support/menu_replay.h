// A built menu tree captured and built again item by item with the same
// platform calls, so the allocations that the menus themselves need can be
// told apart from those of the code that decided what to build.
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tg::bench {

struct MenuShape {
    struct Item {
        std::string text;
        UINT flags = 0;
        UINT id = 0;
        int submenu = -1; // index into menus, or -1
    };
    std::vector<std::vector<Item>> menus; // menus[0] is the root
};

MenuShape captureMenu(HMENU root);
// Items and popups in the shape (the root popup not counted).
std::size_t itemCount(const MenuShape& shape);
// Builds the shape again and destroys it; returns the allocations made while
// building.
std::uint64_t replayAllocations(const MenuShape& shape);

} // namespace tg::bench
