// The three sources that do not come from the media library's tags: the raw
// player playlist, a folder tree on disk, and the player's bookmarks.
#pragma once

#include "model/model_state.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tg {

inline constexpr std::size_t kPathSize = 1024;  // folder paths and action targets
inline constexpr std::size_t kLineLimit = 1023; // lines read from files, terminator included

void fillPlaylistRawPopup(MenuDefinition& definition, HMENU popup,
                          std::vector<LevelSelection>& path, int depth);

void fillDirectoryPopup(HMENU popup, MenuDefinition& definition, std::vector<LevelSelection>& path,
                        int depth);
// The whole line of the playlist file the popup at depth lists that the cut
// value of record depth stands for: false when the popup lists no playlist
// file, or no line or two different ones begin like the value.
bool wholePlaylistLine(const MenuDefinition& definition, const std::vector<LevelSelection>& path,
                       int depth, std::string& line);
// path is a writable kPathSize buffer; it holds the same path again on return.
void collectFiles(char* path, const MenuDefinition& definition, std::vector<std::string>& files);
// extension may be null (a name without "."): never matches.
bool matchesFileTypes(const char* extension, const char* fileTypes);

void fillBookmarksPopup(HMENU popup, MenuDefinition& definition);

} // namespace tg
