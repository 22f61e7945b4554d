// Menus in memory, answering as user32 does.
#include "platform/sim/state.h"
#include "platform/text_encoding.h"

#include <algorithm>
#include <cstring>

namespace tg::platform {
namespace {

using namespace sim::detail;

HMENU toMenu(std::uintptr_t key) {
    return reinterpret_cast<HMENU>(key);
}
std::uintptr_t keyOf(HMENU menu) {
    return reinterpret_cast<std::uintptr_t>(menu);
}

constexpr UINT kItemFlagsKept = ~MF_BYPOSITION;

struct FoundItem {
    HMENU menu = nullptr;
    Menu* owner = nullptr;
    std::size_t position = 0;
    MenuItem* item = nullptr;
};

// MF_BYCOMMAND looks through nested popups depth first, as user32 does: an item
// inside a submenu wins over the popup item that opens it when both carry the id.
FoundItem findByCommand(State& s, HMENU menu, UINT id, int depth) {
    FoundItem fallback;
    Menu* owner = nullptr;
    if (auto found = s.menus.find(keyOf(menu)); found != s.menus.end()) owner = &found->second;
    if (owner == nullptr || depth > 64) return fallback;
    for (std::size_t i = 0; i < owner->items.size(); ++i) {
        MenuItem& item = owner->items[i];
        if (item.flags & MF_POPUP) {
            FoundItem inner = findByCommand(s, item.submenu, id, depth + 1);
            if (inner.item != nullptr) return inner;
            if (item.id == id && fallback.item == nullptr) fallback = {menu, owner, i, &item};
        } else if (item.id == id) {
            return {menu, owner, i, &item};
        }
    }
    return fallback;
}

// Finds an item by position or command. A position past the end of a live menu
// is a fault when the caller changes something (fault is then the operation name).
FoundItem findItem(State& s, HMENU menu, UINT item, UINT flags, const char* operation,
                   bool positionFault) {
    Menu* owner = liveMenu(s, menu, operation);
    if (owner == nullptr) return {};
    if (flags & MF_BYPOSITION) {
        if (item < owner->items.size()) return {menu, owner, item, &owner->items[item]};
        setLastError(ERROR_MENU_ITEM_NOT_FOUND);
        if (positionFault)
            fault(s, std::string(operation) + ": position " + std::to_string(item) +
                         " is past the end of menu " + handleText(menu) + " (" +
                         std::to_string(owner->items.size()) + " items)");
        return {};
    }
    FoundItem found = findByCommand(s, menu, item, 0);
    if (found.item == nullptr) setLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return found;
}

HMENU newMenu(bool bar) {
    State& s = state();
    Lock lock(s.mutex);
    const std::uintptr_t key = newHandle(s);
    s.menus[key].bar = bar;
    return toMenu(key);
}

bool isAncestorOrSelf(State& s, HMENU candidate, HMENU menu) {
    for (int depth = 0; menu != nullptr && depth < 1000; ++depth) {
        if (menu == candidate) return true;
        auto found = s.menus.find(keyOf(menu));
        if (found == s.menus.end()) return false;
        menu = found->second.parent;
    }
    return false;
}

// Most menus are small: room for this many items and their texts at once
// saves the first steps of growing.
constexpr std::size_t kFirstItems = 16;
constexpr std::size_t kFirstTextBytes = 512;

void addText(Menu& owner, MenuItem& item, const char* text) {
    if (owner.texts.empty()) owner.texts.reserve(kFirstTextBytes);
    // Texts of deleted items are dropped once they are most of the buffer.
    if (owner.texts.size() > 2 * owner.liveTextBytes + kFirstTextBytes) {
        std::string kept;
        kept.reserve(owner.liveTextBytes);
        for (MenuItem& other : owner.items) {
            const std::string_view old = owner.textOf(other);
            other.textStart = kept.size();
            kept.append(old);
        }
        owner.texts.swap(kept);
    }
    const std::size_t length = std::strlen(text);
    item.textStart = owner.texts.size();
    item.textLength = length;
    owner.texts.append(text, length);
    owner.liveTextBytes += length;
}

BOOL insertItem(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, const char* text,
                bool append, const char* operation) {
    State& s = state();
    Lock lock(s.mutex);
    Menu* owner = liveMenu(s, menu, operation);
    if (owner == nullptr) return FALSE;
    HMENU target = menu;
    std::size_t at = owner->items.size();
    if (!append) {
        if (flags & MF_BYPOSITION) {
            at = std::min<std::size_t>(position, owner->items.size()); // past the end appends
        } else {
            // Before the item with that id, in whichever submenu holds it; an id
            // found nowhere appends, as user32 does.
            FoundItem found = findByCommand(s, menu, position, 0);
            if (found.item != nullptr) {
                target = found.menu;
                owner = found.owner;
                at = found.position;
            }
        }
    }
    MenuItem item;
    item.flags = flags & kItemFlagsKept;
    // A string item without text is a separator, and separators are always
    // reported grayed and disabled, as user32 keeps them.
    if (!(flags & (MF_SEPARATOR | MF_POPUP)) && text == nullptr) item.flags |= MF_SEPARATOR;
    if (item.flags & MF_SEPARATOR) item.flags |= MF_GRAYED | MF_DISABLED;
    if (flags & MF_POPUP) {
        const HMENU submenu = reinterpret_cast<HMENU>(idOrSubmenu);
        Menu* child = liveMenu(s, submenu, operation);
        if (child == nullptr) return FALSE;
        if (child->parent != nullptr || child->window != nullptr) {
            fault(s, std::string(operation) + ": menu " + handleText(submenu) +
                         " is already attached elsewhere");
            setLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        if (isAncestorOrSelf(s, submenu, target)) {
            fault(s, std::string(operation) + ": menu " + handleText(submenu) +
                         " would contain itself");
            setLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        child->parent = target;
        item.submenu = submenu;
        item.id = static_cast<UINT>(idOrSubmenu); // user32 keeps the handle as the id
    } else {
        item.id = static_cast<UINT>(idOrSubmenu);
    }
    if (owner->items.empty()) owner->items.reserve(kFirstItems);
    if (!(item.flags & MF_SEPARATOR) && text != nullptr) addText(*owner, item, text);
    owner->items.insert(owner->items.begin() + static_cast<std::ptrdiff_t>(at), item);
    return TRUE;
}

const char* flagName(UINT flag) {
    switch (flag) {
    case MF_SEPARATOR: return "sep";
    case MF_POPUP: return "popup";
    case MF_GRAYED: return "grayed";
    case MF_DISABLED: return "disabled";
    case MF_CHECKED: return "checked";
    case MF_MENUBARBREAK: return "barbreak";
    case MF_MENUBREAK: return "break";
    case MF_USECHECKBITMAPS: return "checkbitmaps";
    case MF_HILITE: return "hilite";
    default: return nullptr;
    }
}

void appendTree(State& s, HMENU menu, int depth, std::string& out) {
    auto found = s.menus.find(keyOf(menu));
    if (found == s.menus.end()) {
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        out += "<destroyed menu>\n";
        return;
    }
    if (depth > 64) return;
    static constexpr UINT kShown[] = {MF_SEPARATOR, MF_POPUP,           MF_GRAYED,
                                      MF_DISABLED,  MF_CHECKED,         MF_MENUBARBREAK,
                                      MF_MENUBREAK, MF_USECHECKBITMAPS, MF_HILITE};
    for (const MenuItem& item : found->second.items) {
        std::string line(static_cast<std::size_t>(depth) * 2, ' ');
        // A separator is always grayed and disabled; saying so adds nothing.
        const UINT shown =
            (item.flags & MF_SEPARATOR) ? item.flags & ~(MF_GRAYED | MF_DISABLED) : item.flags;
        for (UINT flag : kShown)
            if (shown & flag) line += std::string("[") + flagName(flag) + "] ";
        // A popup's id is its handle unless the caller set one: only a set one is stable.
        const bool popupHandleId =
            item.submenu != nullptr && item.id == static_cast<UINT>(keyOf(item.submenu));
        if (!(item.flags & MF_SEPARATOR) && !popupHandleId) line += std::to_string(item.id) + " ";
        for (char c : found->second.textOf(item))
            line += c == '\t' ? std::string("\\t") : std::string(1, c);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line;
        out += '\n';
        if (item.submenu != nullptr) appendTree(s, item.submenu, depth + 1, out);
    }
}

} // namespace

namespace sim::detail {

void destroyMenuTree(State& s, HMENU menu) {
    auto found = s.menus.find(keyOf(menu));
    if (found == s.menus.end()) return;
    // The items outlive their menu's entry, which is erased before the submenus.
    const std::vector<MenuItem> items = std::move(found->second.items);
    s.menus.erase(found);
    s.destroyedMenus.insert(keyOf(menu));
    for (const MenuItem& item : items) {
        if (item.submenu == nullptr) continue;
        auto sub = s.menus.find(keyOf(item.submenu));
        if (sub != s.menus.end() && sub->second.parent == menu) destroyMenuTree(s, item.submenu);
    }
}

} // namespace sim::detail

HMENU createPopupMenu() {
    return newMenu(false);
}
HMENU createMenu() {
    return newMenu(true);
}

BOOL destroyMenu(HMENU menu) {
    State& s = state();
    Lock lock(s.mutex);
    Menu* target = liveMenu(s, menu, "destroyMenu");
    if (target == nullptr) return FALSE;
    // Windows would leave the parent item pointing at a dead menu; the item keeps
    // the stale handle here too, so any later use of it is reported.
    if (target->parent != nullptr)
        fault(s, "destroyMenu: menu " + handleText(menu) + " is still a submenu of " +
                     handleText(target->parent));
    if (target->window != nullptr) {
        fault(s, "destroyMenu: menu " + handleText(menu) + " is still the menu bar of window " +
                     handleText(target->window));
        if (auto window = s.windows.find(reinterpret_cast<std::uintptr_t>(target->window));
            window != s.windows.end())
            window->second.menu = nullptr;
    }
    destroyMenuTree(s, menu);
    return TRUE;
}

BOOL isMenu(HMENU menu) {
    State& s = state();
    Lock lock(s.mutex);
    return s.menus.count(keyOf(menu)) != 0 ? TRUE : FALSE;
}

BOOL appendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, const char* text) {
    return insertItem(menu, 0, flags, idOrSubmenu, text, true, "appendMenu");
}

BOOL insertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, const char* text) {
    return insertItem(menu, position, flags, idOrSubmenu, text, false, "insertMenu");
}

BOOL deleteMenu(HMENU menu, UINT position, UINT flags) {
    State& s = state();
    Lock lock(s.mutex);
    FoundItem found = findItem(s, menu, position, flags, "deleteMenu", true);
    if (found.item == nullptr) return FALSE;
    const HMENU submenu = found.item->submenu;
    found.owner->liveTextBytes -= found.item->textLength;
    found.owner->items.erase(found.owner->items.begin() +
                             static_cast<std::ptrdiff_t>(found.position));
    if (submenu != nullptr) {
        auto child = s.menus.find(keyOf(submenu));
        if (child != s.menus.end() && child->second.parent == found.menu) {
            child->second.parent = nullptr;
            destroyMenuTree(s, submenu);
        }
    }
    return TRUE;
}

int getMenuItemCount(HMENU menu) {
    State& s = state();
    Lock lock(s.mutex);
    Menu* owner = liveMenu(s, menu, "getMenuItemCount");
    return owner == nullptr ? -1 : static_cast<int>(owner->items.size());
}

void setUtf8Texts(bool utf8) {
    State& s = state();
    Lock lock(s.mutex);
    s.utf8Texts = utf8;
}

bool utf8Texts() {
    State& s = state();
    Lock lock(s.mutex);
    return s.utf8Texts;
}

int getMenuString(HMENU menu, UINT item, char* buffer, int maxCount, UINT flags) {
    State& s = state();
    Lock lock(s.mutex);
    ++s.menuTextReads;
    // A missing item leaves the buffer as it was, as user32 does.
    FoundItem found = findItem(s, menu, item, flags, "getMenuString", false);
    if (found.item == nullptr) return 0;
    if (found.item->flags & MF_SEPARATOR) {
        if (buffer != nullptr && maxCount > 0) buffer[0] = '\0';
        return 0;
    }
    const std::string_view text = found.owner->textOf(*found.item);
    if (buffer == nullptr || maxCount <= 0) return static_cast<int>(text.size());
    std::size_t copied = std::min(text.size(), static_cast<std::size_t>(maxCount) - 1);
    if (s.utf8Texts) copied = utf8CutLength(text, copied);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
    return static_cast<int>(copied);
}

UINT getMenuState(HMENU menu, UINT item, UINT flags) {
    State& s = state();
    Lock lock(s.mutex);
    FoundItem found = findItem(s, menu, item, flags, "getMenuState", false);
    if (found.item == nullptr) return kMenuStateInvalid;
    if (found.item->submenu != nullptr) {
        auto child = s.menus.find(keyOf(found.item->submenu));
        if (child == s.menus.end()) return kMenuStateInvalid;
        // The submenu's item count above the low byte of flags, as user32 packs it.
        return (static_cast<UINT>(child->second.items.size()) << 8) |
               ((found.item->flags | MF_POPUP) & 0xFF);
    }
    return found.item->flags;
}

HMENU getSubMenu(HMENU menu, int position) {
    State& s = state();
    Lock lock(s.mutex);
    Menu* owner = liveMenu(s, menu, "getSubMenu");
    if (owner == nullptr || position < 0 ||
        static_cast<std::size_t>(position) >= owner->items.size())
        return nullptr;
    const MenuItem& item = owner->items[static_cast<std::size_t>(position)];
    return (item.flags & MF_POPUP) ? item.submenu : nullptr;
}

BOOL getMenuItemId(HMENU menu, UINT position, UINT* id) {
    State& s = state();
    Lock lock(s.mutex);
    FoundItem found = findItem(s, menu, position, MF_BYPOSITION, "getMenuItemId", false);
    if (found.item == nullptr || id == nullptr) return FALSE;
    *id = found.item->id;
    return TRUE;
}

BOOL setMenuItemId(HMENU menu, UINT position, UINT id) {
    State& s = state();
    Lock lock(s.mutex);
    FoundItem found = findItem(s, menu, position, MF_BYPOSITION, "setMenuItemId", true);
    if (found.item == nullptr) return FALSE;
    found.item->id = id;
    return TRUE;
}

DWORD checkMenuItem(HMENU menu, UINT item, UINT flags) {
    State& s = state();
    Lock lock(s.mutex);
    FoundItem found = findItem(s, menu, item, flags, "checkMenuItem", true);
    if (found.item == nullptr) return kMenuPreviousInvalid;
    const DWORD previous = found.item->flags & MF_CHECKED;
    found.item->flags = (found.item->flags & ~MF_CHECKED) | (flags & MF_CHECKED);
    return previous;
}

DWORD enableMenuItem(HMENU menu, UINT item, UINT flags) {
    State& s = state();
    Lock lock(s.mutex);
    FoundItem found = findItem(s, menu, item, flags, "enableMenuItem", true);
    if (found.item == nullptr) return kMenuPreviousInvalid;
    constexpr UINT kMask = MF_GRAYED | MF_DISABLED;
    const DWORD previous = found.item->flags & kMask;
    found.item->flags = (found.item->flags & ~kMask) | (flags & kMask);
    return previous;
}

BOOL hiliteMenuItem(HWND, HMENU menu, UINT item, UINT flags) {
    State& s = state();
    Lock lock(s.mutex);
    FoundItem found = findItem(s, menu, item, flags, "hiliteMenuItem", true);
    if (found.item == nullptr) return FALSE;
    found.item->flags = (found.item->flags & ~MF_HILITE) | (flags & MF_HILITE);
    return TRUE;
}

BOOL setMenuStyle(HMENU menu, DWORD style) {
    State& s = state();
    Lock lock(s.mutex);
    Menu* target = liveMenu(s, menu, "setMenuStyle");
    if (target == nullptr) return FALSE;
    target->style = style;
    return TRUE;
}

DWORD getMenuStyle(HMENU menu) {
    State& s = state();
    Lock lock(s.mutex);
    Menu* target = liveMenu(s, menu, "getMenuStyle");
    return target == nullptr ? 0 : target->style;
}

BOOL trackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner) {
    State& s = state();
    Lock lock(s.mutex);
    if (liveMenu(s, menu, "trackPopupMenuEx") == nullptr) return FALSE;
    if (liveWindow(s, owner, "trackPopupMenuEx") == nullptr) return FALSE;
    s.trackedPopups.push_back({menu, flags, x, y, owner});
    if (s.failTrackPopup) {
        setLastError(s.trackPopupError);
        return FALSE;
    }
    return TRUE;
}

