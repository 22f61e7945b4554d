// Opens and closes real menus by sending their owner the messages the
// system's menu loop sends, in the order the simulated menu loop
// (player/driver/menu_loop.h) sends them, without showing anything: the test
// player's menus then fill exactly as the preview's do, and the two trees can
// be compared item by item.
#pragma once

#include "platform/win32/windows_include.h"

#include <vector>

namespace tg::e2e {

class MessageMenuWalk {
public:
    explicit MessageMenuWalk(HWND owner) : owner_(owner) {}

    // Opens a popup as TrackPopupMenu would.
    void track(HMENU popup);
    // The mouse rests on the submenu item at position of an open menu; menus
    // opened deeper close first. Returns the submenu, or null when none.
    HMENU openSubmenu(HMENU menu, int position);
    // Closes an open menu with every menu opened from it.
    void close(HMENU menu);
    void closeAll();
    bool isOpen(HMENU menu) const;

private:
    void send(UINT message, WPARAM wParam, LPARAM lParam);
    // Closes the menus opened after the first keep ones (all for keep 0).
    void closeFrom(std::size_t keep);
    std::size_t indexOf(HMENU menu) const;

    HWND owner_;
    std::vector<HMENU> open_; // outermost first
};

} // namespace tg::e2e
