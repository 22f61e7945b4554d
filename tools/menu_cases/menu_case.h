// One case of the menu-tree comparison: a library, a playlist with the song
// now playing, a settings folder (the plug-in's menus and options, the
// bookmark file) and a folder tree, all derived from one number.
//
// The folder holds library.tsv, playlist.m3u, settings/Plugins/ml_tg.ini,
// settings/Winamp.bm, tree/ and case.txt ("playing=<file>" and
// "target=own" or "target=<menu id>": where the plug-in's items show).
// Directory menus name the tree by its path on drive Z:, which stands for the
// file system's root under Wine and in the preview (--drive Z=/).
#pragma once

#include "player/track.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace tg::menucases {

void writeMenuCase(const std::filesystem::path& folder, int index, std::uint64_t seed,
                   const std::vector<player::Track>& tracks);

} // namespace tg::menucases
