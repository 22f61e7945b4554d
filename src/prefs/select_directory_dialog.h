// The Select Directory dialog: the folder of a Directory definition just added.
#pragma once

#include "platform/types.h"

namespace tg {

// Closes only through OK, which stores the field as the edited definition's query.
INT_PTR runSelectDirectoryDialog(HWND parent);

INT_PTR TG_CALLBACK selectDirectoryProcedure(HWND dialog, UINT message, WPARAM wParam,
                                             LPARAM lParam);

} // namespace tg
