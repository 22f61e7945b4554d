// The hotkey field: keys pressed and released in a simulated dialog, the text
// it shows and the code it keeps.
#include "platform/dialog.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "prefs/hotkey_field.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tg {
namespace {

namespace sim = platform::sim;
using namespace platform;

constexpr int kDialog = 118;
constexpr int kField = 1074;

// Attaches the field with the rules the Advanced options use and the code
// given as the dialog's parameter.
INT_PTR TG_CALLBACK fieldDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        EXPECT_TRUE(attachHotkeyField(getDlgItem(dialog, kField)));
        sendDlgItemMessage(dialog, kField, HKF_SETRULES, kRuleNone | kRuleShift,
                           kFieldWin | kFieldShift);
        sendDlgItemMessage(dialog, kField, HKF_SETVALUE, static_cast<WPARAM>(lParam), 0);
        return TRUE;
    }
    if (message == WM_COMMAND && loWord(wParam) == IDOK) endDialog(dialog, IDOK);
    return message == WM_COMMAND;
}

void runField(int initialValue, const std::function<void(HWND dialog)>& user) {
    sim::onDialog(kDialog, [&](HWND dialog) {
        sim::focusControl(dialog, kField);
        user(dialog);
        sim::clickButton(dialog, IDOK);
    });
    dialogBoxParam(nullptr, kDialog, nullptr, fieldDialog, initialValue);
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN}) sim::setKeyDown(key, false);
}

std::string fieldText(HWND dialog) {
    return sim::controlView(dialog, kField).text;
}
int fieldValue(HWND dialog) {
    return static_cast<int>(sendDlgItemMessage(dialog, kField, HKF_GETVALUE, 0, 0));
}

struct Step {
    bool down;
    int key;
    const char* text; // shown afterwards; null: not looked at
};

struct Sequence {
    const char* name;
    int initialValue;
    std::vector<Step> steps;
    int value;
};

TEST(HotkeyField, KeySequencesShowTheirTextAndLeaveTheirCode) {
    const std::vector<Sequence> sequences = {
        {"Ctrl, Alt, M",
         0,
         {{true, VK_CONTROL, "Ctrl + "},
          {true, VK_MENU, "Ctrl + Alt + "},
          {true, 'M', "Ctrl + Alt + M"},
          {false, 'M', "Ctrl + Alt + M"},
          {false, VK_MENU, "Ctrl + Alt + M"},
          {false, VK_CONTROL, "Ctrl + Alt + M"}},
         0x64D},
        {"F5 alone takes Win + Shift",
         0,
         {{true, VK_F5, "Win + Shift + F5"}, {false, VK_F5, "Win + Shift + F5"}},
         0x974},
        {"Shift, then F5",
         0,
         {{true, VK_SHIFT, "Win + Shift + "},
          {true, VK_F5, "Win + Shift + F5"},
          {false, VK_F5, nullptr}},
         0x974},
        {"Backspace alone clears", 0x64D, {{true, VK_BACK, "None"}}, 0},
        {"Delete alone clears", 0x974, {{true, VK_DELETE, "None"}}, 0},
        {"Backspace with a modifier is a key",
         0,
         {{true, VK_SHIFT, nullptr}, {true, VK_BACK, "Win + Shift + Backspace"}},
         0x908},
        {"Ctrl pressed and released",
         0x64D,
         {{true, VK_CONTROL, "Ctrl + "}, {false, VK_CONTROL, "None"}},
         0},
        {"Space alone is nothing", 0x64D, {{true, VK_SPACE, "Ctrl + Alt + M"}}, 0x64D},
        {"Space with Ctrl",
         0,
         {{true, VK_CONTROL, nullptr}, {true, VK_SPACE, "Ctrl + Space"}},
         0x220},
        {"Alt and a letter come as system keys",
         0,
         {{true, VK_MENU, "Alt + "}, {true, 'M', "Alt + M"}},
         0x44D},
        {"Win is never replaced",
         0,
         {{true, VK_LWIN, "Win + "}, {true, VK_DELETE, "Win + Delete"}},
         0x82E},
        {"an arrow key is named as itself, not as the keypad key",
         0,
         {{true, VK_UP, "Win + Shift + Up"}},
         0x926},
        {"another modifier after a released key starts over",
         0,
         {{true, VK_CONTROL, nullptr},
          {true, 'M', "Ctrl + M"},
          {false, 'M', "Ctrl + M"},
          {true, VK_MENU, "Ctrl + Alt + "}},
         0x600},
        {"the same modifier again after the key was released",
         0,
         {{true, VK_CONTROL, nullptr},
          {true, 'M', "Ctrl + M"},
          {false, 'M', nullptr},
          {false, VK_CONTROL, "Ctrl + M"},
          {true, VK_CONTROL, "Ctrl + "}},
         0x200},
        {"a key held while the modifier comes again stays",
         0,
         {{true, VK_CONTROL, nullptr}, {true, 'M', nullptr}, {true, VK_CONTROL, "Ctrl + M"}},
         0x24D},
        {"the value set at the start is drawn", 0x64D, {}, 0x64D},
    };
    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(sequence.name);
        runField(sequence.initialValue, [&](HWND dialog) {
            for (const Step& step : sequence.steps) {
                SCOPED_TRACE(std::string(step.down ? "down " : "up ") + std::to_string(step.key));
                if (step.down)
                    sim::keyDown(dialog, step.key);
                else
                    sim::keyUp(dialog, step.key);
                if (step.text != nullptr) {
                    EXPECT_EQ(fieldText(dialog), step.text);
                }
            }
            EXPECT_EQ(fieldValue(dialog), sequence.value);
            // The caret stands at the end of the text.
            const sim::ControlView view = sim::controlView(dialog, kField);
            EXPECT_EQ(view.selectionStart, static_cast<int>(view.text.size()));
        });
    }
}

