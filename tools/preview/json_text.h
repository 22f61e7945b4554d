// JSON string literals for texts that come from menus and files: any bytes in,
// valid JSON out.
#pragma once

#include <string>
#include <string_view>

namespace tg::preview {

// The text as a quoted JSON string. Well-formed UTF-8 stays as it is; a byte
// that is not part of a UTF-8 sequence is read as Latin-1 (the player's 8-bit
// texts), so nothing is dropped and the result is always valid JSON.
std::string jsonString(std::string_view text);

} // namespace tg::preview
