// One fixed piece of work for instruction counts (scripts/bench-callgrind): a
// generated library of 20,000 tracks, its lazy Range / Artist / Album / Title
// root, the eager tree of 5,000 of its records, a Playlist Tags narrowing to
// 4,000 entries and re-marking 200 songs. Only runFixedCase is counted.
#include "menus/level_builder.h"
#include "menus/query_templates.h"
#include "platform/menu.h"
#include "player/player.h"
#include "support/bench_library.h"

#include <cstdio>

namespace {

using namespace tg;

__attribute__((noinline)) int runFixedCase(const QueryRecord& answer, bench::RecordSet& records) {
    MenuDefinition definition = bench::libraryDefinition(
        {LevelType::Range, LevelType::Artist, LevelType::Album, LevelType::Title});
    const std::string playing = bench::middleFile(answer);
    int items = 0;

    // Lazy root over every record.
    model().options.loadAllMenus = 0;
    std::vector<LevelSelection> path(1);
    HMENU root = platform::createPopupMenu();
    path[0].menu = root;
    fillLevelMenu(root, definition, path, 0, records.data(), 0, records.count() - 1, 0,
                  playing.c_str());
    items += platform::getMenuItemCount(root);

    // Re-marking songs spread over the library.
    for (int i = 0; i < 200; ++i) {
        const TrackRecord& r = answer.items[i * (answer.count / 200)];
        if (r.filename == nullptr) continue;
        std::vector<LevelSelection> remark;
        prepareBuiltPopup(root, definition, remark, r.filename, true);
        if (remark.back().checkedMenu != nullptr)
            platform::checkMenuItem(remark.back().checkedMenu,
                                    static_cast<UINT>(remark.back().checkedPosition),
                                    MF_BYPOSITION | MF_UNCHECKED);
    }
    platform::destroyMenu(root);

    // Eager tree of the first 5,000 records.
    records.restore();
    model().options.loadAllMenus = 1;
    root = platform::createPopupMenu();
    path[0].menu = root;
    fillLevelMenu(root, definition, path, 0, records.data(), 0, 4999, 0, playing.c_str());
    items += platform::getMenuItemCount(root);
    platform::destroyMenu(root);

    // Playlist Tags narrowing.
    QueryRecord own{};
    keepPlaylistTracks(answer, &own);
    items += own.count;
    releaseQueryResult(&own, SourceType::PlaylistTags);
    return items;
}

} // namespace

int main() {
    const QueryRecord& answer = bench::libraryAnswer(20000, false);
    bench::usePlayerLibrary(20000, false);
    std::vector<player::PlaylistEntry> entries;
    for (int i = 0; i < 4000; ++i) {
        const TrackRecord& r = answer.items[(i * 7919) % answer.count];
        if (r.filename != nullptr) entries.push_back({r.filename, r.filename, r.length});
    }
    player::player().setPlaylist(entries);
    bench::RecordSet records(answer);
    const int items = runFixedCase(answer, records);
    std::printf("fixed case: %d items\n", items);
    return 0;
}
