#include "prefs/hotkey_field.h"

#include "platform/dialog.h"
#include "platform/window.h"
#include "plugin/entry_guard.h"

namespace tg {

namespace {

using namespace platform;

constexpr int kKeyNameCharacters = 64;

// The flag that marks a combination of Shift, Ctrl and Alt invalid; Win is never.
std::uint16_t ruleFlag(std::uint8_t modifiers) {
    if ((modifiers & kFieldWin) != 0) return 0;
    switch (modifiers & (kFieldShift | kFieldCtrl | kFieldAlt)) {
    case 0: return kRuleNone;
    case kFieldShift: return kRuleShift;
    case kFieldCtrl: return kRuleCtrl;
    case kFieldAlt: return kRuleAlt;
    case kFieldShift | kFieldCtrl: return kRuleShiftCtrl;
    case kFieldShift | kFieldAlt: return kRuleShiftAlt;
    case kFieldCtrl | kFieldAlt: return kRuleCtrlAlt;
    default: return kRuleShiftCtrlAlt;
    }
}

bool held(int virtualKey) {
    return getAsyncKeyState(virtualKey) < 0;
}

// The modifier keys down at this moment.
std::uint8_t currentModifiers() {
    std::uint8_t modifiers = 0;
    if (held(VK_CONTROL)) modifiers |= kFieldCtrl;
    if (held(VK_MENU)) modifiers |= kFieldAlt;
    if (held(VK_LWIN) || held(VK_RWIN)) modifiers |= kFieldWin;
    if (held(VK_SHIFT)) modifiers |= kFieldShift;
    return modifiers;
}

bool isModifierKey(int key) {
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_LWIN ||
           key == VK_RWIN;
}

// Keys of the extended block: their scan codes name the keypad keys unless
// the extended bit says otherwise ("Up", not "Num 8").
bool isExtendedKey(int key) {
    return (key >= VK_PRIOR && key <= VK_DOWN) || key == 0x2C /* Print Screen */ ||
           key == VK_INSERT || key == VK_DELETE || key == VK_LWIN || key == VK_RWIN ||
           key == VK_APPS || key == 0x6F /* Num / */ || key == 0x90 /* Num Lock */ ||
           key == VK_RCONTROL || key == VK_RMENU;
}

void applyRules(HotkeyFieldState& field) {
    if ((ruleFlag(field.modifiers) & field.invalidCombinations) != 0)
        field.modifiers = field.replacementModifiers;
}

void redraw(HotkeyFieldState& field) {
    const std::string text = hotkeyText(field.modifiers, field.key);
    // The edit reports the new text to the dialog, which reads the value back.
    setWindowText(field.window, text.c_str());
    const auto end = static_cast<WPARAM>(text.size());
    sendMessage(field.window, EM_SETSEL, end, static_cast<LPARAM>(end));
}

void onKeyDown(HotkeyFieldState& field, int key) {
    if (key == 0) {
        redraw(field);
        return;
    }
    const std::uint8_t modifiers = currentModifiers();
    if ((key == VK_BACK || key == VK_DELETE) && modifiers == 0) {
        field.modifiers = 0;
        field.key = 0;
        redraw(field);
        return;
    }
    if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE) return;
    if (isModifierKey(key)) {
        if (modifiers != field.modifiers) {
            field.modifiers = modifiers;
            field.key = 0;
            applyRules(field);
            redraw(field);
        } else if (field.key != 0 && !held(field.key)) {
            field.key = 0;
            redraw(field);
        }
        return;
    }
    if (key == VK_SPACE && modifiers == 0) return;
    if (field.key == key) return;
    field.key = static_cast<std::uint8_t>(key);
    if (modifiers == 0) field.modifiers = 0;
    if (field.modifiers == 0) applyRules(field);
    redraw(field);
}

void onKeyUp(HotkeyFieldState& field, int key) {
    if (!isModifierKey(key) || field.key != 0) return;
    field.modifiers = currentModifiers();
    if (field.modifiers != 0) applyRules(field);
    redraw(field);
}

LRESULT fieldProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* field = static_cast<HotkeyFieldState*>(getProp(window, kHotkeyFieldProperty));
    if (field == nullptr) return 0;
    switch (message) {
    case HKF_SETVALUE:
    case HKF_SETVALUE2:
        field->modifiers = static_cast<std::uint8_t>((wParam >> 8) & 0xFF);
        field->key = static_cast<std::uint8_t>(wParam & 0xFF);
        redraw(*field);
        return 0;
    case HKF_GETVALUE:
    case HKF_GETVALUE2: return field->modifiers * 256 + field->key;
    case HKF_SETRULES:
    case HKF_SETRULES2:
        field->invalidCombinations = static_cast<std::uint16_t>(wParam & 0xFFFF);
        field->replacementModifiers = static_cast<std::uint8_t>(lParam & 0xFF);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: onKeyDown(*field, static_cast<int>(wParam & 0xFF)); return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP: onKeyUp(*field, static_cast<int>(wParam & 0xFF)); return 0;
    case WM_KILLFOCUS:
        // Modifiers held without a key mean nothing once the focus is gone.
        if (field->key == 0) {
            field->modifiers = 0;
            redraw(*field);
        }
        return callWindowProc(field->previousProcedure, window, message, wParam, lParam);
    case WM_DESTROY: {
        const WNDPROC previous = field->previousProcedure;
        removeProp(window, kHotkeyFieldProperty);
        setWindowProc(window, previous);
        heapFree(field);
        return callWindowProc(previous, window, message, wParam, lParam);
    }
    default: return callWindowProc(field->previousProcedure, window, message, wParam, lParam);
    }
}

LRESULT TG_CALLBACK hotkeyFieldProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return guarded(LRESULT{0}, [&] { return fieldProcedure(window, message, wParam, lParam); });
}

} // namespace

std::string hotkeyText(std::uint8_t modifiers, std::uint8_t key) {
    std::string text;
    if ((modifiers & kFieldWin) != 0) text += "Win + ";
    if ((modifiers & kFieldCtrl) != 0) text += "Ctrl + ";
    if ((modifiers & kFieldShift) != 0) text += "Shift + ";
    if ((modifiers & kFieldAlt) != 0) text += "Alt + ";
    if (key != 0) {
        const UINT scanCode = mapVirtualKey(key, MAPVK_VK_TO_VSC);
        char name[kKeyNameCharacters + 1] = {};
        int length = 0;
        if (scanCode != 0) {
            LONG keyData = static_cast<LONG>((scanCode & 0xFF) << 16);
            if (isExtendedKey(key)) keyData |= LONG{1} << 24;
            length = getKeyNameText(keyData, name, static_cast<int>(sizeof name));
        }
        if (length <= 0)
            text.clear();
        else
            text += name;
    }
    return text.empty() ? "None" : text;
}

bool attachHotkeyField(HWND window) {
    if (!isWindow(window)) return false;
    // A field already attached keeps its state; a second subclass would call
    // itself as its own previous procedure.
    if (getProp(window, kHotkeyFieldProperty) != nullptr) return true;
    auto* field = static_cast<HotkeyFieldState*>(heapAllocZeroed(sizeof(HotkeyFieldState)));
    if (field == nullptr) return false;
    sendMessage(window, EM_SETREADONLY, TRUE, 0);
    // Drawn once the dialog's message loop runs.
    postMessage(window, WM_KEYDOWN, 0, 0);
    setProp(window, kHotkeyFieldProperty, field);
    field->window = window;
    field->previousProcedure = setWindowProc(window, hotkeyFieldProcedure);
    return true;
}

} // namespace tg
