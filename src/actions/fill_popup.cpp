// A popup of a user-defined menu that opens empty: its record joins the walk,
// and the filler of the definition's source fills it.
#include "actions/popup_sources.h"
#include "actions/source_dispatch.h"
#include "menus/track_level.h"

namespace tg {

void fillPopup(HMENU popup, MenuDefinition& definition, std::vector<LevelSelection>& path,
               const char* nowPlaying) {
    const int depth = static_cast<int>(path.size());
    LevelSelection opened;
    opened.menu = popup;
    opened.kind = definition.levelKind(depth);
    opened.checkedMenu = nullptr;
    path.push_back(opened);

    switch (definition.sourceType) {
    case SourceType::PlaylistTags:
    case SourceType::MediaLibrary:
        buildTrackLevel(definition, depth, popup, path, nowPlaying);
        break;
    case SourceType::Directory: fillDirectoryPopup(popup, definition, path, depth); break;
    case SourceType::PlaylistRaw: fillPlaylistRawPopup(definition, popup, path, depth); break;
    case SourceType::Bookmarks: fillBookmarksPopup(popup, definition); break;
    }
}

} // namespace tg
