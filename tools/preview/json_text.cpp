#include "json_text.h"

#include <cstdio>

namespace tg::preview {

namespace {

// Length of the well-formed UTF-8 sequence at text[i], or 0.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned int minimum = 0;
    unsigned int value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, value = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, value = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0u) != 0x80u) return 0;
        value = (value << 6) | (byte(i + k) & 0x3Fu);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not well-formed.
    if (value < minimum || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return 0;
    return length;
}

void appendEscape(std::string& out, unsigned int code) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", code);
    out += buffer;
}

} // namespace

std::string jsonString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = utf8SequenceLength(text, i);
            if (length == 0) {
                // Latin-1: U+0080-U+00FF in two bytes.
                out += static_cast<char>(0xC0 | (c >> 6));
                out += static_cast<char>(0x80 | (c & 0x3F));
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default:
            if (c < 0x20 || c == 0x7F)
                appendEscape(out, c);
            else
                out += static_cast<char>(c);
        }
        ++i;
    }
    out += '"';
    return out;
}

} // namespace tg::preview
