// Gathering every matching file at or below a path, for the actions that fill
// the plug-in's own playlist from a folder.
#include "actions/directory_search.h"
#include "actions/popup_sources.h"
#include "platform/file.h"

#include <cstring>

namespace tg {

void collectFiles(char* path, const MenuDefinition& definition, std::vector<std::string>& files) {
    if (path == nullptr) return;
    const std::size_t length = strnlen(path, kPathSize);
    if (length >= kPathSize) return; // not a terminated path buffer: nothing to trust

    // Each entry is looked up again by its full path, so hidden ones are skipped
    // at every level.
    platform::FindData entry;
    HANDLE find = platform::findFirstFile(path, &entry);
    if (find == platform::kInvalidFind) {
        reportUnsearchable(path);
        return;
    }
    entry.name[sizeof entry.name - 1] = '\0';
    if ((entry.attributes & FILE_ATTRIBUTE_HIDDEN) != 0) {
        platform::findClose(find);
        return;
    }
    if ((entry.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        if (matchesFileTypes(fileExtension(entry.name), definition.fileTypes))
            files.emplace_back(path, length);
        platform::findClose(find);
        return;
    }
    platform::findClose(find);

    if (length + 2 >= kPathSize) return; // no room for "\*": the subtree is skipped
    std::memcpy(path + length, "\\*", 3);
    find = platform::findFirstFile(path, &entry);
    if (find == platform::kInvalidFind) {
        reportUnsearchable(path);
        path[length] = '\0';
        return;
    }
    do {
        entry.name[sizeof entry.name - 1] = '\0';
        // Skips ".", ".." and every other name that begins with ".".
        if (entry.name[0] == '\0' || entry.name[0] == '.') continue;
        const std::size_t nameLength = std::strlen(entry.name);
        if (length + 1 + nameLength >= kPathSize) continue; // would not fit: skipped
        std::memcpy(path + length + 1, entry.name, nameLength + 1);
        collectFiles(path, definition, files);
    } while (platform::findNextFile(find, &entry));
    path[length] = '\0';
    platform::findClose(find);
}

} // namespace tg
