#include "prefs/rename_dialog.h"

#include "model/model_state.h"
#include "model/text.h"
#include "platform/dialog.h"
#include "platform/window.h"
#include "plugin/entry_guard.h"
#include "plugin/host_handles.h"
#include "prefs/dialog_controls.h"
#include "prefs/prefs_state.h"
#include "resources/resource_ids.h"

#include <string>

namespace tg {

namespace {

using namespace platform;

void open(HWND dialog) {
    startPrefsDialog(dialog);
    const MenuDefinition* edited = model().editedDefinition;
    const std::string caption = std::string("Rename ") + (edited != nullptr ? edited->name : "");
    setWindowText(dialog, caption.c_str());
    // The field starts empty and takes no more than a name holds.
    sendDlgItemMessage(dialog, IDC_RENAME_NAME, EM_LIMITTEXT, kFieldCharacters, 0);
}

void command(HWND dialog, int id) {
    if (!takesCommands(dialog)) return;
    ModelState& m = model();
    m.playlistMenusValid = false;
    if (id == IDOK) {
        // Empty names and names other definitions carry are accepted.
        if (m.editedDefinition != nullptr)
            copyText(m.editedDefinition->name,
                     controlText(dialog, IDC_RENAME_NAME, kFieldCharacters));
        endPrefsDialog(dialog, IDOK);
    } else if (id == IDCANCEL) {
        endPrefsDialog(dialog, IDOK);
    }
}

} // namespace

INT_PTR TG_CALLBACK renameProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return guarded<INT_PTR>(FALSE, [&]() -> INT_PTR {
        switch (message) {
        case WM_INITDIALOG: open(dialog); return TRUE;
        case WM_COMMAND: command(dialog, commandControl(wParam)); return TRUE;
        default: return FALSE;
        }
    });
}

INT_PTR runRenameDialog(HWND parent) {
    return dialogBoxParam(moduleInstance(), IDD_RENAME, parent, renameProcedure, 0);
}

} // namespace tg
