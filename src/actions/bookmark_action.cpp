// The action on a bookmark: the first pair of the player's bookmark file whose
// title is the chosen one, byte for byte.
#include "actions/bookmark_file.h"
#include "actions/plugin_playlist.h"
#include "actions/source_actions.h"
#include "plugin/host_messages.h"

#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

namespace tg {

void executeBookmarkAction(const std::vector<LevelSelection>& path, ClickAction action) {
    if (path.empty()) return;
    const LevelSelection& chosen = path.front();
    const std::string_view title(chosen.value, strnlen(chosen.value, sizeof chosen.value));

    std::ifstream in;
    if (!openBookmarkFile(in)) return;
    std::string fileLine;
    std::string titleLine;
    // The reader stops for good at a line it cannot take, so no pair after a
    // damaged line is ever acted on.
    while (readBookmarkPair(in, fileLine, titleLine)) {
        if (titleLine != title) continue;
        // A bookmark without a file names nothing to play.
        if (fileLine.empty()) return;
        switch (action) {
        case ClickAction::Play:
        case ClickAction::Enqueue:
        case ClickAction::EnqueueAndPlay: sendPathToHost(fileLine.c_str(), action); break;
        case ClickAction::PlayTg:
            emptyPluginPlaylist();
            appendToPluginPlaylist(std::string_view(fileLine));
            host::cmdNext();
            break;
        case ClickAction::EnqueueTg: appendToPluginPlaylist(std::string_view(fileLine)); break;
        }
        return;
    }
}

} // namespace tg
