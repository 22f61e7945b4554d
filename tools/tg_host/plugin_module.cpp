#include "plugin_module.h"

namespace tg::testplayer {

namespace {

template <typename Function> Function exportOf(HMODULE module, const char* name) {
    // FARPROC to a typed pointer: through a plain function pointer, as GCC wants.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

std::string PluginModule::load(const std::string& path) {
    unload();
    module_ = LoadLibraryA(path.c_str());
    if (!module_) return "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    using GetDescriptor = LibraryPluginDescriptor* (*)();
    auto get = exportOf<GetDescriptor>(module_, "winampGetMediaLibraryPlugin");
    descriptor_ = get ? get() : nullptr;
    if (!descriptor_) {
        unload();
        return path + " has no winampGetMediaLibraryPlugin or it answers null";
    }
    return {};
}

void PluginModule::unload() {
    descriptor_ = nullptr;
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
}

int PluginModule::callCounter(const char* name) const {
    if (!module_) return -1;
    auto counter = exportOf<int (*)()>(module_, name);
    return counter ? counter() : -1;
}

int PluginModule::recordedMenusAlive() const {
    return callCounter("tgRecordedMenusAlive");
}

int PluginModule::recordedMenusCreated() const {
    return callCounter("tgRecordedMenusCreated");
}

} // namespace tg::testplayer
