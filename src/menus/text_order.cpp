#include "menus/text_order.h"

#include "model/text.h"

#include <limits>

namespace tg {

std::int64_t leadingInteger(const char* text) noexcept {
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        const int digit = *p - '0';
        if (value > (limit - digit) / 10) { // saturate: huge play counts stay huge
            value = limit;
            while (*p >= '0' && *p <= '9') ++p;
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

int compareKeyWithBound(const char* key, const char* bound) noexcept {
    const auto* k = reinterpret_cast<const unsigned char*>(key);
    const auto* b = reinterpret_cast<const unsigned char*>(bound);
    for (; *b != 0; ++k, ++b) {
        const unsigned ck = kFoldTable[*k];
        const unsigned cb = kFoldTable[*b];
        if (ck != cb) return static_cast<int>(ck) - static_cast<int>(cb);
    }
    return 0;
}

bool lessIgnoringCase(std::string_view a, std::string_view b) noexcept {
    return compareIgnoringCase(a, b) < 0;
}

} // namespace tg
