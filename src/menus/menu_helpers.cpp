#include "menus/menu_helpers.h"

#include "platform/menu.h"

namespace tg {

int itemCount(HMENU menu) {
    const int count = platform::getMenuItemCount(menu);
    return count < 0 ? 0 : count;
}

void removeItemsFrom(HMENU menu, int position) {
    for (int i = itemCount(menu) - 1; i >= position; --i)
        platform::deleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
}

bool holdsSubmenu(HMENU menu, HMENU submenu) {
    for (int i = itemCount(menu) - 1; i >= 0; --i)
        if (platform::getSubMenu(menu, i) == submenu) return true;
    return false;
}

void setItemChecked(HMENU menu, int position, bool checked) {
    platform::checkMenuItem(menu, static_cast<UINT>(position),
                            MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace tg
