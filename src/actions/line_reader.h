// Reading the player's text files (bookmarks, playlist files) one bounded line
// at a time.
#pragma once

#include <istream>
#include <string>

namespace tg {

// Reads the next line, without its "\n" or "\r\n", into line: at most
// kLineLimit - 1 characters. False at the end of the stream and for a longer
// line; after a longer line the stream is left failed, so reading ends there
// and never runs on through a damaged file.
bool readLimitedLine(std::istream& in, std::string& line);
// The same with another limit: at most maxCharacters characters.
bool readLimitedLine(std::istream& in, std::string& line, std::size_t maxCharacters);

} // namespace tg
