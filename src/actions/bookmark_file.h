// The player's bookmark file: pairs of lines, the bookmarked file or address
// first, then the title the menu shows. Read by the Bookmarks popup and again
// by the action on a chosen bookmark.
#pragma once

#include "actions/line_reader.h"

#include <fstream>
#include <istream>
#include <string>

namespace tg {

// Opens the bookmark file in the player's settings folder: with the wide calls
// "Winamp.bm8", the UTF-8 copy current players keep beside "Winamp.bm" (that one
// when the copy is missing), else "Winamp.bm" in the code page; utf8 tells which
// was opened. False when the player names no settings folder, the path would
// not fit a path buffer, or no file can be opened.
bool openBookmarkFile(std::ifstream& file, bool& utf8);

// Reads the next pair. False at the end of the file, for a file line without
// its title line, and at a line that cannot be read (too long): the stream then
// stays failed, so no pair after it is ever taken.
bool readBookmarkPair(TextLines& in, std::string& file, std::string& title);

} // namespace tg
