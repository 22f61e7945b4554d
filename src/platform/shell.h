// Message boxes and the two shell calls.
#pragma once

#include "platform/types.h"

#include <string>

namespace tg::platform {

int messageBox(HWND owner, const char* text, const char* caption, UINT type);

// The shell's browse-for-folder dialog (file-system folders only, no root).
// Returns false when cancelled or when the chosen item has no file-system path.
bool browseForFolder(HWND owner, const char* title, std::string* path);

// ShellExecute with the "open" verb.
bool openWebPage(HWND owner, const char* address);

} // namespace tg::platform
