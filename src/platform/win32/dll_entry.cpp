// The DLL's entry point. The module instance comes from the player through the
// descriptor, so nothing is kept here; the plug-in has no use for the thread
// attach and detach notifications.
#include "platform/win32/windows_include.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}
