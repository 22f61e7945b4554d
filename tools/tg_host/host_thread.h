// The test player on a thread of its own, for test programs whose main thread
// plays the user: it moves the mouse, presses keys and reads the open menus
// while the player's thread sits in the menu loop.
#pragma once

#include "host_app.h"
#include "host_control.h"

namespace tg::testplayer {

class HostThread {
public:
    // Starts the player and waits until the plug-in's init has returned.
    explicit HostThread(const HostOptions& options);
    // Closes open menus, stops the player (quit, FreeLibrary) and waits for the thread.
    ~HostThread();
    HostThread(const HostThread&) = delete;
    HostThread& operator=(const HostThread&) = delete;

    // Empty when the player runs.
    const std::string& startError() const { return error_; }
    const HostControl& control() const { return control_; }
    // The app lives on the player's thread: use it inside control().run only.
    HostApp& app() { return app_; }

private:
    static DWORD WINAPI threadMain(void* self);

    HostOptions options_;
    HostApp app_;
    HostControl control_;
    std::string error_;
    HANDLE started_ = nullptr;
    HANDLE thread_ = nullptr;
};

} // namespace tg::testplayer
