#include "model/text.h"

#include "platform/text_encoding.h"

#include <cstring>

namespace tg {

namespace {

// UTF-8 texts are cut only between characters.
std::size_t fittingLength(std::string_view text, std::size_t room) {
    if (text.size() <= room) return text.size();
    return platform::utf8Texts() ? platform::utf8CutLength(text, room) : room;
}

} // namespace

int compareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(lowerAscii(a[i]));
        const auto y = static_cast<unsigned char>(lowerAscii(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compareIgnoringCase(a, b) == 0;
}

std::size_t copyText(char* buffer, std::size_t size, std::string_view text) {
    if (size == 0) return 0;
    const std::size_t n = fittingLength(text, size - 1);
    // The text may be (part of) the buffer itself; an empty view may have no data.
    if (n > 0) std::memmove(buffer, text.data(), n);
    buffer[n] = '\0';
    return n;
}

std::size_t copyText(char* buffer, std::size_t size, const char* text) {
    return copyText(buffer, size, text == nullptr ? std::string_view() : std::string_view(text));
}

bool appendText(char* buffer, std::size_t size, std::string_view text) {
    if (size == 0) return text.empty();
    const std::size_t used = strnlen(buffer, size - 1);
    const std::size_t room = size - 1 - used;
    const std::size_t n = fittingLength(text, room);
    if (n > 0) std::memmove(buffer + used, text.data(), n);
    buffer[used + n] = '\0';
    return n == text.size();
}

} // namespace tg
