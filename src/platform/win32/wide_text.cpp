#include "platform/win32/wide_text.h"

#include "platform/text_encoding.h"

#include <cstring>

namespace tg::platform::win32 {

bool wideOnStack(const char* text, UINT codePage, StackWide& wide) {
    return text != nullptr && MultiByteToWideChar(codePage, 0, text, -1, wide, kStackWideChars) > 0;
}

std::wstring wideOnHeap(const char* text, UINT codePage) {
    const int length = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<std::size_t>(length) : 1, L'\0');
    if (length > 0) MultiByteToWideChar(codePage, 0, text, -1, wide.data(), length);
    return wide;
}

WideText::WideText(const char* text) {
    if (text == nullptr) return;
    if (wideOnStack(text, CP_UTF8, stack_)) {
        text_ = stack_;
        return;
    }
    heap_ = wideOnHeap(text, CP_UTF8);
    text_ = heap_.c_str();
}

std::string utf8FromWide(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int units = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string text(bytes > 0 ? static_cast<std::size_t>(bytes) : 0, '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, text.data(), bytes, nullptr, nullptr);
    return text;
}

std::string utf8WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const int read = GetWindowTextW(window, wide.data(), length + 1);
    wide.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    return utf8FromWide(wide);
}

int copyUtf8(std::string_view text, char* buffer, int maxCount) {
    if (buffer == nullptr || maxCount <= 0) return 0;
    const std::size_t copied = utf8CutLength(text, static_cast<std::size_t>(maxCount) - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
    return static_cast<int>(copied);
}

} // namespace tg::platform::win32
