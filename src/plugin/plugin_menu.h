// Placing the plug-in's items into the player's menus and taking them out.
#pragma once

#include "model/menu_definition.h"

namespace tg {

void installPluginMenu();
void removePluginMenu();
// Back to "no target popup known": the next opening sets up and rebuilds
// afresh. Touches no menu (for a target popup that is gone already).
void forgetTargetPopup();
// Deletes the items the builder put into the definition's popup, from its
// firstBuiltItem to the end. Nothing for a null definition or popup.
void clearBuiltItems(MenuDefinition* definition);

} // namespace tg
