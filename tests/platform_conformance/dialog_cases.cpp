// Modal dialogs from the shipped templates and the controls the preferences use.
#include "platform/dialog.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "platform_conformance/seam_case.h"
#include "resources/resource_ids.h"

#include <algorithm>

namespace tg::conformance {
namespace {

using namespace platform;

using Body = void (*)(HWND dialog, Observed& seen);

struct DialogRun {
    Body body = nullptr;
    Observed seen;
    bool recording = false;
    std::string notifications;
};
DialogRun run;

// Runs the case's body inside WM_INITDIALOG, then ends the dialog with 42.
INT_PTR TG_CALLBACK caseDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        run.seen("param", lParam);
        run.recording = true;
        run.body(dialog, run.seen);
        run.recording = false;
        endDialog(dialog, 42);
        return TRUE;
    }
    if (message == WM_COMMAND && run.recording) {
        if (!run.notifications.empty()) run.notifications += ',';
        run.notifications += std::to_string(loWord(wParam)) + ":" + std::to_string(hiWord(wParam));
    }
    return FALSE;
}

std::string runDialog(Surroundings& around, int templateId, Body body) {
    run = DialogRun{};
    run.body = body;
    const INT_PTR result = dialogBoxParam(around.module(), templateId, nullptr, caseDialog, 7);
    run.seen("result", result);
    return run.seen.text();
}

// The notifications the controls sent while the body ran, then forgotten.
std::string takeNotifications() {
    std::string taken;
    taken.swap(run.notifications);
    return taken;
}

std::string theLastEndDialogGivesTheResult(Surroundings& around) {
    return runDialog(around, IDD_RENAME, [](HWND dialog, Observed& seen) {
        seen("hasEdit", getDlgItem(dialog, IDC_RENAME_NAME) != nullptr);
        seen("ended", endDialog(dialog, 5))("endedAgain", endDialog(dialog, 6));
    });
}

std::string aMissingTemplateAnswersMinusOne(Surroundings& around) {
    Observed seen;
    seen("result", dialogBoxParam(around.module(), 4321, nullptr, caseDialog, 0));
    return seen.text();
}

std::string editTextIsCutToTheBuffer(Surroundings& around) {
    return runDialog(around, IDD_RENAME, [](HWND dialog, Observed& seen) {
        seen("set", setDlgItemText(dialog, IDC_RENAME_NAME, "Hello world"));
        seen("notified", takeNotifications());
        char buffer[16] = "zzzzzzzzzzzzzzz";
        seen("copied", getDlgItemText(dialog, IDC_RENAME_NAME, buffer, 6))("text", buffer);
        seen("whole", getDlgItemText(dialog, IDC_RENAME_NAME, buffer, sizeof buffer));
        seen("text", buffer);
        seen("empty", setDlgItemText(dialog, IDC_RENAME_NAME, ""));
        seen("copied", getDlgItemText(dialog, IDC_RENAME_NAME, buffer, sizeof buffer));
        seen("text", buffer);
        takeNotifications();
    });
}

std::string editLimitsAndSelection(Surroundings& around) {
    return runDialog(around, IDD_RENAME, [](HWND dialog, Observed& seen) {
        sendDlgItemMessage(dialog, IDC_RENAME_NAME, EM_LIMITTEXT, 4, 0);
        setDlgItemText(dialog, IDC_RENAME_NAME, "Longer than four");
        char buffer[32] = {};
        seen("programSetsPastLimit", getDlgItemText(dialog, IDC_RENAME_NAME, buffer, 32));
        sendDlgItemMessage(dialog, IDC_RENAME_NAME, EM_SETSEL, 2, 5);
        DWORD start = 0, end = 0;
        const LRESULT packed =
            sendDlgItemMessage(dialog, IDC_RENAME_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                               reinterpret_cast<LPARAM>(&end));
        seen("start", start)("end", end).hex("packed", static_cast<unsigned long long>(packed));
        sendDlgItemMessage(dialog, IDC_RENAME_NAME, EM_SETSEL, 0, -1);
        sendDlgItemMessage(dialog, IDC_RENAME_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                           reinterpret_cast<LPARAM>(&end));
        seen("all", start)("to", end);
        takeNotifications();
    });
}

