// Handing one path to the player, for Directory and Bookmarks items. The
// player resolves it itself: a file, a folder, a playlist file or an address.
#include "actions/source_actions.h"
#include "plugin/host_messages.h"

namespace tg {

void sendPathToHost(const char* target, ClickAction action) {
    switch (action) {
    case ClickAction::Play:
        host::clearPlaylist();
        host::addFile(target);
        host::cmdStop();
        host::setPlaylistPos(0);
        host::cmdPlay();
        break;
    case ClickAction::Enqueue: host::addFile(target); break;
    case ClickAction::EnqueueAndPlay: {
        // The add appends, so the old length is the position of its first entry.
        const int firstAdded = host::getListLength();
        host::addFile(target);
        host::cmdStop();
        host::setPlaylistPos(firstAdded);
        host::cmdPlay();
        break;
    }
    case ClickAction::PlayTg:
    case ClickAction::EnqueueTg: break;
    }
}

} // namespace tg
