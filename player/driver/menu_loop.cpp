#include "player/driver/menu_loop.h"

#include "platform/menu.h"
#include "platform/sim/inspect.h"

#include <stdexcept>
#include <string>

namespace tg::driver {

namespace {

constexpr WPARAM kMenusClosed = static_cast<WPARAM>(0xFFFFu) << 16;

WPARAM makeWParam(UINT low, UINT high) {
    return static_cast<WPARAM>((low & 0xFFFFu) | ((high & 0xFFFFu) << 16));
}

LPARAM asLParam(HMENU menu) {
    return reinterpret_cast<LPARAM>(menu);
}

WPARAM asWParam(HMENU menu) {
    return reinterpret_cast<WPARAM>(menu);
}

} // namespace

MenuLoop::MenuLoop(HWND owner, std::function<std::size_t()> cancelModes)
    : owner_(owner), cancelModes_(std::move(cancelModes)) {}

MenuLoop::Snapshot MenuLoop::snapshot() const {
    return {cancelModes_ ? cancelModes_() : 0, platform::sim::keyEvents().size(),
            platform::sim::trackedPopups().size()};
}

void MenuLoop::react(const Snapshot& before) {
    if (cancelModes_ && cancelModes_() > before.cancelModes) closeAll();
    const std::vector<platform::sim::KeyEvent> keys = platform::sim::keyEvents();
    for (std::size_t i = before.keyEvents; i < keys.size(); ++i)
        if (keys[i].virtualKey == VK_ESCAPE && (keys[i].flags & KEYEVENTF_KEYUP) == 0)
            closeInnermost();
    if (trackingFails_) return;
    const std::vector<platform::sim::TrackedPopup> tracked = platform::sim::trackedPopups();
    for (std::size_t i = before.tracked; i < tracked.size(); ++i) {
        levels_.push_back({Open{tracked[i].menu, nullptr, 0}});
        send(WM_INITMENUPOPUP, asWParam(tracked[i].menu), 0);
    }
}

void MenuLoop::send(UINT message, WPARAM wParam, LPARAM lParam) {
    platform::sendMessage(owner_, message, wParam, lParam);
}

std::pair<std::size_t, std::size_t> MenuLoop::find(HMENU menu) const {
    for (std::size_t level = levels_.size(); level-- > 0;)
        for (std::size_t i = 0; i < levels_[level].size(); ++i)
            if (levels_[level][i].menu == menu) return {level, i};
    throw std::logic_error("menu loop: the menu is not open");
}

void MenuLoop::sendSelect(HMENU menu, int position) {
    const std::vector<platform::sim::MenuItemView> items = platform::sim::menuItems(menu);
    if (position < 0 || static_cast<std::size_t>(position) >= items.size())
        throw std::logic_error("menu loop: no item at position " + std::to_string(position));
    const platform::sim::MenuItemView& item = items[static_cast<std::size_t>(position)];
    // A submenu's item is named by its position, any other by its command id.
    const bool popup = item.submenu != nullptr;
    const UINT low = popup ? static_cast<UINT>(position) : item.id;
    send(WM_MENUSELECT, makeWParam(low, (item.flags | MF_HILITE | (popup ? MF_POPUP : 0))),
         asLParam(menu));
    hoverMenu_ = menu;
    hoverPosition_ = position;
}

void MenuLoop::closeFrom(std::size_t level, std::size_t keep) {
    while (levels_.size() > level + 1) closeFrom(levels_.size() - 1, 0);
    if (level >= levels_.size()) return;
    std::vector<Open>& menus = levels_[level];
    const std::size_t firstToClose = keep == 0 ? 1 : keep;
    while (menus.size() > firstToClose) {
        const HMENU submenu = menus.back().menu;
        menus.pop_back();
        send(WM_UNINITMENUPOPUP, asWParam(submenu), 0);
    }
    if (keep != 0) return;
    const HMENU top = menus.front().menu;
    levels_.pop_back();
    // The popup goes first, then the owner hears that no item is selected.
    send(WM_UNINITMENUPOPUP, asWParam(top), 0);
    send(WM_MENUSELECT, kMenusClosed, 0);
    if (hoverMenu_ != nullptr && !isOpen(hoverMenu_)) {
        hoverMenu_ = nullptr;
        hoverPosition_ = -1;
    }
}

void MenuLoop::track(HMENU popup) {
    const Snapshot before = snapshot();
    levels_.push_back({Open{popup, nullptr, 0}});
    send(WM_INITMENUPOPUP, asWParam(popup), 0);
    react(before);
}

HMENU MenuLoop::openSubmenu(HMENU menu, int position) {
    select(menu, position);
    return showSubmenu(menu, position);
}

HMENU MenuLoop::showSubmenu(HMENU menu, int position) {
    const HMENU submenu = platform::getSubMenu(menu, position);
    if (submenu == nullptr) return nullptr;
    const Snapshot before = snapshot();
    levels_[find(menu).first].push_back(Open{submenu, menu, position});
    send(WM_INITMENUPOPUP, asWParam(submenu), static_cast<LPARAM>(position & 0xFFFF));
    react(before);
    return submenu;
}

void MenuLoop::select(HMENU menu, int position) {
    const auto [level, index] = find(menu);
    const Snapshot before = snapshot();
    closeFrom(level, index + 1);
    sendSelect(menu, position);
    react(before);
}

void MenuLoop::mouseEvent(UINT mouseMessage) {
    const Snapshot before = snapshot();
    // The system's menu loop peeks at a mouse message before it takes it out
    // of the queue: the hooks see it twice.
    platform::sim::callMouseHooks(mouseMessage, pointer, HC_NOREMOVE);
    platform::sim::callMouseHooks(mouseMessage, pointer, HC_ACTION);
    react(before);
    if (hoverMenu_ == nullptr || !isOpen(hoverMenu_)) return;
    // The menu acts after the hooks: the press opens the submenu of the item
    // under the mouse unless it is open already, the release runs a plain
    // enabled item.
    if (mouseMessage == WM_LBUTTONDOWN) pressHovered();
    if (mouseMessage == WM_LBUTTONUP) executeHovered();
}

void MenuLoop::pressHovered() {
    const HMENU submenu = platform::getSubMenu(hoverMenu_, hoverPosition_);
    if (submenu == nullptr || isOpen(submenu)) return;
    const UINT state =
        platform::getMenuState(hoverMenu_, static_cast<UINT>(hoverPosition_), MF_BYPOSITION);
    if (state == platform::kMenuStateInvalid || (state & (MF_DISABLED | MF_GRAYED)) != 0) return;
    showSubmenu(hoverMenu_, hoverPosition_);
}

void MenuLoop::leftClick() {
    mouseEvent(WM_LBUTTONDOWN);
    mouseEvent(WM_LBUTTONUP);
}

void MenuLoop::rightClick() {
    mouseEvent(WM_RBUTTONDOWN);
    mouseEvent(WM_RBUTTONUP);
}

void MenuLoop::middleClick() {
    mouseEvent(WM_MBUTTONDOWN);
    mouseEvent(WM_MBUTTONUP);
}

void MenuLoop::choose(HMENU menu, int position) {
    select(menu, position);
    leftClick();
}

void MenuLoop::pressEnter() {
    if (hoverMenu_ == nullptr || !isOpen(hoverMenu_)) return;
    const HMENU submenu = platform::getSubMenu(hoverMenu_, hoverPosition_);
    if (submenu == nullptr) {
        executeHovered();
        return;
    }
    if (!isOpen(submenu)) showSubmenu(hoverMenu_, hoverPosition_);
    if (isOpen(submenu) && platform::getMenuItemCount(submenu) > 0) select(submenu, 0);
}

void MenuLoop::executeHovered() {
    const std::vector<platform::sim::MenuItemView> items = platform::sim::menuItems(hoverMenu_);
    if (hoverPosition_ < 0 || static_cast<std::size_t>(hoverPosition_) >= items.size()) return;
    const platform::sim::MenuItemView item = items[static_cast<std::size_t>(hoverPosition_)];
    constexpr UINT kInert = MF_SEPARATOR | MF_POPUP | MF_DISABLED | MF_GRAYED;
    if (item.submenu != nullptr || (item.flags & kInert) != 0) return;

    const HMENU menu = hoverMenu_;
    const int position = hoverPosition_;
    const std::size_t level = find(menu).first;
    // The menu's own style or its tracked popup's decides how the choice arrives.
    const DWORD style =
        platform::getMenuStyle(menu) | platform::getMenuStyle(levels_[level].front().menu);
    closeFrom(level, 0);
    const Snapshot before = snapshot();
    if (style & MNS_NOTIFYBYPOS)
        send(WM_MENUCOMMAND, static_cast<WPARAM>(position), asLParam(menu));
    else
        send(WM_COMMAND, makeWParam(item.id, 0), 0);
    react(before);
}

void MenuLoop::close(HMENU menu) {
    const auto [level, index] = find(menu);
    closeFrom(level, index);
}

void MenuLoop::closeInnermost() {
    if (levels_.empty()) return;
    std::vector<Open>& menus = levels_.back();
    if (menus.size() == 1) {
        closeFrom(levels_.size() - 1, 0);
        return;
    }
    // Escape leaves the parent item selected, and the owner is told so first.
    const Open closing = menus.back();
    menus.pop_back();
    sendSelect(closing.parent, closing.parentPosition);
    send(WM_UNINITMENUPOPUP, asWParam(closing.menu), 0);
}

void MenuLoop::closeAll() {
    while (!levels_.empty()) closeFrom(levels_.size() - 1, 0);
}

void MenuLoop::follow(const std::function<void()>& action) {
    const Snapshot before = snapshot();
    action();
    react(before);
}

void MenuLoop::setTrackingFails(bool fail, DWORD lastError) {
    trackingFails_ = fail;
    platform::sim::failTrackPopup(fail, lastError);
}

bool MenuLoop::isOpen(HMENU menu) const {
    for (const std::vector<Open>& level : levels_)
        for (const Open& open : level)
            if (open.menu == menu) return true;
    return false;
}

HMENU MenuLoop::innermost() const {
    return levels_.empty() ? nullptr : levels_.back().back().menu;
}

std::vector<HMENU> MenuLoop::openMenus() const {
    std::vector<HMENU> menus;
    for (const std::vector<Open>& level : levels_)
        for (const Open& open : level) menus.push_back(open.menu);
    return menus;
}

} // namespace tg::driver
