#include "plugin/window_procedure.h"

#include "model/model_state.h"
#include "platform/window.h"
#include "plugin/entry_guard.h"
#include "plugin/frame_state.h"
#include "plugin/host_contract.h"
#include "plugin/host_handles.h"
#include "plugin/host_notifications.h"
#include "plugin/menu_commands_routing.h"
#include "plugin/menu_events.h"
#include "plugin/popup_at_cursor.h"

namespace tg {

namespace {

LRESULT passOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = frame().hostWindowProc;
    // Before init nothing was saved: there is nobody to pass the message to.
    if (previous == nullptr) return 0;
    return platform::callWindowProc(previous, window, message, wParam, lParam);
}

// Handles what the plug-in claims; true with *result set for a claimed message.
bool handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    FrameState& f = frame();
    switch (message) {
    case WM_INITMENUPOPUP:
        return onInitMenuPopup(window, reinterpret_cast<HMENU>(wParam),
                               loWord(static_cast<UINT_PTR>(lParam)));
    case WM_MENUSELECT:
        f.selectedMenu = reinterpret_cast<HMENU>(lParam);
        f.selectedItem = loWord(wParam);
        return false;
    case WM_UNINITMENUPOPUP: onUninitMenuPopup(reinterpret_cast<HMENU>(wParam)); return false;
    case WM_MENUCOMMAND:
        return onMenuCommand(window, reinterpret_cast<HMENU>(lParam), static_cast<int>(wParam));
    case WM_HOTKEY:
        if (f.hotkeyAtom == 0 || loWord(wParam) != f.hotkeyAtom) return false;
        showPopupAtCursor(playerWindow());
        return true;
    case WM_USER: return onHostNotification(wParam, lParam, result);
    default: return false;
    }
}

} // namespace

LRESULT TG_CALLBACK pluginWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!frame().running) return passOn(window, message, wParam, lParam);

    LRESULT result = 0;
    const bool claimed = guarded(false, [&] {
        if (handle(window, message, wParam, lParam, &result)) return true;
        if (message == HOST_TRAY_NOTIFY && model().options.systrayMiddleClick != 0 &&
            static_cast<short>(loWord(static_cast<UINT_PTR>(lParam))) == HOST_TRAY_MIDDLE_UP)
            showPopupAtCursor(window);
        return false;
    });
    if (claimed) return result;
    return passOn(window, message, wParam, lParam);
}

} // namespace tg
