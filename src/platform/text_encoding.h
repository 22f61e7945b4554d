// The encoding of the plug-in's texts at the seam: UTF-8 once a player with the
// wide calls is found, the system's ANSI code page before that and with any
// other player. Menu texts are converted with it, and a read-back cuts UTF-8
// only between characters, so a label comes back byte for byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tg::platform {

void setUtf8Texts(bool utf8);
bool utf8Texts();

// The system's ANSI code page, which older files and the player's ANSI calls
// speak (Windows-1252 on the simulated platform). A character it cannot hold
// becomes '?', and complete says whether any did; no best-fit look-alikes, so a
// text that comes back complete reads back as it was.
struct CodePageText {
    std::string text;
    bool complete = true;
};
CodePageText utf8ToCodePage(std::string_view utf8);
std::string codePageToUtf8(std::string_view text);

// The length of text's longest beginning of at most limit bytes that does not
// end inside a UTF-8 sequence. Bytes that are no sequence are cut where the
// limit says.
inline std::size_t utf8CutLength(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    auto continues = [&](std::size_t at) {
        return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
    };
    std::size_t lead = limit;
    for (int i = 0; i < 3 && lead > 0 && continues(lead); ++i) --lead;
    const auto byte = static_cast<unsigned char>(text[lead]);
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    if (lead == limit || length == 1 || lead + length <= limit) return limit;
    return lead;
}

} // namespace tg::platform
