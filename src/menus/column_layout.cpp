#include "menus/column_layout.h"

#include "model/model_state.h"
#include "platform/menu.h"

#include <cstring>

namespace tg {

int initialColumnsLeft() {
    return layoutColumns() - 1;
}

HMENU continuationPage(HMENU menu, bool firstPage) {
    const int last = platform::getMenuItemCount(menu) - 1;
    const int rows = layoutRows();
    if (last < 0 || last % rows != rows - 1) return nullptr;
    const HMENU more = platform::getSubMenu(menu, last);
    if (more == nullptr) return nullptr;
    char text[sizeof kMoreText + 1] = {};
    platform::getMenuString(menu, static_cast<UINT>(last), text, sizeof text, MF_BYPOSITION);
    if (std::strcmp(text, kMoreText) != 0) return nullptr;
    // The link comes only once the page has no column left to start.
    int breaks = 0;
    for (int position = last + 1 - rows; position > 0; position -= rows) {
        const UINT state = platform::getMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
        if (state == platform::kMenuStateInvalid || (state & MF_MENUBARBREAK) == 0) break;
        ++breaks;
    }
    const int columns = firstPage ? layoutColumns() : layoutMoreColumns();
    return breaks == columns - 1 ? more : nullptr;
}

void nextItemPlacement(int& position, int& columnsLeft, HMENU& menu, UINT& flag, int total) {
    const int rows = layoutRows();
    flag = 0;
    const bool endsColumn = position % rows == rows - 1;
    if (columnsLeft <= 0 && endsColumn && (total < 0 || position < total)) {
        const HMENU more = platform::createPopupMenu();
        if (more == nullptr) return;
        if (!platform::appendMenu(menu, MF_POPUP | MF_USECHECKBITMAPS,
                                  reinterpret_cast<UINT_PTR>(more), kMoreText)) {
            platform::destroyMenu(more);
            return;
        }
        menu = more;
        position = 0;
        columnsLeft = layoutMoreColumns() - 1;
        return;
    }
    if (position != 0 && position % rows == 0 && columnsLeft > 0) {
        flag = MF_MENUBARBREAK;
        --columnsLeft;
    }
}

} // namespace tg
