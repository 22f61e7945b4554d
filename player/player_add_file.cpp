// What HOST_ADD_FILE appends for a path: a URL as it is, a playlist file's
// entries, a folder's audio files (below it, through the platform's file
// enumeration), any other path as one entry.
#include "player/player.h"

#include "platform/file.h"
#include "player/m3u_file.h"
#include "player/text_fold.h"

#include <algorithm>
#include <fstream>

namespace tg::player {

namespace {

bool isAudioFile(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view extension = name.substr(dot + 1);
    return std::any_of(std::begin(kAudioExtensions), std::end(kAudioExtensions),
                       [&](const char* known) { return foldedEqual(extension, known); });
}

// Files of a folder in name order, then each subfolder the same way.
void collectFolder(const std::string& folder, std::vector<std::string>& files, int depth) {
    if (depth > 64) return; // a link loop cannot run away
    platform::FindData data;
    HANDLE find = platform::findFirstFile((folder + "\\*").c_str(), &data);
    if (find == platform::kInvalidFind) return;
    std::vector<std::string> names;
    std::vector<std::string> folders;
    do {
        const std::string name = data.name;
        if (name.empty() || name == "." || name == ".." ||
            (data.attributes & FILE_ATTRIBUTE_HIDDEN))
            continue;
        if (data.attributes & FILE_ATTRIBUTE_DIRECTORY)
            folders.push_back(name);
        else if (isAudioFile(name))
            names.push_back(name);
    } while (platform::findNextFile(find, &data));
    platform::findClose(find);
    const auto byName = [](const std::string& a, const std::string& b) {
        return foldedCompare(a, b) < 0;
    };
    std::sort(names.begin(), names.end(), byName);
    std::sort(folders.begin(), folders.end(), byName);
    for (const std::string& name : names) files.push_back(folder + "\\" + name);
    for (const std::string& name : folders) collectFolder(folder + "\\" + name, files, depth + 1);
}

bool isFolder(const std::string& path) {
    platform::FindData data;
    // A drive's root has no entry of its own; it is a folder when it can be listed.
    const bool root = path.size() == 2 && path[1] == ':';
    HANDLE find = platform::findFirstFile((root ? path + "\\*" : path).c_str(), &data);
    if (find == platform::kInvalidFind) return false;
    platform::findClose(find);
    return root || (data.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

std::vector<PlaylistEntry> Player::expandAddedPath(const std::string& path) {
    std::vector<PlaylistEntry> entries;
    if (path.empty()) return entries;
    if (isUrl(path)) {
        entries.push_back(entryFor(path));
        return entries;
    }
    if (isPlaylistFileName(path)) {
        std::ifstream in(platform::hostPath(path), std::ios::binary);
        std::vector<M3uEntry> lines;
        if (!in || !readM3u(in, path, lines, false).ok) {
            record("playlist file " + path + " cannot be read: nothing added");
            return entries;
        }
        const std::string folder = windowsFolderOf(path);
        for (const M3uEntry& line : lines) {
            const std::string file = isUrl(line.file) || isAbsoluteWindowsPath(line.file)
                                         ? line.file
                                         : joinWindowsPath(folder, line.file);
            PlaylistEntry entry = entryFor(file);
            if (!line.title.empty()) entry.title = line.title;
            if (line.length >= 0) entry.length = line.length;
            entries.push_back(std::move(entry));
        }
        return entries;
    }
    std::string trimmed = path;
    while (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
    if (isFolder(trimmed)) {
        std::vector<std::string> files;
        collectFolder(trimmed, files, 0);
        for (const std::string& file : files) entries.push_back(entryFor(file));
        return entries;
    }
    entries.push_back(entryFor(path)); // a file, present or not: the player takes it as it is
    return entries;
}

} // namespace tg::player
