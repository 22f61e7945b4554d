// The plug-in's one export and the descriptor it hands out, wired to the
// frame's callbacks. Nothing below the frame includes this unit: the handles
// the player writes into the descriptor are read through host_handles.h.
#include "plugin/descriptor.h"

#include "plugin/entry_guard.h"
#include "plugin/lifecycle.h"

namespace tg {

// The player reads and writes this record in place for the plug-in's lifetime.
LibraryPluginDescriptor& descriptor() {
    static LibraryPluginDescriptor record{kDescriptorVersion,  kDescription, pluginInit, pluginQuit,
                                          pluginHandleMessage, nullptr,      nullptr,    nullptr};
    return record;
}

} // namespace tg

extern "C" tg::LibraryPluginDescriptor* winampGetMediaLibraryPlugin() {
    return tg::guarded(static_cast<tg::LibraryPluginDescriptor*>(nullptr),
                       [] { return &tg::descriptor(); });
}
