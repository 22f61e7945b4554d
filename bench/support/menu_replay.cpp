#include "support/menu_replay.h"

#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "support/allocation_counter.h"

namespace tg::bench {

namespace {

int capture(HMENU menu, MenuShape& shape) {
    const int index = static_cast<int>(shape.menus.size());
    shape.menus.emplace_back();
    for (const platform::sim::MenuItemView& view : platform::sim::menuItems(menu)) {
        MenuShape::Item item;
        item.text = view.text;
        item.flags = view.flags & ~static_cast<UINT>(MF_CHECKED);
        item.id = view.id;
        if (view.submenu != nullptr) item.submenu = capture(view.submenu, shape);
        shape.menus[static_cast<std::size_t>(index)].push_back(std::move(item));
    }
    return index;
}

HMENU build(const MenuShape& shape, int index) {
    const HMENU menu = platform::createPopupMenu();
    for (const MenuShape::Item& item : shape.menus[static_cast<std::size_t>(index)]) {
        if (item.submenu >= 0) {
            const HMENU submenu = build(shape, item.submenu);
            platform::appendMenu(menu, item.flags, reinterpret_cast<UINT_PTR>(submenu),
                                 item.text.c_str());
        } else {
            platform::appendMenu(menu, item.flags, item.id,
                                 (item.flags & MF_SEPARATOR) ? nullptr : item.text.c_str());
        }
    }
    return menu;
}

} // namespace

MenuShape captureMenu(HMENU root) {
    MenuShape shape;
    capture(root, shape);
    return shape;
}

std::size_t itemCount(const MenuShape& shape) {
    std::size_t count = 0;
    for (const auto& menu : shape.menus) count += menu.size();
    return count;
}

std::uint64_t replayAllocations(const MenuShape& shape) {
    if (shape.menus.empty()) return 0;
    const std::uint64_t before = allocationCount();
    const HMENU root = build(shape, 0);
    const std::uint64_t made = allocationCount() - before;
    platform::destroyMenu(root);
    return made;
}

} // namespace tg::bench
