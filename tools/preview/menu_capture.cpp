#include "menu_capture.h"

#include "platform/text_encoding.h"

namespace tg::preview {

namespace {

std::vector<MenuNode> captureLevel(driver::MenuLoop& loop, HMENU menu, int levels, int depth) {
    // The items as they stand while the menu is open, before any submenu opens.
    const std::vector<platform::sim::MenuItemView> items = shownItems(menu);
    std::vector<MenuNode> nodes;
    nodes.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const platform::sim::MenuItemView& item = items[i];
        // A submenu item's id is its submenu's handle unless one was set: only a set one says
        // anything, and only it is the same from run to run.
        const bool handleId =
            item.submenu != nullptr &&
            item.id == static_cast<UINT>(reinterpret_cast<UINT_PTR>(item.submenu));
        nodes.push_back(
            nodeOf(item.text, item.flags, handleId ? 0 : item.id, item.submenu != nullptr));
        if (item.submenu == nullptr || levels == 0 || depth >= kDeepestCapture) continue;
        const HMENU submenu = loop.openSubmenu(menu, static_cast<int>(i));
        if (submenu == nullptr) continue;
        nodes.back().items = captureLevel(loop, submenu, levels < 0 ? -1 : levels - 1, depth + 1);
        // The plug-in may have closed the menus meanwhile; then there is nothing to close.
        if (loop.isOpen(submenu)) loop.close(submenu);
    }
    return nodes;
}

} // namespace

std::vector<platform::sim::MenuItemView> shownItems(HMENU menu) {
    std::vector<platform::sim::MenuItemView> items = platform::sim::menuItems(menu);
    if (!platform::utf8Texts())
        for (platform::sim::MenuItemView& item : items)
            item.text = platform::codePageToUtf8(item.text);
    return items;
}

std::vector<MenuNode> captureMenu(driver::MenuLoop& loop, HMENU menu, int levels) {
    return captureLevel(loop, menu, levels, 0);
}

} // namespace tg::preview
