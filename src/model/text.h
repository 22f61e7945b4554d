// Text helpers shared by every subsystem: the case rule of the whole plug-in
// (ASCII letters folded to lower case, then bytes compared) and safe copies into
// the fixed buffers the records use.
#pragma once

#include <cstddef>
#include <string_view>

namespace tg {

constexpr char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
constexpr char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// <0, 0, >0 like strcmp, comparing lowerAscii of each byte as unsigned.
int compareIgnoringCase(std::string_view a, std::string_view b);
bool equalIgnoringCase(std::string_view a, std::string_view b);

// Copies text into buffer[size], cutting it to size - 1 bytes (UTF-8 only between
// characters); always terminates. Returns the number of bytes copied.
std::size_t copyText(char* buffer, std::size_t size, std::string_view text);
template <std::size_t N> std::size_t copyText(char (&buffer)[N], std::string_view text) {
    return copyText(buffer, N, text);
}
// The player answers null for "no text": it copies as empty text.
std::size_t copyText(char* buffer, std::size_t size, const char* text);
template <std::size_t N> std::size_t copyText(char (&buffer)[N], const char* text) {
    return copyText(buffer, N, text);
}

// Appends text, cutting it to what fits; always terminates. Returns false when cut.
bool appendText(char* buffer, std::size_t size, std::string_view text);
template <std::size_t N> bool appendText(char (&buffer)[N], std::string_view text) {
    return appendText(buffer, N, text);
}

} // namespace tg
