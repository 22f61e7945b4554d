#include "plugin/plugin_menu.h"

#include "menus/menu_helpers.h"
#include "model/global_hotkey.h"
#include "model/model_state.h"
#include "platform/menu.h"
#include "plugin/frame_state.h"
#include "plugin/host_messages.h"
#include "plugin/menu_texts.h"

#include <cstring>

namespace tg {

namespace {

constexpr char kOwnMenuName[] = "Halvex Tunegrove";
constexpr char kSkinsItem[] = "Skins";
constexpr int kMainMenuTextChars = 63;

bool itemTextIs(HMENU menu, int position, const char* text, int maxChars) {
    char buffer[256] = {};
    platform::getMenuString(menu, static_cast<UINT>(position), buffer, maxChars + 1, MF_BYPOSITION);
    return std::strcmp(buffer, text) == 0;
}

// Where the own popup goes: right after "Skins", searched from the end down to
// position 1; without one at position 1, or at the end of a menu that short.
UINT ownPopupPosition(HMENU mainMenu) {
    const int count = platform::getMenuItemCount(mainMenu);
    for (int i = count - 1; i >= 1; --i)
        if (itemTextIs(mainMenu, i, kSkinsItem, kMainMenuTextChars))
            return static_cast<UINT>(i + 1);
    return count < 2 ? static_cast<UINT>(count < 0 ? 0 : count) : 1u;
}

// The position of the own popup's item in the host main menu, or -1. The item
// that holds our very popup wins over one that only carries its label; in an
// empty main menu it went to position 0.
int ownPopupItem(HMENU mainMenu, HMENU ownPopup) {
    const int count = platform::getMenuItemCount(mainMenu);
    if (ownPopup != nullptr)
        for (int i = count - 1; i >= 0; --i)
            if (platform::getSubMenu(mainMenu, i) == ownPopup) return i;
    for (int i = count - 1; i >= 1; --i)
        if (itemTextIs(mainMenu, i, kPluginTitle, kMainMenuTextChars)) return i;
    return -1;
}

void hotkey(bool on) {
    FrameState& f = frame();
    setGlobalHotkey(on, model().options.hotkey, 0, &f.hotkeyAtom);
}

} // namespace

void installPluginMenu() {
    FrameState& f = frame();
    GlobalOptions& o = model().options;
    // A disabled plug-in has nothing to show at the cursor: its hotkey stays off.
    if (o.enabled != 0) hotkey(true);
    if (o.ownMenu == 0) return; // the target is found when it opens

    o.hostMenuId = host::registerMessage(kOwnMenuName);
    f.targetPopup = platform::createPopupMenu();
    platform::appendMenu(f.targetPopup, MF_STRING | MF_DISABLED,
                         static_cast<UINT_PTR>(static_cast<UINT>(o.hostMenuId)), kPluginTitle);
    f.ownPopupInserted = false;
    const HMENU mainMenu = host::getMainMenu();
    if (platform::isMenu(mainMenu))
        f.ownPopupInserted =
            platform::insertMenu(mainMenu, ownPopupPosition(mainMenu), MF_BYPOSITION | MF_POPUP,
                                 reinterpret_cast<UINT_PTR>(f.targetPopup), kPluginTitle) != 0;
}

void removePluginMenu() {
    FrameState& f = frame();
    const ModelState& m = model();
    hotkey(false);

    if (m.options.ownMenu != 0) {
        const HMENU mainMenu = host::getMainMenu();
        const int item = platform::isMenu(mainMenu) ? ownPopupItem(mainMenu, f.targetPopup) : -1;
        if (item >= 0) {
            platform::deleteMenu(mainMenu, static_cast<UINT>(item), MF_BYPOSITION);
        } else if (!f.ownPopupInserted && f.targetPopup != nullptr &&
                   platform::isMenu(f.targetPopup)) {
            // It never went into the main menu, so nothing else will ever free it.
            platform::destroyMenu(f.targetPopup);
        }
    } else if (f.cursorPopupCreated && platform::isMenu(f.targetPopup)) {
        // The popup made for the cursor is ours alone and hangs nowhere: it goes
        // whole, with every submenu in it, prepared or not.
        platform::destroyMenu(f.targetPopup);
    } else {
        if (f.targetNeedsSetup || f.targetPopup == nullptr) return;
        if (platform::isMenu(f.targetPopup)) {
            platform::setMenuStyle(f.targetPopup, MNS_AUTODISMISS);
            f.pluginItemsStart += itemCount(f.targetPopup) - f.lastItemCount;
            if (f.pluginItemsStart < 0) f.pluginItemsStart = 0;
            removeItemsFrom(f.targetPopup, f.pluginItemsStart);
        }
    }

    forgetTargetPopup();
}

void forgetTargetPopup() {
    FrameState& f = frame();
    ModelState& m = model();
    // The definitions' popups went with the items that held them.
    for (MenuDefinition& d : m.definitionList) d.popupMenu = nullptr;
    f.pluginItemsStart = 0;
    f.targetPopup = nullptr;
    f.targetNeedsSetup = true;
    f.playlistPopup = nullptr;
    f.ownPopupInserted = false;
    m.playlistMenusValid = false;
    f.cursorPopupCreated = false;
    m.menusDirty = true;
}

void clearBuiltItems(MenuDefinition* definition) {
    if (definition == nullptr || definition->popupMenu == nullptr) return;
    const HMENU popup = definition->popupMenu;
    if (!platform::isMenu(popup)) return;
    const int first = definition->firstBuiltItem < 0 ? 0 : definition->firstBuiltItem;
    removeItemsFrom(popup, first);
}

} // namespace tg
