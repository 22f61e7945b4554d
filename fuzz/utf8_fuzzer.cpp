// Any bytes as UTF-8 and, taken in pairs, as UTF-16 from the player: the
// converters always give valid text, keep every valid text as it is, and a cut
// never leaves a split character behind.
#include "platform/text_encoding.h"
#include "platform/utf8.h"
#include "support/fuzz_host.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tg;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const std::u16string wide = utf8ToWide(bytes);
    const std::string back = wideToUtf8(wide);
    fuzz::check(isValidUtf8(back), "converted text is not valid UTF-8");
    fuzz::check(isValidUtf8(bytes) == (back == bytes),
                "a valid text changed, or an invalid one passed");
    fuzz::check(utf8ToWide(back) == wide, "the replacement is not stable");

    for (std::size_t limit = 0; limit <= size; limit += 1 + size / 16) {
        const std::size_t cut = platform::utf8CutLength(bytes, limit);
        fuzz::check(cut <= limit, "cut longer than its limit");
        if (isValidUtf8(bytes))
            fuzz::check(isValidUtf8(bytes.substr(0, cut)) && limit - cut < 4,
                        "cut split a character");
    }

    std::u16string units(size / 2, u'\0');
    if (!units.empty()) std::memcpy(units.data(), data, units.size() * 2);
    const std::string fromWide = wideToUtf8(boundedWide(units.data(), units.size()));
    fuzz::check(isValidUtf8(fromWide), "a wide text gave invalid UTF-8");
    fuzz::check(wideToUtf8(utf8ToWide(fromWide)) == fromWide, "a wide text does not come back");
    return 0;
}
