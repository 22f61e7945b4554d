#include "plugin/menu_events.h"

#include "actions/playlist_popup.h"
#include "actions/source_dispatch.h"
#include "menus/column_layout.h"
#include "menus/level_builder.h"
#include "menus/menu_helpers.h"
#include "model/model_state.h"
#include "model/text.h"
#include "platform/menu.h"
#include "plugin/frame_state.h"
#include "plugin/item_value.h"
#include "plugin/target_popup.h"

namespace tg {

namespace {

// Popups of these kinds are listed afresh at every opening.
constexpr LevelType kFirstRelistedKind = LevelType::PlaylistEntries;

void uncheck(const LevelSelection& record) {
    if (record.checkedMenu == nullptr || !platform::isMenu(record.checkedMenu)) return;
    if (record.checkedPosition < 0 || record.checkedPosition >= itemCount(record.checkedMenu))
        return;
    setItemChecked(record.checkedMenu, record.checkedPosition, false);
}

// The record of the inline items of the open target popup.
bool isInlineRoot(const LevelSelection& record) {
    const FrameState& f = frame();
    const MenuDefinition* mainMenu = model().options.mainMenu;
    return mainMenu != nullptr && f.targetOpen && record.menu == f.targetPopup &&
           mainMenu->popupMenu == record.menu && model().currentDefinition == mainMenu;
}

// A new walk: the records of the old one go, and so do their check marks, which
// no closing popup would take away any more. The inline level stays open
// beside the new walk: its record waits aside, mark and all, until the walk ends.
void startWalk(MenuDefinition& definition) {
    ModelState& m = model();
    FrameState& f = frame();
    std::size_t first = 0;
    if (!m.selectionPath.empty() && isInlineRoot(m.selectionPath.front())) {
        f.inlineRoot = m.selectionPath.front();
        f.inlineRootAside = true;
        first = 1;
    }
    for (std::size_t i = first; i < m.selectionPath.size(); ++i) uncheck(m.selectionPath[i]);
    std::vector<LevelSelection>().swap(m.selectionPath);
    definition.firstBuiltItem = 0;
    m.currentDefinition = &definition;
}

MenuDefinition* definitionWithPopup(HMENU popup) {
    for (MenuDefinition& d : model().definitionList)
        if (d.popupMenu == popup) return &d;
    return nullptr;
}

void openLevelPopup(HMENU popup, MenuDefinition& definition, bool lookForSong) {
    ModelState& m = model();
    if (itemCount(popup) > 0)
        prepareBuiltPopup(popup, definition, m.selectionPath, nowPlayingText(), lookForSong);
    else
        fillPopup(popup, definition, m.selectionPath, nowPlayingText());
}

// A submenu somewhere below the target popup.
bool onLevelPopupOpening(HMENU popup, int parentPosition) {
    FrameState& f = frame();
    ModelState& m = model();
    MenuDefinition* mainMenu = m.options.mainMenu;
    int n = static_cast<int>(m.selectionPath.size());

    const bool hostSubmenu = f.selectedMenu == f.targetPopup && mainMenu != nullptr &&
                             parentPosition < mainMenu->firstBuiltItem;
    if (m.currentDefinition == nullptr || n <= 1) {
        if (MenuDefinition* owner = definitionWithPopup(popup)) {
            startWalk(*owner);
            openLevelPopup(popup, *owner, true);
            return true;
        }
        if (mainMenu != nullptr && n == 0) {
            // The first submenu opened from the inline items: their level is the
            // root of the walk.
            if (f.selectedMenu == nullptr || f.selectedMenu != mainMenu->popupMenu || hostSubmenu)
                return false;
            LevelSelection root;
            root.menu = f.selectedMenu;
            root.kind = mainMenu->levelKind(0);
            m.selectionPath.push_back(root);
            m.currentDefinition = mainMenu;
            n = 1;
        }
    }
    if (n == 0 || m.currentDefinition == nullptr) return false;
    if (hostSubmenu) return false; // one of the host's submenus in the target popup
    const LevelSelection& deepest = m.selectionPath[static_cast<std::size_t>(n - 1)];
    if (!isPathMenu(deepest.menu, f.selectedMenu)) return false;

    // A continuation page was filled with its level; an item that is only
    // labelled like the link is a value like any other.
    if (parentPosition == itemCount(f.selectedMenu) - 1 &&
        continuationPage(f.selectedMenu, f.selectedMenu == deepest.menu) == popup)
        return false;

    MenuDefinition& definition = *m.currentDefinition;
    readItemValue(f.selectedMenu, parentPosition, m.selectionPath, definition, n - 1);
    const UINT parentState =
        platform::getMenuState(f.selectedMenu, static_cast<UINT>(parentPosition), MF_BYPOSITION);
    const bool parentChecked =
        parentState != platform::kMenuStateInvalid && (parentState & MF_CHECKED) != 0;
    openLevelPopup(popup, definition, parentChecked);
    return true;
}

} // namespace

bool onInitMenuPopup(HWND window, HMENU popup, int parentPosition) {
    if (popup == nullptr || !platform::isMenu(popup)) return false;
    if (isTargetPopup(popup)) return onTargetPopupOpening(window, popup);
    FrameState& f = frame();
    if (f.playlistPopup != nullptr && popup == f.playlistPopup) {
        rebuildPlaylistPopup(popup);
        return true;
    }
    // A context menu opens on top of a level menu; it is no level of its own.
    if (popup == f.actionMenu || popup == f.playlistEntryMenu) return false;
    return onLevelPopupOpening(popup, parentPosition);
}

void onUninitMenuPopup(HMENU menu) {
    FrameState& f = frame();
    ModelState& m = model();
    if (!m.selectionPath.empty() && m.selectionPath.back().menu == menu) {
        const LevelSelection& record = m.selectionPath.back();
        if (record.kind >= kFirstRelistedKind && record.kind <= LevelType::PastLastLevel) {
            MenuDefinition* mainMenu = m.options.mainMenu;
            int from =
                mainMenu != nullptr && mainMenu->popupMenu == menu ? mainMenu->firstBuiltItem : 0;
            // Never into the host's items or the plug-in's own head of the target.
            if (menu == f.targetPopup && from < f.pluginItemsStart) from = f.pluginItemsStart;
            if (from < 0) from = 0;
            if (platform::isMenu(menu)) removeItemsFrom(menu, from);
            if (menu == f.targetPopup) f.lastItemCount = from;
        } else {
            uncheck(record);
        }
        m.selectionPath.pop_back();
    }
    if (menu != nullptr && menu == f.targetPopup) {
        f.targetOpen = false;
        f.inlineRootAside = false;
    }
    if (m.selectionPath.empty() && f.inlineRootAside) {
        // The walk beside the inline level ended: the inline level is the walk again.
        f.inlineRootAside = false;
        MenuDefinition* mainMenu = m.options.mainMenu;
        if (f.targetOpen && mainMenu != nullptr && mainMenu->popupMenu == f.inlineRoot.menu &&
            f.inlineRoot.menu == f.targetPopup) {
            m.selectionPath.push_back(f.inlineRoot);
            m.currentDefinition = mainMenu;
        }
    }
    if (m.selectionPath.empty()) m.currentDefinition = nullptr;
}

} // namespace tg
