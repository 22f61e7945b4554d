// The simulated library's file: tab-separated text, UTF-8 or the code page (a
// cell that is no UTF-8 is read in the code page), whose
// header row names the columns with the query language's field names (any
// subset, any order, "filename" required). An empty cell is a missing field.
#pragma once

#include "player/track.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace tg::player {

struct LoadResult {
    bool ok = false;
    std::string error; // "<file>:<line>: <what>" when not ok
};

// All or nothing: on an error tracks is left as it was.
LoadResult readLibrary(std::istream& in, const std::string& fileName, std::vector<Track>& tracks);
LoadResult loadLibraryFile(const std::string& nativePath, std::vector<Track>& tracks);

// Writes every column. Tabs and line breaks inside texts become spaces, since
// the format cannot hold them.
void writeLibrary(std::ostream& out, const std::vector<Track>& tracks);

} // namespace tg::player
