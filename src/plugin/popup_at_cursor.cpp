#include "plugin/popup_at_cursor.h"

#include "model/model_state.h"
#include "platform/menu.h"
#include "platform/window.h"
#include "plugin/frame_state.h"
#include "plugin/host_handles.h"
#include "plugin/menu_texts.h"
#include "plugin/plugin_menu.h"

namespace tg {

namespace {

constexpr UINT kTrackFlags = TPM_CENTERALIGN | TPM_VCENTERALIGN | TPM_RECURSE;

// Windows lets only the foreground thread's input take the foreground: join it
// for the call, and always part again, whatever the call answered.
void bringForward(HWND window) {
    const HWND foreground = platform::getForegroundWindow();
    const DWORD foregroundThread =
        foreground != nullptr ? platform::getWindowThreadId(foreground) : 0;
    const DWORD windowThread = platform::getWindowThreadId(window);
    const bool join =
        foregroundThread != 0 && windowThread != 0 && foregroundThread != windowThread;
    const bool joined = join && platform::attachThreadInput(windowThread, foregroundThread, TRUE);
    platform::setForegroundWindow(window);
    if (joined) platform::attachThreadInput(windowThread, foregroundThread, FALSE);
}

} // namespace

bool showPopupAtCursor(HWND window) {
    FrameState& f = frame();
    if (f.targetPopup != nullptr && !platform::isMenu(f.targetPopup)) forgetTargetPopup();
    if (f.targetPopup == nullptr) {
        f.cursorPopupCreated = true;
        f.targetPopup = platform::createPopupMenu();
        platform::appendMenu(f.targetPopup, MF_STRING | MF_DISABLED,
                             static_cast<UINT>(model().options.hostMenuId), kPluginTitle);
    }
    bringForward(window);
    platform::sendMessage(window, WM_CANCELMODE, 0, 0);
    platform::Point cursor;
    platform::getCursorPos(&cursor);
    platform::trackPopupMenuEx(f.targetPopup, kTrackFlags, cursor.x, cursor.y, playerWindow());
    return false;
}

} // namespace tg
