// The DLL as the player sees it: loaded by name, one export found by its plain
// name, a record of eight pointer-sized slots (32 bytes on x86, 64 on x64; the
// version is a 32-bit number at the start of the first) read at fixed offsets.
// The record is read as raw bytes rather than through the plug-in's own struct,
// so a layout change fails here.
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

// Slots of the record: 0 version, 1 description, 2 init, 3 quit, 4 message
// callback, 5 main window, 6 library window, 7 module instance.
constexpr int kSlot = sizeof(void*);
enum Slot { kVersion, kDescription, kInit, kQuit, kMessage, kMainWindow, kLibrary, kModule };

std::uintptr_t slotAt(const unsigned char* record, int slot) {
    std::uintptr_t value = 0;
    std::memcpy(&value, record + slot * kSlot, sizeof value);
    return value;
}

void* pointerAt(const unsigned char* record, int slot) {
    return reinterpret_cast<void*>(slotAt(record, slot));
}

std::uint32_t versionOf(const unsigned char* record) {
    std::uint32_t value = 0;
    std::memcpy(&value, record, sizeof value);
    return value;
}

void setSlotAt(unsigned char* record, int slot, std::uintptr_t value) {
    std::memcpy(record + slot * kSlot, &value, sizeof value);
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
    CHECK_EQ(versionOf(record), 21u);
    CHECK_TEXT(static_cast<const char*>(pointerAt(record, kDescription)), "Tunegrove v0.5c");
    // init, quit and handleMessage: code of this DLL, never null.
    for (int slot : {kInit, kQuit, kMessage}) {
        if (!CHECK(plugin.owns(pointerAt(record, slot))))
            std::printf("  callback at offset %d is outside the DLL\n", slot * kSlot);
    }
}

WINE_TEST(handlesAreZeroUntilTheHostWritesThem) {
    LoadedPlugin plugin;
    unsigned char* record = plugin.descriptor();
    CHECK_EQ(slotAt(record, kMainWindow), 0u);
    CHECK_EQ(slotAt(record, kLibrary), 0u);
    CHECK_EQ(slotAt(record, kModule), 0u);

    // The player writes into the record in place; the next call must hand out the
    // same record with those values, not a fresh copy.
    setSlotAt(record, kMainWindow, 0x10010);
    setSlotAt(record, kLibrary, 0x10020);
    setSlotAt(record, kModule, reinterpret_cast<std::uintptr_t>(plugin.module));
    const unsigned char* again = plugin.descriptor();
    CHECK_EQ(slotAt(again, kMainWindow), 0x10010u);
    CHECK_EQ(slotAt(again, kLibrary), 0x10020u);
    CHECK_EQ(pointerAt(again, kModule), static_cast<void*>(plugin.module));
    CHECK_EQ(versionOf(again), 21u);
}

WINE_TEST(unloadsCompletelyAndReloadsFresh) {
    {
        LoadedPlugin plugin;
        setSlotAt(plugin.descriptor(), kMainWindow, 0x10010);
    }
    // Nothing may keep the DLL pinned (a thread, an extra reference): the player
    // unloads it on exit and when the user removes it.
    CHECK(GetModuleHandleA(kDllName) == nullptr);
    LoadedPlugin again;
    CHECK_EQ(slotAt(again.descriptor(), kMainWindow), 0u);
}
