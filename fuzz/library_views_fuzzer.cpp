// Any bytes as the media library's "gen_ml.ini" (in the code page, or in UTF-8
// behind a byte-order mark), with ANSI or UTF-8 texts: the view names are exactly the
// names of the "query..._name=" lines before the end of the list or the first
// overlong line, in file order, and each name's query is the text after the
// first "=" of the line after its first name line.
#include "platform/text_encoding.h"
#include "prefs/library_views.h"
#include "support/fuzz_host.h"
#include "support/line_model.h"

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace tg;

const std::string kFile = std::string(fuzz::kSettingsFolder) + "\\Plugins\\gen_ml.ini";
constexpr std::size_t kNameLineCharacters = 511;
constexpr std::size_t kQueryLineCharacters = 1023;

// What a line says about the list, written plainly from the file's format.
struct Line {
    bool names = false; // "query<anything>_name=<name>"
    bool ends = false;  // "query<anything>_num..."
    std::string name;
};

Line parse(const std::string& line) {
    Line parsed;
    if (line.rfind("query", 0) != 0) return parsed;
    const std::size_t underscore = line.find('_', 5);
    if (underscore == std::string::npos) return parsed;
    const std::string key = line.substr(underscore + 1);
    if (key.rfind("name=", 0) == 0) {
        parsed.names = true;
        parsed.name = key.substr(5);
    } else if (key.rfind("num", 0) == 0) {
        parsed.ends = true;
    }
    return parsed;
}

std::vector<std::string> expectedNames(std::string_view bytes) {
    std::vector<std::string> names;
    for (const std::string& line : fuzz::expectedTextLines(bytes, false, kNameLineCharacters)) {
        const Line parsed = parse(line);
        if (parsed.ends) break;
        if (parsed.names) names.push_back(parsed.name);
    }
    return names;
}

std::optional<std::string> expectedQuery(std::string_view bytes, const std::string& name) {
    const std::vector<std::string> lines =
        fuzz::expectedTextLines(bytes, false, kQueryLineCharacters);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line parsed = parse(lines[i]);
        if (parsed.ends) return std::nullopt;
        if (!parsed.names || parsed.name != name) continue;
        if (i + 1 == lines.size()) return std::nullopt;
        const std::size_t equals = lines[i + 1].find('=');
        if (equals == std::string::npos) return std::nullopt;
        return lines[i + 1].substr(equals + 1);
    }
    return std::nullopt;
}

std::string shown(const std::optional<std::string>& query) {
    return query ? "\"" + fuzz::printable(*query) + "\"" : "nothing";
}

void checkQuery(std::string_view bytes, const std::string& name) {
    const std::optional<std::string> query = libraryViewQuery(name);
    const std::optional<std::string> expected = expectedQuery(bytes, name);
    if (query != expected)
        fuzz::fail("view \"" + fuzz::printable(name) + "\" gives " + shown(query) + ", not " +
                   shown(expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::HostSession session;
    const std::string_view bytes = fuzz::bytes(data, size);
    platform::setUtf8Texts(size / 7 % 2 == 1);
    fuzz::writeFile(kFile, bytes);

    const std::vector<std::string> names = libraryViewNames();
    const std::vector<std::string> expected = expectedNames(bytes);
    fuzz::check(names == expected, "the file lists " + std::to_string(names.size()) +
                                       " views, not " + std::to_string(expected.size()));
    // The first views, a name nobody saved, and the empty name.
    for (std::size_t i = 0; i < names.size() && i < 4; ++i) checkQuery(bytes, names[i]);
    checkQuery(bytes, "no such view");
    checkQuery(bytes, "");
    return 0;
}
