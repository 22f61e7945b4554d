// The worker thread. It holds a reference to the module of its function while
// it runs and drops it with FreeLibraryAndExitThread, so the player unloading
// the plug-in under a sleeping worker cannot take the worker's code away.
#include "platform/win32/windows_include.h"

#include "platform/thread.h"

#include <new>

namespace tg::platform {
namespace {

struct WorkerStart {
    WorkerFunction function;
    void* argument;
    HMODULE module;
};

DWORD WINAPI runWorker(void* parameter) {
    const WorkerStart start = *static_cast<WorkerStart*>(parameter);
    delete static_cast<WorkerStart*>(parameter);
    try {
        start.function(start.argument);
    } catch (...) {
        // Nothing may escape a thread; the worker just ends.
    }
    FreeLibraryAndExitThread(start.module, 0);
}

} // namespace

bool startWorker(WorkerFunction function, void* argument) {
    if (function == nullptr) return false;
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(function), &module))
        return false;
    auto* start = new (std::nothrow) WorkerStart{function, argument, module};
    HANDLE thread =
        start != nullptr ? CreateThread(nullptr, 0, runWorker, start, 0, nullptr) : nullptr;
    if (thread == nullptr) {
        delete start;
        FreeLibrary(module);
        return false;
    }
    CloseHandle(thread); // detached: nobody waits for it
    return true;
}

void sleepMs(DWORD milliseconds) {
    Sleep(milliseconds);
}

bool keepModuleLoaded(const void* address) {
    HMODULE module = nullptr;
    return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_PIN,
                              static_cast<LPCSTR>(address), &module) != 0;
}

} // namespace tg::platform
