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