TEST(HotkeyField, TabEnterAndEscChangeNothingEvenWhenTheFieldSeesThem) {
    runField(0x64D, [](HWND dialog) {
        HWND field = getDlgItem(dialog, kField);
        for (int key : {VK_TAB, VK_RETURN, VK_ESCAPE}) {
            SCOPED_TRACE(key);
            EXPECT_EQ(sendMessage(field, WM_KEYDOWN, static_cast<WPARAM>(key), 0), 0);
            EXPECT_EQ(fieldValue(dialog), 0x64D);
            EXPECT_EQ(fieldText(dialog), "Ctrl + Alt + M");
        }
    });
}

TEST(HotkeyField, ModifiersWithoutAKeyAreDroppedWhenTheFocusLeaves) {
    runField(0, [](HWND dialog) {
        sim::keyDown(dialog, VK_CONTROL);
        EXPECT_EQ(fieldText(dialog), "Ctrl + ");
        sim::focusControl(dialog, IDOK);
        EXPECT_EQ(fieldText(dialog), "None");
        EXPECT_EQ(fieldValue(dialog), 0);
    });
    runField(0x64D, [](HWND dialog) {
        sim::focusControl(dialog, IDOK); // a key is set: it stays
        EXPECT_EQ(fieldValue(dialog), 0x64D);
        EXPECT_EQ(fieldText(dialog), "Ctrl + Alt + M");
    });
}

TEST(HotkeyField, AnswersBothMessageSetsAndTakesNoTyping) {
    runField(0, [](HWND dialog) {
        HWND field = getDlgItem(dialog, kField);
        EXPECT_EQ(sendMessage(field, HKF_SETVALUE2, 0x274, 0), 0); // Ctrl + F5
        EXPECT_EQ(fieldText(dialog), "Ctrl + F5");
        EXPECT_EQ(sendMessage(field, HKF_GETVALUE2, 0, 0), 0x274);
        // Rules off: a key alone stays alone.
        sendMessage(field, HKF_SETRULES2, 0, 0);
        sim::keyDown(dialog, VK_F5); // the key it holds already: nothing
        EXPECT_EQ(fieldText(dialog), "Ctrl + F5");
        sim::keyDown(dialog, VK_F5 + 1);
        EXPECT_EQ(fieldText(dialog), "F6");
        EXPECT_EQ(fieldValue(dialog), 0x75);
        sim::typeText(dialog, kField, "abc"); // read-only
        EXPECT_EQ(fieldText(dialog), "F6");
        EXPECT_NE(sim::controlView(dialog, kField).style & ES_READONLY, 0u);
    });
}

TEST(HotkeyField, AKeyWithoutANameShowsNone) {
    EXPECT_EQ(hotkeyText(kFieldCtrl, 0xFF), "None");
    EXPECT_EQ(hotkeyText(kFieldWin | kFieldCtrl | kFieldShift | kFieldAlt, 0),
              "Win + Ctrl + Shift + Alt + ");
    EXPECT_EQ(hotkeyText(0, VK_DELETE), "Delete");
}

TEST(HotkeyField, OnlyWindowsBecomeFieldsAndTheStateGoesWithTheField) {
    EXPECT_FALSE(attachHotkeyField(nullptr));
    HWND plain = createWindow(defWindowProc, "plain");
    // A window that lost its state answers nothing.
    ASSERT_TRUE(attachHotkeyField(plain));
    EXPECT_TRUE(attachHotkeyField(plain)); // once is enough
    EXPECT_EQ(sim::liveHeapBlocks(), 1);
    HANDLE state = removeProp(plain, kHotkeyFieldProperty);
    EXPECT_EQ(sendMessage(plain, HKF_GETVALUE, 0, 0), 0);
    EXPECT_EQ(sendMessage(plain, WM_GETTEXTLENGTH, 0, 0), 0);
    setProp(plain, kHotkeyFieldProperty, state);
    destroyWindow(plain);
    EXPECT_EQ(sim::liveHeapBlocks(), 0);
    sim::pump(); // the key-down posted at attachment found no window

    runField(0x64D, [](HWND) {});
    EXPECT_EQ(sim::liveHeapBlocks(), 0);
}

} // namespace
} // namespace tg
