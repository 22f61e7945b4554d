// Text orders shared by sorting, grouping, labels and lookup: a leading "The "
// is ignored, letter case is ignored (ASCII letters folded to lower case, then
// unsigned bytes compared). These run inside sorts of a million records, so
// they are inline, allocation-free and compare in one pass.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tg {

constexpr std::array<unsigned char, 256> makeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i + 32 : i);
    return table;
}
// Byte -> byte with ASCII upper case letters folded to lower case.
inline constexpr std::array<unsigned char, 256> kFoldTable = makeFoldTable();

inline unsigned char foldByte(char c) noexcept {
    return kFoldTable[static_cast<unsigned char>(c)];
}

// The text from after a leading "The " (any letter case) and any spaces that
// follow; also skips leading spaces when there is no "The ". "The" alone and
// "Theatre" stay as they are.
inline const char* stripLeadingThe(const char* text) noexcept {
    // Short-circuiting never reads past the terminator; c | 0x20 folds only
    // 'T'/'t', 'H'/'h' and 'E'/'e' onto the wanted letters.
    if ((text[0] | 0x20) == 't' && (text[1] | 0x20) == 'h' && (text[2] | 0x20) == 'e' &&
        text[3] == ' ')
        text += 4;
    while (*text == ' ') ++text;
    return text;
}
inline char* stripLeadingThe(char* text) noexcept {
    return const_cast<char*>(stripLeadingThe(static_cast<const char*>(text)));
}

// strcmp ignoring case: <0, 0, >0.
inline int compareFolded(const char* a, const char* b) noexcept {
    const auto* x = reinterpret_cast<const unsigned char*>(a);
    const auto* y = reinterpret_cast<const unsigned char*>(b);
    for (;; ++x, ++y) {
        unsigned cx = *x;
        unsigned cy = *y;
        if (cx == cy) {
            if (cx == 0) return 0;
            continue;
        }
        cx = kFoldTable[cx];
        cy = kFoldTable[cy];
        if (cx != cy) return static_cast<int>(cx) - static_cast<int>(cy);
    }
}

// Two text fields, either possibly null (missing): a missing value comes after
// every present one; otherwise the texts after stripLeadingThe ignoring case.
inline int compareTextIgnoringThe(const char* x, const char* y) noexcept {
    if (x == nullptr) return y == nullptr ? 0 : 1;
    if (y == nullptr) return -1;
    return compareFolded(stripLeadingThe(x), stripLeadingThe(y));
}

// Like compareTextIgnoringThe, but texts equal after stripping are told apart
// by their whole text, so "The Best" and "Best" do not interleave when they are
// a second key of a label that shows them unstripped.
inline int compareTextThenWhole(const char* x, const char* y) noexcept {
    if (x == nullptr) return y == nullptr ? 0 : 1;
    if (y == nullptr) return -1;
    const char* sx = stripLeadingThe(x);
    const char* sy = stripLeadingThe(y);
    const int r = compareFolded(sx, sy);
    if (r != 0 || (sx == x && sy == y)) return r;
    return compareFolded(x, y);
}

// ASCII upper case of a byte, as the first-letter labels show it.
inline unsigned char upperByte(char c) noexcept {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}

// First letters after stripLeadingThe, in upper case; missing values last.
inline int compareFirstLetter(const char* x, const char* y) noexcept {
    if (x == nullptr) return y == nullptr ? 0 : 1;
    if (y == nullptr) return -1;
    return static_cast<int>(upperByte(*stripLeadingThe(x))) -
           static_cast<int>(upperByte(*stripLeadingThe(y)));
}

// First characters as they stand (no "The " handling), in upper case; missing
// last. A space, whose initial is an empty label like that of an empty text,
// comes first with it: empty labels amid the others would split a range walk.
inline int compareInitialAsIs(const char* x, const char* y) noexcept {
    if (x == nullptr) return y == nullptr ? 0 : 1;
    if (y == nullptr) return -1;
    const auto initial = [](char c) { return c == ' ' ? 0 : static_cast<int>(upperByte(c)); };
    return initial(*x) - initial(*y);
}

// stripLeadingThe of a text that a label continues with " (", where "The"
// alone also loses its "The" (the label then begins "The (").
inline const char* strippedBeforeSuffix(const char* text) noexcept {
    if ((text[0] | 0x20) == 't' && (text[1] | 0x20) == 'h' && (text[2] | 0x20) == 'e' &&
        text[3] == '\0')
        return text + 3;
    return stripLeadingThe(text);
}

// The leading decimal integer of a text: leading blanks and one sign allowed,
// 0 when no digit follows. Saturates instead of overflowing.
std::int64_t leadingInteger(const char* text) noexcept;

// Labels as grouping and lookup see them: stripped, ignoring case.
inline int compareStrippedLabels(const char* a, const char* b) noexcept {
    return compareFolded(stripLeadingThe(a), stripLeadingThe(b));
}
inline bool sameStrippedLabel(const char* a, const char* b) noexcept {
    return compareStrippedLabels(a, b) == 0;
}
// key against bound over the bound's length, ignoring case, as a range item's
// bounds are matched: <0, 0 (key begins with bound) or >0.
int compareKeyWithBound(const char* key, const char* bound) noexcept;

// Predicates for lists of file names: below ignoring case (whole strings, no
// "The " handling); and one that is never true, with which a merge keeps the
// order of both lists and appends the second.
bool lessIgnoringCase(std::string_view a, std::string_view b) noexcept;
inline bool neverLess(std::string_view, std::string_view) noexcept {
    return false;
}

} // namespace tg