std::string checkBoxesKeepTheirMark(Surroundings& around) {
    return runDialog(around, IDD_ADVANCED_OPTIONS, [](HWND dialog, Observed& seen) {
        seen("fresh", isDlgButtonChecked(dialog, IDC_ADVANCED_LOAD_ALL));
        seen("set", checkDlgButton(dialog, IDC_ADVANCED_LOAD_ALL, BST_CHECKED));
        seen("checked", isDlgButtonChecked(dialog, IDC_ADVANCED_LOAD_ALL));
        checkDlgButton(dialog, IDC_ADVANCED_LOAD_ALL, BST_UNCHECKED);
        seen("unchecked", isDlgButtonChecked(dialog, IDC_ADVANCED_LOAD_ALL));
        seen("notified", takeNotifications());
    });
}

std::string listBoxesKeepEntriesAndSelection(Surroundings& around) {
    return runDialog(around, IDD_PREFERENCES, [](HWND dialog, Observed& seen) {
        const auto list = [dialog](UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
            return sendDlgItemMessage(dialog, IDC_PREFS_LIST, message, wParam, lParam);
        };
        seen("add", list(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Jazz")));
        seen("add", list(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("blues")));
        seen("insert", list(LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("Rock")));
        seen("append",
             list(LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Zydeco")));
        seen("count", list(LB_GETCOUNT));
        char text[32] = {};
        seen("length", list(LB_GETTEXTLEN, 2))("copied",
                                               list(LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text)));
        seen("text", text);
        seen("badIndex", list(LB_GETTEXT, 9, reinterpret_cast<LPARAM>(text)));
        seen("badLength", list(LB_GETTEXTLEN, 9));
        seen("noSelection", list(LB_GETCURSEL));
        seen("select", list(LB_SETCURSEL, 3))("selected", list(LB_GETCURSEL));
        seen("data", list(LB_SETITEMDATA, 1, 77))("readData", list(LB_GETITEMDATA, 1));
        seen("deleteBefore", list(LB_DELETESTRING, 0))("selected", list(LB_GETCURSEL));
        seen("clear", list(LB_SETCURSEL, static_cast<WPARAM>(-1)))("selected", list(LB_GETCURSEL));
        seen("badSelect", list(LB_SETCURSEL, 9))("badDelete", list(LB_DELETESTRING, 9));
        list(LB_RESETCONTENT);
        seen("reset", list(LB_GETCOUNT));
        seen("notified", takeNotifications());
    });
}

std::string dropListsShowTheirSelection(Surroundings& around) {
    return runDialog(around, IDD_PREFERENCES, [](HWND dialog, Observed& seen) {
        const auto combo = [dialog](UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
            return sendDlgItemMessage(dialog, IDC_PREFS_MAIN_MENU, message, wParam, lParam);
        };
        combo(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Playlist Tags"));
        combo(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Media Library"));
        seen("insert", combo(CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("(none)")));
        char text[32] = "zz";
        seen("count", combo(CB_GETCOUNT))("noSelection", combo(CB_GETCURSEL));
        seen("shown", getDlgItemText(dialog, IDC_PREFS_MAIN_MENU, text, sizeof text))("text", text);
        seen("select", combo(CB_SETCURSEL, 2));
        getDlgItemText(dialog, IDC_PREFS_MAIN_MENU, text, sizeof text);
        seen("shown", text);
        seen("length", combo(CB_GETLBTEXTLEN, 1))(
            "copied", combo(CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text)));
        seen("text", text);
        seen("data", combo(CB_SETITEMDATA, 1, 9))("readData", combo(CB_GETITEMDATA, 1));
        // Whether a selection past the end also clears the old one, Wine and
        // the documentation disagree; nothing here relies on either.
        seen("badSelect", combo(CB_SETCURSEL, 7));
        seen("delete", combo(CB_DELETESTRING, 0))("badLength", combo(CB_GETLBTEXTLEN, 5));
        combo(CB_RESETCONTENT);
        seen("reset", combo(CB_GETCOUNT));
        seen("notified", takeNotifications());
    });
}

std::string dropDownsKeepTheirOwnText(Surroundings& around) {
    return runDialog(around, IDD_PREFERENCES, [](HWND dialog, Observed& seen) {
        const auto combo = [dialog](UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
            return sendDlgItemMessage(dialog, IDC_PREFS_LOCATION, message, wParam, lParam);
        };
        combo(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Main Menu"));
        combo(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Own Menu"));
        char text[32] = {};
        seen("set", setDlgItemText(dialog, IDC_PREFS_LOCATION, "40188"));
        getDlgItemText(dialog, IDC_PREFS_LOCATION, text, sizeof text);
        seen("text", text)("selected", combo(CB_GETCURSEL));
        seen("select", combo(CB_SETCURSEL, 1));
        getDlgItemText(dialog, IDC_PREFS_LOCATION, text, sizeof text);
        seen("text", text);
        takeNotifications();
    });
}

// With a player that speaks UTF-16 the texts are UTF-8: edits, lists and
// titles give them back byte for byte, lengths count bytes, and a short buffer
// gets whole characters only.
std::string utf8TextsComeBackByteForByte(Surroundings& around) {
    setUtf8Texts(true);
    const std::string answered =
        runDialog(around, IDD_PREFERENCES, [](HWND dialog, Observed& seen) {
            const std::string text =
                "\xE5\xAE\x87\xE5\xA4\x9A \xD0\xAF \xCE\xA9 \xC3\xA9 \xF0\x9F\x8E\xB5";
            const auto entry = [dialog, &text](int id, UINT insert) {
                return sendDlgItemMessage(dialog, id, insert, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(text.c_str()));
            };
            char buffer[64] = {};
            seen("set", setDlgItemText(dialog, IDC_PREFS_NAME, text.c_str()));
            seen("whole", getDlgItemText(dialog, IDC_PREFS_NAME, buffer, sizeof buffer));
            seen("same", text == buffer);
            seen("cut", getDlgItemText(dialog, IDC_PREFS_NAME, buffer, 6));
            seen("cutSame", text.substr(0, 3) == buffer);
            seen("beyond", getDlgItemText(dialog, IDC_PREFS_NAME, buffer, 19));
            seen("insert", entry(IDC_PREFS_LIST, LB_INSERTSTRING));
            seen("length", sendDlgItemMessage(dialog, IDC_PREFS_LIST, LB_GETTEXTLEN, 0, 0));
            seen("copied", sendDlgItemMessage(dialog, IDC_PREFS_LIST, LB_GETTEXT, 0,
                                              reinterpret_cast<LPARAM>(buffer)));
            seen("same", text == buffer);
            seen("insert", entry(IDC_PREFS_MAIN_MENU, CB_INSERTSTRING));
            seen("length", sendDlgItemMessage(dialog, IDC_PREFS_MAIN_MENU, CB_GETLBTEXTLEN, 0, 0));
            seen("copied", sendDlgItemMessage(dialog, IDC_PREFS_MAIN_MENU, CB_GETLBTEXT, 0,
                                              reinterpret_cast<LPARAM>(buffer)));
            seen("same", text == buffer);
            seen("title", setWindowText(dialog, text.c_str()));
            seen("copied", getWindowText(dialog, buffer, sizeof buffer))("same", text == buffer);
            takeNotifications();
        });
    setUtf8Texts(false);
    return answered;
}

std::string upDownsKeepTheirPositionInRange(Surroundings& around) {
    return runDialog(around, IDD_PREFERENCES, [](HWND dialog, Observed& seen) {
        const auto upDown = [dialog](UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
            return sendDlgItemMessage(dialog, IDC_PREFS_MOVE, message, wParam, lParam);
        };
        upDown(UDM_SETRANGE32, 0, 10);
        int low = -1, high = -1;
        upDown(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        seen("low", low)("high", high);
        seen("previous", upDown(UDM_SETPOS32, 0, 4))("position", upDown(UDM_GETPOS32));
        seen("previous", upDown(UDM_SETPOS32, 0, 15))("position", upDown(UDM_GETPOS32));
        // A position the range has left behind reads as the nearest end.
        upDown(UDM_SETRANGE32, 0, 3);
        BOOL failed = 7;
        seen("narrowed", upDown(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
        seen("failed", failed);
        upDown(UDM_SETRANGE32, 5, 1);
        seen("previous", upDown(UDM_SETPOS32, 0, 0))("position", upDown(UDM_GETPOS32));
        takeNotifications();
    });
}

std::string showAndEnableAnswerThePreviousState(Surroundings& around) {
    return runDialog(around, IDD_PREFERENCES, [](HWND dialog, Observed& seen) {
        const HWND button = getDlgItem(dialog, IDC_PREFS_RENAME);
        seen("wasVisible", showWindow(button, SW_HIDE) != 0);
        seen("wasVisible", showWindow(button, SW_HIDE) != 0);
        seen("wasVisible", showWindow(button, SW_SHOW) != 0);
        seen("wasDisabled", enableWindow(button, FALSE) != 0);
        seen("wasDisabled", enableWindow(button, FALSE) != 0);
        seen("wasDisabled", enableWindow(button, TRUE) != 0);
        takeNotifications();
    });
}

std::string aMissingControlIsNull(Surroundings& around) {
    return runDialog(around, IDD_RENAME, [](HWND dialog, Observed& seen) {
        // Windows also sets ERROR_CONTROL_ID_NOT_FOUND here; Wine does not.
        seen("control", getDlgItem(dialog, 9999) == nullptr);
        char buffer[8] = "old";
        seen("copied", getDlgItemText(dialog, 9999, buffer, sizeof buffer))("text", buffer);
        seen("checked", isDlgButtonChecked(dialog, 9999));
    });
}

std::string theHeapHandsOutZeroedBlocks(Surroundings&) {
    auto* block = static_cast<unsigned char*>(heapAllocZeroed(300));
    Observed seen;
    seen("allocated", block != nullptr);
    if (block != nullptr)
        seen("zeroed", std::all_of(block, block + 300, [](auto b) { return b == 0; }));
    seen("freed", heapFree(block));
    return seen.text();
}

} // namespace

std::vector<SeamCase> dialogCases() {
    return {
        {"dialogs", "theLastEndDialogGivesTheResult", theLastEndDialogGivesTheResult,
         "param=7 hasEdit=1 ended=1 endedAgain=1 result=42"},
        {"dialogs", "aMissingTemplateAnswersMinusOne", aMissingTemplateAnswersMinusOne, "result=-1",
         true},
        {"dialogs", "editTextIsCutToTheBuffer", editTextIsCutToTheBuffer,
         "param=7 set=1 notified='1055:1024,1055:768' copied=5 text='Hello' whole=11 "
         "text='Hello world' empty=1 copied=0 text='' result=42"},
        {"dialogs", "editLimitsAndSelection", editLimitsAndSelection,
         "param=7 programSetsPastLimit=16 start=2 end=5 packed=0x50002 all=0 to=16 result=42"},
        {"dialogs", "checkBoxesKeepTheirMark", checkBoxesKeepTheirMark,
         "param=7 fresh=0 set=1 checked=1 unchecked=0 notified='' result=42"},
        {"dialogs", "listBoxesKeepEntriesAndSelection", listBoxesKeepEntriesAndSelection,
         "param=7 add=0 add=1 insert=0 append=3 count=4 length=5 copied=5 text='blues' "
         "badIndex=-1 badLength=-1 noSelection=-1 select=3 selected=3 data=1 readData=77 "
         "deleteBefore=3 selected=2 clear=-1 selected=-1 badSelect=-1 badDelete=-1 reset=0 "
         "notified='' result=42"},
        {"dialogs", "dropListsShowTheirSelection", dropListsShowTheirSelection,
         "param=7 insert=0 count=3 noSelection=-1 shown=0 text='' select=2 shown='Media Library' "
         "length=13 copied=13 text='Playlist Tags' data=1 readData=9 badSelect=-1 delete=2 "
         "badLength=-1 reset=0 notified='' result=42"},
        {"dialogs", "dropDownsKeepTheirOwnText", dropDownsKeepTheirOwnText,
         "param=7 set=1 text='40188' selected=-1 select=1 text='Own Menu' result=42"},
        {"dialogs", "utf8TextsComeBackByteForByte", utf8TextsComeBackByteForByte,
         "param=7 set=1 whole=20 same=1 cut=3 cutSame=1 beyond=16 insert=0 length=20 copied=20 "
         "same=1 insert=0 length=20 copied=20 same=1 title=1 copied=20 same=1 result=42"},
        {"dialogs", "upDownsKeepTheirPositionInRange", upDownsKeepTheirPositionInRange,
         "param=7 low=0 high=10 previous=0 position=4 previous=4 position=10 narrowed=3 "
         "failed=1 previous=5 position=1 result=42"},
        {"dialogs", "showAndEnableAnswerThePreviousState", showAndEnableAnswerThePreviousState,
         "param=7 wasVisible=1 wasVisible=0 wasVisible=0 wasDisabled=0 wasDisabled=1 "
         "wasDisabled=1 result=42"},
        {"dialogs", "aMissingControlIsNull", aMissingControlIsNull,
         "param=7 control=1 copied=0 text='' checked=0 result=42"},
        {"dialogs", "theHeapHandsOutZeroedBlocks", theHeapHandsOutZeroedBlocks,
         "allocated=1 zeroed=1 freed=1"},
    };
}

} // namespace tg::conformance
