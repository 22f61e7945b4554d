#include "plugin/descriptor.h"

namespace tg {

namespace {
int noInit() { return 0; }
void noQuit() {}
INT_PTR noMessage(int, INT_PTR, INT_PTR, INT_PTR) { return 0; }
} // namespace

// The player reads and writes this record in place for the plug-in's lifetime.
LibraryPluginDescriptor& descriptor() {
    static LibraryPluginDescriptor record{kDescriptorVersion, kDescription, noInit, noQuit,
                                          noMessage, nullptr, nullptr, nullptr};
    return record;
}

} // namespace tg

extern "C" tg::LibraryPluginDescriptor* winampGetMediaLibraryPlugin() { return &tg::descriptor(); }
