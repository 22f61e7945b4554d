// The one system-wide hotkey that opens the plug-in's popup at the cursor.
//
// A hotkey code: virtual key in bits 0-7, Shift 0x100, Ctrl 0x200, Alt 0x400,
// Win 0x800; 0 for none.
#pragma once

#include "platform/types.h"

#include <cstdint>

namespace tg {

inline constexpr std::int32_t kHotkeyShift = 0x100;
inline constexpr std::int32_t kHotkeyCtrl = 0x200;
inline constexpr std::int32_t kHotkeyAlt = 0x400;
inline constexpr std::int32_t kHotkeyWin = 0x800;

// Registers (on) or unregisters the hotkey on the player's main window under
// the global atom "WAMPHK_<slot in hex>", whose value is kept in *atom.
void setGlobalHotkey(bool on, std::int32_t hotkey, int slot, ATOM* atom);
UINT toSystemModifiers(std::int32_t hotkey);

} // namespace tg
