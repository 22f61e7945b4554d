// The library's case rule: ASCII letters folded to lower case, then bytes
// compared as unsigned. The player keeps its own copy so that it checks the
// plug-in instead of sharing its code.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tg::player {

constexpr char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

int foldedCompare(std::string_view a, std::string_view b); // <0, 0, >0
bool foldedEqual(std::string_view a, std::string_view b);
bool foldedBeginsWith(std::string_view text, std::string_view prefix);
bool foldedEndsWith(std::string_view text, std::string_view suffix);
bool foldedContains(std::string_view text, std::string_view part);

// A whole decimal integer: optional spaces, an optional sign, digits, optional
// spaces, nothing else, within int32. nullopt otherwise.
std::optional<std::int32_t> parseWholeInt32(std::string_view text);

} // namespace tg::player
