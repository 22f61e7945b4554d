// The action on an item of a Playlist Raw menu: the entry numbered by the
// label ("%d. %s" for an entry, "%d -> %d" for a range, whose first entry counts).
#include "actions/plugin_playlist.h"
#include "actions/source_actions.h"
#include "actions/source_items.h"
#include "plugin/host_messages.h"

#include <cstddef>

namespace tg {

void executePlaylistRawAction(const std::vector<LevelSelection>& path, int depth,
                              ClickAction action) {
    // The entry already stands in the player's playlist.
    if (action == ClickAction::Enqueue) return;
    const LevelSelection& chosen = path[static_cast<std::size_t>(depth)];
    const int number = leadingNumber(chosen.value);
    // A label without an entry number (such as "MORE") names no entry: stopping
    // playback or emptying the queue for it would only lose what was there.
    if (number < 1) return;
    const int index = number - 1;
    switch (action) {
    case ClickAction::Play:
    case ClickAction::EnqueueAndPlay:
        host::setPlaylistPos(index);
        host::cmdStop();
        host::cmdPlay();
        break;
    case ClickAction::PlayTg:
        emptyPluginPlaylist();
        appendToPluginPlaylist(host::getEntryFile(index));
        host::cmdNext();
        break;
    case ClickAction::EnqueueTg: appendToPluginPlaylist(host::getEntryFile(index)); break;
    case ClickAction::Enqueue: break;
    }
}

} // namespace tg
