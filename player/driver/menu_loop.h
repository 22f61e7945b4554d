// Drives a window's menus the way the system's modal menu loop does, through
// the simulated platform: the owner gets the same WM_INITMENUPOPUP,
// WM_MENUSELECT, WM_UNINITMENUPOPUP and WM_MENUCOMMAND / WM_COMMAND messages
// in the same order, and mouse buttons pass the installed mouse hooks before
// the menu acts on them. The loop then follows what the owner did meanwhile,
// as the real one would: a WM_CANCELMODE sent to the owner closes every menu,
// each Escape key press closes the innermost one, and a popup tracked
// meanwhile (TPM_RECURSE) opens on top of the open menus.
//
// Only the simulated platform's inspection calls are used, so the unit tests
// and the preview tool share it.
#pragma once

#include "platform/window.h"

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace tg::driver {

class MenuLoop {
public:
    // cancelModes answers how many WM_CANCELMODE messages the owner's own
    // procedure has received so far; the loop only compares its answers.
    MenuLoop(HWND owner, std::function<std::size_t()> cancelModes);

    // Tracks popup as TrackPopupMenu does (also on top of open menus).
    void track(HMENU popup);
    // Opens the submenu at position of an open menu (the mouse rests on its item).
    // Returns the submenu, or null when the item opens none.
    HMENU openSubmenu(HMENU menu, int position);
    // The mouse rests on an item of an open menu; menus opened deeper close first.
    void select(HMENU menu, int position);

    // Mouse buttons over the item selected last. A left press opens the item's
    // submenu, as the system's menu loop does.
    void leftClick();
    void rightClick();
    void middleClick(); // press and release
    void mouseEvent(UINT mouseMessage);
    // Selects the item and left-clicks it.
    void choose(HMENU menu, int position);
    // Enter on the item selected last, as the keyboard chooses it: the mouse
    // hooks see nothing, a submenu opens with its first item selected, a plain
    // enabled item runs.
    void pressEnter();

    // Closes an open menu with every menu opened from it or on top of it.
    void close(HMENU menu);
    // Closes the innermost open menu, or every open menu.
    void closeInnermost();
    void closeAll();
    // Runs something that may make the owner track a popup or close its menus
    // (a hotkey, a tray click) and follows it.
    void follow(const std::function<void()>& action);
    // Popups whose tracking the platform was told to fail do not open.
    void setTrackingFails(bool fail, DWORD lastError = 0);

    bool isOpen(HMENU menu) const;
    bool anyOpen() const { return !levels_.empty(); }
    HMENU innermost() const;
    // Every open menu, outermost first, nested tracking levels after their base.
    std::vector<HMENU> openMenus() const;
    platform::Point pointer{100, 100};

private:
    struct Snapshot {
        std::size_t cancelModes = 0;
        std::size_t keyEvents = 0;
        std::size_t tracked = 0;
    };
    Snapshot snapshot() const;
    void react(const Snapshot& before);
    void send(UINT message, WPARAM wParam, LPARAM lParam);
    void sendSelect(HMENU menu, int position);
    // Closes the nested levels above level and the menus of level past its
    // first keep (all of it for keep 0, as the end of its tracking).
    void closeFrom(std::size_t level, std::size_t keep);
    // What the menu itself does with a button press or release over the
    // item selected last.
    void pressHovered();
    void executeHovered();
    // Opens the submenu of the selected item at position of an open menu.
    HMENU showSubmenu(HMENU menu, int position);
    // Where an open menu is: its tracking level and its index in it.
    std::pair<std::size_t, std::size_t> find(HMENU menu) const;

    struct Open {
        HMENU menu = nullptr;
        HMENU parent = nullptr; // null for a tracked popup
        int parentPosition = 0;
    };
    HWND owner_;
    std::function<std::size_t()> cancelModes_;
    // One entry per tracked popup: it and its open submenus, outermost first.
    std::vector<std::vector<Open>> levels_;
    HMENU hoverMenu_ = nullptr;
    int hoverPosition_ = -1;
    bool trackingFails_ = false;
};

} // namespace tg::driver
