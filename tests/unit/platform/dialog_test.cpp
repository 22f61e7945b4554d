// Simulated dialogs and controls: modal runs driven by scripts, and controls
// that answer and notify as user32 and comctl32 do.
#include "platform/dialog.h"
#include "platform/sim/inspect.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "support/platform_faults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tg::platform {
namespace {

constexpr int kRename = 115;      // a static, edit 1055, OK, Cancel
constexpr int kPreferences = 109; // list 1051, up-down 1052, combos, edits
constexpr int kAdvanced = 118;    // OK only
constexpr int kNameEdit = 1055;

std::vector<std::string> seen;
LPARAM initParam = 0;

std::string describe(UINT message, WPARAM wParam) {
    if (message == WM_COMMAND)
        return "command " + std::to_string(loWord(wParam)) + "/" + std::to_string(hiWord(wParam));
    if (message == WM_VSCROLL)
        return "vscroll " + std::to_string(loWord(wParam)) + " at " +
               std::to_string(static_cast<short>(hiWord(wParam)));
    if (message == WM_NOTIFY) return "notify";
    return {};
}

// Records what reaches it and closes on OK and Cancel, as most dialogs do.
INT_PTR TG_CALLBACK closingProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        initParam = lParam;
        return TRUE;
    }
    if (const std::string text = describe(message, wParam); !text.empty()) seen.push_back(text);
    if (message == WM_COMMAND && (loWord(wParam) == IDOK || loWord(wParam) == IDCANCEL)) {
        endDialog(dialog, loWord(wParam) == IDOK ? 11 : 22);
        return TRUE;
    }
    return message == WM_COMMAND ? TRUE : FALSE;
}

// Closes on OK only.
INT_PTR TG_CALLBACK stubbornProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && loWord(wParam) == IDOK) endDialog(dialog, 1);
    return message == WM_INITDIALOG || message == WM_COMMAND;
}

INT_PTR run(int templateId, DLGPROC procedure = closingProcedure, LPARAM param = 0) {
    return dialogBoxParam(nullptr, templateId, nullptr, procedure, param);
}

class PlatformDialog : public testing::Test {
protected:
    void SetUp() override {
        seen.clear();
        initParam = 0;
    }
};

TEST_F(PlatformDialog, RunsItsScriptAndEndsWithTheValueGivenToEndDialog) {
    const int windowsBefore = sim::liveWindowCount();
    HWND shown = nullptr;
    sim::onDialog(kRename, [&](HWND dialog) {
        shown = dialog;
        EXPECT_EQ(sim::openDialogs(), std::vector<HWND>{dialog});
        char caption[32];
        getWindowText(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, "TG Menu");
        // WM_INITDIALOG answered TRUE: the first control that takes the tab has the focus.
        EXPECT_EQ(sim::focusedControl(dialog), getDlgItem(dialog, kNameEdit));
        sim::clickButton(dialog, IDOK);
    });
    EXPECT_EQ(run(kRename, closingProcedure, 1234), 11);
    EXPECT_EQ(initParam, 1234);
    EXPECT_FALSE(isWindow(shown));
    EXPECT_EQ(sim::liveWindowCount(), windowsBefore); // its controls went with it
    ASSERT_EQ(sim::dialogRuns().size(), 1u);
    EXPECT_EQ(sim::dialogRuns()[0].templateId, kRename);
    EXPECT_EQ(sim::dialogRuns()[0].result, 11);
}

TEST_F(PlatformDialog, WithoutAScriptTheUserPressesEscAndTheCloseBoxSendsCancel) {
    // The edit has the focus (EN_SETFOCUS), then Esc comes as IDCANCEL; ending
    // the dialog takes the focus from the edit (EN_KILLFOCUS), as user32 does.
    const std::vector<std::string> escaped = {"command 1055/256", "command 2/0",
                                              "command 1055/512"};
    EXPECT_EQ(run(kRename), 22);
    EXPECT_EQ(seen, escaped);

    seen.clear();
    sim::onDialog(kRename, [](HWND dialog) { sim::closeDialog(dialog); });
    EXPECT_EQ(run(kRename), 22);
    EXPECT_EQ(seen, escaped);
}

