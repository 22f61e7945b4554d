// The mouse hook, global hotkeys and global atoms: one user32 or kernel32 call each.
#include "platform/win32/windows_include.h"

#include "platform/input.h"

namespace tg::platform {

HHOOK setWindowsHookEx(int hookId, HOOKPROC procedure, HINSTANCE module, DWORD threadId) {
    return SetWindowsHookExA(hookId, procedure, module, threadId);
}

BOOL unhookWindowsHookEx(HHOOK hook) {
    return UnhookWindowsHookEx(hook);
}

LRESULT callNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(hook, code, wParam, lParam);
}

ATOM globalFindAtom(const char* name) {
    return GlobalFindAtomA(name);
}
ATOM globalAddAtom(const char* name) {
    return GlobalAddAtomA(name);
}
ATOM globalDeleteAtom(ATOM atom) {
    return GlobalDeleteAtom(atom);
}

BOOL registerHotKey(HWND window, int id, UINT modifiers, UINT virtualKey) {
    return RegisterHotKey(window, id, modifiers, virtualKey);
}

BOOL unregisterHotKey(HWND window, int id) {
    return UnregisterHotKey(window, id);
}

} // namespace tg::platform
