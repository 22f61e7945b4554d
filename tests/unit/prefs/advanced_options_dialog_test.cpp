// The Advanced options dialog: options applied as they are edited, the hotkey
// off while the dialog is open and back with OK.
#include "model/model_state.h"
#include "platform/dialog.h"
#include "platform/sim/inspect.h"
#include "prefs/advanced_options_dialog.h"
#include "resources/resource_ids.h"
#include "support/prefs_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tg {
namespace {

namespace sim = platform::sim;

class AdvancedOptions : public testing::Test {
protected:
    INT_PTR advanced(const std::function<void(HWND)>& script) {
        sim::onDialog(IDD_ADVANCED_OPTIONS, script);
        return runAdvancedOptionsDialog(host.mainWindow());
    }

    test::PrefsHost host;
    GlobalOptions& options = model().options;
};

TEST_F(AdvancedOptions, ShowsTheOptionsAndTheHotkey) {
    options.columnCount = 7;
    options.moreColumnCount = 3;
    options.rowsPerColumn = 20;
    options.maxRangeChars = 0;
    options.systrayMiddleClick = 1;
    options.keepMenuOnEnqueue = 0;
    options.hotkey = 0x64D;
    advanced([](HWND dialog) {
        const auto text = [&](int id) { return sim::controlView(dialog, id).text; };
        const auto check = [&](int id) { return sim::controlView(dialog, id).check; };
        EXPECT_EQ(text(IDC_ADVANCED_COLUMNS), "7");
        EXPECT_EQ(text(IDC_ADVANCED_MORE_COLUMNS), "3");
        EXPECT_EQ(text(IDC_ADVANCED_ROWS), "20");
        EXPECT_EQ(text(IDC_ADVANCED_RANGE_CHARS), "0");
        EXPECT_EQ(text(IDC_ADVANCED_HOTKEY), "Ctrl + Alt + M");
        EXPECT_EQ(check(IDC_ADVANCED_SYSTRAY), BST_CHECKED);
        EXPECT_EQ(check(IDC_ADVANCED_KEEP_MENU), BST_UNCHECKED);
        EXPECT_EQ(check(IDC_ADVANCED_DISABLE_ACTIONS), BST_UNCHECKED);
        EXPECT_EQ(check(IDC_ADVANCED_LOAD_ALL), BST_CHECKED);
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_EQ(options.columnCount, 7);
    EXPECT_EQ(options.hotkey, 0x64D);
}

TEST_F(AdvancedOptions, NumbersApplyAsTheyAreTyped) {
    advanced([&](HWND dialog) {
        model().menusDirty = false;
        sim::typeText(dialog, IDC_ADVANCED_COLUMNS, "10");
        EXPECT_EQ(options.columnCount, 10);
        EXPECT_TRUE(model().menusDirty);
        sim::typeText(dialog, IDC_ADVANCED_MORE_COLUMNS, "");
        EXPECT_EQ(options.moreColumnCount, 0);
        sim::typeText(dialog, IDC_ADVANCED_RANGE_CHARS, "x5");
        EXPECT_EQ(options.maxRangeChars, 5);
        // Kept as typed; the layout never divides by it.
        sim::typeText(dialog, IDC_ADVANCED_ROWS, "0");
        EXPECT_EQ(options.rowsPerColumn, 0);
        EXPECT_EQ(layoutRows(), 1);
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_EQ(options.columnCount, 10);
}

TEST_F(AdvancedOptions, CheckBoxesSetTheirOptions) {
    struct Box {
        int id;
        std::int32_t GlobalOptions::*option;
        bool rebuilds;
    };
    const Box boxes[] = {
        {IDC_ADVANCED_SYSTRAY, &GlobalOptions::systrayMiddleClick, false},
        {IDC_ADVANCED_DISABLE_ACTIONS, &GlobalOptions::disableMenuActions, false},
        {IDC_ADVANCED_KEEP_MENU, &GlobalOptions::keepMenuOnEnqueue, false},
        {IDC_ADVANCED_LOAD_ALL, &GlobalOptions::loadAllMenus, true},
    };
    advanced([&](HWND dialog) {
        for (const Box& box : boxes) {
            SCOPED_TRACE(box.id);
            const std::int32_t before = options.*box.option;
            sim::focusControl(dialog, box.id);
            model().menusDirty = false;
            sim::clickButton(dialog, box.id);
            EXPECT_EQ(options.*box.option, before != 0 ? 0 : 1);
            EXPECT_EQ(model().menusDirty, box.rebuilds);
        }
        sim::clickButton(dialog, IDOK);
    });
}

TEST_F(AdvancedOptions, TheHotkeyIsOffWhileOpenAndOkRegistersTheNewOne) {
    options.hotkey = 0x64D;
    advanced([&](HWND dialog) {
        EXPECT_TRUE(sim::registeredHotkeys().empty());
        sim::focusControl(dialog, IDC_ADVANCED_HOTKEY);
        sim::keyDown(dialog, VK_F5);
        sim::keyUp(dialog, VK_F5);
        EXPECT_EQ(options.hotkey, 0x974); // at once, before OK
        sim::keyDown(dialog, VK_ESCAPE);  // no Cancel: Esc and the close box do nothing
        sim::closeDialog(dialog);
        EXPECT_EQ(sim::openDialogs().size(), 1u);
        EXPECT_TRUE(sim::registeredHotkeys().empty());
        sim::clickButton(dialog, IDOK);
    });
    const auto hotkeys = sim::registeredHotkeys();
    ASSERT_EQ(hotkeys.size(), 1u);
    EXPECT_EQ(hotkeys[0].virtualKey, static_cast<UINT>(VK_F5));
    EXPECT_EQ(hotkeys[0].window, host.mainWindow());
    EXPECT_EQ(sim::liveHeapBlocks(), 0); // the field's state went with the dialog
}

TEST_F(AdvancedOptions, ADisabledPlugInGetsNoHotkeyFromOk) {
    options.hotkey = 0x64D;
    options.enabled = 0;
    advanced([](HWND dialog) { sim::clickButton(dialog, IDOK); });
    EXPECT_TRUE(sim::registeredHotkeys().empty());
}

} // namespace
} // namespace tg
