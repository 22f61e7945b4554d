// The action on an item of a Media Library or Playlist Tags menu: the tracks
// below the chosen values, in the order the menu below the item lists them.
#include "actions/plugin_playlist.h"
#include "actions/source_actions.h"
#include "menus/item_tracks.h"
#include "menus/multi_level_order.h"
#include "menus/query_templates.h"
#include "menus/sort_orders.h"
#include "plugin/host_messages.h"

namespace tg {

namespace {

void actOnTracks(TrackRecord* tracks, int count, ClickAction action) {
    TrackList list{tracks, count, count};
    switch (action) {
    case ClickAction::Play: host::mlSendToHost(&list, kSendToPlay); break;
    case ClickAction::Enqueue: host::mlSendToHost(&list, kSendToEnqueue); break;
    case ClickAction::EnqueueAndPlay:
        host::mlSendToHost(&list, kSendToEnqueue);
        // Put at the head only after the add: the player's change of its playlist
        // empties the queue. Its answer to the next-entry query then jumps there.
        for (int i = 0; i < count; ++i) {
            if (tracks[i].filename == nullptr) continue;
            putAtPluginPlaylistHead(tracks[i].filename);
            host::cmdNext();
            break;
        }
        break;
    case ClickAction::PlayTg:
        emptyPluginPlaylist();
        for (int i = 0; i < count; ++i) appendToPluginPlaylist(tracks[i].filename);
        host::cmdNext();
        break;
    case ClickAction::EnqueueTg:
        for (int i = 0; i < count; ++i) appendToPluginPlaylist(tracks[i].filename);
        break;
    }
}

} // namespace

void executeLibraryAction(MenuDefinition& definition, const std::vector<LevelSelection>& path,
                          int depth, ClickAction action) {
    QueryRecord result{};
    const QueryResultRelease release(result, definition.sourceType);
    runLevelQuery(nullptr, definition, path, depth + 1, &result);
    // Exactly the tracks grouped under the chosen item: the query may answer more.
    std::vector<LevelSelection> chosen = path;
    const int count =
        keepItemTracks(definition, chosen, depth + 1, result.items, heldRecords(result));
    if (count > 0) {
        setSortStartLevel(depth, definition);
        sortRecords(result.items, result.items + count, compareFromLevel);
        actOnTracks(result.items, count, action);
    }
}

} // namespace tg
