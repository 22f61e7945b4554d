// The plug-in DLL as the player loads it: by path, one export, one record.
#pragma once

#include "platform/win32/windows_include.h"
#include "plugin/descriptor.h"

#include <string>

namespace tg::testplayer {

class PluginModule {
public:
    PluginModule() = default;
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;
    ~PluginModule() { unload(); }

    // LoadLibraryA and the export; an error text when either is missing.
    std::string load(const std::string& path);
    void unload(); // FreeLibrary

    bool loaded() const { return module_ != nullptr; }
    HMODULE handle() const { return module_; }
    LibraryPluginDescriptor* descriptor() const { return descriptor_; }

    // The test DLL's menu recorder; -1 when the DLL is not a recording build.
    int recordedMenusAlive() const;
    int recordedMenusCreated() const;

private:
    int callCounter(const char* name) const;

    HMODULE module_ = nullptr;
    LibraryPluginDescriptor* descriptor_ = nullptr;
};

} // namespace tg::testplayer
