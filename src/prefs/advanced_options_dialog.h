// The Advanced options dialog: columns, rows, range labels, eager loading,
// the global hotkey and the click behaviours, applied as the user edits them.
#pragma once

#include "platform/types.h"

namespace tg {

// Runs the dialog modally over parent. The hotkey is unregistered while it is
// open and registered again, with the new code, when OK closes it.
INT_PTR runAdvancedOptionsDialog(HWND parent);

INT_PTR TG_CALLBACK advancedOptionsProcedure(HWND dialog, UINT message, WPARAM wParam,
                                             LPARAM lParam);

} // namespace tg
