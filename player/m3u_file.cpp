#include "player/m3u_file.h"

#include "player/line_reader.h"
#include "player/text_fold.h"

#include <vector>

namespace tg::player {

namespace {

// "#EXTINF:<seconds>,<title>"; the seconds may be -1.
bool parseExtinf(std::string_view line, M3uEntry& info) {
    std::string_view rest = line.substr(8);
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos) return false;
    // Attributes may follow the length ("#EXTINF:123 tvg-id=..,Title"): take the leading number.
    std::string_view number = rest.substr(0, comma);
    const std::size_t space = number.find(' ');
    if (space != std::string_view::npos) number = number.substr(0, space);
    const std::optional<std::int32_t> seconds = parseWholeInt32(number);
    if (!seconds || *seconds < -1) return false;
    info.length = *seconds;
    info.title = std::string(rest.substr(comma + 1));
    return true;
}

} // namespace

LoadResult readM3u(std::istream& in, const std::string& fileName, std::vector<M3uEntry>& entries,
                   bool strict) {
    std::vector<M3uEntry> loaded;
    M3uEntry pending;
    bool havePending = false;
    std::string line;
    for (long lineNumber = 1;; ++lineNumber) {
        const LineStatus status = readLine(in, line);
        if (status == LineStatus::End) break;
        if (status != LineStatus::Line) {
            const std::string what =
                status == LineStatus::TooLong ? "line too long" : "line holds a NUL byte";
            if (strict) return {false, fileName + ":" + std::to_string(lineNumber) + ": " + what};
            break; // the player keeps what it read before the damage
        }
        if (lineNumber == 1) dropByteOrderMark(line);
        if (line.empty()) continue;
        if (line.front() == '#') {
            if (foldedBeginsWith(line, "#EXTINF:")) {
                M3uEntry info;
                if (parseExtinf(line, info)) {
                    pending = info;
                    havePending = true;
                } else if (strict) {
                    return {false, fileName + ":" + std::to_string(lineNumber) +
                                       ": malformed #EXTINF (want #EXTINF:<seconds>,<title>)"};
                }
            }
            continue;
        }
        M3uEntry entry = havePending ? pending : M3uEntry{};
        entry.file = line;
        loaded.push_back(std::move(entry));
        havePending = false;
    }
    entries = std::move(loaded);
    return {true, {}};
}

bool isPlaylistFileName(std::string_view name) {
    return foldedEndsWith(name, ".m3u") || foldedEndsWith(name, ".m3u8");
}

bool isUrl(std::string_view path) {
    const std::size_t colon = path.find("://");
    if (colon == std::string_view::npos || colon < 2) return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = path[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
    }
    return true;
}

bool isAbsoluteWindowsPath(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') return true;
    return !path.empty() && (path[0] == '\\' || path[0] == '/');
}

std::string joinWindowsPath(std::string_view folder, std::string_view relative) {
    std::string path(folder);
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find_first_of("\\/", start);
        if (end == std::string_view::npos) end = relative.size();
        const std::string_view part = relative.substr(start, end - start);
        if (part == "..") {
            const std::size_t cut = path.rfind('\\');
            if (cut != std::string::npos) path.erase(cut); // never above the drive ("C:")
        } else if (!part.empty() && part != ".") {
            path += '\\';
            path += part;
        }
        start = end + 1;
    }
    return path;
}

std::string windowsFolderOf(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut));
}

} // namespace tg::player
