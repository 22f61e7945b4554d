// Reading the library file, with a progress line on a large one.
#pragma once

#include "player/library_file.h"
#include "player/track.h"

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <vector>

namespace tg::preview {

// Files from this size on get a progress line.
inline constexpr std::uintmax_t kLargeLibraryBytes = 1u << 20;

// Reads the whole file into tracks (all or nothing). For a large file it writes
// a progress line to progress: the percentage read, rewritten in place when
// progress is a terminal, and the count and time at the end.
player::LoadResult loadLibraryWithProgress(const std::filesystem::path& file,
                                           std::ostream& progress, bool terminal,
                                           std::vector<player::Track>& tracks);

} // namespace tg::preview
