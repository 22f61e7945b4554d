#include "support/prefs_host.h"

#include "model/model_state.h"
#include "model/settings_file.h"
#include "platform/file.h"
#include "platform/sim/inspect.h"
#include "player/player.h"
#include "plugin/descriptor.h"
#include "prefs/preferences_dialog.h"
#include "resources/resource_ids.h"
#include "support/player_support.h"
#include "support/settings_folder.h"

#include <gtest/gtest.h>

namespace tg::test {

PrefsHost::PrefsHost() {
    player::Player& p = player::player();
    EXPECT_TRUE(p.setIniDir("C:\\Settings"));
    descriptor().hostWindow = p.mainWindow();
    descriptor().libraryWindow = p.libraryWindow();
    readSettings();
}

PrefsHost::~PrefsHost() {
    descriptor().hostWindow = nullptr;
    descriptor().libraryWindow = nullptr;
}

HWND PrefsHost::mainWindow() const {
    return player::player().mainWindow();
}

void PrefsHost::writeLibraryViews(const std::string& text) {
    EXPECT_TRUE(player::player().writeIniFile("Plugins\\gen_ml.ini", text));
}

void PrefsHost::useSampleLibraryViews() {
    writeLibraryViews(readWholeFile(samplePath("settings/Plugins/gen_ml.ini")));
}

std::string PrefsHost::savedSettings() const {
    return readWholeFile(platform::hostPath(settingsFilePath()));
}

std::vector<std::string> definitionNames() {
    std::vector<std::string> names;
    for (const MenuDefinition& d : model().definitionList) names.emplace_back(d.name);
    return names;
}

MenuDefinition& definitionNamed(const std::string& name) {
    for (MenuDefinition& d : model().definitionList)
        if (name == d.name) return d;
    ADD_FAILURE() << "no definition named " << name;
    static MenuDefinition none;
    return none;
}

std::vector<int> levelsOf(const MenuDefinition& definition) {
    std::vector<int> levels;
    for (LevelType level : definition.levels) levels.push_back(static_cast<int>(level));
    return levels;
}

void runPreferences(const std::function<void(HWND dialog)>& script) {
    platform::sim::onDialog(IDD_PREFERENCES, script);
    runPreferencesDialog(player::player().mainWindow());
}

} // namespace tg::test
