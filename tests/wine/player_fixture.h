// End-to-end fixture: the test player (tools/tg_host) on a thread of its own
// with the plug-in DLL loaded, a settings folder of its own, and helpers that
// open real menus the way a user does. The test's thread plays the user.
#pragma once

#include "wine_test.h"

#include "host_thread.h"
#include "menu_driver.h"

#include <memory>
#include <string>
#include <vector>

namespace tg::e2e {

using testplayer::HostControl;
using testplayer::MenuItem;

inline constexpr UINT kIdSongticker = 40188; // first item of Options > Visualization
inline constexpr UINT kIdPlay = 40045;       // first item of Play
inline constexpr UINT kIdNextTrack = 40048;  // first item of Skip
inline constexpr int kHotkeyCtrlAltM = 0x200 | 0x400 | 'M';

// The settings file the plug-in reads at init (version 9).
struct SettingsFile {
    bool ownMenu = false;
    int hostMenuId = kIdSongticker;
    int hotkey = 0;
    bool disableMenuActions = false;
    bool keepMenuOnEnqueue = true;
    bool loadAllMenus = false; // submenus built as they really open
    int mainPosition = -1;
    std::vector<std::string> records; // three lines each, see menuRecord

    std::string text() const;
};

// A Media Library menu over the given query with the levels Artist, Album, Title.
std::string libraryMenuRecord(const std::string& name, const std::string& query,
                              int clickAction = 0);

struct PlayerSetup {
    std::string settings; // the settings file's text; empty for a first run
    std::string dll = "ml_tg_test.dll";
};

class RunningPlayer {
public:
    explicit RunningPlayer(const PlayerSetup& setup = {});
    ~RunningPlayer();
    RunningPlayer(const RunningPlayer&) = delete;
    RunningPlayer& operator=(const RunningPlayer&) = delete;

    const HostControl& host() const { return thread_->control(); }
    HWND window() const { return host().window(); }
    HMENU mainMenu() const { return mainMenu_; }
    const std::string& iniDir() const { return iniDir_; }
    // The popup of the main menu (at any depth) whose first item carries id.
    HMENU hostPopup(UINT firstId) const;

    std::vector<std::string> log() const { return host().playerLog(); }
    void clearLog() const { host().clearPlayerLog(); }
    // Lines of the player's log that contain text.
    int logCount(const std::string& text) const;
    // The test DLL's recorded menus that are still menus, and all it made.
    int liveMenus() const;
    int createdMenus() const;
    // The plug-in's quit, now; unloadPlugin then FreeLibrary.
    void quitPlugin() const;
    void unloadPlugin() const;
    WNDPROC procedureBeforePlugin() const;

    // Opens the main menu at a point of the window and waits until it shows.
    void openMainMenu() const;
    // From the open main menu, moves onto each named item in turn and waits
    // for its submenu; returns the last one.
    HMENU openPath(const std::vector<std::string>& texts) const;
    // Moves onto the item and waits for its submenu; returns it.
    HMENU openItem(HMENU menu, int position) const;
    // WM_CANCELMODE, as the plug-in sends it, until no menu shows (a menu
    // opened from inside another menu loop needs one for each loop).
    void closeMenus() const;

private:
    std::string iniDir_;
    std::unique_ptr<testplayer::HostThread> thread_;
    HMENU mainMenu_ = nullptr;
};

// Where the test programs and the samples are.
std::string programFolder();

// The first item whose text contains part; -1 when there is none.
int findItemContaining(HMENU menu, const std::string& part);

// The texts of a menu's items, for messages.
std::string describeMenu(HMENU menu);

} // namespace tg::e2e
