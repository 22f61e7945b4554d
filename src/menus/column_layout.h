// Column layout of the menus the plug-in fills: rowsPerColumn items a column,
// columnCount columns, then a "MORE" submenu with moreColumnCount columns of
// its own, which may end in a further "MORE".
#pragma once

#include "platform/types.h"

namespace tg {

inline constexpr char kMoreText[] = "MORE";

// Columns left when a menu starts: all but the one being filled.
int initialColumnsLeft();

// The "MORE" page that the last item of menu links to, when that item is the
// link the layout put there: exactly the text kMoreText, a submenu, in the
// last row of a column, with every column of the page started before it
// (columnCount columns on a level's first page, moreColumnCount on a "MORE"
// page). Null for any other item, whatever its label.
HMENU continuationPage(HMENU menu, bool firstPage);

// Called before an item is appended at position of menu. Opens a "MORE"
// submenu when no columns are left, the position ends a column and (with a
// total of 0 or more) position < total: menu becomes the submenu, position 0,
// columns left those of a "MORE" submenu. Otherwise flag is MF_MENUBARBREAK
// when the item starts a new column, else 0. Settings of 0 or less count as 1.
void nextItemPlacement(int& position, int& columnsLeft, HMENU& menu, UINT& flag, int total);

} // namespace tg
