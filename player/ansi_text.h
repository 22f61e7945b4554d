// The texts of the player's ANSI calls. The player keeps every text in UTF-8
// (the real one in UTF-16) and speaks the system code page through the ANSI
// calls, whether or not it offers the wide ones: a character the code page
// cannot hold reaches an ANSI caller as '?', and is lost for good.
#pragma once

#include "platform/text_encoding.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace tg::player {

inline bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Never longer than the UTF-8 it came from: one byte per character.
inline std::string toAnsi(std::string_view utf8) {
    return isAscii(utf8) ? std::string(utf8) : platform::utf8ToCodePage(utf8).text;
}

inline std::string fromAnsi(std::string_view text) {
    return isAscii(text) ? std::string(text) : platform::codePageToUtf8(text);
}

} // namespace tg::player
