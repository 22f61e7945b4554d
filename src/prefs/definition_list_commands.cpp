// Adding, selecting, deleting, renaming and moving definitions. The list box
// holds the definitions' names in list order, so its positions are the list's:
// a selection names one definition even when two carry the same name.
#include "model/model_state.h"
#include "model/text.h"
#include "platform/dialog.h"
#include "platform/shell.h"
#include "prefs/dialog_controls.h"
#include "prefs/preferences_commands.h"
#include "prefs/preferences_dialog.h"
#include "prefs/rename_dialog.h"
#include "prefs/select_directory_dialog.h"
#include "resources/resource_ids.h"

#include <iterator>
#include <string>
#include <utility>

namespace tg {

namespace {

using namespace platform;

constexpr ListKind kCombo = ListKind::ComboBox;
constexpr ListKind kList = ListKind::ListBox;
constexpr int kSourceTypeCount = 5;

bool listHoldsName(HWND dialog, const std::string& name) {
    for (int i = 0, count = listCount(dialog, IDC_PREFS_LIST, kList); i < count; ++i)
        if (equalIgnoringCase(listEntryText(dialog, IDC_PREFS_LIST, kList, i), name)) return true;
    return false;
}

// The first main-menu entry from position 1 on that is name exactly, or -1.
int mainMenuEntryOf(HWND dialog, const std::string& name) {
    for (int i = 1, count = listCount(dialog, IDC_PREFS_MAIN_MENU, kCombo); i < count; ++i)
        if (listEntryText(dialog, IDC_PREFS_MAIN_MENU, kCombo, i) == name) return i;
    return -1;
}

void error(HWND dialog, const char* text) {
    messageBox(dialog, text, "Error", MB_OK);
}

} // namespace

MenuDefinition* definitionAt(int position) {
    auto& list = model().definitionList;
    if (position < 0 || position >= static_cast<int>(list.size())) return nullptr;
    return &*std::next(list.begin(), position);
}

void addDefinition(HWND dialog) {
    const int chosen = listSelection(dialog, IDC_PREFS_ADD_TYPE, kCombo);
    if (chosen <= 0) return;
    selectListEntry(dialog, IDC_PREFS_ADD_TYPE, kCombo, 0);
    const std::string name = controlText(dialog, IDC_PREFS_NAME, kFieldCharacters);
    if (name.empty()) return error(dialog, "You must enter a name first.");
    if (listHoldsName(dialog, name)) return error(dialog, "You must enter an unique name.");
    if (chosen > kSourceTypeCount) return;

    ModelState& m = model();
    MenuDefinition& added = m.definitionList.emplace_back();
    copyText(added.name, name);
    m.editedDefinition = &added;
    const auto type = static_cast<SourceType>(chosen - 1);
    applySourceDefaults(added, type);
    // A folder menu is of no use without its folder: it is asked for at once.
    if (type == SourceType::Directory) runSelectDirectoryDialog(dialog);

    insertListEntry(dialog, IDC_PREFS_MAIN_MENU, kCombo, -1, added.name);
    const int at = insertListEntry(dialog, IDC_PREFS_LIST, kList, -1, added.name);
    selectListEntry(dialog, IDC_PREFS_LIST, kList, at);
    setUpDownRange(dialog, IDC_PREFS_MOVE, at, 0);
    setUpDownPosition(dialog, IDC_PREFS_MOVE, at);
    m.menusDirty = true;
    setDlgItemText(dialog, IDC_PREFS_NAME, "");
}

void selectDefinition(HWND dialog) {
    const int selected = listSelection(dialog, IDC_PREFS_LIST, kList);
    setUpDownPosition(dialog, IDC_PREFS_MOVE, selected);
    model().editedDefinition = definitionAt(selected);
}

void deleteDefinition(HWND dialog) {
    ModelState& m = model();
    MenuDefinition* doomed = m.editedDefinition;
    if (doomed == nullptr) return;
    const std::string name = doomed->name;

    deleteListEntry(dialog, IDC_PREFS_LIST, kList, listSelection(dialog, IDC_PREFS_LIST, kList));
    setUpDownRange(dialog, IDC_PREFS_MOVE, listCount(dialog, IDC_PREFS_LIST, kList) - 1, 0);
    const int entry = mainMenuEntryOf(dialog, name);
    if (entry >= 0) {
        if (entry == listSelection(dialog, IDC_PREFS_MAIN_MENU, kCombo))
            selectListEntry(dialog, IDC_PREFS_MAIN_MENU, kCombo, 0);
        deleteListEntry(dialog, IDC_PREFS_MAIN_MENU, kCombo, entry);
    }

    // No link may outlive the record.
    if (m.options.mainMenu == doomed) m.options.mainMenu = nullptr;
    if (m.currentDefinition == doomed) m.currentDefinition = nullptr;
    m.editedDefinition = nullptr;
    m.definitionList.remove_if([doomed](const MenuDefinition& d) { return &d == doomed; });

    m.options.mainMenu = definitionOfComboSelection(dialog, IDC_PREFS_MAIN_MENU);
    m.menusDirty = true;
    setUpDownPosition(dialog, IDC_PREFS_MOVE, listSelection(dialog, IDC_PREFS_LIST, kList));
}

void renameDefinition(HWND dialog) {
    ModelState& m = model();
    MenuDefinition* edited = m.editedDefinition;
    if (edited == nullptr) return;
    const int entry = mainMenuEntryOf(dialog, edited->name);
    const int mainSelection = listSelection(dialog, IDC_PREFS_MAIN_MENU, kCombo);

    runRenameDialog(dialog);

    const int selected = listSelection(dialog, IDC_PREFS_LIST, kList);
    replaceListEntry(dialog, IDC_PREFS_LIST, kList, selected, edited->name);
    selectListEntry(dialog, IDC_PREFS_LIST, kList, selected);
    if (entry >= 0) {
        replaceListEntry(dialog, IDC_PREFS_MAIN_MENU, kCombo, entry, edited->name);
        selectListEntry(dialog, IDC_PREFS_MAIN_MENU, kCombo, mainSelection);
    }
    m.menusDirty = true;
}

void moveDefinition(HWND dialog) {
    ModelState& m = model();
    MenuDefinition* edited = m.editedDefinition;
    const int selected = listSelection(dialog, IDC_PREFS_LIST, kList);
    const int count = listCount(dialog, IDC_PREFS_LIST, kList);
    const int reported = upDownPosition(dialog, IDC_PREFS_MOVE);
    if (edited == nullptr || selected < 0 || selected >= count || reported == selected) return;
    // One place per arrow: the list box and the definitions move in step even
    // when the control reports a position further away.
    const int to = reported < selected ? selected - 1 : selected + 1;
    if (to < 0 || to >= count) return;

    moveListEntry(dialog, IDC_PREFS_LIST, kList, to, selected);
    setUpDownPosition(dialog, IDC_PREFS_MOVE, to);
    if (MenuDefinition* neighbour = definitionAt(to); neighbour != nullptr && neighbour != edited) {
        // The records stay where they are in the list; their contents change places.
        std::swap(*edited, *neighbour);
        MenuDefinition*& mainMenu = m.options.mainMenu;
        if (mainMenu == edited)
            mainMenu = neighbour;
        else if (mainMenu == neighbour)
            mainMenu = edited;
        m.editedDefinition = neighbour;
    }
    m.menusDirty = true;
}

} // namespace tg
