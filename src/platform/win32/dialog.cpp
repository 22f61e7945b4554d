// Dialogs, controls and the process heap: one user32 / kernel32 call each.
#include "platform/win32/windows_include.h"

#include <commctrl.h>

#include "platform/dialog.h"

#include <cstddef>

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

} // namespace

INT_PTR dialogBoxParam(HINSTANCE instance, int templateId, HWND parent, DLGPROC procedure,
                       LPARAM param) {
    initCommonControls();
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), parent, procedure, param);
}

BOOL endDialog(HWND dialog, INT_PTR result) {
    return EndDialog(dialog, result);
}

HWND getDlgItem(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

LRESULT sendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

BOOL setDlgItemText(HWND dialog, int id, const char* text) {
    return SetDlgItemTextA(dialog, id, text);
}

UINT getDlgItemText(HWND dialog, int id, char* buffer, int maxCount) {
    if (buffer != nullptr && maxCount > 0) buffer[0] = '\0';
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
