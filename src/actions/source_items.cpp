#include "actions/source_items.h"

#include "menus/item_label.h"
#include "model/text.h"
#include "platform/menu.h"

#include <climits>

namespace tg {

namespace {

int lastPosition(HMENU menu) {
    const int count = platform::getMenuItemCount(menu);
    return count > 0 ? count - 1 : -1;
}

} // namespace

int appendTextItem(HMENU menu, UINT flags, UINT id, std::string_view text) {
    char label[kLabelSize];
    copyText(label, text);
    escapeAmpersands(label);
    if (!platform::appendMenu(menu, MF_STRING | MF_USECHECKBITMAPS | flags, id, label)) return -1;
    return lastPosition(menu);
}

int appendSubmenuItem(HMENU menu, UINT flags, std::string_view text) {
    char label[kLabelSize];
    copyText(label, text);
    escapeAmpersands(label);
    HMENU submenu = platform::createPopupMenu();
    if (submenu == nullptr) return -1;
    if (!platform::appendMenu(menu, MF_POPUP | MF_USECHECKBITMAPS | flags,
                              reinterpret_cast<UINT_PTR>(submenu), label)) {
        platform::destroyMenu(submenu);
        return -1;
    }
    return lastPosition(menu);
}

int leadingNumber(const char* text) {
    if (text == nullptr) return 0;
    while (*text == ' ' || *text == '\t') ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace tg
