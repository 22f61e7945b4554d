// The simulated system's ANSI code page: Windows-1252, the Western one.
#include "platform/text_encoding.h"
#include "platform/utf8.h"

#include <array>

namespace tg::platform {

namespace {

// 0x80..0x9F; the five bytes Windows-1252 leaves open stand for the C1
// controls of the same number, as Windows converts them.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t unitOf(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

} // namespace

CodePageText utf8ToCodePage(std::string_view utf8) {
    CodePageText out;
    const std::u16string wide = utf8ToWide(utf8);
    out.text.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char16_t unit = wide[i];
        char byte = '?';
        // Outside 0x80..0x9F a byte stands for the unit of its own number.
        bool found = unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF);
        if (found) byte = static_cast<char>(unit);
        for (unsigned value = 0x80; value < 0xA0 && !found; ++value)
            if (unitOf(static_cast<unsigned char>(value)) == unit) {
                byte = static_cast<char>(value);
                found = true;
            }
        // A pair of surrogates is one character: one '?'.
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF)
            ++i;
        if (!found) out.complete = false;
        out.text += byte;
    }
    return out;
}

std::string codePageToUtf8(std::string_view text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (const char c : text) wide += unitOf(static_cast<unsigned char>(c));
    return wideToUtf8(wide);
}

} // namespace tg::platform
