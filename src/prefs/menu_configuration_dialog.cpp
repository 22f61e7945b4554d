#include "prefs/menu_configuration_dialog.h"

#include "model/model_state.h"
#include "model/text.h"
#include "platform/dialog.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "plugin/entry_guard.h"
#include "plugin/host_handles.h"
#include "plugin/plugin_menu.h"
#include "prefs/dialog_controls.h"
#include "prefs/folder_picker.h"
#include "prefs/library_views.h"
#include "prefs/prefs_state.h"
#include "resources/resource_ids.h"

#include <initializer_list>
#include <string>

namespace tg {

namespace {

using namespace platform;

constexpr ListKind kCombo = ListKind::ComboBox;
constexpr ListKind kList = ListKind::ListBox;

constexpr const char* kSourceLabels[] = {"Playlist Tags", "Media Library", "Directory List",
                                         "Playlist Raw", "Bookmarks"};
constexpr const char* kYearPositions[] = {"Beginning", "End"};
constexpr const char* kClickActions[] = {"Play", "Enqueue", "Enq. and Play", "TG Play",
                                         "TG Enqueue"};
constexpr const char* kTimeDisplays[] = {"No Levels", "All Levels", "Title Level"};

// Which source types show a control; those not listed are always shown.
struct Visibility {
    int id;
    bool tags, library, directory, raw, bookmarks;
};

constexpr Visibility kVisibility[] = {
    {IDC_CONFIG_LEVELS_GROUP, true, true, false, false, false},
    {IDC_CONFIG_LEVELS_LABEL, true, true, false, false, false},
    {IDC_CONFIG_LEVELS, true, true, false, false, false},
    {IDC_CONFIG_LEVEL_MOVE, true, true, false, false, false},
    {IDC_CONFIG_LEVEL_NAMES_LABEL, true, true, false, false, false},
    {IDC_CONFIG_LEVEL_NAMES, true, true, false, false, false},
    {IDC_CONFIG_ADD_LEVEL, true, true, false, false, false},
    {IDC_CONFIG_DELETE_LEVEL, true, true, false, false, false},
    {IDC_CONFIG_TIME_LABEL, true, true, false, false, false},
    {IDC_CONFIG_TIME, true, true, false, false, false},
    {IDC_CONFIG_ADD_YEAR, true, true, false, false, false},
    {IDC_CONFIG_YEAR_POSITION, true, true, false, false, false},
    {IDC_CONFIG_TRACK_NUMBERS, true, true, false, false, false},
    {IDC_CONFIG_QUERY_LABEL, true, true, false, false, false},
    {IDC_CONFIG_VIEWS, true, true, false, false, false},
    {IDC_CONFIG_QUERY_VARIABLES, true, true, false, false, false},
    {IDC_CONFIG_QUERY, true, true, true, false, false},
    {IDC_CONFIG_DIR_LABEL, false, false, true, false, false},
    {IDC_CONFIG_BROWSE, false, false, true, false, false},
    {IDC_CONFIG_FILE_TYPES_LABEL, false, false, true, false, false},
    {IDC_CONFIG_FILE_TYPES, false, false, true, false, false},
    {IDC_CONFIG_SPLIT, false, false, false, true, false},
};

bool shownFor(const Visibility& v, SourceType type) {
    switch (type) {
    case SourceType::PlaylistTags: return v.tags;
    case SourceType::MediaLibrary: return v.library;
    case SourceType::Directory: return v.directory;
    case SourceType::PlaylistRaw: return v.raw;
    case SourceType::Bookmarks: return v.bookmarks;
    }
    return false;
}

bool usesLevels(SourceType type) {
    return type == SourceType::PlaylistTags || type == SourceType::MediaLibrary;
}

void fillList(HWND dialog, int id, std::initializer_list<const char*> entries) {
    for (const char* entry : entries) insertListEntry(dialog, id, kCombo, -1, entry);
}

template <std::size_t N> void fillList(HWND dialog, int id, const char* const (&entries)[N]) {
    for (const char* entry : entries) insertListEntry(dialog, id, kCombo, -1, entry);
}

// The built items of the edited definition go; its menu is built afresh at
// its next opening.
void discardBuiltMenu() {
    clearBuiltItems(model().editedDefinition);
}

void open(HWND dialog) {
    MenuDefinition* edited = model().editedDefinition;
    startPrefsDialog(dialog);
    if (edited == nullptr) return;
    FillingGuard filling;
    setWindowText(dialog, (std::string(edited->name) + " Configuration").c_str());
    fillList(dialog, IDC_CONFIG_SOURCE, kSourceLabels);
    fillList(dialog, IDC_CONFIG_YEAR_POSITION, kYearPositions);
    fillList(dialog, IDC_CONFIG_ACTION, kClickActions);
    fillList(dialog, IDC_CONFIG_TIME, kTimeDisplays);
    for (const char* name : levelNames)
        insertListEntry(dialog, IDC_CONFIG_LEVEL_NAMES, kCombo, -1, name);
    fillList(dialog, IDC_CONFIG_VIEWS, {"Use ML View"});
    for (const std::string& view : libraryViewNames())
        insertListEntry(dialog, IDC_CONFIG_VIEWS, kCombo, -1, view);
    selectListEntry(dialog, IDC_CONFIG_VIEWS, kCombo, 0);
    // What the fields cannot hold cannot be typed.
    sendDlgItemMessage(dialog, IDC_CONFIG_QUERY, EM_LIMITTEXT, kFieldCharacters, 0);
    sendDlgItemMessage(dialog, IDC_CONFIG_FILE_TYPES, EM_LIMITTEXT, kFieldCharacters, 0);
    showDefinition(dialog);
    prefs().savedDefinition = *edited;
}

int selectionOf(HWND dialog, int id) {
    return listSelection(dialog, id, kCombo);
}

void useLibraryView(HWND dialog) {
    MenuDefinition& edited = *model().editedDefinition;
    discardBuiltMenu();
    const int chosen = selectionOf(dialog, IDC_CONFIG_VIEWS);
    if (chosen > 0) {
        if (auto query =
                libraryViewQuery(listEntryText(dialog, IDC_CONFIG_VIEWS, kCombo, chosen))) {
            if (query->size() > static_cast<std::size_t>(kFieldCharacters))
                // A cut query would ask the library something else.
                messageBox(dialog,
                           "The query of this view is longer than 254 characters and cannot "
                           "be used.",
                           "Error", MB_OK | MB_ICONERROR);
            else
                setDlgItemText(dialog, IDC_CONFIG_QUERY, query->c_str());
        }
    }
    copyText(edited.query, controlText(dialog, IDC_CONFIG_QUERY, kFieldCharacters));
    selectListEntry(dialog, IDC_CONFIG_VIEWS, kCombo, 0);
}

void browse(HWND dialog) {
    std::string folder;
    if (!pickFolder(dialog, folder)) return;
    discardBuiltMenu();
    copyText(model().editedDefinition->query, folder);
    setDlgItemText(dialog, IDC_CONFIG_QUERY, folder.c_str());
}

void addLevel(HWND dialog) {
    discardBuiltMenu();
    const int level = selectionOf(dialog, IDC_CONFIG_LEVEL_NAMES);
    if (level < 0) return;
    const int at =
        insertListEntry(dialog, IDC_CONFIG_LEVELS, kList, -1,
                        listEntryText(dialog, IDC_CONFIG_LEVEL_NAMES, kCombo, level), level);
    setUpDownRange(dialog, IDC_CONFIG_LEVEL_MOVE, at, 0);
    rebuildLevels(dialog);
}

void deleteLevel(HWND dialog) {
    discardBuiltMenu();
    const int selected = listSelection(dialog, IDC_CONFIG_LEVELS, kList);
    if (selected < 0) return;
    deleteListEntry(dialog, IDC_CONFIG_LEVELS, kList, selected);
    setUpDownRange(dialog, IDC_CONFIG_LEVEL_MOVE, listCount(dialog, IDC_CONFIG_LEVELS, kList) - 1,
                   0);
    rebuildLevels(dialog);
}

void moveLevel(HWND dialog) {
    const int to = listSelection(dialog, IDC_CONFIG_LEVELS, kList);
    const int count = listCount(dialog, IDC_CONFIG_LEVELS, kList);
    const int from = upDownPosition(dialog, IDC_CONFIG_LEVEL_MOVE);
    if (to < 0 || to >= count || from < 0 || from >= count || from == to) return;
    model().playlistMenusValid = false;
    discardBuiltMenu();
    moveListEntry(dialog, IDC_CONFIG_LEVELS, kList, from, to);
    rebuildLevels(dialog);
}

void close(HWND dialog, INT_PTR result) {
    prefs().savedDefinition.reset();
    endPrefsDialog(dialog, result);
}

void cancel(HWND dialog) {
    MenuDefinition* edited = model().editedDefinition;
    std::optional<MenuDefinition>& saved = prefs().savedDefinition;
    if (edited != nullptr && saved) {
        discardBuiltMenu();
        *edited = std::move(*saved);
    }
    close(dialog, IDCANCEL);
}

template <typename T> void setFromSelection(HWND dialog, int id, T& field) {
    const int selected = selectionOf(dialog, id);
    if (selected >= 0) field = static_cast<T>(selected);
}

void command(HWND dialog, int id, WORD code) {
    if (!takesCommands(dialog)) return;
    ModelState& m = model();
    m.playlistMenusValid = false;
    if (id == IDOK) return close(dialog, IDOK);
    if (id == IDCANCEL) return cancel(dialog);
    MenuDefinition* edited = m.editedDefinition;
    if (edited == nullptr) return;
    // Whatever changes, the plug-in's part of the host menu is rebuilt from it.
    m.menusDirty = true;
    switch (id) {
    case IDC_CONFIG_SUBMENU: edited->showAsSubmenu = isChecked(dialog, id); break;
    case IDC_CONFIG_LEVELS:
        discardBuiltMenu();
        if (code == LBN_SELCHANGE)
            setUpDownPosition(dialog, IDC_CONFIG_LEVEL_MOVE, listSelection(dialog, id, kList));
        break;
    case IDC_CONFIG_ADD_LEVEL: addLevel(dialog); break;
    case IDC_CONFIG_DELETE_LEVEL: deleteLevel(dialog); break;
    case IDC_CONFIG_SPLIT:
        discardBuiltMenu();
        rebuildLevels(dialog);
        break;
    case IDC_CONFIG_ACTION: setFromSelection(dialog, id, edited->clickAction); break;
    case IDC_CONFIG_ADD_YEAR:
        discardBuiltMenu();
        edited->addYearToAlbums = isChecked(dialog, id);
        break;
    case IDC_CONFIG_SOURCE: {
        discardBuiltMenu();
        const int selected = selectionOf(dialog, id);
        if (selected >= 0 && changeSourceType(*edited, static_cast<SourceType>(selected)))
            showDefinition(dialog);
        break;
    }
    case IDC_CONFIG_YEAR_POSITION:
        discardBuiltMenu();
        setFromSelection(dialog, id, edited->yearPosition);
        break;
    case IDC_CONFIG_TRACK_NUMBERS:
        discardBuiltMenu();
        edited->showTrackNumbers = isChecked(dialog, id);
        break;
    case IDC_CONFIG_QUERY:
        discardBuiltMenu();
        copyText(edited->query, controlText(dialog, id, kFieldCharacters));
        break;
    case IDC_CONFIG_VIEWS: useLibraryView(dialog); break;
    case IDC_CONFIG_BROWSE: browse(dialog); break;
    case IDC_CONFIG_FILE_TYPES:
        copyText(edited->fileTypes, controlText(dialog, id, kFieldCharacters));
        break;
    case IDC_CONFIG_TIME:
        discardBuiltMenu();
        setFromSelection(dialog, id, edited->timeDisplay);
        break;
    case IDC_CONFIG_QUERY_VARIABLES:
        messageBox(dialog, kQueryVariablesText, "Query Variables", MB_OK);
        break;
    default: break;
    }
}

} // namespace

void showDefinition(HWND dialog) {
    MenuDefinition* edited = model().editedDefinition;
    if (edited == nullptr) return;
    const MenuDefinition& d = *edited;
    clearList(dialog, IDC_CONFIG_LEVELS, kList);
    selectListEntry(dialog, IDC_CONFIG_SOURCE, kCombo, static_cast<int>(d.sourceType));
    selectListEntry(dialog, IDC_CONFIG_ACTION, kCombo, static_cast<int>(d.clickAction));
    selectListEntry(dialog, IDC_CONFIG_LEVEL_NAMES, kCombo, 0);
    setChecked(dialog, IDC_CONFIG_SUBMENU, d.showAsSubmenu);
    if (usesLevels(d.sourceType)) {
        setChecked(dialog, IDC_CONFIG_ADD_YEAR, d.addYearToAlbums);
        setChecked(dialog, IDC_CONFIG_TRACK_NUMBERS, d.showTrackNumbers);
        selectListEntry(dialog, IDC_CONFIG_YEAR_POSITION, kCombo, d.yearPosition);
        for (LevelType level : d.levels)
            insertListEntry(dialog, IDC_CONFIG_LEVELS, kList, -1, levelName(level),
                            static_cast<LPARAM>(level));
        if (!d.levels.empty()) setUpDownRange(dialog, IDC_CONFIG_LEVEL_MOVE, d.levelCount() - 1, 0);
        selectListEntry(dialog, IDC_CONFIG_TIME, kCombo, d.timeDisplay);
    } else if (d.sourceType == SourceType::PlaylistRaw) {
        setChecked(dialog, IDC_CONFIG_SPLIT, d.levelCount() > 1);
    } else if (d.sourceType == SourceType::Directory) {
        setDlgItemText(dialog, IDC_CONFIG_FILE_TYPES, d.fileTypes);
    }
    // Showing the texts notifies the dialog, which reads them back: copies of
    // the definition's own, taken before they are shown.
    const std::string query = d.query;
    setDlgItemText(dialog, IDC_CONFIG_QUERY, query.c_str());
    for (const Visibility& v : kVisibility) showControl(dialog, v.id, shownFor(v, d.sourceType));
}

void rebuildLevels(HWND dialog) {
    ModelState& m = model();
    MenuDefinition* edited = m.editedDefinition;
    if (edited == nullptr) return;
    edited->levels.clear();
    switch (edited->sourceType) {
    case SourceType::Directory:
    case SourceType::Bookmarks: break;
    case SourceType::PlaylistRaw:
        if (isChecked(dialog, IDC_CONFIG_SPLIT)) edited->levels.push_back(LevelType::Range);
        edited->levels.push_back(LevelType::PlaylistEntries);
        break;
    default:
        for (int i = 0, count = listCount(dialog, IDC_CONFIG_LEVELS, kList); i < count; ++i)
            edited->levels.push_back(
                static_cast<LevelType>(listEntryData(dialog, IDC_CONFIG_LEVELS, kList, i)));
        break;
    }
    m.menusDirty = true;
}

INT_PTR TG_CALLBACK menuConfigurationProcedure(HWND dialog, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    return guarded<INT_PTR>(FALSE, [&]() -> INT_PTR {
        switch (message) {
        case WM_INITDIALOG: open(dialog); return TRUE;
        case WM_COMMAND: command(dialog, commandControl(wParam), commandCode(wParam)); return TRUE;
        case WM_VSCROLL:
            if (loWord(wParam) == SB_THUMBPOSITION && takesCommands(dialog) &&
                model().editedDefinition != nullptr &&
                reinterpret_cast<HWND>(lParam) == getDlgItem(dialog, IDC_CONFIG_LEVEL_MOVE))
                moveLevel(dialog);
            return TRUE;
        default: return FALSE;
        }
    });
}

INT_PTR runMenuConfigurationDialog(HWND parent) {
    const INT_PTR result = dialogBoxParam(moduleInstance(), IDD_MENU_CONFIGURATION, parent,
                                          menuConfigurationProcedure, 0);
    prefs().savedDefinition.reset();
    return result;
}

} // namespace tg
