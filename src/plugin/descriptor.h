// The record the player takes from the plug-in's one export.
#pragma once

#include "platform/types.h"

#include <cstdint>

namespace tg {

struct LibraryPluginDescriptor {
    std::int32_t version;
    const char* description;
    int (*init)();
    void (*quit)();
    INT_PTR (*handleMessage)(int type, INT_PTR param1, INT_PTR param2, INT_PTR param3);
    HWND hostWindow;          // written by the player before init
    HWND libraryWindow;       // written by the player before init
    HINSTANCE moduleInstance; // written by the player before init
};

inline constexpr std::int32_t kDescriptorVersion = 21;
inline constexpr char kDescription[] = "Tunegrove v0.5c";

// The plug-in's one descriptor (the export hands out its address).
LibraryPluginDescriptor& descriptor();

} // namespace tg

extern "C" tg::LibraryPluginDescriptor* winampGetMediaLibraryPlugin();
