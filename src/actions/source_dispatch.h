// The two dispatchers between a definition's menus and its source: filling a
// popup that opens empty, and carrying out an action on a chosen item.
#pragma once

#include "model/model_state.h"

#include <vector>

namespace tg {

// Pushes the popup's record onto path and fills it by the definition's source.
void fillPopup(HMENU popup, MenuDefinition& definition, std::vector<LevelSelection>& path,
               const char* nowPlaying);

// depth: the record naming the chosen item; -1 for the caption line of a
// library menu (every track of the menu).
void executeAction(MenuDefinition& definition, std::vector<LevelSelection>& path, int depth,
                   ClickAction action);

} // namespace tg
