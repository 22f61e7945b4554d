// The Win32 constants platform/types.h declares again for the logic, held
// against the system's own: a wrong value there would build and misbehave on
// Windows alone.
#include "platform/types.h"

#include <type_traits>

// One entry per constant of platform/types.h; a new constant there gets its
// line here.
// clang-format off
#define TG_DECLARED_WIN32_CONSTANTS(X) \
    X(FALSE) \
    X(TRUE) \
    X(MF_STRING) \
    X(MF_BYCOMMAND) \
    X(MF_ENABLED) \
    X(MF_UNCHECKED) \
    X(MF_UNHILITE) \
    X(MF_GRAYED) \
    X(MF_DISABLED) \
    X(MF_CHECKED) \
    X(MF_POPUP) \
    X(MF_MENUBARBREAK) \
    X(MF_MENUBREAK) \
    X(MF_HILITE) \
    X(MF_USECHECKBITMAPS) \
    X(MF_BYPOSITION) \
    X(MF_SEPARATOR) \
    X(MIM_STYLE) \
    X(MNS_NOTIFYBYPOS) \
    X(MNS_AUTODISMISS) \
    X(TPM_RECURSE) \
    X(TPM_CENTERALIGN) \
    X(TPM_VCENTERALIGN) \
    X(WM_DESTROY) \
    X(WM_SETFOCUS) \
    X(WM_KILLFOCUS) \
    X(WM_SETTEXT) \
    X(WM_GETTEXT) \
    X(WM_GETTEXTLENGTH) \
    X(WM_CLOSE) \
    X(WM_CANCELMODE) \
    X(WM_COPYDATA) \
    X(WM_NOTIFY) \
    X(WM_KEYDOWN) \
    X(WM_KEYUP) \
    X(WM_SYSKEYDOWN) \
    X(WM_SYSKEYUP) \
    X(WM_INITDIALOG) \
    X(WM_COMMAND) \
    X(WM_TIMER) \
    X(WM_VSCROLL) \
    X(WM_INITMENUPOPUP) \
    X(WM_MENUSELECT) \
    X(WM_UNINITMENUPOPUP) \
    X(WM_MENUCOMMAND) \
    X(WM_MOUSEMOVE) \
    X(WM_LBUTTONDOWN) \
    X(WM_LBUTTONUP) \
    X(WM_RBUTTONDOWN) \
    X(WM_RBUTTONUP) \
    X(WM_MBUTTONDOWN) \
    X(WM_MBUTTONUP) \
    X(WM_HOTKEY) \
    X(WM_USER) \
    X(SW_HIDE) \
    X(SW_SHOW) \
    X(WS_TABSTOP) \
    X(WS_GROUP) \
    X(WS_VSCROLL) \
    X(WS_BORDER) \
    X(WS_DISABLED) \
    X(WS_VISIBLE) \
    X(WS_CHILD) \
    X(ES_AUTOHSCROLL) \
    X(ES_READONLY) \
    X(ES_NUMBER) \
    X(LBS_NOTIFY) \
    X(LBS_SORT) \
    X(CBS_DROPDOWN) \
    X(CBS_DROPDOWNLIST) \
    X(CBS_SORT) \
    X(BS_PUSHBUTTON) \
    X(BS_DEFPUSHBUTTON) \
    X(BS_AUTOCHECKBOX) \
    X(BS_GROUPBOX) \
    X(BS_TYPEMASK) \
    X(EM_GETSEL) \
    X(EM_SETSEL) \
    X(EM_LIMITTEXT) \
    X(EM_SETREADONLY) \
    X(EN_SETFOCUS) \
    X(EN_KILLFOCUS) \
    X(EN_CHANGE) \
    X(EN_UPDATE) \
    X(BM_GETCHECK) \
    X(BM_SETCHECK) \
    X(BST_UNCHECKED) \
    X(BST_CHECKED) \
    X(BN_CLICKED) \
    X(LB_ADDSTRING) \
    X(LB_INSERTSTRING) \
    X(LB_DELETESTRING) \
    X(LB_RESETCONTENT) \
    X(LB_SETCURSEL) \
    X(LB_GETCURSEL) \
    X(LB_GETTEXT) \
    X(LB_GETTEXTLEN) \
    X(LB_GETCOUNT) \
    X(LB_GETITEMDATA) \
    X(LB_SETITEMDATA) \
    X(LB_ERR) \
    X(LBN_SELCHANGE) \
    X(LBN_DBLCLK) \
    X(LBN_SETFOCUS) \
    X(LBN_KILLFOCUS) \
    X(CB_ADDSTRING) \
    X(CB_DELETESTRING) \
    X(CB_GETCOUNT) \
    X(CB_GETCURSEL) \
    X(CB_GETLBTEXT) \
    X(CB_GETLBTEXTLEN) \
    X(CB_INSERTSTRING) \
    X(CB_RESETCONTENT) \
    X(CB_SETCURSEL) \
    X(CB_GETITEMDATA) \
    X(CB_SETITEMDATA) \
    X(CB_ERR) \
    X(CBN_SELCHANGE) \
    X(CBN_SETFOCUS) \
    X(CBN_KILLFOCUS) \
    X(CBN_EDITCHANGE) \
    X(CBN_EDITUPDATE) \
    X(CBN_DROPDOWN) \
    X(CBN_CLOSEUP) \
    X(CBN_SELENDOK) \
    X(UDM_SETRANGE32) \
    X(UDM_GETRANGE32) \
    X(UDM_SETPOS32) \
    X(UDM_GETPOS32) \
    X(UDN_DELTAPOS) \
    X(SB_THUMBPOSITION) \
    X(SB_ENDSCROLL) \
    X(VK_LBUTTON) \
    X(VK_BACK) \
    X(VK_TAB) \
    X(VK_RETURN) \
    X(VK_SHIFT) \
    X(VK_CONTROL) \
    X(VK_MENU) \
    X(VK_ESCAPE) \
    X(VK_SPACE) \
    X(VK_PRIOR) \
    X(VK_NEXT) \
    X(VK_END) \
    X(VK_HOME) \
    X(VK_LEFT) \
    X(VK_UP) \
    X(VK_RIGHT) \
    X(VK_DOWN) \
    X(VK_INSERT) \
    X(VK_DELETE) \
    X(VK_LWIN) \
    X(VK_RWIN) \
    X(VK_APPS) \
    X(VK_NUMPAD0) \
    X(VK_F1) \
    X(VK_F5) \
    X(VK_F12) \
    X(VK_F24) \
    X(VK_LSHIFT) \
    X(VK_RSHIFT) \
    X(VK_LCONTROL) \
    X(VK_RCONTROL) \
    X(VK_LMENU) \
    X(VK_RMENU) \
    X(KEYEVENTF_EXTENDEDKEY) \
    X(KEYEVENTF_KEYUP) \
    X(MAPVK_VK_TO_VSC) \
    X(MAPVK_VSC_TO_VK) \
    X(WH_MOUSE) \
    X(HC_ACTION) \
    X(HC_NOREMOVE) \
    X(MOD_ALT) \
    X(MOD_CONTROL) \
    X(MOD_SHIFT) \
    X(MOD_WIN) \
    X(MB_OK) \
    X(MB_ICONERROR) \
    X(MB_ICONINFORMATION) \
    X(IDOK) \
    X(IDCANCEL) \
    X(FILE_ATTRIBUTE_HIDDEN) \
    X(FILE_ATTRIBUTE_DIRECTORY) \
    X(FILE_ATTRIBUTE_ARCHIVE) \
    X(ERROR_FILE_NOT_FOUND) \
    X(ERROR_PATH_NOT_FOUND) \
    X(ERROR_ACCESS_DENIED) \
    X(ERROR_INVALID_HANDLE) \
    X(ERROR_NO_MORE_FILES) \
    X(ERROR_INVALID_PARAMETER) \
    X(ERROR_INVALID_WINDOW_HANDLE) \
    X(ERROR_INVALID_MENU_HANDLE) \
    X(ERROR_INVALID_HOOK_HANDLE) \
    X(ERROR_HOTKEY_ALREADY_REGISTERED) \
    X(ERROR_HOTKEY_NOT_REGISTERED) \
    X(ERROR_MENU_ITEM_NOT_FOUND)
// clang-format on
// Captured before <windows.h> turns the names into its macros.
#define TG_CAPTURE(name) constexpr auto declared_##name = ::name;
TG_DECLARED_WIN32_CONSTANTS(TG_CAPTURE)
#undef TG_CAPTURE

#include "platform/win32/windows_include.h"

#include <commctrl.h>

// As the declared type holds the system's value: the notification codes are
// unsigned in the SDK and signed where the logic compares them.
#define TG_CHECK(name)                                                                             \
    static_assert(declared_##name ==                                                               \
                      static_cast<std::remove_const_t<decltype(declared_##name)>>(name),           \
                  #name " differs from <windows.h>");
TG_DECLARED_WIN32_CONSTANTS(TG_CHECK)
#undef TG_CHECK
