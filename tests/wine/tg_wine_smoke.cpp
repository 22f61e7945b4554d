// The DLL as the player sees it: loaded by name, one export found by its plain
// name, a 32-byte record read at fixed offsets. The record is read as raw bytes
// rather than through the plug-in's own struct, so a layout change fails here.
#include "wine_test.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr char kDllName[] = "ml_tg.dll";
constexpr char kExportName[] = "winampGetMediaLibraryPlugin";

using GetDescriptor = void* (*)();

// Loads the DLL for one test and unloads it after.
struct LoadedPlugin {
    HMODULE module = LoadLibraryA(kDllName);
    LoadedPlugin() { REQUIRE(module != nullptr); }
    ~LoadedPlugin() {
        if (module) FreeLibrary(module);
    }
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    GetDescriptor exportFunction() const {
        FARPROC address = GetProcAddress(module, kExportName);
        return reinterpret_cast<GetDescriptor>(reinterpret_cast<void (*)()>(address));
    }
    unsigned char* descriptor() const {
        GetDescriptor get = exportFunction();
        REQUIRE(get != nullptr);
        auto* record = static_cast<unsigned char*>(get());
        REQUIRE(record != nullptr);
        return record;
    }
    // Whether an address lies in this DLL's image (code and static data).
    bool owns(const void* address) const {
        MEMORY_BASIC_INFORMATION info{};
        return address && VirtualQuery(address, &info, sizeof info) == sizeof info &&
               info.AllocationBase == module;
    }
};

std::uint32_t fieldAt(const unsigned char* record, int offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

void* pointerAt(const unsigned char* record, int offset) {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt(record, offset)));
}

void setFieldAt(unsigned char* record, int offset, std::uint32_t value) {
    std::memcpy(record + offset, &value, sizeof value);
}

} // namespace

WINE_TEST(exportIsFoundOnlyByItsPlainName) {
    LoadedPlugin plugin;
    CHECK(plugin.exportFunction() != nullptr);
    // A decorated name would mean the player, which asks for the plain one, finds nothing.
    CHECK(GetProcAddress(plugin.module, "_winampGetMediaLibraryPlugin") == nullptr);
    CHECK(GetProcAddress(plugin.module, "winampGetMediaLibraryPlugin@0") == nullptr);
}

WINE_TEST(exportReturnsTheSameRecordEveryCall) {
    LoadedPlugin plugin;
    GetDescriptor get = plugin.exportFunction();
    REQUIRE(get != nullptr);
    void* first = get();
    void* second = get();
    CHECK(first != nullptr);
    CHECK_EQ(first, second);
    CHECK(plugin.owns(first));
}

WINE_TEST(recordHoldsVersionDescriptionAndCallbacks) {
    LoadedPlugin plugin;
    const unsigned char* record = plugin.descriptor();
    CHECK_EQ(fieldAt(record, 0), 21u);
    CHECK_TEXT(static_cast<const char*>(pointerAt(record, 4)), "Tunegrove v0.5c");
    // init, quit and handleMessage: code of this DLL, never null.
    for (int offset : {8, 12, 16}) {
        if (!CHECK(plugin.owns(pointerAt(record, offset))))
            std::printf("  callback at offset %d is outside the DLL\n", offset);
    }
}

WINE_TEST(handlesAreZeroUntilTheHostWritesThem) {
    LoadedPlugin plugin;
    unsigned char* record = plugin.descriptor();
    CHECK_EQ(fieldAt(record, 20), 0u); // host main window
    CHECK_EQ(fieldAt(record, 24), 0u); // media-library window
    CHECK_EQ(fieldAt(record, 28), 0u); // module instance

    // The player writes into the record in place; the next call must hand out the
    // same record with those values, not a fresh copy.
    setFieldAt(record, 20, 0x10010);
    setFieldAt(record, 24, 0x10020);
    setFieldAt(record, 28,
               static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(plugin.module)));
    const unsigned char* again = plugin.descriptor();
    CHECK_EQ(fieldAt(again, 20), 0x10010u);
    CHECK_EQ(fieldAt(again, 24), 0x10020u);
    CHECK_EQ(pointerAt(again, 28), static_cast<void*>(plugin.module));
    CHECK_EQ(fieldAt(again, 0), 21u);
}

WINE_TEST(unloadsCompletelyAndReloadsFresh) {
    {
        LoadedPlugin plugin;
        setFieldAt(plugin.descriptor(), 20, 0x10010);
    }
    // Nothing may keep the DLL pinned (a thread, an extra reference): the player
    // unloads it on exit and when the user removes it.
    CHECK(GetModuleHandleA(kDllName) == nullptr);
    LoadedPlugin again;
    CHECK_EQ(fieldAt(again.descriptor(), 20), 0u);
}
