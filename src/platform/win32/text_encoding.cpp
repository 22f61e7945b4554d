#include "platform/win32/windows_include.h"

#include "platform/text_encoding.h"
#include "platform/utf8.h"

#include <atomic>

namespace tg::platform {

namespace {
std::atomic<bool> utf8{false};
} // namespace

void setUtf8Texts(bool on) {
    utf8 = on;
}
bool utf8Texts() {
    return utf8;
}

CodePageText utf8ToCodePage(std::string_view text) {
    CodePageText out;
    // A system set to UTF-8 takes every character; the flags below would fail it.
    if (GetACP() == CP_UTF8) return {wideToUtf8(utf8ToWide(text)), true};
    const std::u16string wide = utf8ToWide(text);
    if (wide.empty()) return out;
    const auto* units = reinterpret_cast<const wchar_t*>(wide.data());
    const int count = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, count, nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0) {
        out.complete = false;
        return out;
    }
    out.text.resize(static_cast<std::size_t>(size));
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, count, out.text.data(), size, "?",
                        &usedDefault);
    out.complete = !usedDefault;
    return out;
}

std::string codePageToUtf8(std::string_view text) {
    if (text.empty()) return {};
    const int count = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), count, nullptr, 0);
    if (size <= 0) return {};
    std::u16string wide(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), count, reinterpret_cast<wchar_t*>(wide.data()),
                        size);
    return wideToUtf8(wide);
}

} // namespace tg::platform
