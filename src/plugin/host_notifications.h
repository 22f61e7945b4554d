// The host's WM_USER notifications to its main window that the plug-in acts on.
#pragma once

#include "platform/types.h"

namespace tg {

// Handles HOST_NEXT_ENTRY_QUERY, HOST_PLAYLIST_MODIFIED, HOST_PLAYING_FILE and
// HOST_TAGS_UPDATED in either form (the playing file's in the form the player speaks). Returns true
// with *result set when the host must not see the message (a queued file answers which entry plays
// next).
bool onHostNotification(WPARAM wParam, LPARAM lParam, LRESULT* result);

} // namespace tg
