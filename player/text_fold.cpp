#include "player/text_fold.h"

#include <limits>

namespace tg::player {

int foldedCompare(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(foldAscii(a[i]));
        const auto y = static_cast<unsigned char>(foldAscii(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool foldedEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() && foldedCompare(a, b) == 0;
}

bool foldedBeginsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && foldedEqual(text.substr(0, prefix.size()), prefix);
}

bool foldedEndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           foldedEqual(text.substr(text.size() - suffix.size()), suffix);
}

bool foldedContains(std::string_view text, std::string_view part) {
    if (part.empty()) return true;
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
        if (foldedEqual(text.substr(i, part.size()), part)) return true;
    return false;
}

std::optional<std::int32_t> parseWholeInt32(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    const std::size_t digitsStart = i;
    std::int64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
        ++i;
    }
    if (i == digitsStart) return std::nullopt;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i != text.size()) return std::nullopt;
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace tg::player
