// A Playlist Raw menu's popup: the player's playlist as numbered ranges, or the
// entries themselves with their play times.
#include "actions/popup_sources.h"
#include "actions/source_items.h"
#include "menus/column_layout.h"
#include "menus/menu_helpers.h"
#include "platform/menu.h"
#include "plugin/host_messages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tg {

namespace {

// Checks the item that holds the current entry and records it in the popup's
// own path record, so that closing the popup can take the check away again.
void checkItem(HMENU menu, int position, std::vector<LevelSelection>& path, int depth) {
    if (position < 0) return;
    setItemChecked(menu, position, true);
    if (depth < 0 || static_cast<std::size_t>(depth) >= path.size()) return;
    LevelSelection& own = path[static_cast<std::size_t>(depth)];
    own.checkedMenu = menu;
    own.checkedPosition = position;
}

void fillRanges(HMENU popup, int id, int current, std::vector<LevelSelection>& path) {
    const long long count = host::getListLength();
    if (count <= 0) return;
    const long long cells = static_cast<long long>(layoutRows()) * layoutColumns();
    long long groups = static_cast<long long>(std::ceil(std::sqrt(static_cast<double>(count))));
    if (groups >= cells) groups = cells;
    const long long step = std::max(count / groups + 1, 2LL);

    int columnsLeft = initialColumnsLeft();
    HMENU menu = popup;
    for (long long start = 0; start < count;) {
        long long end = start + step;
        if (end >= count - 2) end = count; // no trailing range of one or two entries
        char label[64];
        std::snprintf(label, sizeof label, "%lld -> %lld", start + 1, end);
        UINT flag = 0;
        // A total of 0 only breaks columns: ranges never open "MORE".
        nextItemPlacement(id, columnsLeft, menu, flag, 0);
        const int position = appendSubmenuItem(menu, flag, label);
        if (start <= current && current < end) checkItem(menu, position, path, 0);
        start = end;
        ++id;
    }
}

void fillEntries(HMENU popup, int id, int current, std::vector<LevelSelection>& path, int depth) {
    const int count = host::getListLength();
    int first = 0;
    int last = count - 1;
    if (depth > 0) {
        if (path.empty()) return;
        first = leadingNumber(path[0].value) - 1;
        last = leadingNumber(path[0].secondValue) - 1;
        if (last < first) last = first;
        // A range made before the playlist shrank lists only what is still there.
        first = std::max(first, 0);
        last = std::min(last, count - 1);
    }
    HWND playlistWindow = host::getPlaylistWindow();

    int columnsLeft = initialColumnsLeft();
    HMENU menu = popup;
    for (int i = first; i <= last; ++i) {
        UINT flag = 0;
        // "MORE" opens only while the position is below last - 1.
        nextItemPlacement(id, columnsLeft, menu, flag, std::max(last - 1, 0));

        EntryInfoRecord info{};
        info.index = i;
        host::playlistGetEntryInfo(playlistWindow, &info);
        info.title[sizeof info.title - 1] = '\0';
        info.length[sizeof info.length - 1] = '\0';
        char label[512];
        if (info.length[0] != '\0')
            std::snprintf(label, sizeof label, "%d. %s\t[%s]", i + 1, info.title, info.length);
        else
            std::snprintf(label, sizeof label, "%d. %s", i + 1, info.title);

        const int position = appendTextItem(menu, flag, static_cast<UINT>(id), label);
        if (i == current) checkItem(menu, position, path, depth);
        ++id;
    }
}

} // namespace

void fillPlaylistRawPopup(MenuDefinition& definition, HMENU popup,
                          std::vector<LevelSelection>& path, int depth) {
    const int current = host::getListPos();
    const int id = depth == 0 ? definition.firstBuiltItem : 0;
    if (depth == 0 && definition.levelCount() != 1)
        fillRanges(popup, id, current, path);
    else
        fillEntries(popup, id, current, path, depth);
}

} // namespace tg
