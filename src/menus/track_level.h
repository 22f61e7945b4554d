// Fills a track menu's popup as it opens: the level's query, then the walk.
#pragma once

#include "model/model_state.h"
#include "platform/types.h"

#include <vector>

namespace tg {

// Fills popup with the items of level depth. path holds the popup's own record
// at index depth and the chosen values in the records before it. nowPlaying is
// the song now playing, or null.
void buildTrackLevel(MenuDefinition& definition, int depth, HMENU popup,
                     std::vector<LevelSelection>& path, const char* nowPlaying);

} // namespace tg
