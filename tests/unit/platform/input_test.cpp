// Hooks, atoms, hotkeys and the keyboard of the simulated platform.
#include "platform/input.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tg::platform {
namespace {

std::vector<std::string> hookCalls;
HHOOK olderHook = nullptr;
HHOOK newerHook = nullptr;
bool newerClaims = false;
Point seenPoint;

LRESULT TG_CALLBACK olderHookProc(int code, WPARAM wParam, LPARAM lParam) {
    hookCalls.push_back("older");
    seenPoint = reinterpret_cast<const MouseHookData*>(lParam)->pt;
    EXPECT_EQ(code, HC_ACTION);
    EXPECT_EQ(wParam, WM_RBUTTONUP);
    return 5;
}

LRESULT TG_CALLBACK newerHookProc(int code, WPARAM wParam, LPARAM lParam) {
    hookCalls.push_back("newer");
    if (newerClaims) return 0;
    return callNextHookEx(newerHook, code, wParam, lParam) + 1;
}

class PlatformHooks : public testing::Test {
protected:
    void SetUp() override {
        hookCalls.clear();
        newerClaims = false;
        olderHook = setWindowsHookEx(WH_MOUSE, olderHookProc, module, 0);
        newerHook = setWindowsHookEx(WH_MOUSE, newerHookProc, module, 0);
    }
    HINSTANCE module = reinterpret_cast<HINSTANCE>(0x10000000);
};

TEST_F(PlatformHooks, TheNewestHookRunsFirstAndPassesTheEventOn) {
    EXPECT_EQ(sim::callMouseHooks(WM_RBUTTONUP, {3, 4}), 6);
    EXPECT_EQ(hookCalls, (std::vector<std::string>{"newer", "older"}));
    EXPECT_EQ(seenPoint.x, 3);
    EXPECT_EQ(seenPoint.y, 4);
    ASSERT_EQ(sim::installedHooks().size(), 2u);
    EXPECT_EQ(sim::installedHooks()[0].handle, newerHook);
}

TEST_F(PlatformHooks, AClaimedEventStopsAtTheHook) {
    newerClaims = true;
    EXPECT_EQ(sim::callMouseHooks(WM_RBUTTONUP, {}), 0);
    EXPECT_EQ(hookCalls, (std::vector<std::string>{"newer"}));
}

TEST_F(PlatformHooks, UnhookedProceduresAreSkippedAndUnhookingTwiceIsAFault) {
    EXPECT_TRUE(unhookWindowsHookEx(olderHook));
    EXPECT_EQ(sim::callMouseHooks(WM_RBUTTONUP, {}), 1);
    EXPECT_EQ(hookCalls, (std::vector<std::string>{"newer"}));
    EXPECT_FALSE(unhookWindowsHookEx(olderHook));
    const auto faults = sim::takeFaults();
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find("already removed"), std::string::npos);
    EXPECT_TRUE(unhookWindowsHookEx(newerHook));
    EXPECT_EQ(sim::callMouseHooks(WM_RBUTTONUP, {}), 0);
}

TEST_F(PlatformHooks, AHookForEveryThreadNeedsItsModule) {
    EXPECT_EQ(setWindowsHookEx(WH_MOUSE, olderHookProc, nullptr, 0), nullptr);
    EXPECT_NE(setWindowsHookEx(WH_MOUSE, olderHookProc, nullptr, getCurrentThreadId()), nullptr);
}

TEST(PlatformAtoms, AtomsAreCountedAndNamedWithoutCase) {
    const ATOM atom = globalAddAtom("WAMPHK_0");
    ASSERT_GE(atom, 0xC000);
    EXPECT_EQ(globalAddAtom("wamphk_0"), atom);
    EXPECT_EQ(globalFindAtom("WampHK_0"), atom);
    EXPECT_NE(globalAddAtom("WAMPHK_1"), atom);
    EXPECT_EQ(globalDeleteAtom(atom), 0);
    EXPECT_EQ(globalFindAtom("WAMPHK_0"), atom) << "one reference is left";
    EXPECT_EQ(globalDeleteAtom(atom), 0);
    EXPECT_EQ(globalFindAtom("WAMPHK_0"), 0);
    EXPECT_EQ(globalDeleteAtom(atom), atom) << "a failed delete answers the atom";
    EXPECT_EQ(sim::liveAtoms(), std::vector<std::string>{"WAMPHK_1"});
    EXPECT_EQ(globalAddAtom(""), 0);
    EXPECT_EQ(globalAddAtom(nullptr), 0);
    EXPECT_EQ(globalAddAtom(std::string(256, 'a').c_str()), 0);
}

std::vector<std::pair<WPARAM, LPARAM>> hotkeys;

LRESULT TG_CALLBACK hotkeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) hotkeys.emplace_back(wParam, lParam);
    return defWindowProc(window, message, wParam, lParam);
}

