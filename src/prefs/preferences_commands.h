// The commands of the Preferences dialog, one per control, shared by the files
// that hold them.
#pragma once

#include "model/menu_definition.h"
#include "platform/types.h"

namespace tg {

// The definition list.
void addDefinition(HWND dialog);
void selectDefinition(HWND dialog);
void deleteDefinition(HWND dialog);
void renameDefinition(HWND dialog);
// The up-down control reported a new position.
void moveDefinition(HWND dialog);

// Where the plug-in's menus go.
void chooseMainMenu(HWND dialog);
void setDisabled(HWND dialog);
void chooseMenuLocation(HWND dialog);
void applyMenuId(HWND dialog);

// The definition at a position of the list, or none.
MenuDefinition* definitionAt(int position);

// The "Menu to display in:" entries and their item values.
struct MenuLocation {
    const char* text;
    int value;
};
inline constexpr MenuLocation kMenuLocations[] = {
    {"Songticker", 40188}, {"Play", 40045}, {"Next", 40048}, {"TG Menu", -1}, {"Other", 0},
};
inline constexpr int kOwnMenuLocation = 3;
inline constexpr int kOtherLocation = 4;

} // namespace tg
