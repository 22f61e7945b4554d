// The shell's folder picker as the dialogs' "Browse" buttons use it.
#pragma once

#include "platform/types.h"

#include <string>

namespace tg {

// Shows the picker (title "Select Directory") owned by the dialog. True with the
// chosen folder's path when one was picked and its path fits the model's
// fields; a longer path is refused with a message box (caption "Error") rather
// than cut. A cancelled picker, or an item without a path, gives false quietly.
bool pickFolder(HWND owner, std::string& path);

} // namespace tg
