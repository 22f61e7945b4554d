// The tracks an item of a track menu stands for, found again in a level
// query's answer. The query only never misses one of them (its conditions are
// widened wherever the query language cannot say a value exactly); this keeps
// exactly the records that the menus group under the chosen items, by the same
// labels and comparisons that grouped them.
#pragma once

#include "model/model_state.h"
#include "plugin/host_contract.h"

#include <string_view>
#include <vector>

namespace tg {

// Moves the records of records[0..count) that lie under the items chosen at
// levels 0 .. coveredCount-1 of path to the front and returns how many they
// are. Those kept keep their order, unless a range had to be found again by
// walking its level (then they are in that level's order); the others follow
// them, so a caller releasing count records releases every one. A path record
// without a label (never read back from an item) narrows nothing.
int keepItemTracks(MenuDefinition& definition, std::vector<LevelSelection>& path, int coveredCount,
                   TrackRecord* records, int count);

// Whether a Range item's label holds " -> " once only, so its two bounds are
// told apart by the text alone. Otherwise the range is found again by walking
// its level over every record of the item above it.
bool rangeBoundsAreClear(std::string_view label);

} // namespace tg
