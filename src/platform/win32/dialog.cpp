// Dialogs, controls and the process heap: one user32 / kernel32 call each.
#include "platform/win32/windows_include.h"

#include <commctrl.h>

#include "platform/dialog.h"
#include "platform/text_encoding.h"
#include "platform/win32/wide_text.h"

#include <cstddef>
#include <cstring>
#include <string>

namespace tg::platform {

static_assert(sizeof(NotifyHeader) == sizeof(NMHDR) &&
              offsetof(NotifyHeader, code) == offsetof(NMHDR, code));
static_assert(sizeof(UpDownNotify) == sizeof(NMUPDOWN) &&
              offsetof(UpDownNotify, iDelta) == offsetof(NMUPDOWN, iDelta));

namespace {

// The up-down controls of the templates live in comctl32, which registers its
// classes only when asked to.
void initCommonControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof controls;
        controls.dwICC = ICC_UPDOWN_CLASS;
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)done;
}

// An entry of a list or drop-down list as UTF-8; false past the end.
bool utf8Entry(HWND list, UINT lengthMessage, UINT textMessage, WPARAM index, std::string* text) {
    const LRESULT length = SendMessageW(list, lengthMessage, index, 0);
    if (length < 0) return false;
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT read =
        SendMessageW(list, textMessage, index, reinterpret_cast<LPARAM>(wide.data()));
    if (read < 0) return false;
    wide.resize(static_cast<std::size_t>(read));
    *text = win32::utf8FromWide(wide);
    return true;
}

// The list messages the preferences send, with UTF-8 texts: lengths in bytes,
// so the caller's buffer fits the converted entry.
LRESULT sendUtf8ListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool listBox = message == LB_GETTEXT || message == LB_GETTEXTLEN;
    const UINT lengthMessage = listBox ? LB_GETTEXTLEN : CB_GETLBTEXTLEN;
    const UINT textMessage = listBox ? LB_GETTEXT : CB_GETLBTEXT;
    std::string text;
    if (!utf8Entry(list, lengthMessage, textMessage, wParam, &text))
        return listBox ? LB_ERR : CB_ERR;
    if (message == textMessage && lParam != 0)
        std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
    return static_cast<LRESULT>(text.size());
}

} // namespace

INT_PTR dialogBoxParam(HINSTANCE instance, int templateId, HWND parent, DLGPROC procedure,
                       LPARAM param) {
    initCommonControls();
    // Controls of a W dialog are Unicode windows: an A edit control keeps its
    // text, typed or set, in the ANSI code page.
    if (utf8Texts())
        return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), parent, procedure, param);
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), parent, procedure, param);
}

BOOL endDialog(HWND dialog, INT_PTR result) {
    return EndDialog(dialog, result);
}

HWND getDlgItem(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

LRESULT sendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    if (utf8Texts()) {
        switch (message) {
        case LB_INSERTSTRING:
        case CB_INSERTSTRING:
            return SendDlgItemMessageW(
                dialog, id, message, wParam,
                reinterpret_cast<LPARAM>(
                    win32::WideText(reinterpret_cast<const char*>(lParam)).get()));
        case LB_GETTEXT:
        case LB_GETTEXTLEN:
        case CB_GETLBTEXT:
        case CB_GETLBTEXTLEN:
            return sendUtf8ListMessage(GetDlgItem(dialog, id), message, wParam, lParam);
        default: break;
        }
    }
    return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

BOOL setDlgItemText(HWND dialog, int id, const char* text) {
    if (utf8Texts()) return SetDlgItemTextW(dialog, id, win32::WideText(text).get());
    return SetDlgItemTextA(dialog, id, text);
}

UINT getDlgItemText(HWND dialog, int id, char* buffer, int maxCount) {
    if (buffer != nullptr && maxCount > 0) buffer[0] = '\0';
    if (utf8Texts()) {
        const HWND control = GetDlgItem(dialog, id);
        if (control == nullptr) return 0;
        return static_cast<UINT>(win32::copyUtf8(win32::utf8WindowText(control), buffer, maxCount));
    }
    return GetDlgItemTextA(dialog, id, buffer, maxCount);
}

BOOL checkDlgButton(HWND dialog, int id, UINT check) {
    return CheckDlgButton(dialog, id, check);
}

UINT isDlgButtonChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id);
}

BOOL showWindow(HWND window, int command) {
    return ShowWindow(window, command);
}

BOOL enableWindow(HWND window, BOOL enable) {
    return EnableWindow(window, enable);
}

void* heapAllocZeroed(std::size_t size) {
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
}

BOOL heapFree(void* memory) {
    return HeapFree(GetProcessHeap(), 0, memory);
}

} // namespace tg::platform
