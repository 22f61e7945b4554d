// The test player in a real Win32 window: the simulated player's main window,
// shown, with the player's main menu as its menu bar and on a right click, and
// the plug-in DLL loaded into it as the player loads it.
//
// Everything here runs on the thread that called start(): the player, the
// window and the plug-in live there. Other threads reach it through the
// window's messages (host_control.h).
#pragma once

#include "host_options.h"
#include "open_timings.h"
#include "plugin_module.h"

#include "platform/win32/windows_include.h"

#include <functional>
#include <string>

namespace tg::testplayer {

// Messages the test player's window understands besides the player's own.
// kRunOnUiMessage: lParam points to a std::function<void()> run on the window's thread.
inline constexpr UINT kRunOnUiMessage = WM_APP + 1;
// kShowMenuMessage: wParam a menu (0 for the player's main menu), lParam the
// screen point (x low word, y high word) where it opens; posted, since it
// returns only when the menu closes.
inline constexpr UINT kShowMenuMessage = WM_APP + 2;

class HostApp {
public:
    HostApp() = default;
    HostApp(const HostApp&) = delete;
    HostApp& operator=(const HostApp&) = delete;
    ~HostApp() { stop(); }

    // Loads the player's data, shows the window, loads the plug-in and calls
    // its init. Returns an error text, empty on success.
    std::string start(const HostOptions& options);
    // After unloadPlugin: loads the same DLL again and calls its init.
    std::string loadPlugin();
    // The plug-in's quit; unloadPlugin then FreeLibrary. Each is safe to call twice.
    void quitPlugin();
    void unloadPlugin();
    void stopPlugin() {
        quitPlugin();
        unloadPlugin();
    }
    // stopPlugin, then the windows and the player's menus go.
    void stop();

    HWND window() const { return window_; }
    HMENU mainMenu() const { return mainMenu_; }
    PluginModule& plugin() { return plugin_; }
    int initResult() const { return initResult_; }
    // The main window's procedure as the plug-in found it.
    WNDPROC procedureBeforePlugin() const { return procedureBeforePlugin_; }

    // Times every popup's opening from now until the plug-in quits.
    bool startTimings();
    OpenTimings& timings() { return timings_; }

    // Opens a popup menu of the main window at a screen point; returns when it closes.
    void trackMenu(HMENU menu, int x, int y);

    // GetMessage loop until WM_QUIT (closing the window posts it); returns its code.
    static int runMessageLoop();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    std::string loadPlayerData(const HostOptions& options);
    void startPlaying(const std::string& file);

    HWND window_ = nullptr;
    HMENU mainMenu_ = nullptr;
    HMENU menuBar_ = nullptr;
    WNDPROC playerProcedure_ = nullptr;
    WNDPROC procedureBeforePlugin_ = nullptr;
    PluginModule plugin_;
    OpenTimings timings_;
    std::string dllPath_;
    bool attached_ = false;
    int initResult_ = -1;
    std::size_t paintedLogSize_ = 0;
};

} // namespace tg::testplayer
