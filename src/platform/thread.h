// The one short-lived worker thread the plug-in starts, and sleeping.
#pragma once

#include "platform/types.h"

namespace tg::platform {

using WorkerFunction = void (*)(void* argument);

// Starts a detached thread. On Windows the thread holds a reference to the
// module that contains function until it ends, so unloading the DLL while it
// sleeps cannot pull its code away. Returns false when no thread could start.
bool startWorker(WorkerFunction function, void* argument);

void sleepMs(DWORD milliseconds);

// Keeps the module that holds address loaded until the process ends, for code
// that must stay reachable after the host would unload it (a window procedure
// left in a subclass chain). Returns false when the module is not found.
bool keepModuleLoaded(const void* address);

} // namespace tg::platform
