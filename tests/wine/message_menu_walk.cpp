#include "message_menu_walk.h"

#include <algorithm>
#include <stdexcept>

namespace tg::e2e {

namespace {

constexpr WPARAM kMenusClosed = static_cast<WPARAM>(0xFFFFu) << 16;

} // namespace

void MessageMenuWalk::send(UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessageA(owner_, message, wParam, lParam);
}

std::size_t MessageMenuWalk::indexOf(HMENU menu) const {
    const auto found = std::find(open_.begin(), open_.end(), menu);
    if (found == open_.end()) throw std::logic_error("menu walk: the menu is not open");
    return static_cast<std::size_t>(found - open_.begin());
}

bool MessageMenuWalk::isOpen(HMENU menu) const {
    return std::find(open_.begin(), open_.end(), menu) != open_.end();
}

void MessageMenuWalk::track(HMENU popup) {
    closeAll();
    open_.push_back(popup);
    send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
}

HMENU MessageMenuWalk::openSubmenu(HMENU menu, int position) {
    closeFrom(indexOf(menu) + 1);
    const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    const HMENU submenu = GetSubMenu(menu, position);
    // A submenu's item is named by its position, and its flags lose the item count.
    const UINT flags = (submenu != nullptr ? (state & 0xFFu) | MF_POPUP : state) | MF_HILITE;
    const UINT low =
        submenu != nullptr ? static_cast<UINT>(position) : GetMenuItemID(menu, position);
    send(WM_MENUSELECT, MAKEWPARAM(low & 0xFFFF, flags & 0xFFFF), reinterpret_cast<LPARAM>(menu));
    if (submenu == nullptr) return nullptr;
    open_.push_back(submenu);
    send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu),
         static_cast<LPARAM>(position & 0xFFFF));
    return submenu;
}

void MessageMenuWalk::close(HMENU menu) {
    closeFrom(indexOf(menu));
}

void MessageMenuWalk::closeAll() {
    closeFrom(0);
}

void MessageMenuWalk::closeFrom(std::size_t keep) {
    const std::size_t firstToClose = keep == 0 ? 1 : keep;
    while (open_.size() > firstToClose) {
        const HMENU submenu = open_.back();
        open_.pop_back();
        send(WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(submenu), 0);
    }
    if (keep != 0 || open_.empty()) return;
    const HMENU top = open_.front();
    open_.clear();
    send(WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(top), 0);
    send(WM_MENUSELECT, kMenusClosed, 0);
}

} // namespace tg::e2e
