#include "plugin/host_handles.h"

#include "plugin/descriptor.h"

namespace tg {

HWND playerWindow() {
    return descriptor().hostWindow;
}
HWND libraryWindow() {
    return descriptor().libraryWindow;
}
HINSTANCE moduleInstance() {
    return descriptor().moduleInstance;
}

} // namespace tg
