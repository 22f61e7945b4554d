#include "host_thread.h"

#include <cstdio>

namespace tg::testplayer {

namespace {
constexpr DWORD kStartMs = 30000;
constexpr DWORD kStopMs = 30000;
} // namespace

HostThread::HostThread(const HostOptions& options) : options_(options) {
    started_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &HostThread::threadMain, this, 0, nullptr);
    if (!thread_ || WaitForSingleObject(started_, kStartMs) != WAIT_OBJECT_0)
        error_ = "the player's thread did not start";
}

HostThread::~HostThread() {
    if (thread_) {
        if (HWND window = control_.window()) {
            control_.cancelMenus();
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(thread_, kStopMs) != WAIT_OBJECT_0)
            std::printf("  the player's thread did not stop\n");
        CloseHandle(thread_);
    }
    if (started_) CloseHandle(started_);
}

DWORD WINAPI HostThread::threadMain(void* self) {
    auto* host = static_cast<HostThread*>(self);
    host->error_ = host->app_.start(host->options_);
    const bool ok = host->error_.empty();
    if (ok) host->control_ = HostControl(host->app_.window());
    SetEvent(host->started_);
    if (ok) HostApp::runMessageLoop();
    host->app_.stop();
    return 0;
}

} // namespace tg::testplayer
