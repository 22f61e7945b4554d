// What the folder popups and the file gathering share: the extension rule and
// the one message shown for a folder or file that cannot be searched.
#pragma once

namespace tg {

// The text after the last "." of a file name; null for a name without ".".
const char* fileExtension(const char* name);

// The "Error" message box, owned by the player's main window, naming what
// could not be searched.
void reportUnsearchable(const char* searched);

} // namespace tg
