// An edit control turned into a key-combination field: it shows the keys held
// and pressed ("Ctrl + Alt + M") and keeps them as a hotkey code (modifiers in
// bits 8-15: Shift 0x100, Ctrl 0x200, Alt 0x400, Win 0x800; the key in 0-7).
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <string>

namespace tg {

// Messages the field answers; each pair means the same.
inline constexpr UINT HKF_SETVALUE = WM_USER + 1; // wParam: the code; redraws
inline constexpr UINT HKF_GETVALUE = WM_USER + 2; // returns the code
inline constexpr UINT HKF_SETRULES =
    WM_USER + 3; // wParam: invalid combinations, lParam: replacement
inline constexpr UINT HKF_SETVALUE2 = WM_USER + 101;
inline constexpr UINT HKF_GETVALUE2 = WM_USER + 100;
inline constexpr UINT HKF_SETRULES2 = WM_USER + 102;

// Modifier bits of the field (the code's bits 8-15, shifted down).
inline constexpr std::uint8_t kFieldShift = 1;
inline constexpr std::uint8_t kFieldCtrl = 2;
inline constexpr std::uint8_t kFieldAlt = 4;
inline constexpr std::uint8_t kFieldWin = 8;

// Rule flags: the combination that is the whole of the modifiers is invalid.
inline constexpr std::uint16_t kRuleNone = 0x01;
inline constexpr std::uint16_t kRuleShift = 0x02;
inline constexpr std::uint16_t kRuleCtrl = 0x04;
inline constexpr std::uint16_t kRuleAlt = 0x08;
inline constexpr std::uint16_t kRuleShiftCtrl = 0x10;
inline constexpr std::uint16_t kRuleShiftAlt = 0x20;
inline constexpr std::uint16_t kRuleCtrlAlt = 0x40;
inline constexpr std::uint16_t kRuleShiftCtrlAlt = 0x80;

// One per field, zero-filled from the process heap, kept as the window
// property "HOTKEYDATA" until the field is destroyed.
struct HotkeyFieldState {
    HWND window;
    WNDPROC previousProcedure;
    std::uint8_t modifiers;
    std::uint8_t key;
    std::uint16_t invalidCombinations;
    std::uint8_t replacementModifiers;
};

inline constexpr char kHotkeyFieldProperty[] = "HOTKEYDATA";

// Makes the edit read-only and subclasses it. False when window is not a
// window (or the state cannot be allocated).
bool attachHotkeyField(HWND window);

// The text the field shows for a code: "Win + Ctrl + Shift + Alt + " as held,
// then the key's name from the keyboard layout; "None" when that gives nothing.
// (A key the layout cannot name empties the whole text.)
std::string hotkeyText(std::uint8_t modifiers, std::uint8_t key);

} // namespace tg
