// Handing the queue to the player: answering which entry to play next, making
// sure the file stands in the player's playlist, and taking an entry the
// plug-in inserted out again once it has started.
#pragma once

#include <string>

namespace tg {

// The answer to HOST_NEXT_ENTRY_QUERY: the player's playlist index of the head of
// the queue (which leaves the queue), or -1 when the queue is empty and the
// player goes on in its own order.
int answerNextEntry();

// Finds file in the player's playlist (first equal entry wins) or inserts it right
// after the current entry; sets pendingHostIndex and temporaryEntry.
void locateInHostPlaylist(const std::string& file);

// HOST_PLAYING_FILE: file is the player's text, possibly null.
void updatePlayingFile(const char* file);

// The body of the removal worker: waits 200 ms, then deletes the entry the
// plug-in inserted. Runs on its own thread.
void removeTemporaryEntry();

// HOST_PLAYLIST_MODIFIED: a change the plug-in did not make itself empties the
// queue. The caller passes the message on to the player afterwards.
void resetOnPlaylistModified();

} // namespace tg
