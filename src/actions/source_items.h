// Appending the items of the Playlist Raw, Directory and Bookmarks popups:
// outside text escaped for the menu, check bitmaps on every item.
#pragma once

#include "platform/types.h"

#include <string_view>

namespace tg {

// Appends a plain item; returns its position in menu, or -1 when it could not
// be appended.
int appendTextItem(HMENU menu, UINT flags, UINT id, std::string_view text);

// Appends a new empty submenu; returns the item's position, or -1 (the new
// submenu is then destroyed again).
int appendSubmenuItem(HMENU menu, UINT flags, std::string_view text);

// The number a label or a chosen value starts with (spaces, a sign, digits),
// clamped to int; 0 when it starts with none.
int leadingNumber(const char* text);

} // namespace tg
