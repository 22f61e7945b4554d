#include "host_control.h"

#include "host_app.h"

#include "player/player.h"

#include <cstdio>

namespace tg::testplayer {

namespace {
void (*hangHandler)() = nullptr;
} // namespace

void HostControl::setHangHandler(void (*handler)()) {
    hangHandler = handler;
}

void HostControl::run(const std::function<void()>& function) const {
    std::function<void()> call = function;
    DWORD_PTR ignored = 0;
    if (SendMessageTimeoutA(window_, kRunOnUiMessage, 0, reinterpret_cast<LPARAM>(&call),
                            SMTO_NORMAL, kAnswerMs, &ignored))
        return;
    // The call may still run later and would find `call` gone: there is no
    // going on from here.
    std::printf("the player's thread has not answered for %lu ms\n",
                static_cast<unsigned long>(kAnswerMs));
    if (hangHandler) hangHandler();
    std::fflush(stdout);
    ExitProcess(3);
}

void HostControl::showMenu(HMENU menu, POINT at) const {
    PostMessageA(window_, kShowMenuMessage, reinterpret_cast<WPARAM>(menu),
                 MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
}

void HostControl::cancelMenus() const {
    run([this] { SendMessageA(window_, WM_CANCELMODE, 0, 0); });
}

std::vector<std::string> HostControl::playerLog() const {
    return get([] { return player::player().log(); });
}

void HostControl::clearPlayerLog() const {
    run([] { player::player().clearLog(); });
}

} // namespace tg::testplayer
