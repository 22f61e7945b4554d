// The player's bookmark file: pairs of lines, the bookmarked file or address
// first, then the title the menu shows. Read by the Bookmarks popup and again
// by the action on a chosen bookmark.
#pragma once

#include <fstream>
#include <istream>
#include <string>

namespace tg {

// Opens "<player settings folder>\Winamp.bm". False when the player names no
// settings folder, the path would not fit a path buffer, or the file cannot be
// opened.
bool openBookmarkFile(std::ifstream& file);

// Reads the next pair. False at the end of the file, for a file line without
// its title line, and at a line that cannot be read (too long): the stream then
// stays failed, so no pair after it is ever taken.
bool readBookmarkPair(std::istream& in, std::string& file, std::string& title);

} // namespace tg
