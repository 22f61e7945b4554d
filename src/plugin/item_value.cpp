#include "plugin/item_value.h"

#include "menus/item_label.h"
#include "menus/label_reader.h"
#include "model/text.h"
#include "platform/menu.h"
#include "plugin/menu_texts.h"

namespace tg {

namespace {
constexpr int kItemTextChars = 255;
// Far more "MORE" pages than any layout makes; only a damaged menu gets there.
constexpr int kMorePageLimit = 100000;
} // namespace

void readItemValue(HMENU menu, int position, std::vector<LevelSelection>& path,
                   const MenuDefinition& definition, int depth) {
    if (depth < 0 || depth >= static_cast<int>(path.size()) || position < 0) return;
    // The whole text: a library item's tracks are found again by its whole label.
    char text[kMenuTextSize] = {};
    platform::getMenuString(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    decodeItemValue(text, definition, path[static_cast<std::size_t>(depth)]);
}

bool isPathMenu(HMENU levelMenu, HMENU menu) {
    if (menu == nullptr) return false;
    HMENU m = levelMenu;
    for (int page = 0; page < kMorePageLimit && m != menu && platform::isMenu(m); ++page) {
        const int count = platform::getMenuItemCount(m);
        if (count <= 0) break;
        char text[kItemTextChars + 1] = {};
        platform::getMenuString(m, static_cast<UINT>(count - 1), text, sizeof text, MF_BYPOSITION);
        if (!equalIgnoringCase(text, kMoreItem)) break;
        m = platform::getSubMenu(m, count - 1);
    }
    return m == menu;
}

} // namespace tg
