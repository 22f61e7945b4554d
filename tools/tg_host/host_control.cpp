#include "host_control.h"

#include "host_app.h"

#include "host/player.h"

namespace tg::testplayer {

void HostControl::run(const std::function<void()>& function) const {
    std::function<void()> call = function;
    SendMessageA(window_, kRunOnUiMessage, 0, reinterpret_cast<LPARAM>(&call));
}

void HostControl::showMenu(HMENU menu, POINT at) const {
    PostMessageA(window_, kShowMenuMessage, reinterpret_cast<WPARAM>(menu),
                 MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
}

void HostControl::cancelMenus() const {
    SendMessageA(window_, WM_CANCELMODE, 0, 0);
}

std::vector<std::string> HostControl::playerLog() const {
    return get([] { return player::player().log(); });
}

void HostControl::clearPlayerLog() const {
    run([] { player::player().clearLog(); });
}

} // namespace tg::testplayer
