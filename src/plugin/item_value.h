// From a menu item back to what it stands for: the value of a level item read
// from its label, and whether a menu belongs to an open level.
#pragma once

#include "model/model_state.h"

#include <vector>

namespace tg {

// Reads the item's whole text and decodes it into the label and value of
// path[depth], noting there whether the value had to be cut. Nothing for a
// depth outside the path.
void readItemValue(HMENU menu, int position, std::vector<LevelSelection>& path,
                   const MenuDefinition& definition, int depth);

// Whether menu is levelMenu or one of its "MORE" continuation pages.
bool isPathMenu(HMENU levelMenu, HMENU menu);

} // namespace tg
