// Reading a menu item's text back into the value it stands for: the other half
// of the label contract (item_label.h). The frame reads the text from the menu;
// this part only decodes it.
#pragma once

#include "model/menu_definition.h"
#include "model/model_state.h"

namespace tg {

// Decodes an item's whole text into selection.label, the label it shows: for a
// library level the text before its play time (the last tab, where the level
// shows times; a tag may hold tabs of its own), escapes undone; for the other
// sources the text before its first tab. Then into selection.value (and
// selection.secondValue for the combined and Range kinds) by selection.kind:
// the year of an album label, the track number of a title label, the unit of a
// bitrate label and the menu escapes of ampersands are removed; combined
// labels split at their first "/", range labels at " -> ". An Album's
// secondValue is the year its label shows, empty when it shows none. Other
// kinds leave secondValue as it was. Values are cut to their buffers; the
// result says whether both were kept whole.
bool decodeItemValue(const char* text, const MenuDefinition& definition, LevelSelection& selection);

} // namespace tg