BOOL drawMenuBar(HWND window) {
    State& s = state();
    Lock lock(s.mutex);
    if (liveWindow(s, window, "drawMenuBar") == nullptr) return FALSE;
    s.drawnMenuBars.push_back(window);
    return TRUE;
}

namespace sim {

int liveMenuCount() {
    State& s = state();
    Lock lock(s.mutex);
    return static_cast<int>(s.menus.size());
}

std::uint64_t menuTextReads() {
    State& s = state();
    Lock lock(s.mutex);
    return s.menuTextReads;
}

std::vector<MenuItemView> menuItems(HMENU menu) {
    State& s = state();
    Lock lock(s.mutex);
    std::vector<MenuItemView> views;
    auto found = s.menus.find(keyOf(menu));
    if (found == s.menus.end()) return views;
    for (const MenuItem& item : found->second.items)
        views.push_back(
            {std::string(found->second.textOf(item)), item.flags, item.id, item.submenu});
    return views;
}

std::string menuTree(HMENU menu) {
    State& s = state();
    Lock lock(s.mutex);
    std::string out;
    appendTree(s, menu, 0, out);
    return out;
}

const std::vector<TrackedPopup>& trackedPopups() {
    return state().trackedPopups;
}

void failTrackPopup(bool fail, DWORD lastError) {
    State& s = state();
    Lock lock(s.mutex);
    s.failTrackPopup = fail;
    s.trackPopupError = lastError;
}

const std::vector<HWND>& drawnMenuBars() {
    return state().drawnMenuBars;
}

} // namespace sim
} // namespace tg::platform
