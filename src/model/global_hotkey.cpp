#include "model/global_hotkey.h"

#include "platform/input.h"
#include "plugin/host_handles.h"

#include <cstdio>

namespace tg {

UINT toSystemModifiers(std::int32_t hotkey) {
    UINT modifiers = 0;
    if (hotkey & kHotkeyShift) modifiers |= MOD_SHIFT;
    if (hotkey & kHotkeyCtrl) modifiers |= MOD_CONTROL;
    if (hotkey & kHotkeyAlt) modifiers |= MOD_ALT;
    if (hotkey & kHotkeyWin) modifiers |= MOD_WIN;
    return modifiers;
}

void setGlobalHotkey(bool on, std::int32_t hotkey, int slot, ATOM* atom) {
    char name[32];
    std::snprintf(name, sizeof name, "WAMPHK_%x", static_cast<unsigned>(slot));
    ATOM found = platform::globalFindAtom(name);
    if (found == 0) found = platform::globalAddAtom(name);
    if (atom != nullptr) *atom = found;
    if (found == 0) return;

    const HWND window = playerWindow();
    if (on) {
        // Without a key there is nothing to press; the system would only keep a
        // registration that never fires.
        const UINT key = static_cast<UINT>(hotkey) & 0xFF;
        if (key != 0) platform::registerHotKey(window, found, toSystemModifiers(hotkey), key);
        return;
    }
    platform::unregisterHotKey(window, found);
    platform::globalDeleteAtom(found);
    // The value may name another atom by the next registration.
    if (atom != nullptr) *atom = 0;
}

} // namespace tg
