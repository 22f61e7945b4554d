// A Bookmarks menu's popup: the titles of the player's bookmarks, read afresh
// at every opening.
#include "actions/bookmark_file.h"
#include "actions/popup_sources.h"
#include "actions/source_items.h"
#include "menus/column_layout.h"
#include "platform/menu.h"

namespace tg {

void fillBookmarksPopup(HMENU popup, MenuDefinition& definition) {
    std::ifstream file;
    bool utf8 = false;
    if (!openBookmarkFile(file, utf8)) return;
    TextLines lines(file, utf8);
    int id = definition.firstBuiltItem;
    int columnsLeft = initialColumnsLeft();
    HMENU menu = popup;
    std::string target;
    std::string title;
    while (readBookmarkPair(lines, target, title)) {
        UINT flag = 0;
        nextItemPlacement(id, columnsLeft, menu, flag, -1); // no limit: "MORE" as needed
        const int position = appendTextItem(menu, flag, static_cast<UINT>(id), title);
        // Disabled, not grayed: it looks normal, and only the mouse hook acts on it.
        if (position >= 0)
            platform::enableMenuItem(menu, static_cast<UINT>(position),
                                     MF_BYPOSITION | MF_DISABLED);
        ++id;
    }
}

} // namespace tg
