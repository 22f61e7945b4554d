// The whole plug-in loaded into the simulated player, for tests that go through
// the descriptor, the subclassed main window and the mouse hook exactly as the
// player and the system's menu loop do.
//
// Before start() the test sets the model up as the settings file should hold
// it (definitions, options); start() writes that file into a private settings
// folder, forgets the model and lets the player load the plug-in, which reads
// the file back. A test of the first run asks for no file instead.
#pragma once

#include "model/model_state.h"
#include "player/driver/menu_loop.h"
#include "player/driver/plugin_driver.h"
#include "player/player.h"
#include "support/temp_drive.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tg::test {

// A fresh process within one test, as between tests, for table-driven tests
// that need one per row; the module instance the player hands the plug-in.
using driver::fakeModuleInstance;
using driver::resetProcess;

class PluginHarness {
public:
    PluginHarness();
    ~PluginHarness(); // quits the plug-in if it still runs and puts the descriptor back
    PluginHarness(const PluginHarness&) = delete;
    PluginHarness& operator=(const PluginHarness&) = delete;

    // A definition with its source's defaults appended to the model (before start).
    MenuDefinition& define(const char* name, SourceType type);
    void withoutSettingsFile() { writeFile_ = false; }
    void start();
    void stop();
    bool running() const { return running_; }

    player::Player& player() const { return player::player(); }
    HWND window() const { return player().mainWindow(); }
    driver::MenuLoop& loop() { return loop_; }

    // The model after start: a definition by name.
    MenuDefinition& definition(const char* name) const;

    // ---- The player's menus ----
    HMENU mainMenu() const { return player().mainMenu(); }
    // The host popup whose first item carries id, searched through the main menu.
    HMENU hostPopupWithFirstId(UINT id) const;
    // Opens the main menu and, through it, the popup that carries the plug-in's
    // items (its own popup, or the host popup with the configured id).
    HMENU openTargetPopup();
    // Opens the submenu of an open menu by its item's text.
    HMENU openSubmenu(HMENU menu, const std::string& text);

    // ---- Things the user does outside the menus ----
    void pressHotkey(UINT modifiers, UINT virtualKey);
    void trayMiddleClick();

    // How many WM_CANCELMODE the player's main window got.
    std::size_t cancelModes() const;

private:
    TempDrive drive_{'S'};
    driver::MenuLoop loop_;
    bool writeFile_ = true;
    bool running_ = false;
};

// ---- Reading menus ----
std::vector<std::string> itemTexts(HMENU menu);
// Position of the first item with that text, or -1.
int positionOf(HMENU menu, const std::string& text);
// The first item whose text before its tab contains part (ignoring case), or -1.
int positionContaining(HMENU menu, const std::string& part);
// The first submenu item whose submenu holds such an item, or -1.
int positionLeadingTo(HMENU menu, const std::string& part);
// The texts of the checked items anywhere in the tree below menu.
std::vector<std::string> checkedTexts(HMENU menu);

} // namespace tg::test
