#include "menus/query_quoting.h"

namespace tg {

void appendEscaped(std::string& out, std::string_view value) {
    for (const char c : value) {
        if (c == '"')
            out += "%22";
        else if (c == '%')
            out += "%25";
        else
            out += c;
    }
}

void appendQuoted(std::string& out, std::string_view value) {
    out += '"';
    appendEscaped(out, value);
    out += '"';
}

} // namespace tg
