// Modal dialogs from the module's resource templates, their controls, and the
// process heap.
#pragma once

#include "platform/types.h"

#include <cstddef>

namespace tg::platform {

// The layouts of NMHDR and NMUPDOWN (WM_NOTIFY's lParam from an up-down control).
struct NotifyHeader {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};
struct UpDownNotify {
    NotifyHeader hdr;
    int iPos = 0;
    int iDelta = 0;
};

// DialogBoxParam with the template's numeric id; with UTF-8 texts the W call,
// so its controls keep every character. Returns the value given to endDialog,
// or -1 when the dialog could not be created.
INT_PTR dialogBoxParam(HINSTANCE instance, int templateId, HWND parent, DLGPROC procedure,
                       LPARAM param);
BOOL endDialog(HWND dialog, INT_PTR result);

HWND getDlgItem(HWND dialog, int id);
// With UTF-8 texts the list texts the preferences use (LB_INSERTSTRING,
// LB_GETTEXT, LB_GETTEXTLEN and their CB_ twins) are converted, lengths in bytes.
LRESULT sendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL setDlgItemText(HWND dialog, int id, const char* text);
// Copies at most maxCount - 1 bytes, UTF-8 ones cut between characters, and
// always terminates; returns the count.
UINT getDlgItemText(HWND dialog, int id, char* buffer, int maxCount);
BOOL checkDlgButton(HWND dialog, int id, UINT check);
UINT isDlgButtonChecked(HWND dialog, int id);

BOOL showWindow(HWND window, int command);   // SW_SHOW / SW_HIDE; was it visible
BOOL enableWindow(HWND window, BOOL enable); // was it disabled

// HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size) and HeapFree.
void* heapAllocZeroed(std::size_t size);
BOOL heapFree(void* memory);

} // namespace tg::platform
