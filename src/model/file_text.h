// Texts in files the plug-in reads and writes: older files keep them in the
// system's code page, newer ones in UTF-8, marked by a byte-order mark or by
// their name. The plug-in's own texts are UTF-8 with the player's wide calls and
// the code page without them.
#pragma once

#include <istream>
#include <string>
#include <string_view>

namespace tg {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool startsWithByteOrderMark(std::string_view bytes);
// Reads a byte-order mark at the stream's position; without one the stream is
// back where it was.
bool skipByteOrderMark(std::istream& in);

// bytes, read from a file in UTF-8 or in the code page, in the plug-in's
// encoding. Broken UTF-8 becomes U+FFFD (or '?' in the code page); nothing is
// read past bytes.
std::string textFromFile(std::string_view bytes, bool fileIsUtf8);

} // namespace tg
