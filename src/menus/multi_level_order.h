// The order of the tracks of an action: the comparators of several levels in
// turn, held in plug-in-wide state so that the sort gets a plain two-argument
// comparator. One such sort at a time, on the host's user-interface thread.
#pragma once

#include "menus/sort_orders.h"
#include "model/menu_definition.h"
#include "plugin/host_contract.h"

#include <vector>

namespace tg {

struct MultiLevelOrderState {
    const MenuDefinition* definition = nullptr;
    int startLevel = 0;
    // The comparators from startLevel on, resolved once per sort.
    std::vector<Comparator> comparators;
};

MultiLevelOrderState& multiLevelOrderState();
void resetMultiLevelOrderState();

// Stores the definition and the first level (a negative level counts as 0).
void setSortStartLevel(int level, const MenuDefinition& definition);

// The first non-zero result of the stored levels' comparators, in level order;
// levels without a comparator are passed over; 0 when all are equal.
int compareFromLevel(const TrackRecord& a, const TrackRecord& b);

} // namespace tg
