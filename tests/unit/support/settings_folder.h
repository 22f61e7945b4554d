// A private settings directory per test, answered by a recording main window
// as the player's HOST_GET_INI_DIR, with the player's "Plugins" folder in it.
#pragma once

#include "support/recording_window.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tg::test {

class SettingsFolder {
public:
    explicit SettingsFolder(bool withPluginsFolder = true);
    ~SettingsFolder();
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;

    // The native path of ml_tg.ini and of its neighbours.
    std::filesystem::path file() const { return root_ / "Plugins" / "ml_tg.ini"; }
    std::filesystem::path plugins() const { return root_ / "Plugins"; }
    // Makes the main window answer null, as a player without a settings folder.
    void answerNull() { answerNull_ = true; }

    RecordingHost host;

private:
    std::filesystem::path root_;
    std::string rootText_;
    bool answerNull_ = false;
};

std::string readWholeFile(const std::filesystem::path& path);
void writeWholeFile(const std::filesystem::path& path, const std::string& text);
// Every entry of a folder by name, sorted: to see stray temporaries.
std::vector<std::string> folderEntries(const std::filesystem::path& folder);

} // namespace tg::test
