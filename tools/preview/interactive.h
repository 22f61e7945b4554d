// A person walking the plug-in's menus with the keyboard.
//
// Keys: Up/Down (or k/j) move, a number and Enter goes to that item and opens
// its submenu, Right (or l) opens the submenu, Enter clicks the item (a left
// click through the mouse hook), c right-clicks it (its context menu opens on
// top; choose an entry with Enter), Left (or h, Backspace, Esc) closes the
// innermost menu, q quits. After a click the player's messages, its playlist
// and the queue are shown, and the popup opens again when the click closed it.
#pragma once

#include "options.h"
#include "preview_session.h"

#include <istream>
#include <ostream>

namespace tg::preview {

enum class Key { Up, Down, Left, Right, Enter, Context, Quit, Digit, Other, End };

struct KeyPress {
    Key key = Key::Other;
    char digit = 0;
};

// Reads one key from a byte stream: arrows as their ANSI sequences, Esc alone
// as Left. On a terminal an Esc is alone when nothing follows it at once.
KeyPress readKey(std::istream& in, bool terminal);

// terminal: in and out are a terminal; the screen is redrawn after each key
// and the keys are read one by one. Otherwise a transcript is written: each
// menu as it opens, each move and each click's result.
void runInteractive(PreviewSession& session, const Options& options, std::istream& in,
                    std::ostream& out, bool terminal);

} // namespace tg::preview
