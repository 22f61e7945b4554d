// The Preferences dialog: the list of menu definitions, where the plug-in's
// menus go, and the way to the other dialogs. Changes apply to the model at
// once; OK saves them, Cancel reloads the saved settings.
#pragma once

#include "model/menu_definition.h"
#include "platform/types.h"

namespace tg {

// What the library's configuration request runs: the dialog, modal over
// parent. Nothing when a Preferences dialog is open already.
void runPreferencesDialog(HWND parent);

INT_PTR TG_CALLBACK preferencesProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The position of the entry of a drop-down list, searched from the last down to
// position 1, that names definition (ignoring case); 0 ("None") when none does,
// -1 for no definition.
int comboIndexOfName(HWND dialog, int comboId, const MenuDefinition* definition);
// The first definition named like the selected entry (ignoring case); none for
// no selection and for position 0, which is "None" whatever a definition is called.
MenuDefinition* definitionOfComboSelection(HWND dialog, int comboId);

} // namespace tg
