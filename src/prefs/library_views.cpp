#include "prefs/library_views.h"

#include "actions/line_reader.h"
#include "platform/file.h"
#include "plugin/host_messages.h"

#include <fstream>

namespace tg {

namespace {

constexpr char kLibrarySettingsFile[] = "\\Plugins\\gen_ml.ini";
// Names are listed from lines of up to 511 characters, queries looked up in
// lines of up to 1023; a longer line ends the reading.
constexpr std::size_t kNameLineCharacters = 511;
constexpr std::size_t kQueryLineCharacters = 1023;

enum class LineKind { Other, Name, End };

struct ViewLine {
    LineKind kind = LineKind::Other;
    std::string name;
};

// "query" at the start, then past its sixth character the first "_": "name="
// after it names a view, "num" ends the list.
ViewLine classify(const std::string& line) {
    if (line.compare(0, 5, "query") != 0) return {};
    const std::size_t underscore = line.find('_', 5);
    if (underscore == std::string::npos) return {};
    const std::string rest = line.substr(underscore + 1);
    if (rest.compare(0, 5, "name=") == 0) return {LineKind::Name, rest.substr(5)};
    if (rest.compare(0, 3, "num") == 0) return {LineKind::End, {}};
    return {};
}

bool openLibrarySettings(std::ifstream& in) {
    const char* directory = host::getIniDir();
    if (directory == nullptr || directory[0] == '\0') return false;
    in.open(platform::hostPath(std::string(directory) + kLibrarySettingsFile));
    return in.is_open();
}

} // namespace

std::vector<std::string> libraryViewNames() {
    std::vector<std::string> names;
    std::ifstream in;
    if (!openLibrarySettings(in)) return names;
    TextLines lines(in, false);
    std::string line;
    while (lines.read(line, kNameLineCharacters)) {
        const ViewLine view = classify(line);
        if (view.kind == LineKind::End) break;
        if (view.kind == LineKind::Name) names.push_back(view.name);
    }
    return names;
}

std::optional<std::string> libraryViewQuery(const std::string& name) {
    std::ifstream in;
    if (!openLibrarySettings(in)) return std::nullopt;
    TextLines lines(in, false);
    std::string line;
    while (lines.read(line, kQueryLineCharacters)) {
        const ViewLine view = classify(line);
        if (view.kind == LineKind::End) return std::nullopt;
        // The whole name, so "Rock" never takes the line of "Classic Rock".
        if (view.kind != LineKind::Name || view.name != name) continue;
        if (!lines.read(line, kQueryLineCharacters)) return std::nullopt;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) return std::nullopt;
        return line.substr(equals + 1);
    }
    return std::nullopt;
}

} // namespace tg
