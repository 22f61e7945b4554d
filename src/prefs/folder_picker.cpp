#include "prefs/folder_picker.h"

#include "platform/shell.h"
#include "prefs/dialog_controls.h"

namespace tg {

bool pickFolder(HWND owner, std::string& path) {
    std::string chosen;
    if (!platform::browseForFolder(owner, "Select Directory", &chosen)) return false;
    if (chosen.size() > static_cast<std::size_t>(kFieldCharacters)) {
        // A cut path would name another folder, or none.
        platform::messageBox(owner,
                             "The path of this folder is longer than 254 characters and "
                             "cannot be used. Please choose a folder with a shorter path.",
                             "Error", MB_OK | MB_ICONERROR);
        return false;
    }
    path = std::move(chosen);
    return true;
}

} // namespace tg
