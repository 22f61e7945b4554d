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

} // namespace tg::platform
