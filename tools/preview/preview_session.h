// The real plug-in started in the simulated player: inputs loaded, the
// descriptor's init called, the song now playing started, and the menus
// reached the way a user reaches them.
#pragma once

#include "options.h"
#include "player/driver/menu_loop.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tg::preview {

// A wrong input (missing file, bad path): the preview ends with exit code 2.
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The drive letter of the player's settings folder.
inline constexpr char kSettingsDrive = 'W';

// Where the bundled samples are, and the inputs resolved against them.
struct Inputs {
    std::filesystem::path library;
    std::filesystem::path playlist;
    std::filesystem::path iniDir; // empty: a temporary copy of the bundled settings
    std::filesystem::path root;
    std::filesystem::path bundledSettings; // copied when iniDir is empty
    std::optional<std::string> playing;
    std::vector<ExtraDrive> drives;
    bool wide = false; // the player offers the wide calls
};
Inputs resolveInputs(const Options& options, const std::filesystem::path& samples);

// An open menu and the labels that lead to it from the player's main menu.
struct OpenedMenu {
    HMENU menu = nullptr;
    std::vector<std::string> trail;
};

// "Main menu > Options > Visualization".
std::string menuTitle(const OpenedMenu& menu);

class PreviewSession {
public:
    // progress receives the library's loading progress and notes (stderr).
    explicit PreviewSession(std::ostream& progress);
    ~PreviewSession(); // quits the plug-in and removes the temporary settings folder
    PreviewSession(const PreviewSession&) = delete;
    PreviewSession& operator=(const PreviewSession&) = delete;

    // Loads everything and starts the plug-in; InputError for a bad input.
    void start(const Inputs& inputs);
    // Calls quit. Returns the faults the platform and the player saw meanwhile:
    // misuse a correct plug-in never commits.
    std::vector<std::string> stop();

    driver::MenuLoop& loop() { return *loop_; }
    bool firstRun() const { return firstRun_; }
    const std::string& settingsFile() const { return settingsFile_; }

    // The popup that carries the plug-in's items, opened through the main
    // menu, or (hotkey) the popup the global hotkey opens at the cursor.
    OpenedMenu openBase(bool hotkey);
    // Opens the submenus along components from menu; InputError when a label
    // names no item or an item without a submenu.
    OpenedMenu openPath(const OpenedMenu& from, const std::vector<std::string>& components);
    // The item components' last label names below from, its menu opened.
    // InputError when it is not there.
    struct Item {
        OpenedMenu menu;
        int position = -1;
        std::string label;
    };
    Item findItem(const OpenedMenu& from, const std::vector<std::string>& components);

    // Lets the player's pending work run: cross-thread sends, and the queue's
    // worker past its wait, so what follows a click has happened.
    void settle();

    // Message boxes shown since the given count.
    std::size_t messageBoxCount() const;

private:
    void loadLibrary(const std::filesystem::path& file);
    void loadPlaylist(const Inputs& inputs);
    void prepareSettings(const Inputs& inputs);
    int playingIndex(const std::string& file) const;

    std::ostream& progress_;
    std::unique_ptr<driver::MenuLoop> loop_;
    std::filesystem::path temporarySettings_;
    std::string settingsFile_;
    bool firstRun_ = false;
    bool running_ = false;
    std::vector<std::pair<std::filesystem::path, std::string>> roots_; // native -> "X:"
    std::optional<std::string> playing_;
};

} // namespace tg::preview
