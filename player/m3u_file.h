// Playlist files (.m3u / .m3u8): one entry per line, "#EXTINF:<seconds>,<title>"
// before an entry gives its length and title, other "#" lines are comments.
#pragma once

#include "player/library_file.h"

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace tg::player {

struct M3uEntry {
    std::string file;         // as written in the file
    std::string title;        // from #EXTINF, or empty
    std::int32_t length = -1; // seconds from #EXTINF; -1 when not given
};

// strict: a malformed #EXTINF line is an error (the loader's mode); otherwise
// it is read as a comment (the player adding a playlist file it was handed).
// All or nothing: on an error entries is left as it was.
LoadResult readM3u(std::istream& in, const std::string& fileName, std::vector<M3uEntry>& entries,
                   bool strict);

bool isPlaylistFileName(std::string_view name); // ends in .m3u or .m3u8, any case
bool isUrl(std::string_view path);              // "scheme://..."
// "C:\...", "\\server\..." or "\..." (rooted); everything else is relative.
bool isAbsoluteWindowsPath(std::string_view path);
// folder + "\" + relative, with "/" read as "\" and "." / ".." components resolved.
std::string joinWindowsPath(std::string_view folder, std::string_view relative);
// The folder part of a Windows path ("C:\a\b.m3u" -> "C:\a"); empty when none.
std::string windowsFolderOf(std::string_view path);

} // namespace tg::player
