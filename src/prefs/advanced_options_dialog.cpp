#include "prefs/advanced_options_dialog.h"

#include "model/global_hotkey.h"
#include "model/model_state.h"
#include "platform/dialog.h"
#include "platform/window.h"
#include "plugin/entry_guard.h"
#include "plugin/frame_state.h"
#include "plugin/host_handles.h"
#include "prefs/dialog_controls.h"
#include "prefs/hotkey_field.h"
#include "prefs/prefs_state.h"
#include "resources/resource_ids.h"

#include <string>

namespace tg {

namespace {

using namespace platform;

constexpr int kNumberCharacters = 64;
// A key alone, or with Shift alone, would fire whenever it is typed anywhere:
// such combinations become Win + Shift + the key.
constexpr WPARAM kInvalidCombinations = kRuleNone | kRuleShift;
constexpr LPARAM kReplacementModifiers = kFieldWin | kFieldShift;

struct NumberField {
    int id;
    std::int32_t GlobalOptions::*option;
};

constexpr NumberField kNumberFields[] = {
    {IDC_ADVANCED_ROWS, &GlobalOptions::rowsPerColumn},
    {IDC_ADVANCED_COLUMNS, &GlobalOptions::columnCount},
    {IDC_ADVANCED_MORE_COLUMNS, &GlobalOptions::moreColumnCount},
    {IDC_ADVANCED_RANGE_CHARS, &GlobalOptions::maxRangeChars},
};

struct CheckBox {
    int id;
    std::int32_t GlobalOptions::*option;
    bool rebuildsMenus;
};

constexpr CheckBox kCheckBoxes[] = {
    {IDC_ADVANCED_SYSTRAY, &GlobalOptions::systrayMiddleClick, false},
    {IDC_ADVANCED_DISABLE_ACTIONS, &GlobalOptions::disableMenuActions, false},
    {IDC_ADVANCED_KEEP_MENU, &GlobalOptions::keepMenuOnEnqueue, false},
    {IDC_ADVANCED_LOAD_ALL, &GlobalOptions::loadAllMenus, true},
};

void registerHotkey(bool on) {
    setGlobalHotkey(on, model().options.hotkey, 0, &frame().hotkeyAtom);
}

void open(HWND dialog) {
    GlobalOptions& options = model().options;
    startPrefsDialog(dialog);
    registerHotkey(false);
    attachHotkeyField(getDlgItem(dialog, IDC_ADVANCED_HOTKEY));
    for (const CheckBox& box : kCheckBoxes) setChecked(dialog, box.id, options.*box.option != 0);
    sendDlgItemMessage(dialog, IDC_ADVANCED_HOTKEY, HKF_SETRULES, kInvalidCombinations,
                       kReplacementModifiers);
    sendDlgItemMessage(dialog, IDC_ADVANCED_HOTKEY, HKF_SETVALUE,
                       static_cast<WPARAM>(options.hotkey), 0);
    for (const NumberField& field : kNumberFields)
        setDlgItemText(dialog, field.id, std::to_string(options.*field.option).c_str());
}

void command(HWND dialog, int id) {
    if (!takesCommands(dialog)) return;
    ModelState& m = model();
    m.playlistMenusValid = false;
    if (id == IDOK) {
        // A disabled plug-in keeps its hotkey off until it is placed again.
        if (m.options.enabled != 0) registerHotkey(true);
        endPrefsDialog(dialog, IDOK);
        return;
    }
    if (id == IDC_ADVANCED_HOTKEY) {
        m.options.hotkey =
            static_cast<std::int32_t>(sendDlgItemMessage(dialog, id, HKF_GETVALUE, 0, 0));
        return;
    }
    for (const NumberField& field : kNumberFields)
        if (field.id == id) {
            // Kept as typed, 0 included: the layout counts values below 1 as 1.
            m.menusDirty = true;
            m.options.*field.option = parseDecimal(controlText(dialog, id, kNumberCharacters));
            return;
        }
    for (const CheckBox& box : kCheckBoxes)
        if (box.id == id) {
            if (box.rebuildsMenus) m.menusDirty = true;
            m.options.*box.option = isChecked(dialog, id) ? 1 : 0;
            return;
        }
    // IDCANCEL (Esc, the close box) does nothing: only OK closes, so the hotkey
    // is always registered again.
}

} // namespace

INT_PTR TG_CALLBACK advancedOptionsProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return guarded<INT_PTR>(FALSE, [&]() -> INT_PTR {
        switch (message) {
        case WM_INITDIALOG: open(dialog); return TRUE;
        case WM_COMMAND: command(dialog, commandControl(wParam)); return TRUE;
        default: return FALSE;
        }
    });
}

INT_PTR runAdvancedOptionsDialog(HWND parent) {
    return dialogBoxParam(moduleInstance(), IDD_ADVANCED_OPTIONS, parent, advancedOptionsProcedure,
                          0);
}

} // namespace tg
