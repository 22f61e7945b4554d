// Item labels in the order their level sorts them, for searching a built menu
// by a label: plain text order differs where labels carry numbers (" 10." after
// "  9."), years or two values.
#pragma once

#include "model/menu_definition.h"

namespace tg {

// <0, 0, >0 as the level's comparator orders the records that show labels a
// and b: both full-form labels of the level (menu escapes undone, without the
// time). A Range level's items are matched by their bounds instead; for it this
// is the stripped text order.
int compareLabelsForLevel(const MenuDefinition& definition, int level, const char* a,
                          const char* b);

// Undoes escapeAmpersands in place: each "&" is dropped and the character
// after it kept.
void unescapeAmpersands(char* text);

} // namespace tg
