// Key state, synthetic key events and the keyboard layout calls.
#include "platform/sim/keyboard_layout.h"
#include "platform/sim/state.h"

#include <algorithm>
#include <cstring>

namespace tg::platform {
namespace {

using namespace sim::detail;

// The generic Shift, Ctrl and Alt keys are down while either side is.
bool isDown(const State& s, int virtualKey) {
    const int key = virtualKey & 0xFF;
    if (s.keyDown[key]) return true;
    switch (key) {
    case VK_SHIFT: return s.keyDown[VK_LSHIFT] || s.keyDown[VK_RSHIFT];
    case VK_CONTROL: return s.keyDown[VK_LCONTROL] || s.keyDown[VK_RCONTROL];
    case VK_MENU: return s.keyDown[VK_LMENU] || s.keyDown[VK_RMENU];
    default: return false;
    }
}

void setDown(State& s, int virtualKey, bool down) {
    const int key = virtualKey & 0xFF;
    if (down && !s.keyDown[key]) s.keyToggled[key] = !s.keyToggled[key];
    s.keyDown[key] = down;
}

} // namespace

short getKeyState(int virtualKey) {
    State& s = state();
    Lock lock(s.mutex);
    // High bit: down; low bit: toggled (every press flips it, as Caps Lock shows).
    const unsigned bits =
        (isDown(s, virtualKey) ? 0x8000u : 0u) | (s.keyToggled[virtualKey & 0xFF] ? 1u : 0u);
    return static_cast<short>(static_cast<unsigned short>(bits));
}

short getAsyncKeyState(int virtualKey) {
    State& s = state();
    Lock lock(s.mutex);
    return static_cast<short>(static_cast<unsigned short>(isDown(s, virtualKey) ? 0x8000u : 0u));
}

void keybdEvent(BYTE virtualKey, BYTE scanCode, DWORD flags) {
    State& s = state();
    Lock lock(s.mutex);
    s.keyEvents.push_back({virtualKey, scanCode, flags});
    setDown(s, virtualKey, (flags & KEYEVENTF_KEYUP) == 0);
}

UINT mapVirtualKey(UINT code, UINT mapType) {
    switch (mapType) {
    case MAPVK_VK_TO_VSC: return scanCodeOfKey(code);
    case MAPVK_VSC_TO_VK: return keyOfScanCode(code);
    default: return 0;
    }
}

int getKeyNameText(LONG lParam, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    buffer[0] = '\0';
    const auto bits = static_cast<std::uint32_t>(lParam);
    UINT scanCode = (bits >> 16) & 0xFF;
    bool extended = ((bits >> 24) & 1) != 0;
    if ((bits >> 25) & 1) { // "do not care" about left and right
        if (scanCode == 0x36) scanCode = 0x2A;
        if (extended && (scanCode == 0x1D || scanCode == 0x38)) extended = false;
    }
    const char* name = keyName(scanCode, extended);
    if (name == nullptr) return 0;
    const std::size_t copied = std::min(std::strlen(name), static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, name, copied);
    buffer[copied] = '\0';
    return static_cast<int>(copied);
}

namespace sim {

void setKeyDown(int virtualKey, bool down) {
    State& s = state();
    Lock lock(s.mutex);
    setDown(s, virtualKey, down);
}

const std::vector<KeyEvent>& keyEvents() {
    return state().keyEvents;
}

} // namespace sim
} // namespace tg::platform
