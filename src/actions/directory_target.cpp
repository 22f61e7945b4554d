#include "actions/directory_target.h"

#include "model/text.h"

#include <cstring>
#include <string_view>

namespace tg {

namespace {

constexpr std::string_view kPlaylistMark = ".m3u";

// A record's text up to its terminator, never past the field.
template <std::size_t N> std::string_view fieldText(const char (&field)[N]) {
    return {field, strnlen(field, N)};
}

bool holdsPlaylistMark(std::string_view text) {
    return text.find(kPlaylistMark) != std::string_view::npos;
}

bool namesPlaylistFile(const char* target) {
    const char* separator = std::strrchr(target, '\\');
    return holdsPlaylistMark(separator != nullptr ? separator + 1 : target);
}

bool fail(char* target) {
    target[0] = '\0';
    return false;
}

} // namespace

bool isAbsoluteEntry(const char* entry) {
    if (entry == nullptr || entry[0] == '\0') return false;
    return entry[1] == ':' || (entry[0] == '\\' && entry[1] == '\\') ||
           std::strncmp(entry, "http:", 5) == 0;
}

bool buildDirectoryTarget(const MenuDefinition& definition, const std::vector<LevelSelection>& path,
                          int depth, char* target, std::size_t size) {
    if (target == nullptr || size == 0) return false;
    if (depth < 0 || static_cast<std::size_t>(depth) >= path.size()) return fail(target);

    std::string_view folder = fieldText(definition.query);
    // "C:\Music\" names the same folder as "C:\Music"; joining must not double the "\".
    if (!folder.empty() && folder.back() == '\\') folder.remove_suffix(1);
    if (folder.size() >= size) return fail(target);
    copyText(target, size, folder);
    bool inPlaylist = holdsPlaylistMark(folder);

    for (int j = 0; j <= depth; ++j) {
        const std::string_view chosen = fieldText(path[static_cast<std::size_t>(j)].value);
        if (j < depth && holdsPlaylistMark(chosen)) {
            // A playlist file on the way down: its entries are relative to the
            // folder that holds it, so the path stays at that folder.
            inPlaylist = true;
            continue;
        }
        if (inPlaylist && isAbsoluteEntry(path[static_cast<std::size_t>(j)].value)) {
            if (chosen.size() >= size) return fail(target);
            copyText(target, size, chosen);
            continue;
        }
        // A definition on a playlist file: its relative entries join the file's folder.
        if (namesPlaylistFile(target)) {
            char* separator = std::strrchr(target, '\\');
            if (separator != nullptr)
                *separator = '\0';
            else
                target[0] = '\0';
        }
        if (!appendText(target, size, "\\") || !appendText(target, size, chosen))
            return fail(target);
    }
    return true;
}

} // namespace tg
