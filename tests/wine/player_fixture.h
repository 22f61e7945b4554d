// End-to-end fixture: the test player (tools/tg_host) on a thread of its own
// with the plug-in DLL loaded, a settings folder of its own, and helpers that
// open real menus the way a user does. The test's thread plays the user.
#pragma once

#include "wine_test.h"

#include "host_thread.h"
#include "menu_driver.h"
#include "menu_message_trace.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tg::e2e {

using testplayer::HostControl;
using testplayer::MenuItem;
using testplayer::MenuUser;
using testplayer::MouseButton;
using testplayer::waitUntil;

inline constexpr UINT kIdSongticker = 40188; // first item of Options > Visualization
inline constexpr UINT kIdPlay = 40045;       // first item of Play
inline constexpr UINT kIdNextTrack = 40048;  // first item of Skip
// Ctrl+Shift+M. Not an Alt combination: under Wine, letting go of Alt closes
// the popup the hotkey has just opened.
inline constexpr int kHotkeyCtrlShiftM = 0x200 | 0x100 | 'M';

// The settings file the plug-in reads at init (version 9).
struct SettingsFile {
    bool ownMenu = false;
    int hostMenuId = kIdSongticker;
    int hotkey = 0;
    bool disableMenuActions = false;
    bool keepMenuOnEnqueue = true;
    bool loadAllMenus = false; // submenus built as they really open
    int mainPosition = -1;
    std::vector<std::string> records; // three lines each

    std::string text() const;
};

// A Media Library menu over the given query with the levels Artist, Album,
// Title, or the level numbers given (as stored: their count, then each).
std::string libraryMenuRecord(const std::string& name, const std::string& query,
                              int clickAction = 0, const std::string& levels = "3 0 1 2");

// A library from the player's generator (seed 7) in a temporary file of its
// own; removed with the object.
struct GeneratedLibrary {
    std::string path;
    explicit GeneratedLibrary(std::size_t tracks);
    ~GeneratedLibrary();
    GeneratedLibrary(const GeneratedLibrary&) = delete;
    GeneratedLibrary& operator=(const GeneratedLibrary&) = delete;
};

struct PlayerSetup {
    std::string settings; // the settings file's text; empty for a first run
    std::string dll = "ml_tg_test.dll";
    std::string library = {}; // a library file instead of the samples' one
};

class RunningPlayer {
public:
    explicit RunningPlayer(const PlayerSetup& setup = {});
    ~RunningPlayer();
    RunningPlayer(const RunningPlayer&) = delete;
    RunningPlayer& operator=(const RunningPlayer&) = delete;

    const HostControl& host() const { return thread_->control(); }
    // The player itself: use it inside host().run only.
    testplayer::HostApp& app() const { return thread_->app(); }
    const MenuUser& user() const { return *user_; }
    const MenuMessageTrace& trace() const { return *trace_; }
    HWND window() const { return host().window(); }
    HMENU mainMenu() const { return mainMenu_; }
    const std::string& iniDir() const { return iniDir_; }
    // The popup of the main menu (at any depth) whose first item carries id.
    HMENU hostPopup(UINT firstId) const;
    int itemCount(HMENU menu) const;

    std::vector<std::string> log() const { return host().playerLog(); }
    void clearLog() const { host().clearPlayerLog(); }
    // Lines of the player's log that contain text.
    int logCount(const std::string& text) const;
    void printLog() const;
    // The test DLL's recorded menus that are still menus, and all it made.
    int liveMenus() const;
    int createdMenus() const;
    // The player reports new tags and target opens and closes, so the plug-in
    // lets every level it built go; then liveMenus once the menu loop is over.
    // Levels a round happened to build (a submenu brushed on the way) count no more.
    int liveMenusAfterRebuild(HMENU target) const;
    // The distinct submenus that hang below menu, at any depth.
    int menusBelow(HMENU menu) const;
    // The plug-in's quit, now; unloadPlugin then FreeLibrary.
    void quitPlugin() const;
    void unloadPlugin() const;
    // After unloadPlugin: LoadLibrary and init again; an error text or empty.
    std::string reloadPlugin() const;
    WNDPROC procedureBeforePlugin() const;

    // Opens a menu (null: the main menu) at a point of the window and waits until it shows.
    void openMenu(HMENU menu = nullptr, POINT offset = {60, 80}) const;
    // From the open main menu, moves onto each named item in turn and waits
    // for its submenu; returns the last one.
    HMENU openPath(const std::vector<std::string>& texts) const;
    // Moves onto the item and waits for its submenu; returns it.
    HMENU openItem(HMENU menu, int position) const;
    // The same without failing the test: null, and why in *why, when the
    // submenu did not open within timeoutMs.
    HMENU tryOpenItem(HMENU menu, int position, DWORD timeoutMs, std::string* why) const;
    // Closes every open menu as the plug-in does (WM_CANCELMODE) and waits.
    void closeMenus() const;

    // Ends the program now with the result of the tests so far, without
    // tearing the player down: under Wine 8 a popup tracked on top of open
    // menus (TPM_RECURSE) leaves the menus' windows orphaned, and destroying
    // them later trips an assertion inside win32u.
    [[noreturn]] void endProgramWithoutTeardown() const;

private:
    std::string iniDir_;
    std::unique_ptr<testplayer::HostThread> thread_;
    std::unique_ptr<MenuUser> user_;
    std::unique_ptr<MenuMessageTrace> trace_;
    HMENU mainMenu_ = nullptr;
};

// The player's playback state, read on its thread.
struct Playback {
    bool playing = false;
    std::vector<std::string> started; // files started, oldest first
    std::vector<std::string> files;   // the playlist
};
Playback playbackOf(const RunningPlayer& player);

// Settings with one Media Library menu "Jazz" (genre Jazz of the samples:
// Juniper Lane, Mira Okafor and its case twins, Xylo) and the click action.
SettingsFile jazzSettings(int clickAction = 0);
inline constexpr char kStaticMarble[] =
    "C:\\Music\\Juniper Lane\\Gin & Tonic\\04 - Static Marble.mp3";
// From the open Visualization popup down Jazz > Juniper Lane > Gin & Tonic;
// the titles menu, and the position of "Static Marble" in it.
HMENU openGinAndTonic(const RunningPlayer& player, HMENU jazz, int& staticMarble);

// A menu on screen other than the known ones; null when none shows up.
HMENU waitForNewMenu(const MenuUser& user, const std::vector<HMENU>& known);

// Where the test programs and the samples are.
std::string programFolder();

} // namespace tg::e2e
