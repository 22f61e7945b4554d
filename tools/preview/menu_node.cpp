#include "menu_node.h"

namespace tg::preview {

MenuNode nodeOf(const std::string& text, UINT flags, UINT id, bool popup) {
    MenuNode node;
    node.separator = (flags & MF_SEPARATOR) != 0;
    node.text = node.separator ? std::string() : text;
    node.id = id;
    node.popup = popup;
    node.checked = (flags & MF_CHECKED) != 0;
    node.disabled = (flags & (MF_DISABLED | MF_GRAYED)) != 0;
    node.columnBreak = (flags & (MF_MENUBREAK | MF_MENUBARBREAK)) != 0;
    return node;
}

} // namespace tg::preview
