#include "platform_conformance/seam_case.h"

#include <cstdio>

namespace tg::conformance {

Observed& Observed::add(const char* name, const std::string& value) {
    if (!text_.empty()) text_ += ' ';
    text_ += name;
    text_ += '=';
    text_ += value;
    return *this;
}

Observed& Observed::operator()(const char* name, const std::string& text) {
    std::string shown = "'";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t') {
            shown += "\\t";
        } else if (byte < 0x20 || byte >= 0x7F || c == '\\' || c == '\'') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return add(name, shown + "'");
}

Observed& Observed::operator()(const char* name, const char* text) {
    return text == nullptr ? add(name, "null") : (*this)(name, std::string(text));
}

Observed& Observed::note(const std::string& word) {
    if (!text_.empty()) text_ += ' ';
    text_ += word;
    return *this;
}

Observed& Observed::hex(const char* name, unsigned long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", value);
    return add(name, text);
}

std::vector<SeamCase> seamCases() {
    std::vector<SeamCase> all;
    for (auto area : {menuCases, windowCases, inputCases, dialogCases, fileCases}) {
        const std::vector<SeamCase> cases = area();
        all.insert(all.end(), cases.begin(), cases.end());
    }
    return all;
}

} // namespace tg::conformance
