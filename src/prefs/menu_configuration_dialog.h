// The Menu configuration dialog: edits the edited definition in place and
// keeps a copy of it as it was, which Cancel puts back.
#pragma once

#include "platform/types.h"

namespace tg {

INT_PTR runMenuConfigurationDialog(HWND parent);

INT_PTR TG_CALLBACK menuConfigurationProcedure(HWND dialog, UINT message, WPARAM wParam,
                                               LPARAM lParam);

// Sets every control from the edited definition and shows the controls its
// source type uses.
void showDefinition(HWND dialog);
// Derives the edited definition's levels from the dialog: none for Directory
// and Bookmarks, Range and PlaylistEntries (or the latter alone) for Playlist
// Raw, else the level list's item values in list order.
void rebuildLevels(HWND dialog);

inline constexpr char kQueryVariablesText[] =
    "The following variables can be used to represent the value of the current song.\n\n"
    "  %genre  - Genre of the current song\n"
    "  %artist - Artist of the current song\n"
    "  %album  - Album of the current song\n\n"
    "Use these to create popup menus based on the current song: ie Current Artist, Current "
    "Album and Current Genre for example.";

} // namespace tg
