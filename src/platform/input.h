// The mouse hook, global hotkeys and global atoms.
#pragma once

#include "platform/types.h"

namespace tg::platform {

HHOOK setWindowsHookEx(int hookId, HOOKPROC procedure, HINSTANCE module, DWORD threadId);
BOOL unhookWindowsHookEx(HHOOK hook);
LRESULT callNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

ATOM globalFindAtom(const char* name);
ATOM globalAddAtom(const char* name);
ATOM globalDeleteAtom(ATOM atom); // 0 on success, as GlobalDeleteAtom

BOOL registerHotKey(HWND window, int id, UINT modifiers, UINT virtualKey);
BOOL unregisterHotKey(HWND window, int id);

} // namespace tg::platform
