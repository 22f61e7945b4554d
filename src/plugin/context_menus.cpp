#include "plugin/context_menus.h"

#include "actions/playlist_popup.h"
#include "menus/menu_helpers.h"
#include "platform/menu.h"
#include "platform/shell.h"
#include "plugin/frame_state.h"
#include "plugin/host_handles.h"

#include <cstdio>
#include <iterator>

namespace tg {

namespace {

constexpr UINT kTrackFlags = TPM_CENTERALIGN | TPM_VCENTERALIGN | TPM_RECURSE;

// The menu offers every action, each once.
constexpr bool offersEachActionOnce() {
    unsigned seen = 0;
    for (const ActionItem& item : kActionItems) {
        const unsigned bit = 1u << static_cast<int>(item.action);
        if ((seen & bit) != 0) return false;
        seen |= bit;
    }
    return seen == (1u << (static_cast<int>(ClickAction::EnqueueTg) + 1)) - 1;
}
static_assert(offersEachActionOnce());

template <typename Item, std::size_t N> HMENU makeMenu(const Item (&items)[N]) {
    const HMENU menu = platform::createPopupMenu();
    for (const Item& item : items) platform::appendMenu(menu, 0, 0, item.text);
    platform::setMenuStyle(menu, kNotifyByPositionStyle);
    return menu;
}

HMENU& handleOf(ContextMenu which) {
    FrameState& f = frame();
    return which == ContextMenu::Actions ? f.actionMenu : f.playlistEntryMenu;
}

void destroy(HMENU& menu) {
    if (menu != nullptr && platform::isMenu(menu)) platform::destroyMenu(menu);
    menu = nullptr;
}

} // namespace

std::optional<ClickAction> actionItemAt(int position) {
    if (position < 0 || position >= static_cast<int>(std::size(kActionItems))) return std::nullopt;
    return kActionItems[position].action;
}

void showContextMenu(ContextMenu which, platform::Point point) {
    HMENU& menu = handleOf(which);
    if (!platform::isMenu(menu))
        menu = which == ContextMenu::Actions ? makeMenu(kActionItems) : makeMenu(kEntryCommands);
    const HWND owner = playerWindow();
    platform::hiliteMenuItem(owner, menu, 0, MF_BYPOSITION | MF_HILITE);
    platform::hiliteMenuItem(owner, menu, 0, MF_BYPOSITION | MF_UNHILITE);
    if (platform::trackPopupMenuEx(menu, kTrackFlags, point.x, point.y, owner)) return;
    const DWORD error = platform::getLastError();
    char text[48];
    std::snprintf(text, sizeof text, "Return value: %u", static_cast<unsigned>(error));
    platform::messageBox(nullptr, text, "ERROR", MB_OK);
}

void destroyContextMenus() {
    FrameState& f = frame();
    destroy(f.actionMenu);
    destroy(f.playlistEntryMenu);
}

} // namespace tg
