// Where the plug-in's menus go: the main menu shown inline, the host popup or
// the plug-in's own one, and whether they are shown at all.
#include "model/model_state.h"
#include "platform/dialog.h"
#include "plugin/plugin_menu.h"
#include "prefs/dialog_controls.h"
#include "prefs/preferences_commands.h"
#include "prefs/preferences_dialog.h"
#include "resources/resource_ids.h"

#include <string>

namespace tg {

namespace {

constexpr int kMenuIdCharacters = 64;

// A disabled plug-in stays out of the host menu, and its hotkey off, until it
// is enabled again.
void placePluginMenu() {
    if (model().options.enabled != 0) installPluginMenu();
}

} // namespace

void chooseMainMenu(HWND dialog) {
    removePluginMenu();
    model().options.mainMenu = definitionOfComboSelection(dialog, IDC_PREFS_MAIN_MENU);
    placePluginMenu();
}

void setDisabled(HWND dialog) {
    const bool disabled = isChecked(dialog, IDC_PREFS_DISABLE);
    model().options.enabled = disabled ? 0 : 1;
    removePluginMenu();
    // Enabled again, the plug-in's own popup and its hotkey come back at once.
    if (!disabled) installPluginMenu();
}

void chooseMenuLocation(HWND dialog) {
    const int selected = listSelection(dialog, IDC_PREFS_LOCATION, ListKind::ComboBox);
    // Text typed into the box names no entry, and no location.
    if (selected < 0) return;
    const auto value =
        static_cast<int>(listEntryData(dialog, IDC_PREFS_LOCATION, ListKind::ComboBox, selected));
    GlobalOptions& options = model().options;
    if (value == -1 && options.ownMenu != 0) return;
    if (value != -1) options.systrayMiddleClick = 0;
    const bool other = selected == kOtherLocation;
    platform::setDlgItemText(dialog, IDC_PREFS_MENU_ID, std::to_string(other ? 0 : value).c_str());
    enableControl(dialog, IDC_PREFS_MENU_ID, other);
    applyMenuId(dialog);
}

void applyMenuId(HWND dialog) {
    const std::int32_t id = parseDecimal(controlText(dialog, IDC_PREFS_MENU_ID, kMenuIdCharacters));
    GlobalOptions& options = model().options;
    if ((id == -1 && options.ownMenu != 0) || (id != -1 && id == options.hostMenuId)) return;
    removePluginMenu();
    options.hostMenuId = id;
    options.ownMenu = id == -1 ? 1 : 0;
    placePluginMenu();
}

} // namespace tg