TEST_F(PlatformDialog, ADialogThatIgnoresEscMustBeEndedByItsScript) {
    EXPECT_EQ(run(kAdvanced, stubbornProcedure), 0);
    EXPECT_EQ(test::takeFaultsMentioning("still open"), 1);

    sim::onDialog(kAdvanced, [](HWND dialog) {
        sim::keyDown(dialog, VK_ESCAPE);
        sim::closeDialog(dialog);
        EXPECT_EQ(sim::openDialogs().size(), 1u);
        sim::keyDown(dialog, VK_RETURN); // the default button
    });
    EXPECT_EQ(run(kAdvanced, stubbornProcedure), 1);
}

TEST_F(PlatformDialog, NestedDialogsTakeTheirOwnScriptsInOrder) {
    std::vector<INT_PTR> inner;
    sim::onDialog(kPreferences, [&](HWND) {
        inner.push_back(run(kRename));
        inner.push_back(run(kRename));
    });
    sim::onDialog(kRename, [](HWND dialog) { sim::clickButton(dialog, IDOK); });
    sim::onDialog(kRename, [](HWND dialog) { sim::clickButton(dialog, IDCANCEL); });
    run(kPreferences);
    EXPECT_EQ(inner, (std::vector<INT_PTR>{11, 22}));

    sim::onDialog(kRename, [](HWND) {});
    EXPECT_EQ(test::takeFaultsMentioning("never ran"), 1);
}

TEST_F(PlatformDialog, UsersCannotReachHiddenDisabledOrMissingControlsNorAnEndedDialog) {
    std::vector<std::string> faults;
    sim::onDialog(kRename, [&](HWND dialog) {
        showWindow(getDlgItem(dialog, IDOK), SW_HIDE);
        sim::clickButton(dialog, IDOK);
        enableWindow(getDlgItem(dialog, kNameEdit), FALSE);
        sim::typeText(dialog, kNameEdit, "x");
        sim::clickButton(dialog, 4711);
        sim::clickButton(dialog, IDCANCEL);
        sim::clickButton(dialog, IDCANCEL);
        faults = sim::takeFaults();
    });
    run(kRename);
    ASSERT_EQ(faults.size(), 4u);
    EXPECT_NE(faults[0].find("hidden"), std::string::npos);
    EXPECT_NE(faults[1].find("disabled"), std::string::npos);
    EXPECT_NE(faults[2].find("no control 4711"), std::string::npos);
    EXPECT_NE(faults[3].find("already ended"), std::string::npos);
}

TEST_F(PlatformDialog, EditsReportEveryChangeKeepTheirLimitsAndTakeNoTypingWhenReadOnly) {
    sim::onDialog(kPreferences, [](HWND dialog) {
        seen.clear();
        setDlgItemText(dialog, 1014, "set by the program");
        EXPECT_EQ(seen, (std::vector<std::string>{"command 1014/1024", "command 1014/768"}));

        seen.clear();
        sim::typeText(dialog, 1038, "4a0"); // digits only
        EXPECT_EQ(sim::controlView(dialog, 1038).text, "40");
        EXPECT_EQ(std::count(seen.begin(), seen.end(), "command 1038/768"), 2);

        sendDlgItemMessage(dialog, 1014, EM_LIMITTEXT, 3, 0);
        sim::typeText(dialog, 1014, "abcdef");
        EXPECT_EQ(sim::controlView(dialog, 1014).text, "abc");
        EXPECT_EQ(sim::controlView(dialog, 1014).selectionStart, 3);

        // With UTF-8 texts a key types a whole character, and the limit counts
        // UTF-16 units: the one beyond the BMP takes two.
        setUtf8Texts(true);
        seen.clear();
        sim::typeText(dialog, 1014, "\xC3\xA9\xF0\x9F\x8E\xB5\xC3\xA9");
        EXPECT_EQ(sim::controlView(dialog, 1014).text, "\xC3\xA9\xF0\x9F\x8E\xB5");
        EXPECT_EQ(std::count(seen.begin(), seen.end(), "command 1014/768"), 2);
        setUtf8Texts(false);
        sim::typeText(dialog, 1014, "abcdef");

        sendDlgItemMessage(dialog, 1014, EM_SETREADONLY, TRUE, 0);
        sim::typeText(dialog, 1014, "zz");
        EXPECT_EQ(sim::controlView(dialog, 1014).text, "abc");
        EXPECT_NE(sim::controlView(dialog, 1014).style & ES_READONLY, 0u);

        char small[3];
        EXPECT_EQ(getDlgItemText(dialog, 1014, small, sizeof small), 2u);
        EXPECT_STREQ(small, "ab");
    });
    run(kPreferences);
}

