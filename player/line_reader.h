// Reads text files line by line with a bound, so a damaged file (no line
// breaks, a NUL byte) ends in a clear error instead of unbounded memory.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace tg::player {

enum class LineStatus { Line, End, TooLong, HasNul };

inline constexpr std::size_t kMaxFileLine = 65536;

// One line without its "\n" or "\r\n".
LineStatus readLine(std::istream& in, std::string& line, std::size_t maxLength = kMaxFileLine);

// Drops a UTF-8 byte order mark from the start of a file's first line.
void dropByteOrderMark(std::string& firstLine);

} // namespace tg::player
