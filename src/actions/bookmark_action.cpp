// The action on a bookmark: the first pair of the player's bookmark file whose
// title is the chosen one, byte for byte, or for a title the menu could only
// give back cut, the one whole title that begins so.
#include "actions/bookmark_file.h"
#include "actions/plugin_playlist.h"
#include "actions/source_actions.h"
#include "actions/whole_text.h"
#include "plugin/host_messages.h"

#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

namespace tg {

namespace {

void actOnBookmark(const std::string& file, ClickAction action) {
    // A bookmark without a file names nothing to play.
    if (file.empty()) return;
    switch (action) {
    case ClickAction::Play:
    case ClickAction::Enqueue:
    case ClickAction::EnqueueAndPlay: sendPathToHost(file.c_str(), action); break;
    case ClickAction::PlayTg:
        emptyPluginPlaylist();
        appendToPluginPlaylist(std::string_view(file));
        host::cmdNext();
        break;
    case ClickAction::EnqueueTg: appendToPluginPlaylist(std::string_view(file)); break;
    }
}

} // namespace

void executeBookmarkAction(const std::vector<LevelSelection>& path, ClickAction action) {
    if (path.empty()) return;
    const LevelSelection& chosen = path.front();
    const std::string_view title(chosen.value, strnlen(chosen.value, sizeof chosen.value));

    std::ifstream bookmarks;
    bool utf8 = false;
    if (!openBookmarkFile(bookmarks, utf8)) return;
    TextLines in(bookmarks, utf8);
    std::string fileLine;
    std::string titleLine;
    // The reader stops for good at a line it cannot take, so no pair after a
    // damaged line is ever acted on.
    if (!chosen.valueCut) {
        while (readBookmarkPair(in, fileLine, titleLine))
            if (titleLine == title) return actOnBookmark(fileLine, action);
        return;
    }
    // A title too long for the menu's read-back: the one whole title that
    // begins so, and the first pair that carries it.
    WholeText whole(title);
    std::string file;
    while (readBookmarkPair(in, fileLine, titleLine))
        if (whole.offer(titleLine)) file = fileLine;
    if (whole.found()) actOnBookmark(file, action);
}

} // namespace tg