TEST_F(PlatformDialog, ListSelectionFollowsItsEntryAsEntriesComeAndGo) {
    sim::onDialog(kPreferences, [](HWND dialog) {
        for (const char* name : {"a", "b", "c", "d"})
            sendDlgItemMessage(dialog, 1051, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        sendDlgItemMessage(dialog, 1051, LB_SETCURSEL, 2, 0); // "c"
        sendDlgItemMessage(dialog, 1051, LB_DELETESTRING, 0, 0);
        EXPECT_EQ(sendDlgItemMessage(dialog, 1051, LB_GETCURSEL, 0, 0), 1);
        sendDlgItemMessage(dialog, 1051, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("z"));
        EXPECT_EQ(sendDlgItemMessage(dialog, 1051, LB_GETCURSEL, 0, 0), 2);
        EXPECT_EQ(sendDlgItemMessage(dialog, 1051, LB_DELETESTRING, 2, 0), 3);
        EXPECT_EQ(sendDlgItemMessage(dialog, 1051, LB_GETCURSEL, 0, 0), LB_ERR);
        EXPECT_EQ(sendDlgItemMessage(dialog, 1051, LB_SETCURSEL, 3, 0), LB_ERR);
        EXPECT_EQ(sendDlgItemMessage(dialog, 1051, LB_GETTEXTLEN, 3, 0), LB_ERR);
        EXPECT_EQ(sim::controlView(dialog, 1051).items, (std::vector<std::string>{"z", "b", "d"}));

        seen.clear();
        sim::selectItem(dialog, 1051, 1);
        EXPECT_EQ(seen.back(), "command 1051/1"); // LBN_SELCHANGE

        // A drop-down list shows its selection as its text; -1 clears both.
        sendDlgItemMessage(dialog, 1025, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("None"));
        sendDlgItemMessage(dialog, 1025, CB_SETITEMDATA, 0, 77);
        seen.clear();
        sim::selectItem(dialog, 1025, 0);
        EXPECT_EQ(seen,
                  (std::vector<std::string>{"command 1051/5", "command 1025/3", "command 1025/7",
                                            "command 1025/1", "command 1025/9", "command 1025/8"}));
        char text[16];
        getDlgItemText(dialog, 1025, text, sizeof text);
        EXPECT_STREQ(text, "None");
        EXPECT_EQ(sendDlgItemMessage(dialog, 1025, CB_GETITEMDATA, 0, 0), 77);
        EXPECT_EQ(sendDlgItemMessage(dialog, 1025, CB_GETITEMDATA, 1, 0), CB_ERR);
        EXPECT_EQ(sendDlgItemMessage(dialog, 1025, CB_SETCURSEL, static_cast<WPARAM>(-1), 0),
                  CB_ERR);
        getDlgItemText(dialog, 1025, text, sizeof text);
        EXPECT_STREQ(text, "");
    });
    run(kPreferences);
}

TEST_F(PlatformDialog, TypingIntoADropDownComboLeavesNoEntrySelected) {
    sim::onDialog(kPreferences, [](HWND dialog) {
        sendDlgItemMessage(dialog, 1037, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Play"));
        sendDlgItemMessage(dialog, 1037, CB_SETCURSEL, 0, 0);
        seen.clear();
        sim::typeText(dialog, 1037, "P");
        EXPECT_EQ(sendDlgItemMessage(dialog, 1037, CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(seen.back(), "command 1037/5"); // CBN_EDITCHANGE
        EXPECT_EQ(sim::controlView(dialog, 1037).text, "P");
    });
    run(kPreferences);
}

TEST_F(PlatformDialog, UpDownArrowsStayInTheirRangeAndAlwaysReportThePosition) {
    sim::onDialog(kPreferences, [](HWND dialog) {
        // Bottom 2, top 0: the up arrow counts down.
        sendDlgItemMessage(dialog, 1052, UDM_SETRANGE32, 2, 0);
        EXPECT_EQ(sendDlgItemMessage(dialog, 1052, UDM_SETPOS32, 0, 7), 0);
        EXPECT_EQ(sendDlgItemMessage(dialog, 1052, UDM_GETPOS32, 0, 0), 2);
        seen.clear();
        sim::clickUpDown(dialog, 1052, true);
        EXPECT_EQ(seen, (std::vector<std::string>{"notify", "vscroll 4 at 1", "vscroll 8 at 1"}));
        sim::clickUpDown(dialog, 1052, true);
        seen.clear();
        sim::clickUpDown(dialog, 1052, true); // at the top already
        EXPECT_EQ(seen, (std::vector<std::string>{"notify", "vscroll 4 at 0", "vscroll 8 at 0"}));
        sim::clickUpDown(dialog, 1052, false);
        EXPECT_EQ(sim::controlView(dialog, 1052).position, 1);
    });
    run(kPreferences);
}

TEST_F(PlatformDialog, KeysGoToTheFocusedControlSaveThoseTheDialogManagerTakes) {
    std::vector<std::string> keys;
    static std::vector<std::string>* record = nullptr;
    record = &keys;
    static WNDPROC edit = nullptr;
    const WNDPROC spy = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_KEYUP ||
            message == WM_SYSKEYUP || message == WM_KILLFOCUS || message == WM_SETFOCUS)
            record->push_back(message == WM_KILLFOCUS || message == WM_SETFOCUS
                                  ? std::to_string(message)
                                  : std::to_string(message) + ":" + std::to_string(wParam));
        return callWindowProc(edit, window, message, wParam, lParam);
    };
    sim::onDialog(kRename, [&](HWND dialog) {
        HWND field = getDlgItem(dialog, kNameEdit);
        edit = setWindowProc(field, spy);
        sim::keyDown(dialog, VK_CONTROL);
        sim::keyDown(dialog, VK_MENU);
        sim::keyDown(dialog, 'M');
        sim::keyUp(dialog, 'M');
        sim::keyUp(dialog, VK_MENU);
        sim::keyUp(dialog, VK_CONTROL);
        sim::keyDown(dialog, VK_MENU);
        sim::keyUp(dialog, VK_MENU);
        sim::keyDown(dialog, VK_TAB); // the focus moves on to OK
        EXPECT_EQ(sim::focusedControl(dialog), getDlgItem(dialog, IDOK));
        sim::keyUp(dialog, VK_TAB);
        setWindowProc(field, edit);
        sim::keyDown(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(run(kRename), 22);
    EXPECT_EQ(keys, (std::vector<std::string>{"256:17", "256:18", "256:77", "257:77", "257:18",
                                              "257:17", "260:18", "261:18", "8"}));
}

TEST_F(PlatformDialog, HeapBlocksAreCountedAndAStrayFreeIsAFault) {
    void* block = heapAllocZeroed(16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(static_cast<unsigned char*>(block)[15], 0);
    EXPECT_EQ(sim::liveHeapBlocks(), 1);
    EXPECT_TRUE(heapFree(block));
    EXPECT_EQ(sim::liveHeapBlocks(), 0);
    int local = 0;
    EXPECT_FALSE(heapFree(&local));
    EXPECT_EQ(test::takeFaultsMentioning("heapFree"), 1);
}

TEST_F(PlatformDialog, AMissingTemplateFailsTheCall) {
    EXPECT_EQ(run(4242), -1);
    EXPECT_EQ(test::takeFaultsMentioning("no dialog template 4242"), 1);
    EXPECT_TRUE(sim::dialogRuns().empty());
}

} // namespace
} // namespace tg::platform
