// A chosen item: the action goes to the handler of the definition's source,
// once the call is known to name an item and an action.
#include "actions/source_actions.h"
#include "actions/source_dispatch.h"

namespace tg {

void executeAction(MenuDefinition& definition, std::vector<LevelSelection>& path, int depth,
                   ClickAction action) {
    const auto value = static_cast<std::int32_t>(action);
    if (value < static_cast<std::int32_t>(ClickAction::Play) ||
        value > static_cast<std::int32_t>(ClickAction::EnqueueTg))
        return;
    // depth names a filled record; -1 (the caption line) exists only in library menus.
    if (depth < -1 || depth >= static_cast<int>(path.size())) return;
    const bool library = definition.sourceType == SourceType::PlaylistTags ||
                         definition.sourceType == SourceType::MediaLibrary;
    if (depth == -1 && !library) return;

    switch (definition.sourceType) {
    case SourceType::PlaylistTags:
    case SourceType::MediaLibrary: executeLibraryAction(definition, path, depth, action); break;
    case SourceType::Directory: executeDirectoryAction(definition, path, depth, action); break;
    case SourceType::PlaylistRaw: executePlaylistRawAction(path, depth, action); break;
    case SourceType::Bookmarks: executeBookmarkAction(path, action); break;
    }
}

} // namespace tg
