// The procedure that replaces the host main window's own: it sees every menu
// event of the host's menus and the host's notifications first.
#pragma once

#include "platform/types.h"

namespace tg {

LRESULT TG_CALLBACK pluginWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace tg
