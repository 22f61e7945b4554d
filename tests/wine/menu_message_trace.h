// The menu messages the player's window has handled, as the window procedures
// (the plug-in's first) left them: when each came, and how many items the
// popup held once WM_INITMENUPOPUP was answered. A hook on the player's
// thread records them, so a test can wait for a popup's real fill instead of
// guessing from what shows on screen.
#pragma once

#include "platform/win32/windows_include.h"

#include "host_control.h"

#include <string>
#include <vector>

namespace tg::e2e {

struct TracedMessage {
    DWORD tick = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    int items = -1;    // WM_INITMENUPOPUP: the popup's items after the answer
    bool loop = false; // seen by the menu loop (input), not sent to the window
};

class MenuMessageTrace {
public:
    // Starts recording on the player's thread; stops with the object.
    explicit MenuMessageTrace(const testplayer::HostControl& host);
    ~MenuMessageTrace();
    MenuMessageTrace(const MenuMessageTrace&) = delete;
    MenuMessageTrace& operator=(const MenuMessageTrace&) = delete;

    // A serial number that grows with every recorded message.
    unsigned long mark() const;
    std::vector<TracedMessage> since(unsigned long mark) const;
    // The items popup held when its WM_INITMENUPOPUP recorded after mark was
    // answered; -1 while none was.
    int itemsAfterInit(HMENU popup, unsigned long mark) const;
    // Whether the menu loop ended (WM_EXITMENULOOP) after mark and none began since.
    bool menuLoopEndedSince(unsigned long mark) const;
    // The last messages as lines, oldest first.
    std::string describeLast(std::size_t count) const;

private:
    const testplayer::HostControl& host_;
};

} // namespace tg::e2e
