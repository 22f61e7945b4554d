#include "model/file_text.h"

#include "platform/text_encoding.h"
#include "platform/utf8.h"

namespace tg {

bool startsWithByteOrderMark(std::string_view bytes) {
    return bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark;
}

bool skipByteOrderMark(std::istream& in) {
    std::string mark(kByteOrderMark.size(), '\0');
    const std::streampos start = in.tellg();
    if (in.read(mark.data(), static_cast<std::streamsize>(mark.size())) && mark == kByteOrderMark)
        return true;
    in.clear(in.rdstate() & std::ios::badbit);
    in.seekg(start);
    return false;
}

std::string textFromFile(std::string_view bytes, bool fileIsUtf8) {
    const bool utf8Inside = platform::utf8Texts();
    if (fileIsUtf8 == utf8Inside) {
        if (!utf8Inside || isValidUtf8(bytes)) return std::string(bytes);
        return wideToUtf8(utf8ToWide(bytes));
    }
    if (fileIsUtf8) return platform::utf8ToCodePage(bytes).text;
    return platform::codePageToUtf8(bytes);
}

} // namespace tg
