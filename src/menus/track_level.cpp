// One level of a track menu as it opens: the level's query, the tracks the
// chosen items hold, the caption of a root popup, then the grouping walk.
#include "menus/track_level.h"

#include "actions/queue_hand_over.h"
#include "menus/item_label.h"
#include "menus/item_tracks.h"
#include "menus/level_builder.h"
#include "menus/query_templates.h"
#include "platform/menu.h"
#include "plugin/host_messages.h"

namespace tg {

void buildTrackLevel(MenuDefinition& definition, int depth, HMENU popup,
                     std::vector<LevelSelection>& path, const char* nowPlaying) {
    if (popup == nullptr || depth < 0 || static_cast<std::size_t>(depth) > path.size()) return;

    updatePlayingFile(nowPlaying);
    // The model now holds its own copy; nowPlaying may have pointed into the old one.
    nowPlaying = nowPlayingText();

    int position = depth == 0 ? definition.firstBuiltItem : 0;
    char caption[kCaptionSize];
    caption[0] = '\0';
    QueryRecord result{};
    const QueryResultRelease release(result, definition.sourceType);
    runLevelQuery(depth == 0 ? caption : nullptr, definition, path, depth, &result);
    // The query may answer more than the chosen items hold.
    const int count = keepItemTracks(definition, path, depth, result.items, heldRecords(result));
    const bool hasRecords = count > 0;

    if (depth == 0 && caption[0] != '\0') {
        escapeAmpersands(caption, sizeof caption); // the song's values are outside text
        platform::appendMenu(popup, MF_STRING | MF_DISABLED, static_cast<UINT_PTR>(position),
                             caption);
        ++position;
        if (!hasRecords) return;
        platform::appendMenu(popup, MF_SEPARATOR, 0, nullptr);
        ++position;
    }
    if (hasRecords)
        fillLevelMenu(popup, definition, path, depth, result.items, 0, count - 1, position,
                      nowPlaying);
}

} // namespace tg
