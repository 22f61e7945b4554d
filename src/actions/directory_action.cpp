// The action on an item of a Directory menu.
#include "actions/directory_target.h"
#include "actions/plugin_playlist.h"
#include "actions/popup_sources.h"
#include "actions/source_actions.h"
#include "menus/text_order.h"
#include "plugin/host_messages.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tg {

namespace {

// Every matching file at or below target, by whole path ignoring case; the
// stable sort keeps paths that differ only in case in the order they were found.
void appendCollectedFiles(char* target, const MenuDefinition& definition) {
    std::vector<std::string> files;
    collectFiles(target, definition, files);
    std::stable_sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return lessIgnoringCase(a, b);
    });
    for (const std::string& file : files) appendToPluginPlaylist(std::string_view(file));
}

} // namespace

void executeDirectoryAction(MenuDefinition& definition, const std::vector<LevelSelection>& path,
                            int depth, ClickAction action) {
    if (depth < 0 || static_cast<std::size_t>(depth) >= path.size()) return;
    // A value the menu gave back cut is a line of a playlist file (names always
    // fit): it is read whole from the file again, or nothing is done.
    for (int j = 0; j < depth; ++j)
        if (path[static_cast<std::size_t>(j)].valueCut) return;
    std::string whole;
    if (path[static_cast<std::size_t>(depth)].valueCut &&
        !wholePlaylistLine(definition, path, depth, whole))
        return;
    char target[kPathSize];
    // A target that does not fit is refused whole: a cut path would name another file.
    if (!buildDirectoryTarget(definition, path, depth, target, sizeof target, whole)) return;
    switch (action) {
    case ClickAction::Play:
    case ClickAction::Enqueue:
    case ClickAction::EnqueueAndPlay: sendPathToHost(target, action); break;
    case ClickAction::PlayTg:
        emptyPluginPlaylist();
        appendCollectedFiles(target, definition);
        host::cmdNext();
        break;
    case ClickAction::EnqueueTg: appendCollectedFiles(target, definition); break;
    }
}

} // namespace tg
