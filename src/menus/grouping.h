// Coarse levels: how many groups a Range item should hold, when a range of
// neighbouring values closes, and how short its bounds may be cut.
#pragma once

#include "menus/item_label.h"
#include "model/menu_definition.h"
#include "plugin/host_contract.h"

#include <cstddef>

namespace tg {

// How many groups (distinct stripped labels of the level) a range should hold
// for records[first..last]: about the square root of their number, but never
// more ranges than rows in a column; 0 when there is no group, else at least 2.
int rangeTargetGroups(const MenuDefinition& definition, int level, const TrackRecord* records,
                      int first, int last);

// Whether the first level from level on that shows its own value (not a Range,
// not a First Letter over a number) is numeric (Year, Track Number, Rating,
// Play Count, Bitrate) or missing: numeric ranges keep whole values as bounds.
bool numericLevelFollows(const MenuDefinition& definition, int level);

// Leading characters equal after upper-casing, up to the end of the shorter
// text; 0 when the texts are equal ignoring case.
int commonPrefixLength(const char* a, const char* b);

// One step of a range walk over the groups of a level (labels as grouping sees
// them: stripped of a leading "The "). groupCount counts the groups of the
// current range; rangeLabel (labelSize bytes) receives the lower bound when a
// range starts (groupCount <= 1) and " -> " and the upper bound when it closes.
// label is the group just ended (or begun), otherLabel its neighbour. A range
// closes when it holds more than target groups and the boundary needs a prefix
// short enough for maxRangeChars (never, for text, where the next value begins
// with this one: the upper bound would take it in too), or always when
// closeNow is set (the walk's end). Returns false when the range was closed.
bool advanceRange(int& groupCount, char* rangeLabel, const char* label, const char* otherLabel,
                  int target, bool numeric, bool closeNow = false,
                  std::size_t labelSize = kLabelSize);

} // namespace tg
