// The plug-in frame's own state: the target popup and the plug-in's part of
// it, the menu the mouse is in, the subclass and hook handles, the send-to
// ids, the two context menus and the hotkey's atom. One instance, reached by
// the window procedure and the hook procedure alike.
#pragma once

#include "model/menu_definition.h"
#include "model/model_state.h"
#include "platform/types.h"
#include "platform/window.h"

#include <cstdint>

namespace tg {

struct FrameState {
    // The popup that carries the plug-in's items, and where they start in it.
    HMENU targetPopup = nullptr;
    std::int32_t pluginItemsStart = 0;
    std::int32_t lastItemCount = 0;
    bool targetNeedsSetup = true;
    bool cursorPopupCreated = false;
    bool targetOpen = false;
    // The last WM_MENUSELECT: its menu (null when the menus are closed) and the
    // item's command id, or its position when it opens a submenu.
    HMENU selectedMenu = nullptr;
    WORD selectedItem = 0;
    // The player's command the mouse hook sent last for a click, in case the
    // menu reports the same choice by position as well.
    HMENU clickedHostMenu = nullptr;
    WORD clickedHostId = 0;
    HMENU playlistPopup = nullptr; // "TG Playlist"
    // The inline level's path record, set aside with its check mark while the
    // walk of a definition's submenu runs beside it in the open target popup.
    LevelSelection inlineRoot;
    bool inlineRootAside = false;

    // Start-up: the host window's previous procedure, the mouse hook, the send-to ids.
    WNDPROC hostWindowProc = nullptr;
    HWND subclassedWindow = nullptr;
    // Between init and quit. A quit that found another subclass above ours leaves
    // the procedure installed with this false: it then only passes messages on.
    bool running = false;
    HHOOK mouseHook = nullptr;
    std::int32_t enqueueSendToId = 0;
    std::int32_t playSendToId = 0;
    // A wide send-to selection was taken: the same one offered as a TrackList
    // next is declined.
    bool wideSelectionTaken = false;

    // Context menus and what they act on.
    HMENU actionMenu = nullptr;
    HMENU playlistEntryMenu = nullptr;
    MenuDefinition* contextDefinition = nullptr;
    std::int32_t contextIndex = -1;
    bool middleButtonDown = false;
    // The mouse event the menu loop last only looked at (HC_NOREMOVE), which
    // was acted on then and is not acted on again when it is taken.
    UINT peekedMouseMessage = 0;
    platform::Point peekedMousePoint;

    ATOM hotkeyAtom = 0;
    // Own-menu mode: the own popup went into the host main menu.
    bool ownPopupInserted = false;
};

FrameState& frame();
void resetFrame(); // everything back to the initial values

} // namespace tg
