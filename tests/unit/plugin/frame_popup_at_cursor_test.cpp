// The plug-in's popup at the mouse pointer: from the global hotkey and from a
// middle click on the player's tray icon.
#include "model/global_hotkey.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "plugin/frame_state.h"
#include "resources/resource_ids.h"
#include "support/message_sequence.h"
#include "support/plugin_harness.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace tg {
namespace {

using test::itemTexts;
using test::logHas;
using test::logIs;
using test::PluginHarness;
using test::Texts;

constexpr std::int32_t kCtrlAltM = kHotkeyCtrl | kHotkeyAlt | 0x4D;

class PopupAtCursor : public testing::Test {
protected:
    void SetUp() override {
        harness.define("Library", SourceType::MediaLibrary);
        model().options.hotkey = kCtrlAltM;
        platform::sim::setCursorPos({300, 200});
    }
    void press() { harness.pressHotkey(MOD_CONTROL | MOD_ALT, 0x4D); }
    PluginHarness harness;
};

TEST_F(PopupAtCursor, HotkeyBeforeAnyHostPopupShowsAPopupOfItsOwnThenTheHostsTakesOver) {
    harness.start();
    harness.mainMenu(); // the player makes it on first use
    const int menusBefore = platform::sim::liveMenuCount();
    press();
    ASSERT_EQ(platform::sim::trackedPopups().size(), 1u);
    const platform::sim::TrackedPopup tracked = platform::sim::trackedPopups()[0];
    EXPECT_EQ(tracked.flags, static_cast<UINT>(TPM_CENTERALIGN | TPM_VCENTERALIGN | TPM_RECURSE));
    EXPECT_EQ(tracked.x, 300);
    EXPECT_EQ(tracked.y, 200);
    EXPECT_EQ(tracked.owner, harness.window());
    EXPECT_TRUE(frame().cursorPopupCreated);
    EXPECT_EQ(itemTexts(tracked.menu), (Texts{"Tunegrove", "-", "Library"}));
    harness.loop().closeAll();

    const HMENU host = harness.openTargetPopup();
    EXPECT_EQ(itemTexts(host), (Texts{"Songticker", "Start/Stop Plug-in", "-", "Library"}));
    EXPECT_FALSE(platform::isMenu(tracked.menu));
    EXPECT_FALSE(frame().cursorPopupCreated);
    harness.loop().closeAll();
    // The cursor popup went with its submenu; the host's popup has one of its own.
    EXPECT_EQ(platform::sim::liveMenuCount(), menusBefore + 1);
    EXPECT_EQ(platform::sim::registeredHotkeys().size(), 1u); // still works

    press(); // now the host's popup itself comes up at the cursor
    EXPECT_EQ(platform::sim::trackedPopups().back().menu, host);
}

TEST_F(PopupAtCursor, BringsThePlayerForwardAndClosesOpenMenusFirst) {
    harness.start();
    const HWND other = platform::sim::createForeignWindow(platform::defWindowProc, "other");
    platform::sim::setForegroundWindow(other);
    harness.player().clearLog();
    press();
    EXPECT_TRUE(logIs({"WM_CANCELMODE"}));
    ASSERT_FALSE(platform::sim::foregroundRequests().empty());
    EXPECT_EQ(platform::sim::foregroundRequests().front(), harness.window());
    const auto calls = platform::sim::threadInputCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].attach, TRUE);
    EXPECT_EQ(calls[0].attachFrom, platform::getWindowThreadId(harness.window()));
    EXPECT_EQ(calls[0].attachTo, platform::getWindowThreadId(other));
    EXPECT_EQ(calls[1].attach, FALSE);
    harness.loop().closeAll();
    platform::destroyWindow(other);
}

TEST_F(PopupAtCursor, TheThreadsPartEvenWhenTheForegroundIsRefused) {
    harness.start();
    const HWND other = platform::sim::createForeignWindow(platform::defWindowProc, "other");
    platform::sim::setForegroundWindow(other);
    platform::sim::failSetForegroundWindow(true);
    press();
    const auto calls = platform::sim::threadInputCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].attach, FALSE);
    harness.loop().closeAll();
    platform::destroyWindow(other);
}

TEST_F(PopupAtCursor, NoHotkeyCodeOpensNothing) {
    model().options.hotkey = 0;
    harness.start();
    EXPECT_TRUE(platform::sim::registeredHotkeys().empty());
    EXPECT_FALSE(platform::sim::pressHotkey(0, 0));
    EXPECT_TRUE(platform::sim::trackedPopups().empty());
}

TEST_F(PopupAtCursor, AnotherProgramsHotkeyGoesOnToThePlayer) {
    harness.start();
    platform::registerHotKey(harness.window(), 0x1234, MOD_SHIFT, 0x41);
    harness.player().clearLog();
    harness.pressHotkey(MOD_SHIFT, 0x41);
    EXPECT_TRUE(platform::sim::trackedPopups().empty());
    EXPECT_TRUE(logIs({"WM_HOTKEY"}));
    platform::unregisterHotKey(harness.window(), 0x1234);
}

// Off while disabled, whichever way the plug-in got there.
TEST(DisabledPlugIn, HasNoHotkeyOnAnyPath) {
    using Script = std::function<void(HWND)>;
    const std::pair<const char*, Script> paths[] = {
        {"start", nullptr},
        {"Preferences cancelled", [](HWND d) { platform::sim::clickButton(d, IDCANCEL); }},
        {"Advanced options confirmed",
         [](HWND d) {
             platform::sim::onDialog(IDD_ADVANCED_OPTIONS,
                                     [](HWND a) { platform::sim::clickButton(a, IDOK); });
             platform::sim::clickButton(d, IDC_PREFS_ADVANCED);
             platform::sim::clickButton(d, IDOK);
         }},
        {"menu location changed",
         [](HWND d) {
             platform::sim::selectItem(d, IDC_PREFS_LOCATION, 1);
             platform::sim::clickButton(d, IDOK);
         }},
    };
    for (const auto& [what, preferences] : paths) {
        SCOPED_TRACE(what);
        test::resetProcess();
        PluginHarness h;
        h.define("Library", SourceType::MediaLibrary);
        model().options.hotkey = kCtrlAltM;
        model().options.enabled = 0;
        h.start();
        if (preferences) {
            platform::sim::onDialog(IDD_PREFERENCES, preferences);
            h.player().openConfig(h.window());
        }
        EXPECT_TRUE(platform::sim::registeredHotkeys().empty());
        h.pressHotkey(MOD_CONTROL | MOD_ALT, 0x4D);
        EXPECT_TRUE(platform::sim::trackedPopups().empty());
        h.loop().closeAll();
    }
}

TEST(TrayIcon, AMiddleClickOpensThePopupOnlyWhenEnabledAndAlwaysReachesThePlayer) {
    struct Case {
        std::int32_t option;
        int mouseMessage;
        bool opens;
    };
    const Case cases[] = {{0, 520, false}, {1, 520, true}, {1, 513, false}, {1, 517, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.option << " " << c.mouseMessage);
        test::resetProcess();
        PluginHarness h;
        model().options.systrayMiddleClick = c.option;
        h.start();
        h.loop().follow([&] { h.player().sendTrayNotify(c.mouseMessage); });
        EXPECT_EQ(platform::sim::trackedPopups().size(), c.opens ? 1u : 0u);
        EXPECT_TRUE(logHas("HOST_TRAY_NOTIFY " + std::to_string(c.mouseMessage)));
        h.loop().closeAll();
    }
}

} // namespace
} // namespace tg
