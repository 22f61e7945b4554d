#include "plugin/context_menus.h"

#include "platform/menu.h"
#include "platform/shell.h"
#include "plugin/frame_state.h"
#include "plugin/host_handles.h"

#include <cstdio>

namespace tg {

namespace {

constexpr DWORD kContextStyle = MNS_AUTODISMISS | MNS_NOTIFYBYPOS;
constexpr UINT kTrackFlags = TPM_CENTERALIGN | TPM_VCENTERALIGN | TPM_RECURSE;

// Positions are the ClickAction values.
constexpr const char* kActionItems[] = {"Play", "Enqueue", "Enq. and Play", "Play TG",
                                        "Enqueue TG"};
constexpr const char* kPlaylistEntryItems[] = {"Move Up", "Move Down", "Delete"};

template <std::size_t N> HMENU makeMenu(const char* const (&items)[N]) {
    const HMENU menu = platform::createPopupMenu();
    for (const char* item : items) platform::appendMenu(menu, 0, 0, item);
    platform::setMenuStyle(menu, kContextStyle);
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

void showContextMenu(ContextMenu which, platform::Point point) {
    HMENU& menu = handleOf(which);
    if (!platform::isMenu(menu))
        menu =
            which == ContextMenu::Actions ? makeMenu(kActionItems) : makeMenu(kPlaylistEntryItems);
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
