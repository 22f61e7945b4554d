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

bool isAbsoluteEntry(std::string_view entry) {
    if (entry.size() < 2) return false;
    return entry[1] == ':' || entry.substr(0, 2) == "\\\\" || entry.substr(0, 5) == "http:";
}

bool buildDirectoryTarget(const MenuDefinition& definition, const std::vector<LevelSelection>& path,
                          int depth, char* target, std::size_t size, std::string_view whole) {
    if (target == nullptr || size == 0) return false;
    if (depth < 0 || static_cast<std::size_t>(depth) >= path.size()) return fail(target);

    std::string_view folder = fieldText(definition.query);
    // "C:\Music\" names the same folder as "C:\Music"; joining must not double the "\".
    if (!folder.empty() && folder.back() == '\\') folder.remove_suffix(1);
    if (folder.size() >= size) return fail(target);
    copyText(target, size, folder);
    bool inPlaylist = holdsPlaylistMark(folder);

    for (int j = 0; j <= depth; ++j) {
        const std::string_view chosen = j == depth && !whole.empty()
                                            ? whole
                                            : fieldText(path[static_cast<std::size_t>(j)].value);
        if (j < depth && holdsPlaylistMark(chosen)) {
            // A playlist file on the way down: its entries are relative to the
            // folder that holds it, so the path stays at that folder.
            inPlaylist = true;
            continue;
        }
        if (inPlaylist && isAbsoluteEntry(chosen)) {
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