TEST(PlatformHotkeys, ACombinationIsTakenOnceAndPressingItPostsWmHotkey) {
    hotkeys.clear();
    HWND window = createWindow(hotkeyProc, "host");
    EXPECT_TRUE(registerHotKey(window, 0xC001, MOD_CONTROL | MOD_ALT, 'M'));
    EXPECT_FALSE(registerHotKey(window, 0xC002, MOD_ALT | MOD_CONTROL, 'M'));
    EXPECT_EQ(getLastError(), ERROR_HOTKEY_ALREADY_REGISTERED);
    EXPECT_TRUE(registerHotKey(window, 0xC002, MOD_ALT, 'M'));

    EXPECT_FALSE(sim::pressHotkey(MOD_SHIFT, 'M'));
    EXPECT_TRUE(sim::pressHotkey(MOD_CONTROL | MOD_ALT, 'M'));
    EXPECT_TRUE(hotkeys.empty()) << "posted, not sent";
    sim::pump();
    ASSERT_EQ(hotkeys.size(), 1u);
    EXPECT_EQ(hotkeys[0].first, 0xC001u);
    EXPECT_EQ(hotkeys[0].second, static_cast<LPARAM>((MOD_CONTROL | MOD_ALT) | ('M' << 16)));

    EXPECT_TRUE(unregisterHotKey(window, 0xC001));
    EXPECT_FALSE(unregisterHotKey(window, 0xC001));
    EXPECT_FALSE(sim::pressHotkey(MOD_CONTROL | MOD_ALT, 'M'));
    EXPECT_EQ(sim::registeredHotkeys().size(), 1u);
    destroyWindow(window);
}

TEST(PlatformKeys, KeyStateHasTheHighBitWhileDownAndToggles) {
    EXPECT_EQ(getKeyState(VK_CONTROL), 0);
    sim::setKeyDown(VK_CONTROL, true);
    EXPECT_LT(getKeyState(VK_CONTROL), 0);
    EXPECT_LT(getAsyncKeyState(VK_CONTROL), 0);
    sim::setKeyDown(VK_CONTROL, false);
    EXPECT_EQ(getKeyState(VK_CONTROL), 1) << "released, but toggled once";
    EXPECT_EQ(getAsyncKeyState(VK_CONTROL), 0);

    sim::setKeyDown(VK_RSHIFT, true);
    EXPECT_LT(getAsyncKeyState(VK_SHIFT), 0) << "either side holds the generic key down";

    keybdEvent(VK_ESCAPE, 0x01, 0);
    EXPECT_LT(getKeyState(VK_ESCAPE), 0);
    keybdEvent(VK_ESCAPE, 0x01, KEYEVENTF_KEYUP);
    EXPECT_GE(getKeyState(VK_ESCAPE), 0);
    ASSERT_EQ(sim::keyEvents().size(), 2u);
    EXPECT_EQ(sim::keyEvents()[1].flags, KEYEVENTF_KEYUP);
}

TEST(PlatformKeys, KeyNamesFollowAUsLayout) {
    struct Case {
        UINT virtualKey;
        UINT scanCode;
        const char* name;
    };
    const Case cases[] = {
        {'M', 0x32, "M"},
        {'A', 0x1E, "A"},
        {'Z', 0x2C, "Z"},
        {'1', 0x02, "1"},
        {'0', 0x0B, "0"},
        {VK_F1, 0x3B, "F1"},
        {VK_F5, 0x3F, "F5"},
        {VK_F12, 0x58, "F12"},
        {VK_F24, 0x76, "F24"},
        {VK_SHIFT, 0x2A, "Shift"},
        {VK_CONTROL, 0x1D, "Ctrl"},
        {VK_MENU, 0x38, "Alt"},
        {VK_BACK, 0x0E, "Backspace"},
        {VK_TAB, 0x0F, "Tab"},
        {VK_RETURN, 0x1C, "Enter"},
        {VK_ESCAPE, 0x01, "Esc"},
        {VK_SPACE, 0x39, "Space"},
        // Without the extended bit the editing keys read as the keypad, as on Windows.
        {VK_DELETE, 0x53, "Num Del"},
        {VK_UP, 0x48, "Num 8"},
        {VK_LWIN, 0x5B, ""},
        {0x07, 0, ""},
        {0xFF, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(mapVirtualKey(c.virtualKey, MAPVK_VK_TO_VSC), c.scanCode);
        char name[64] = "stale";
        const int length = getKeyNameText(static_cast<LONG>(c.scanCode << 16), name, sizeof name);
        EXPECT_STREQ(name, c.name);
        EXPECT_EQ(length, static_cast<int>(std::string(c.name).size()));
    }
}

TEST(PlatformKeys, ExtendedKeyNamesAndCutNames) {
    char name[64];
    const auto extended = [](UINT scan) { return static_cast<LONG>((scan << 16) | (1u << 24)); };
    getKeyNameText(extended(0x53), name, sizeof name);
    EXPECT_STREQ(name, "Delete");
    getKeyNameText(extended(0x48), name, sizeof name);
    EXPECT_STREQ(name, "Up");
    getKeyNameText(extended(0x1D), name, sizeof name);
    EXPECT_STREQ(name, "Right Ctrl");
    getKeyNameText(extended(0x1D) | (1 << 25), name, sizeof name);
    EXPECT_STREQ(name, "Ctrl") << "sides ignored when asked";
    char tiny[4];
    EXPECT_EQ(getKeyNameText(0x0E << 16, tiny, sizeof tiny), 3);
    EXPECT_STREQ(tiny, "Bac");
    EXPECT_EQ(mapVirtualKey(0x2A, MAPVK_VSC_TO_VK), static_cast<UINT>(VK_SHIFT));
    EXPECT_EQ(mapVirtualKey(0x36, MAPVK_VSC_TO_VK), static_cast<UINT>(VK_SHIFT));
    EXPECT_EQ(mapVirtualKey(0x32, MAPVK_VSC_TO_VK), static_cast<UINT>('M'));
}

} // namespace
} // namespace tg::platform
