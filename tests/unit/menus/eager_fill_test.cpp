// A tree filled at once from one query shows what opening every submenu on
// its own shows, where no two names are twins (see the ties test otherwise).
#include "menus/level_builder.h"
#include "model/model_state.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "player/library_generator.h"
#include "player/player.h"
#include "support/level_menus.h"
#include "support/track_samples.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

namespace tg {
namespace {

using L = LevelType;

std::vector<std::string> tree(bool eager, std::vector<L> levels) {
    model().options.loadAllMenus = eager ? 1 : 0;
    MenuDefinition d = test::libraryDefinition(std::move(levels));
    const HMENU root = platform::createPopupMenu();
    d.popupMenu = root;
    std::vector<LevelSelection> path;
    test::openPopup(root, d, path, true);
    std::vector<std::string> out;
    test::describeLevels(root, d, path, !eager, "", out);
    test::closePopup(path);
    for (int n = platform::getMenuItemCount(root); n > 0; --n)
        platform::deleteMenu(root, static_cast<UINT>(n - 1), MF_BYPOSITION);
    platform::destroyMenu(root);
    return out;
}

TEST(EagerFill, BuildsTheTreeThatOpeningEverySubmenuBuilds) {
    test::PlayerConnection connection;
    player::player().setTracks(player::generateLibrary(1200, 11));
    model().options.rowsPerColumn = 12; // "MORE" pages and column breaks at every level
    model().options.columnCount = 2;
    const std::vector<L> shapes[] = {
        {L::Range, L::Artist, L::Album, L::Title},
        {L::FirstLetter, L::Artist, L::Title},
        {L::Genre, L::Range, L::Year, L::Album},
    };
    for (const std::vector<L>& levels : shapes) {
        SCOPED_TRACE(static_cast<int>(levels[0]));
        const int menusBefore = platform::sim::liveMenuCount();
        const std::vector<std::string> eager = tree(true, levels);
        const std::vector<std::string> lazy = tree(false, levels);
        EXPECT_GT(eager.size(), 300u);
        EXPECT_EQ(eager, lazy);
        EXPECT_EQ(platform::sim::liveMenuCount(), menusBefore);
    }
}

// A generated library with twins everywhere: artists in other letter case or
// with a leading "The ", albums and titles in other case, repeated titles,
// tracks without numbers.
std::vector<TrackRecord> twinLibrary(test::TrackStore& store, int count) {
    const auto recase = [](std::string text, bool upper) {
        for (char& c : text)
            c = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(c))
                                        : std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    std::vector<player::Track> tracks = player::generateLibrary(static_cast<std::size_t>(count), 5);
    std::vector<TrackRecord> records;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        player::Track& t = tracks[i];
        if (t.artist && i % 7 == 1) t.artist = recase(*t.artist, false);
        if (t.artist && i % 7 == 2 && t.artist->rfind("The ", 0) != 0)
            t.artist = "The " + *t.artist;
        if (t.album && i % 7 == 3) t.album = recase(*t.album, true);
        if (t.title && i % 7 == 4) t.title = "the " + recase(*t.title, false);
        if (t.album && i % 21 == 5) t.album = "The " + *t.album;
        if (i % 11 == 0 && i > 0) t.title = tracks[i - 1].title;
        if (i % 13 == 0) t.trackNumber = 0;
        records.push_back(store.make(test::valuesOf(t)));
    }
    return records;
}

// FNV-1a over every tree's dump and its root's check mark.
std::uint64_t fingerprintOfTrees(const std::vector<TrackRecord>& library, const char* playing,
                                 std::size_t& items) {
    const std::vector<L> shapes[] = {
        {L::Range, L::Artist, L::Album, L::Title},
        {L::FirstLetter, L::Artist, L::Title},
        {L::Genre, L::Range, L::Year, L::Album},
        {L::Range, L::Album, L::Title},
        {L::ArtistAlbum, L::Title},
        {L::Rating, L::PlayCount, L::Title},
        {L::Range, L::Bitrate, L::Filename},
        {L::Year, L::Range, L::Title, L::Artist},
    };
    std::uint64_t hash = 14695981039346656037ull;
    const auto add = [&hash](const std::string& text) {
        for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    };
    items = 0;
    for (const std::vector<L>& levels : shapes) {
        for (int variant = 0; variant < 4; ++variant) {
            MenuDefinition d = test::libraryDefinition(levels);
            d.showTrackNumbers = variant != 1;
            d.yearPosition = variant == 2 ? 1 : 0;
            d.timeDisplay = variant;
            model().options.rowsPerColumn = variant == 3 ? 9 : 35;
            model().options.loadAllMenus = 1;
            std::vector<TrackRecord> records = library;
            const HMENU root = platform::createPopupMenu();
            std::vector<LevelSelection> path(1);
            path[0].menu = root;
            fillLevelMenu(root, d, path, 0, records.data(), 0, static_cast<int>(records.size()) - 1,
                          0, playing);
            const std::string dump = platform::sim::menuTree(root);
            add(dump);
            add(std::to_string(path[0].checkedPosition));
            for (const char c : dump) items += c == '\n' ? 1 : 0;
            platform::destroyMenu(root);
        }
    }
    return hash;
}

// Equal records come out of the standard sort in no defined order; an item is
// named by the spelling most of its records have, so the trees of a library
// full of twins do not depend on the order the library answers in. They are
// pinned by a fingerprint: change it only for a wanted change of the menus (or
// of the generator or the tree dump), after reading the new trees.
TEST(EagerFill, TreesOfALibraryFullOfTwinsKeepEveryTextAndOrder) {
    test::TrackStore store;
    const std::vector<TrackRecord> library = twinLibrary(store, 1500);
    std::size_t items = 0;
    const char* playing = library[library.size() / 2].filename;
    const std::uint64_t fingerprint = fingerprintOfTrees(library, playing, items);
    EXPECT_EQ(items, 49620u);
    EXPECT_EQ(fingerprint, 12622003365225905398u);
    const std::vector<TrackRecord> reversed(library.rbegin(), library.rend());
    EXPECT_EQ(fingerprintOfTrees(reversed, playing, items), fingerprint);
}

} // namespace
} // namespace tg
