// The "TG Playlist" submenu: its items mirror the queue, and its commands and
// those of an entry's context menu work on the queue by position.
#pragma once

#include "platform/types.h"

namespace tg {

inline constexpr char kPlaylistPopupLabel[] = "TG Playlist";
inline constexpr char kClearPlaylistLabel[] = "Clear Playlist";
// Position of the first queue entry in the submenu; entry k sits at k + 2.
inline constexpr int kFirstEntryPosition = 2;

// Deletes every item, then lists "Clear Playlist", a separator and one item per
// queue entry, each with its position as id. Called each time the submenu opens.
void rebuildPlaylistPopup(HMENU playlistPopup);

// Plays the entry the submenu shows at position now: it leaves the queue, the
// other entries keep their order.
void playEntryNow(int position);

// Context-menu commands on the entry at position contextIndex of the open
// submenu. Each keeps the submenu and the queue in step and otherwise changes
// nothing.
void moveEntryUp(HMENU playlistPopup, int contextIndex);
void moveEntryDown(HMENU playlistPopup, int contextIndex);
void deleteEntry(HMENU playlistPopup, int contextIndex);

// An item of an entry's context menu: its text and the command it runs.
struct EntryCommand {
    const char* text;
    void (*run)(HMENU playlistPopup, int contextIndex);
};
inline constexpr EntryCommand kEntryCommands[] = {
    {"Move Up", moveEntryUp}, {"Move Down", moveEntryDown}, {"Delete", deleteEntry}};

// WM_MENUCOMMAND from the submenu: "Clear Playlist" or play-now. Returns claimed
// (the separator is not).
bool onPlaylistPopupCommand(int position);
// WM_MENUCOMMAND from an entry's context menu: the command of its item at
// position. Always claimed.
bool onPlaylistEntryCommand(HMENU playlistPopup, int position, int contextIndex);

} // namespace tg
