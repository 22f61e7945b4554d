// The global hotkey: its code turned into a system registration under the
// atom "WAMPHK_0", and taken away again without leaving the atom behind.
#include "model/global_hotkey.h"
#include "platform/input.h"
#include "platform/sim/inspect.h"
#include "plugin/descriptor.h"
#include "support/recording_window.h"

#include <gtest/gtest.h>

namespace tg {
namespace {

TEST(ToSystemModifiers, EachHotkeyBitHasItsSystemFlag) {
    struct Case {
        std::int32_t hotkey;
        UINT modifiers;
    };
    const Case cases[] = {
        {0x4D, 0},
        {kHotkeyShift | 0x41, MOD_SHIFT},
        {kHotkeyCtrl | 0x41, MOD_CONTROL},
        {kHotkeyAlt | 0x41, MOD_ALT},
        {kHotkeyWin | 0x41, MOD_WIN},
        {kHotkeyCtrl | kHotkeyAlt | 0x4D, MOD_CONTROL | MOD_ALT},
        {0xF00 | 0xFF, MOD_SHIFT | MOD_CONTROL | MOD_ALT | MOD_WIN},
        // Bits above the four modifiers mean nothing.
        {0x7FFFF000, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toSystemModifiers(c.hotkey), c.modifiers) << std::hex << c.hotkey;
}

class GlobalHotkey : public testing::Test {
protected:
    void SetUp() override { descriptor().hostWindow = host.main.handle(); }
    void TearDown() override { descriptor().hostWindow = nullptr; }
    test::RecordingHost host;
};

TEST_F(GlobalHotkey, RegistersTheCombinationOnTheHostWindowUnderTheSlotAtom) {
    ATOM atom = 0;
    setGlobalHotkey(true, kHotkeyCtrl | kHotkeyAlt | 0x4D, 0, &atom);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(platform::sim::liveAtoms(), std::vector<std::string>{"WAMPHK_0"});
    const auto hotkeys = platform::sim::registeredHotkeys();
    ASSERT_EQ(hotkeys.size(), 1u);
    EXPECT_EQ(hotkeys[0].window, host.main.handle());
    EXPECT_EQ(hotkeys[0].id, atom);
    EXPECT_EQ(hotkeys[0].modifiers, static_cast<UINT>(MOD_CONTROL | MOD_ALT));
    EXPECT_EQ(hotkeys[0].virtualKey, 0x4Du);
}

TEST_F(GlobalHotkey, UnregisteringRemovesTheKeyAndTheAtom) {
    ATOM atom = 0;
    setGlobalHotkey(true, kHotkeyShift | 0x70, 0, &atom);
    setGlobalHotkey(false, kHotkeyShift | 0x70, 0, &atom);
    EXPECT_TRUE(platform::sim::registeredHotkeys().empty());
    EXPECT_TRUE(platform::sim::liveAtoms().empty());
    EXPECT_EQ(atom, 0);
    // Again and again: nothing piles up.
    for (int i = 0; i < 3; ++i) {
        setGlobalHotkey(true, kHotkeyShift | 0x70, 0, &atom);
        setGlobalHotkey(false, kHotkeyShift | 0x70, 0, &atom);
    }
    EXPECT_TRUE(platform::sim::registeredHotkeys().empty());
    EXPECT_TRUE(platform::sim::liveAtoms().empty());
}

TEST_F(GlobalHotkey, NoKeyRegistersNothingAndStillUnregistersCleanly) {
    ATOM atom = 0;
    setGlobalHotkey(true, 0, 0, &atom);
    EXPECT_TRUE(platform::sim::registeredHotkeys().empty());
    EXPECT_FALSE(platform::sim::pressHotkey(0, 0));
    setGlobalHotkey(false, 0, 0, &atom);
    EXPECT_TRUE(platform::sim::liveAtoms().empty());
}

TEST_F(GlobalHotkey, TheSlotIsWrittenInLowercaseHexadecimal) {
    ATOM atom = 0;
    setGlobalHotkey(true, 0x41, 0x1F, &atom);
    EXPECT_EQ(platform::sim::liveAtoms(), std::vector<std::string>{"WAMPHK_1f"});
    setGlobalHotkey(false, 0x41, 0x1F, &atom);
}

TEST_F(GlobalHotkey, ACombinationTakenByAnotherProgramIsIgnored) {
    platform::registerHotKey(nullptr, 7, MOD_CONTROL, 0x4D);
    ATOM atom = 0;
    setGlobalHotkey(true, kHotkeyCtrl | 0x4D, 0, &atom);
    EXPECT_NE(atom, 0); // the atom is there; the key simply never comes
    EXPECT_EQ(platform::sim::registeredHotkeys().size(), 1u);
    setGlobalHotkey(false, kHotkeyCtrl | 0x4D, 0, &atom);
    EXPECT_EQ(platform::sim::registeredHotkeys().size(), 1u); // the other program's stays
}

} // namespace
} // namespace tg
