#include "actions/popup_sources.h"

#include "model/text.h"

#include <cstring>
#include <string_view>

namespace tg {

bool matchesFileTypes(const char* extension, const char* fileTypes) {
    if (extension == nullptr) return false;
    // An empty list is one empty type, which only an empty extension equals.
    std::string_view rest = fileTypes == nullptr ? std::string_view() : fileTypes;
    for (;;) {
        const std::size_t separator = rest.find(';');
        if (equalIgnoringCase(rest.substr(0, separator), extension)) return true;
        if (separator == std::string_view::npos) return false;
        rest.remove_prefix(separator + 1);
    }
}

} // namespace tg
