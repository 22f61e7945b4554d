#include "menus/multi_level_order.h"

namespace tg {

MultiLevelOrderState& multiLevelOrderState() {
    static MultiLevelOrderState state;
    return state;
}

void resetMultiLevelOrderState() {
    multiLevelOrderState() = MultiLevelOrderState{};
}

void setSortStartLevel(int level, const MenuDefinition& definition) {
    MultiLevelOrderState& state = multiLevelOrderState();
    state.definition = &definition;
    state.startLevel = level < 0 ? 0 : level;
    state.comparators.clear();
    for (int l = state.startLevel; l < definition.levelCount(); ++l) {
        // A Range level orders by the level after it, which comes next anyway;
        // its own order (by plain labels) would differ from the menu below it.
        if (definition.levelKind(l) == LevelType::Range) continue;
        if (const Comparator c = comparatorForLevel(definition, l)) state.comparators.push_back(c);
    }
}

int compareFromLevel(const TrackRecord& a, const TrackRecord& b) {
    for (const Comparator c : multiLevelOrderState().comparators)
        if (const int r = c(a, b)) return r;
    return 0;
}

} // namespace tg
