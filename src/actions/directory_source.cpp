// A Directory menu's popup: the subfolders and matching files of one folder, or
// the lines of one playlist file.
#include "actions/directory_search.h"
#include "actions/line_reader.h"
#include "actions/popup_sources.h"
#include "actions/source_items.h"
#include "actions/whole_text.h"
#include "menus/column_layout.h"
#include "model/text.h"
#include "platform/file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>

namespace tg {

namespace {

constexpr char kPlaylistMark[] = ".m3u";

// Where the next item goes: the menu that receives it, its position there, and
// the columns still to start before a "MORE" submenu.
struct Placement {
    HMENU menu;
    int id;
    int columnsLeft;
};

bool isPlaylistName(const std::string& name) {
    return name.find(kPlaylistMark) != std::string::npos;
}

bool isUtf8PlaylistName(std::string_view name) {
    constexpr std::string_view kUtf8Playlist = ".m3u8";
    return name.size() >= kUtf8Playlist.size() &&
           equalIgnoringCase(name.substr(name.size() - kUtf8Playlist.size()), kUtf8Playlist);
}

// The folder or playlist file a popup at depth shows: the definition's folder
// and the names chosen on the way down. Empty when it would not fit a path
// buffer with room for the search pattern.
bool popupPath(const MenuDefinition& definition, const std::vector<LevelSelection>& path, int depth,
               std::string& result) {
    result.assign(definition.query, strnlen(definition.query, sizeof definition.query));
    // "C:\Music\" names the same folder as "C:\Music"; joining must not double the "\".
    if (!result.empty() && result.back() == '\\') result.pop_back();
    if (depth < 0 || path.size() < static_cast<std::size_t>(depth)) return false;
    for (int j = 0; j < depth; ++j) {
        const LevelSelection& chosen = path[static_cast<std::size_t>(j)];
        result += '\\';
        result.append(chosen.value, strnlen(chosen.value, sizeof chosen.value));
    }
    return result.size() + 2 < kPathSize; // "\*" and the terminator
}

// The lines a playlist file lists: not empty, no comment. A file that cannot be
// opened has none; a damaged line ends the list. A ".m3u8" file is UTF-8.
class PlaylistFile {
public:
    explicit PlaylistFile(const std::string& file)
        : in_(platform::hostPath(file), std::ios::in | std::ios::binary),
          lines_(in_, isUtf8PlaylistName(file)) {}

    bool next(std::string& line) {
        while (lines_.read(line))
            if (!line.empty() && line[0] != '#') return true;
        return false;
    }

private:
    std::ifstream in_;
    TextLines lines_;
};

void listPlaylistFile(const std::string& file, Placement& at) {
    PlaylistFile listed(file);
    std::string line;
    while (listed.next(line)) {
        UINT flag = 0;
        // A total of 1 never opens "MORE": lines go on in the last column.
        nextItemPlacement(at.id, at.columnsLeft, at.menu, flag, 1);
        appendTextItem(at.menu, flag, static_cast<UINT>(at.id), line);
        ++at.id;
    }
}

enum class Pass { Folders, Files };

bool keeps(const platform::FindData& entry, Pass pass, const char* fileTypes) {
    if (entry.name[0] == '\0' || (entry.attributes & FILE_ATTRIBUTE_HIDDEN) != 0) return false;
    const bool folder = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (pass == Pass::Folders)
        return folder && std::strcmp(entry.name, ".") != 0 && std::strcmp(entry.name, "..") != 0;
    return !folder && matchesFileTypes(fileExtension(entry.name), fileTypes);
}

// The kept names of one pass in menu order; false when the folder cannot be searched.
bool searchFolder(const std::string& pattern, Pass pass, const char* fileTypes,
                  std::vector<std::string>& names) {
    platform::FindData entry;
    HANDLE find = platform::findFirstFile(pattern.c_str(), &entry);
    if (find == platform::kInvalidFind) return false;
    do {
        entry.name[sizeof entry.name - 1] = '\0';
        if (keeps(entry, pass, fileTypes)) names.emplace_back(entry.name);
    } while (platform::findNextFile(find, &entry));
    platform::findClose(find);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = compareIgnoringCase(a, b);
        return order != 0 ? order < 0 : a < b; // names differing only in case: a fixed order
    });
    return true;
}

void listFolder(const std::string& folder, const MenuDefinition& definition, Placement& at) {
    const std::string pattern = folder + "\\*";
    int total = 1;
    for (Pass pass : {Pass::Folders, Pass::Files}) {
        std::vector<std::string> names;
        if (!searchFolder(pattern, pass, definition.fileTypes, names)) {
            reportUnsearchable(pattern.c_str());
            return;
        }
        total += static_cast<int>(names.size());
        for (const std::string& name : names) {
            UINT flag = 0;
            nextItemPlacement(at.id, at.columnsLeft, at.menu, flag, total);
            if (pass == Pass::Folders || isPlaylistName(name))
                appendSubmenuItem(at.menu, flag, name);
            else
                appendTextItem(at.menu, flag, static_cast<UINT>(at.id), name);
            ++at.id;
        }
        --total;
    }
}

} // namespace

bool wholePlaylistLine(const MenuDefinition& definition, const std::vector<LevelSelection>& path,
                       int depth, std::string& line) {
    std::string file;
    if (depth < 0 || static_cast<std::size_t>(depth) >= path.size() ||
        !popupPath(definition, path, depth, file) || !isPlaylistName(file))
        return false;
    const LevelSelection& chosen = path[static_cast<std::size_t>(depth)];
    WholeText whole(std::string_view(chosen.value, strnlen(chosen.value, sizeof chosen.value)));
    PlaylistFile listed(file);
    while (listed.next(line)) whole.offer(line);
    if (!whole.found()) return false;
    line = whole.text();
    return true;
}

void fillDirectoryPopup(HMENU popup, MenuDefinition& definition, std::vector<LevelSelection>& path,
                        int depth) {
    std::string target;
    if (!popupPath(definition, path, depth, target)) return;
    Placement at{popup, depth == 0 ? definition.firstBuiltItem : 0, initialColumnsLeft()};
    if (isPlaylistName(target))
        listPlaylistFile(target, at);
    else
        listFolder(target, definition, at);
}

} // namespace tg
