// The grouping walk that turns sorted tracks into nested popups, one level per popup.
#pragma once

#include "model/model_state.h"
#include "plugin/host_contract.h"

#include <vector>

namespace tg {

// Appends the items of level for records first..last (sorted in place) to
// popup, the first at position; recursive for eager filling.
void fillLevelMenu(HMENU popup, MenuDefinition& definition, std::vector<LevelSelection>& path,
                   int level, TrackRecord* records, int first, int last, int position,
                   const char* nowPlaying);

// Walks level over records[first..last] (sorted in place) as fillLevelMenu
// does, without making menus, and finds the item that shows label (its text
// before the play time, escapes undone): its records are itemFirst..itemLast.
// False when no item shows it.
bool findLevelItem(MenuDefinition& definition, std::vector<LevelSelection>& path, int level,
                   TrackRecord* records, int first, int last, const char* label, int& itemFirst,
                   int& itemLast);

// For a popup that still holds its items: pushes its path record and marks
// the current song's item again, without rebuilding anything.
void prepareBuiltPopup(HMENU popup, MenuDefinition& definition, std::vector<LevelSelection>& path,
                       const char* nowPlaying, bool lookForSong);

} // namespace tg
