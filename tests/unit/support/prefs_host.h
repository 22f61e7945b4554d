// The player as the preferences dialogs meet it: its windows in the plug-in's
// descriptor, a settings directory of its own, and the model read from it (the
// four first-run menus, also written as the saved settings).
#pragma once

#include "model/menu_definition.h"
#include "platform/types.h"
#include "support/temp_drive.h"

#include <functional>
#include <string>
#include <vector>

namespace tg::test {

class PrefsHost {
public:
    PrefsHost();
    ~PrefsHost();
    PrefsHost(const PrefsHost&) = delete;
    PrefsHost& operator=(const PrefsHost&) = delete;

    HWND mainWindow() const;
    // "Plugins\gen_ml.ini": the given text, or the sample file.
    void writeLibraryViews(const std::string& text);
    void useSampleLibraryViews();
    std::string savedSettings() const; // ml_tg.ini as it is on disk

private:
    TempDrive drive_{'C'};
};

// The names of the model's definitions, in list order.
std::vector<std::string> definitionNames();
MenuDefinition& definitionNamed(const std::string& name);
std::vector<int> levelsOf(const MenuDefinition& definition);

// Runs the Preferences dialog with script as its user (IDs from resource_ids.h).
void runPreferences(const std::function<void(HWND dialog)>& script);

} // namespace tg::test
