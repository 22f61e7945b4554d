// The Rename dialog: a new name for the edited definition, taken as typed.
#pragma once

#include "platform/types.h"

namespace tg {

// Always returns IDOK, whether the name changed or not, so the caller
// refreshes its lists either way.
INT_PTR runRenameDialog(HWND parent);

INT_PTR TG_CALLBACK renameProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace tg
