// What the simulated dialogs, their controls and the user actions share.
#pragma once

#include "platform/sim/state.h"

namespace tg::platform::sim::detail {

// The window procedure of a control class.
WNDPROC controlProcedure(ControlKind kind);

// The focus moves within a dialog: WM_KILLFOCUS to the control that had it,
// WM_SETFOCUS to the new one (none: control is null). Called without the mutex.
void moveFocus(HWND dialog, HWND control);

// WM_COMMAND with the control's id and a notification code, to its dialog.
// Called without the mutex.
void notifyParent(HWND control, WORD code);

} // namespace tg::platform::sim::detail
