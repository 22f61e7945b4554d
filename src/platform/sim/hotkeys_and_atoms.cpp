// The global atom table and system-wide hotkeys.
#include "platform/input.h"
#include "platform/sim/state.h"

#include <cstring>

namespace tg::platform {
namespace {

using namespace sim::detail;
using sim::HotkeyRecord;

constexpr std::size_t kAtomNameLimit = 255;
constexpr UINT kModifierMask = MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN; // MOD_NOREPEAT aside

bool sameName(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

ATOM findAtom(State& s, const char* name) {
    for (const auto& [atom, entry] : s.atoms)
        if (sameName(entry.name, name)) return atom;
    return 0;
}

bool validName(const char* name) {
    if (name == nullptr || name[0] == '\0' || std::strlen(name) > kAtomNameLimit) {
        setLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

} // namespace

ATOM globalFindAtom(const char* name) {
    if (!validName(name)) return 0;
    State& s = state();
    Lock lock(s.mutex);
    const ATOM atom = findAtom(s, name);
    if (atom == 0) setLastError(ERROR_FILE_NOT_FOUND);
    return atom;
}

ATOM globalAddAtom(const char* name) {
    if (!validName(name)) return 0;
    State& s = state();
    Lock lock(s.mutex);
    if (const ATOM atom = findAtom(s, name); atom != 0) {
        ++s.atoms[atom].references;
        return atom;
    }
    if (s.nextAtom == 0xFFFF) {
        setLastError(ERROR_INVALID_PARAMETER); // the table is full
        return 0;
    }
    const ATOM atom = s.nextAtom++;
    s.atoms[atom] = {name, 1};
    return atom;
}

ATOM globalDeleteAtom(ATOM atom) {
    State& s = state();
    Lock lock(s.mutex);
    auto found = s.atoms.find(atom);
    if (found == s.atoms.end()) {
        setLastError(ERROR_INVALID_HANDLE);
        return atom;
    }
    if (--found->second.references == 0) s.atoms.erase(found);
    return 0;
}

BOOL registerHotKey(HWND window, int id, UINT modifiers, UINT virtualKey) {
    State& s = state();
    Lock lock(s.mutex);
    if (window != nullptr && liveWindow(s, window, "registerHotKey") == nullptr) return FALSE;
    for (const HotkeyRecord& hotkey : s.hotkeys)
        if ((hotkey.modifiers & kModifierMask) == (modifiers & kModifierMask) &&
            hotkey.virtualKey == virtualKey) {
            setLastError(ERROR_HOTKEY_ALREADY_REGISTERED);
            return FALSE;
        }
    s.hotkeys.push_back({window, id, modifiers, virtualKey});
    return TRUE;
}

BOOL unregisterHotKey(HWND window, int id) {
    State& s = state();
    Lock lock(s.mutex);
    const std::size_t before = s.hotkeys.size();
    std::erase_if(s.hotkeys,
                  [&](const HotkeyRecord& h) { return h.window == window && h.id == id; });
    if (s.hotkeys.size() != before) return TRUE;
    setLastError(ERROR_HOTKEY_NOT_REGISTERED);
    return FALSE;
}

namespace sim {

std::vector<HotkeyRecord> registeredHotkeys() {
    State& s = state();
    Lock lock(s.mutex);
    return s.hotkeys;
}

std::vector<std::string> liveAtoms() {
    State& s = state();
    Lock lock(s.mutex);
    std::vector<std::string> names;
    for (const auto& [atom, entry] : s.atoms) names.push_back(entry.name);
    return names;
}

bool pressHotkey(UINT modifiers, UINT virtualKey) {
    HotkeyRecord match;
    {
        State& s = state();
        Lock lock(s.mutex);
        bool found = false;
        for (const HotkeyRecord& hotkey : s.hotkeys)
            if ((hotkey.modifiers & kModifierMask) == (modifiers & kModifierMask) &&
                hotkey.virtualKey == virtualKey) {
                match = hotkey;
                found = true;
                break;
            }
        if (!found) return false;
    }
    // lParam carries the modifiers in its low word and the key in its high word.
    const LPARAM lParam = static_cast<LPARAM>((modifiers & 0xFFFF) | ((virtualKey & 0xFFFF) << 16));
    postMessage(match.window, WM_HOTKEY, static_cast<WPARAM>(match.id), lParam);
    return true;
}

} // namespace sim
} // namespace tg::platform
