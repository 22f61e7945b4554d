#include "plugin/lifecycle.h"

#include "actions/plugin_playlist.h"
#include "menus/menu_helpers.h"
#include "model/model_state.h"
#include "model/settings_file.h"
#include "model/text.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/thread.h"
#include "platform/utf8.h"
#include "platform/window.h"
#include "plugin/context_menus.h"
#include "plugin/entry_guard.h"
#include "plugin/frame_state.h"
#include "plugin/host_handles.h"
#include "plugin/host_messages.h"
#include "plugin/mouse_hook.h"
#include "plugin/plugin_menu.h"
#include "plugin/record_layout.h"
#include "plugin/wide_calls.h"
#include "plugin/window_procedure.h"
#include "prefs/preferences_dialog.h"

namespace tg {

namespace {

constexpr char kEnqueueName[] = "ENQ Tunegrove";
constexpr char kPlayName[] = "PLAY Tunegrove";
constexpr char kPlayLabel[] = "TG Play";
constexpr char kEnqueueLabel[] = "TG Enqueue";

void subclassHostWindow() {
    FrameState& f = frame();
    const HWND window = playerWindow();
    if (f.hostWindowProc != nullptr && f.subclassedWindow == window) {
        // An earlier quit left our procedure in the chain as a pass-through: it
        // takes up its work again where it stands.
        return;
    }
    f.hostWindowProc = platform::getWindowProc(window);
    f.subclassedWindow = window;
    platform::setWindowProc(window, pluginWindowProcedure);
}

void restoreHostWindow() {
    FrameState& f = frame();
    if (f.hostWindowProc == nullptr) return;
    const HWND window = f.subclassedWindow;
    if (platform::isWindow(window) && platform::getWindowProc(window) != pluginWindowProcedure) {
        // Someone subclassed the window after us and calls our procedure as its
        // previous one. Cutting it out would cut them off too: ours stays in
        // the chain and passes everything to the procedure we saved, and the
        // module stays loaded so that the code is still there to run.
        platform::keepModuleLoaded(reinterpret_cast<const void*>(&pluginWindowProcedure));
        return;
    }
    if (platform::isWindow(window)) platform::setWindowProc(window, f.hostWindowProc);
    f.hostWindowProc = nullptr;
    f.subclassedWindow = nullptr;
}

// "TG Playlist" when nothing holds it any more: the target popup's own items
// take it with them otherwise.
bool playlistPopupHangsFree() {
    const FrameState& f = frame();
    if (f.playlistPopup == nullptr || !platform::isMenu(f.playlistPopup)) return false;
    if (f.targetPopup == nullptr || !platform::isMenu(f.targetPopup)) return true;
    return !holdsSubmenu(f.targetPopup, f.playlistPopup);
}

void onSendToBuild(INT_PTR context) {
    const FrameState& f = frame();
    // The library keeps no pointer to the label past each call.
    char label[512];
    copyText(label, kPlayLabel);
    host::mlAddSendToItem(label, context, f.playSendToId);
    copyText(label, kEnqueueLabel);
    host::mlAddSendToItem(label, context, f.enqueueSendToId);
}

// The wide list the library offers first is taken with the wide calls; the
// TrackList of the same selection it may offer next is then declined.
INT_PTR onSendToSelect(INT_PTR kind, const void* list, INT_PTR id) {
    FrameState& f = frame();
    const bool wide = kind == kSelectionWideTrackList;
    if (wide) f.wideSelectionTaken = false;
    if ((wide && !wideCalls()) || (!wide && kind != kSelectionTrackList)) return 0;
    if (!wide && f.wideSelectionTaken) {
        f.wideSelectionTaken = false;
        return 0;
    }
    if (list == nullptr || id == 0) return 0;
    const bool play = id == f.playSendToId;
    if (!play && id != f.enqueueSendToId) return 0;
    if (wide) {
        const auto& records = *static_cast<const WideTrackList*>(list);
        const int count = heldRecords(records);
        host::settleRecordLayout();
        if (play) emptyPluginPlaylist();
        for (int i = 0; i < count; ++i)
            if (const WideChar* file = widePlayerRecordAt(records.items, i).filename)
                appendToPluginPlaylist(std::string_view(wideToUtf8(file)));
        if (play) host::cmdNext();
        f.wideSelectionTaken = true;
        return 1;
    }
    const auto& records = *static_cast<const TrackList*>(list);
    const int count = heldRecords(records);
    host::learnRecordLayout(records.items, count);
    if (play) emptyPluginPlaylist();
    for (int i = 0; i < count; ++i)
        appendToPluginPlaylist(playerRecordAt(records.items, i).filename);
    if (play) host::cmdNext();
    return 0;
}

} // namespace

int pluginInit() {
    FrameState& f = frame();
    if (f.running) return 0; // a second init would subclass the window by itself
    // Running from the start: whatever a failure leaves half done, quit undoes.
    f.running = true;
    guarded([&] {
        detectWideCalls();
        readSettings();
        subclassHostWindow();
        f.mouseHook = platform::setWindowsHookEx(WH_MOUSE, mouseHookProcedure, moduleInstance(), 0);
        installPluginMenu();
        f.enqueueSendToId = host::registerMessage(kEnqueueName);
        f.playSendToId = host::registerMessage(kPlayName);
    });
    return 0;
}

// Each step on its own: the hook and the window procedure must go even when
// an earlier step failed, or the player would call into an unloaded module.
void pluginQuit() {
    FrameState& f = frame();
    if (!f.running) return;
    guarded([&] {
        const HMENU loosePlaylist = playlistPopupHangsFree() ? f.playlistPopup : nullptr;
        removePluginMenu();
        if (loosePlaylist != nullptr && platform::isMenu(loosePlaylist))
            platform::destroyMenu(loosePlaylist);
    });
    guarded([] { destroyContextMenus(); });
    f.contextDefinition = nullptr;
    f.selectedMenu = nullptr;
    f.targetOpen = false;

    guarded([] { freeDefinitions(); });
    f.targetPopup = nullptr;
    // A removal still waiting must not act on the next load's state.
    guarded([] { resetPluginPlaylistState(); });

    if (f.mouseHook != nullptr) guarded([&] { platform::unhookWindowsHookEx(f.mouseHook); });
    f.mouseHook = nullptr;
    f.running = false;
    guarded([] { restoreHostWindow(); });
    f.enqueueSendToId = 0;
    f.playSendToId = 0;
}

INT_PTR pluginHandleMessage(int type, INT_PTR param1, INT_PTR param2, INT_PTR param3) {
    // The send-to ids and the settings are there only while the plug-in runs.
    if (!frame().running) return 0;
    return guarded(INT_PTR{0}, [&]() -> INT_PTR {
        switch (type) {
        case MLMSG_SEND_TO_BUILD: onSendToBuild(param2); return 0;
        case MLMSG_SEND_TO_SELECT:
            return onSendToSelect(param1, reinterpret_cast<const void*>(param2), param3);
        case MLMSG_CONFIG: runPreferencesDialog(reinterpret_cast<HWND>(param1)); return 1;
        default: return 0;
        }
    });
}

} // namespace tg
