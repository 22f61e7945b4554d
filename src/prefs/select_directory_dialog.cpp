#include "prefs/select_directory_dialog.h"

#include "model/model_state.h"
#include "model/text.h"
#include "platform/dialog.h"
#include "plugin/entry_guard.h"
#include "plugin/host_handles.h"
#include "prefs/dialog_controls.h"
#include "prefs/folder_picker.h"
#include "prefs/prefs_state.h"
#include "resources/resource_ids.h"

#include <string>

namespace tg {

namespace {

using namespace platform;

void command(HWND dialog, int id) {
    if (!takesCommands(dialog)) return;
    ModelState& m = model();
    m.playlistMenusValid = false;
    if (id == IDC_DIRECTORY_BROWSE) {
        std::string folder;
        if (pickFolder(dialog, folder)) setDlgItemText(dialog, IDC_DIRECTORY_PATH, folder.c_str());
    } else if (id == IDOK) {
        if (m.editedDefinition != nullptr)
            copyText(m.editedDefinition->query,
                     controlText(dialog, IDC_DIRECTORY_PATH, kFieldCharacters));
        endPrefsDialog(dialog, IDOK);
    }
    // IDCANCEL (Esc, the close box) does nothing: the folder is asked for.
}

} // namespace

INT_PTR TG_CALLBACK selectDirectoryProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return guarded<INT_PTR>(FALSE, [&]() -> INT_PTR {
        switch (message) {
        case WM_INITDIALOG:
            startPrefsDialog(dialog);
            // A typed path longer than the query holds is never cut: it cannot be typed.
            sendDlgItemMessage(dialog, IDC_DIRECTORY_PATH, EM_LIMITTEXT, kFieldCharacters, 0);
            return TRUE;
        case WM_COMMAND: command(dialog, commandControl(wParam)); return TRUE;
        default: return FALSE;
        }
    });
}

INT_PTR runSelectDirectoryDialog(HWND parent) {
    return dialogBoxParam(moduleInstance(), IDD_SELECT_DIRECTORY, parent, selectDirectoryProcedure,
                          0);
}

} // namespace tg
