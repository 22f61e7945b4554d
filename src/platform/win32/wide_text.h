// The plug-in's texts for the W calls: to UTF-16 from UTF-8 (or, for menus,
// the ANSI code page), and back to UTF-8, cut to the caller's buffer only
// between characters.
#pragma once

#include "platform/win32/windows_include.h"

#include <string>
#include <string_view>

namespace tg::platform::win32 {

// Texts up to this many UTF-16 units are converted on the stack: an eagerly
// built menu tree has thousands of items, and a heap copy each would show.
constexpr int kStackWideChars = 1024;
using StackWide = wchar_t[kStackWideChars];

// False for a null text or one too long for the stack.
bool wideOnStack(const char* text, UINT codePage, StackWide& wide);
std::wstring wideOnHeap(const char* text, UINT codePage);

// A UTF-8 text as UTF-16, on the stack when it fits; null stays null.
class WideText {
public:
    explicit WideText(const char* text);
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;
    const wchar_t* get() const { return text_; }

private:
    StackWide stack_;
    std::wstring heap_;
    const wchar_t* text_ = nullptr;
};

std::string utf8FromWide(std::wstring_view wide);

// The window's whole text, read with the W calls.
std::string utf8WindowText(HWND window);

// Copies text into buffer[maxCount], cut between characters, always terminated;
// the bytes copied. A null or empty buffer takes nothing.
int copyUtf8(std::string_view text, char* buffer, int maxCount);

} // namespace tg::platform::win32
