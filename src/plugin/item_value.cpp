#include "plugin/item_value.h"

#include "menus/column_layout.h"
#include "menus/item_label.h"
#include "menus/label_reader.h"
#include "platform/menu.h"

namespace tg {

namespace {
// Far more "MORE" pages than any layout makes; only a damaged menu gets there.
constexpr int kMorePageLimit = 100000;
} // namespace

void readItemValue(HMENU menu, int position, std::vector<LevelSelection>& path,
                   const MenuDefinition& definition, int depth) {
    if (depth < 0 || depth >= static_cast<int>(path.size()) || position < 0) return;
    // The whole text: a library item's tracks are found again by its whole
    // label, and a value too long for the record is known to be cut.
    char text[kMenuTextSize] = {};
    const int length = platform::getMenuString(menu, static_cast<UINT>(position), text, sizeof text,
                                               MF_BYPOSITION);
    LevelSelection& record = path[static_cast<std::size_t>(depth)];
    const bool whole = decodeItemValue(text, definition, record);
    // A text that fills the buffer may have been cut when it was made.
    record.valueCut = !whole || length >= static_cast<int>(sizeof text) - 1;
}

bool isPathMenu(HMENU levelMenu, HMENU menu) {
    if (menu == nullptr) return false;
    HMENU m = levelMenu;
    for (int page = 0; page < kMorePageLimit && m != nullptr && m != menu && platform::isMenu(m);
         ++page)
        m = continuationPage(m, page == 0);
    return m == menu;
}

} // namespace tg
