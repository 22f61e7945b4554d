// What the plug-in promises about the player's text files, written plainly so
// the fuzzers can hold the real readers and popups against it.
#pragma once

#include "platform/types.h"

#include <string>
#include <string_view>
#include <vector>

namespace tg::fuzz {

// The lines a bounded line reader gives for bytes: split at "\n", without a
// "\r" right before it; a last line without "\n" is a line; a line longer than
// maxCharacters ends the reading (it and everything after it are not given).
std::vector<std::string> expectedLines(std::string_view bytes, std::size_t maxCharacters);

// The lines of one of the player's text files in the plug-in's texts: a
// leading byte-order mark makes the file UTF-8 (as utf8 does) and is no part of
// the first line; each line is taken as expectedLines takes it, then converted.
std::vector<std::string> expectedTextLines(std::string_view bytes, bool utf8,
                                           std::size_t maxCharacters);

// The text a menu item shows for an outside text: cut at a NUL, cut to the
// label buffer, every "&" doubled, cut again before a character that no
// longer fits. UTF-8 texts are cut only between characters.
std::string expectedItemText(std::string_view text);

// Options that change where items go; fuzzers pick one by a property of the input.
struct Layout {
    int columns;
    int rows;
    int moreColumns;
};
const Layout& pickLayout(std::size_t selector);
void applyLayout(const Layout& layout);

struct ShownItem {
    std::string text;
    UINT flags = 0;
};
// The items of a filled popup in reading order, following "MORE" submenus.
// Checks that a "MORE" submenu is only ever the last item of its menu and that
// every other item's id is its position there.
std::vector<ShownItem> shownItems(HMENU popup);

} // namespace tg::fuzz
