// The plug-in-wide model: options, the definition list and the navigation and
// freshness state the menu code shares. One instance, reset between tests.
#pragma once

#include "model/menu_definition.h"
#include "platform/types.h"

#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tg {

struct GlobalOptions {
    bool reservedFlag = true;
    std::int32_t enabled = 1;
    std::int32_t columnCount = 4;
    std::int32_t rowsPerColumn = 35;
    std::int32_t moreColumnCount = 2;
    MenuDefinition* mainMenu = nullptr; // a link into the list, not an owner
    std::int32_t ownMenu = 0;
    std::int32_t hostMenuId = 0;
    std::int32_t maxRangeChars = 2;
    std::int32_t systrayMiddleClick = 0;
    std::int32_t disableMenuActions = 0;
    std::int32_t keepMenuOnEnqueue = 1;
    std::int32_t hotkey = 0;
    std::int32_t loadAllMenus = 1;
};

// One open popup of the current definition's walk; index in selectionPath = depth.
struct LevelSelection {
    HMENU menu = nullptr;
    LevelType kind = LevelType::Artist;
    char value[256] = {};
    char secondValue[256] = {};
    // The chosen item's whole label (its text without the play time, escapes
    // undone): the tracks of a library item are those grouped under it.
    std::string label;
    // The label read back did not fit value: it holds only the text's beginning.
    bool valueCut = false;
    HMENU checkedMenu = nullptr;
    std::int32_t checkedPosition = 0;
};

struct ModelState {
    GlobalOptions options;
    // std::list keeps every definition at one address for its whole life, so
    // mainMenu, editedDefinition and currentDefinition can point into it.
    std::list<MenuDefinition> definitionList;
    MenuDefinition* editedDefinition = nullptr;
    bool menusDirty = true;
    // The settings file holds characters this mode's texts cannot: writing it
    // would turn them into '?' for good, so it is left as it is.
    bool settingsFileKept = false;

    MenuDefinition* currentDefinition = nullptr;
    std::vector<LevelSelection> selectionPath;
    // A copy of the host's text: the host may reuse its buffer.
    std::optional<std::string> nowPlayingFile;
    bool playlistMenusValid = false;
    bool libraryMenusValid = false;
    bool songMenusValid = false;
};

ModelState& model();
void resetModel(); // everything back to the initial values

// Releases every definition and clears the links that pointed into the list.
void freeDefinitions();
// First definition whose name equals name ignoring case, or nullptr.
MenuDefinition* findDefinitionByName(std::string_view name);
// The song now playing as the builders take it: the model's copy, or null.
const char* nowPlayingText();
// Position of a definition in the list (by identity), or -1.
int definitionPosition(const MenuDefinition* definition);

// rowsPerColumn, columnCount and moreColumnCount as the layout uses them: a
// value below 1 would divide by zero or never end a column, so it counts as 1.
std::int32_t layoutRows();
std::int32_t layoutColumns();
std::int32_t layoutMoreColumns();

} // namespace tg
