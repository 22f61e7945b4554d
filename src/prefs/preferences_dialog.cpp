#include "prefs/preferences_dialog.h"

#include "model/model_state.h"
#include "model/settings_file.h"
#include "model/text.h"
#include "platform/dialog.h"
#include "platform/shell.h"
#include "plugin/entry_guard.h"
#include "plugin/host_handles.h"
#include "plugin/plugin_menu.h"
#include "prefs/advanced_options_dialog.h"
#include "prefs/dialog_controls.h"
#include "prefs/help_page.h"
#include "prefs/menu_configuration_dialog.h"
#include "prefs/preferences_commands.h"
#include "prefs/prefs_state.h"
#include "resources/resource_ids.h"

#include <string>

namespace tg {

namespace {

using namespace platform;

constexpr ListKind kCombo = ListKind::ComboBox;
constexpr ListKind kList = ListKind::ListBox;

constexpr const char* kAddTypes[] = {"Pick Type to Add", "Playlist Tags", "Media Library",
                                     "Directory List",   "Playlist Raw",  "Bookmarks"};

int locationOf(const GlobalOptions& options) {
    if (options.ownMenu != 0) return kOwnMenuLocation;
    for (int i = 0; i < kOwnMenuLocation; ++i)
        if (kMenuLocations[i].value == options.hostMenuId) return i;
    return kOtherLocation;
}

void open(HWND dialog) {
    startPrefsDialog(dialog);
    FillingGuard filling;
    ModelState& m = model();
    setChecked(dialog, IDC_PREFS_DISABLE, m.options.enabled == 0);

    insertListEntry(dialog, IDC_PREFS_MAIN_MENU, kCombo, -1, "None");
    for (const MenuDefinition& d : m.definitionList) {
        insertListEntry(dialog, IDC_PREFS_MAIN_MENU, kCombo, -1, d.name);
        insertListEntry(dialog, IDC_PREFS_LIST, kList, -1, d.name);
    }
    const int count = static_cast<int>(m.definitionList.size());
    setUpDownRange(dialog, IDC_PREFS_MOVE, count - 1, 0);
    selectListEntry(dialog, IDC_PREFS_LIST, kList, 0);
    const int mainMenu = comboIndexOfName(dialog, IDC_PREFS_MAIN_MENU, m.options.mainMenu);
    selectListEntry(dialog, IDC_PREFS_MAIN_MENU, kCombo, mainMenu < 0 ? 0 : mainMenu);
    m.editedDefinition = definitionAt(0);

    for (const char* type : kAddTypes)
        insertListEntry(dialog, IDC_PREFS_ADD_TYPE, kCombo, -1, type);
    selectListEntry(dialog, IDC_PREFS_ADD_TYPE, kCombo, 0);
    sendDlgItemMessage(dialog, IDC_PREFS_NAME, EM_LIMITTEXT, kFieldCharacters, 0);

    for (const MenuLocation& location : kMenuLocations)
        insertListEntry(dialog, IDC_PREFS_LOCATION, kCombo, -1, location.text, location.value);
    const int location = locationOf(m.options);
    selectListEntry(dialog, IDC_PREFS_LOCATION, kCombo, location);
    const int shownId = location == kOwnMenuLocation ? -1 : m.options.hostMenuId;
    setDlgItemText(dialog, IDC_PREFS_MENU_ID, std::to_string(shownId).c_str());
    enableControl(dialog, IDC_PREFS_MENU_ID, location == kOtherLocation);
}

void confirm(HWND dialog) {
    writeSettings();
    endPrefsDialog(dialog, IDOK);
}

// Everything goes back to the saved settings, and the menus with them.
void cancel(HWND dialog) {
    removePluginMenu();
    endPrefsDialog(dialog, IDCANCEL);
    readSettings();
    installPluginMenu();
}

void command(HWND dialog, int id, WORD code) {
    if (!takesCommands(dialog)) return;
    ModelState& m = model();
    m.playlistMenusValid = false;
    const bool clicked = code == BN_CLICKED;
    switch (id) {
    case IDC_PREFS_ADD_TYPE: addDefinition(dialog); break;
    case IDC_PREFS_LIST:
        if (code == LBN_SELCHANGE) selectDefinition(dialog);
        break;
    case IDC_PREFS_DELETE:
        if (clicked) deleteDefinition(dialog);
        break;
    case IDC_PREFS_RENAME:
        if (clicked) renameDefinition(dialog);
        break;
    case IDC_PREFS_MAIN_MENU: chooseMainMenu(dialog); break;
    case IDC_PREFS_DISABLE:
        if (clicked) setDisabled(dialog);
        break;
    case IDC_PREFS_LOCATION:
        // A selection made, not the focus passing through: that would put
        // "Other" back to 0 over an id the user typed.
        if (code == CBN_SELCHANGE) chooseMenuLocation(dialog);
        break;
    case IDC_PREFS_MENU_ID:
        if (code == EN_CHANGE) applyMenuId(dialog);
        break;
    case IDC_PREFS_EDIT:
        if (clicked && m.editedDefinition != nullptr) runMenuConfigurationDialog(dialog);
        break;
    case IDC_PREFS_ADVANCED:
        if (clicked) runAdvancedOptionsDialog(dialog);
        break;
    case IDC_PREFS_HELP:
        if (clicked) openWebPage(dialog, kHelpPageAddress); // a failure is of no consequence
        break;
    case IDOK: confirm(dialog); break;
    case IDCANCEL: cancel(dialog); break;
    default: break;
    }
}

} // namespace

int comboIndexOfName(HWND dialog, int comboId, const MenuDefinition* definition) {
    if (definition == nullptr) return -1;
    for (int i = listCount(dialog, comboId, kCombo) - 1; i >= 1; --i)
        if (equalIgnoringCase(listEntryText(dialog, comboId, kCombo, i), definition->name))
            return i;
    return 0;
}

MenuDefinition* definitionOfComboSelection(HWND dialog, int comboId) {
    const int selected = listSelection(dialog, comboId, kCombo);
    if (selected <= 0) return nullptr;
    return findDefinitionByName(listEntryText(dialog, comboId, kCombo, selected));
}

INT_PTR TG_CALLBACK preferencesProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return guarded<INT_PTR>(FALSE, [&]() -> INT_PTR {
        switch (message) {
        case WM_INITDIALOG: open(dialog); return TRUE;
        case WM_COMMAND: command(dialog, commandControl(wParam), commandCode(wParam)); return TRUE;
        case WM_VSCROLL:
            if (loWord(wParam) == SB_THUMBPOSITION && takesCommands(dialog) &&
                reinterpret_cast<HWND>(lParam) == getDlgItem(dialog, IDC_PREFS_MOVE))
                moveDefinition(dialog);
            return TRUE;
        default: return FALSE;
        }
    });
}

void runPreferencesDialog(HWND parent) {
    PrefsState& state = prefs();
    if (state.preferencesOpen) return;
    // Closed again however the dialog ends, or it could never open again.
    struct Open {
        PrefsState& state;
        explicit Open(PrefsState& s) : state(s) { state.preferencesOpen = true; }
        ~Open() {
            state.preferencesOpen = false;
            model().editedDefinition = nullptr;
        }
    } open(state);
    dialogBoxParam(moduleInstance(), IDD_PREFERENCES, parent, preferencesProcedure, 0);
}

} // namespace tg
