// UTF-8 is the plug-in's text inside; UTF-16 is what the player's wide calls and
// the Windows wide calls speak. Both directions replace what does not decode
// (a broken sequence, an unpaired surrogate) by U+FFFD, so no input is lost
// silently and none is read past its end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tg {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

std::u16string utf8ToWide(std::string_view text);
std::string wideToUtf8(std::u16string_view text);

// A wide text in a fixed field of capacity units: up to its terminator, or the
// whole field when the player left none.
std::u16string_view boundedWide(const char16_t* field, std::size_t capacity);

bool isValidUtf8(std::string_view text);

} // namespace tg
