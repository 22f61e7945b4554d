#include "menus/column_layout.h"

#include "model/model_state.h"
#include "platform/menu.h"

namespace tg {

int initialColumnsLeft() {
    return layoutColumns() - 1;
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
