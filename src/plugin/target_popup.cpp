#include "plugin/target_popup.h"

#include "actions/playlist_popup.h"
#include "actions/plugin_playlist.h"
#include "actions/source_dispatch.h"
#include "menus/level_builder.h"
#include "menus/menu_helpers.h"
#include "model/model_state.h"
#include "platform/menu.h"
#include "platform/window.h"
#include "plugin/frame_state.h"
#include "plugin/plugin_menu.h"

#include <cstring>

namespace tg {

namespace {

// The inline items move with an item put in or taken out above them. Returns
// whether they moved: their ids and their column layout then no longer match
// their positions, and they are built again.
bool shiftInlineItems(HMENU popup, int by) {
    MenuDefinition* mainMenu = model().options.mainMenu;
    if (by == 0 || mainMenu == nullptr || mainMenu->popupMenu != popup) return false;
    mainMenu->firstBuiltItem += by;
    return true;
}

// Keeps "TG Playlist" at the start of the plug-in's part exactly while the queue
// has entries. Returns how many plug-in items it accounts for (0 or 1).
int placePlaylistItem(HMENU popup, bool& inlineMoved) {
    FrameState& f = frame();
    const UINT start = static_cast<UINT>(f.pluginItemsStart);
    char text[256] = {};
    platform::getMenuString(popup, start, text, sizeof text, MF_BYPOSITION);
    const bool present = std::strcmp(text, kPlaylistPopupLabel) == 0;

    if (pluginPlaylistEmpty()) {
        if (present) {
            platform::deleteMenu(popup, start, MF_BYPOSITION); // takes the submenu with it
            f.playlistPopup = nullptr;
            inlineMoved = shiftInlineItems(popup, -1) || inlineMoved;
        }
        return 0;
    }
    if (!present) {
        // A live handle that already hangs in this popup cannot go in a second time.
        if (!platform::isMenu(f.playlistPopup) || holdsSubmenu(popup, f.playlistPopup)) {
            f.playlistPopup = platform::createPopupMenu();
            // Its commands come by position even when the menu above it is the host's.
            platform::setMenuStyle(f.playlistPopup, kNotifyByPositionStyle);
        }
        platform::insertMenu(popup, start, MF_BYPOSITION | MF_POPUP,
                             reinterpret_cast<UINT_PTR>(f.playlistPopup), kPlaylistPopupLabel);
        inlineMoved = shiftInlineItems(popup, 1) || inlineMoved;
    }
    return 1;
}

// Removes what went stale since the last opening, one kind of menu per pass.
void clearStaleMenus() {
    ModelState& m = model();
    if (!m.playlistMenusValid)
        for (MenuDefinition& d : m.definitionList)
            if (d.sourceType == SourceType::PlaylistTags || d.sourceType == SourceType::PlaylistRaw)
                clearBuiltItems(&d);
    if (!m.songMenusValid)
        for (MenuDefinition& d : m.definitionList)
            if (d.usesSongVariables != 0) clearBuiltItems(&d);
    if (!m.libraryMenusValid)
        for (MenuDefinition& d : m.definitionList)
            if (d.sourceType == SourceType::MediaLibrary ||
                d.sourceType == SourceType::PlaylistTags)
                clearBuiltItems(&d);
}

// The plug-in's part from scratch: a separator, one empty submenu per shown
// definition, then the inline items of the main menu definition.
void rebuild(HMENU popup, int pluginCount) {
    FrameState& f = frame();
    ModelState& m = model();
    MenuDefinition* mainMenu = m.options.mainMenu;

    // Every definition's popup hangs in the part that goes now.
    for (MenuDefinition& d : m.definitionList) d.popupMenu = nullptr;
    const int keep = f.pluginItemsStart + pluginCount;
    removeItemsFrom(popup, keep);

    int count = pluginCount;
    platform::appendMenu(popup, MF_SEPARATOR | MF_DISABLED, 0, nullptr);
    ++count;
    int submenus = 0;
    for (MenuDefinition& d : m.definitionList) {
        if (!d.showAsSubmenu || &d == mainMenu || !hasSubmenuItems(d)) continue;
        d.popupMenu = platform::createPopupMenu();
        platform::appendMenu(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(d.popupMenu), d.name);
        ++count;
        ++submenus;
    }
    const bool inlineItems = mainMenu != nullptr && hasInlineItems(*mainMenu);
    if (submenus > 0 && inlineItems) {
        platform::appendMenu(popup, MF_SEPARATOR | MF_DISABLED, 0, nullptr);
        ++count;
    }
    if (inlineItems) {
        mainMenu->popupMenu = popup;
        mainMenu->firstBuiltItem = f.pluginItemsStart + count;
        m.currentDefinition = mainMenu;
        fillPopup(popup, *mainMenu, m.selectionPath, nowPlayingText());
    }
    f.lastItemCount = itemCount(popup);
    m.menusDirty = false;
}

} // namespace

bool hasSubmenuItems(const MenuDefinition& d) {
    return d.sourceType == SourceType::Directory || d.sourceType == SourceType::Bookmarks ||
           d.sourceType == SourceType::PlaylistRaw || !d.levels.empty();
}

bool hasInlineItems(const MenuDefinition& d) {
    return d.sourceType == SourceType::Directory || d.sourceType == SourceType::PlaylistRaw ||
           !d.levels.empty();
}

bool isTargetPopup(HMENU popup) {
    if (popup == nullptr || !platform::isMenu(popup)) return false;
    UINT id = 0;
    if (!platform::getMenuItemId(popup, 0, &id)) return false;
    const FrameState& f = frame();
    const std::int32_t hostMenuId = model().options.hostMenuId;
    // Id 0 is what separators and the plug-in's own first items carry.
    return (hostMenuId != 0 && id == static_cast<UINT>(hostMenuId)) ||
           (f.targetPopup != nullptr && f.targetPopup == popup);
}

bool onTargetPopupOpening(HWND window, HMENU popup) {
    FrameState& f = frame();
    ModelState& m = model();

    if (f.targetPopup != nullptr && f.targetPopup != popup) {
        if (!platform::isMenu(f.targetPopup)) {
            forgetTargetPopup(); // the host destroyed it with our items
        } else if (f.cursorPopupCreated || m.options.ownMenu == 0) {
            // The popup made for the cursor gives way to the host's own, and the
            // items leave a host popup that no longer carries the configured id.
            removePluginMenu();
            installPluginMenu();
        }
    }
    f.targetPopup = popup;
    f.targetOpen = true;
    f.inlineRootAside = false;
    f.clickedHostMenu = nullptr; // a new choice begins
    if (f.selectedMenu == nullptr) platform::setForegroundWindow(window);

    const int count = itemCount(popup);
    bool inlineMoved = false;
    if (f.targetNeedsSetup) {
        f.pluginItemsStart = f.lastItemCount = count;
        platform::setMenuStyle(popup, kNotifyByPositionStyle);
        f.targetNeedsSetup = false;
        platform::drawMenuBar(window);
    } else {
        // Items the host added or removed above the plug-in's part move it.
        const int moved = count - f.lastItemCount;
        f.pluginItemsStart += moved;
        inlineMoved = shiftInlineItems(popup, moved);
    }
    if (f.pluginItemsStart < 0) f.pluginItemsStart = 0;
    if (f.pluginItemsStart > count) f.pluginItemsStart = count;

    if (m.options.enabled == 0) {
        // Still counted, or the next opening would move the start a second time.
        f.lastItemCount = count;
        return true;
    }

    const int pluginCount = placePlaylistItem(popup, inlineMoved);
    clearStaleMenus();

    if (!m.menusDirty) {
        MenuDefinition* mainMenu = m.options.mainMenu;
        const int now = itemCount(popup);
        // A main menu definition that cannot stand inline has no items here.
        if (mainMenu == nullptr || !hasInlineItems(*mainMenu)) {
            f.lastItemCount = now;
            return true;
        }
        if (mainMenu->popupMenu == popup && now > mainMenu->firstBuiltItem) {
            m.currentDefinition = mainMenu;
            if (inlineMoved) {
                clearBuiltItems(mainMenu);
                fillPopup(popup, *mainMenu, m.selectionPath, nowPlayingText());
            } else {
                prepareBuiltPopup(popup, *mainMenu, m.selectionPath, nowPlayingText(), true);
            }
            f.lastItemCount = itemCount(popup);
            return true;
        }
    }
    rebuild(popup, pluginCount);
    return true;
}

} // namespace tg
