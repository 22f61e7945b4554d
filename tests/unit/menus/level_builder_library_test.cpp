// The whole sample library through a Range / Artist / Album / Title menu, built
// lazily and eagerly: every item of every level, opened as the frame opens it,
// must list exactly the tracks its label promises (computed here from the
// loaded library), carry their summed play time, and hold the check mark
// exactly when it holds the song now playing.
#include "model/model_state.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "player/player.h"
#include "support/level_menus.h"
#include "support/player_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tg {
namespace {

using player::Track;

// As the plug-in reads them from the player.
std::vector<Track> libraryTracks() {
    return test::pluginTracks(player::player().library().tracks());
}

std::string fold(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return s;
}

std::string skipBlanks(const std::string& s) {
    const std::size_t at = s.find_first_not_of(' ');
    return at == std::string::npos ? std::string() : s.substr(at);
}

// A leading "The " in any case, then blanks, do not count.
std::string withoutThe(const std::string& s) {
    if (s.size() >= 4 && fold(s.substr(0, 4)) == "the ") return skipBlanks(s.substr(4));
    return skipBlanks(s);
}

int shownYear(int year) {
    return year >= 1000 ? year : 0;
}

enum Depth { RangeDepth, ArtistDepth, AlbumDepth, TitleDepth };

// Whether the track shows at this level at all.
bool labelled(int depth, const Track& t) {
    switch (depth) {
    case RangeDepth:
    case ArtistDepth: return t.artist && !withoutThe(*t.artist).empty();
    case AlbumDepth: return t.album.has_value();
    default: return t.title && (t.trackNumber > 0 || !skipBlanks(*t.title).empty());
    }
}

// What an item with this label (escapes undone, play time cut) promises.
bool promised(int depth, const std::string& label, const Track& t) {
    switch (depth) {
    case RangeDepth: {
        const std::size_t arrow = label.find(" -> ");
        if (arrow == std::string::npos) return false;
        const std::string lower = fold(label.substr(0, arrow));
        const std::string upper = fold(label.substr(arrow + 4));
        const std::string a = fold(withoutThe(*t.artist));
        return (a >= lower && a < upper) || a.compare(0, upper.size(), upper) == 0;
    }
    case ArtistDepth: return fold(withoutThe(*t.artist)) == fold(withoutThe(label));
    case AlbumDepth: {
        // "(1971) Name", or blanks for a year below 1000.
        const std::size_t close = label.find(')');
        if (label.empty() || label[0] != '(' || close == std::string::npos) return false;
        const int year = label[1] == ' ' ? 0 : std::stoi(label.substr(1));
        return shownYear(t.year) == year && fold(*t.album) == fold(label.substr(close + 2));
    }
    default: {
        // "%3d. Title", or five blanks and the title.
        if (label.compare(0, 5, "     ") == 0)
            return t.trackNumber <= 0 && fold(skipBlanks(*t.title)) == fold(skipBlanks(label));
        const std::size_t point = label.find(". ");
        if (point == std::string::npos) return false;
        return t.trackNumber == std::stoi(label) && fold(*t.title) == fold(label.substr(point + 2));
    }
    }
}

// The frame reads at most 255 characters of an item back into a path value,
// so a longer label cannot restrict a lazy query to its own tracks.
bool lazyQueryMisses(const std::string& shown) {
    return shown.size() > 255;
}

struct LibraryWalk {
    MenuDefinition& definition;
    bool lazy;
    int playing; // index of the track now playing, or -1
    std::vector<LevelSelection> path;
    int itemsSeen = 0;
    int checksSeen = 0;

    void check(HMENU menu, int depth, const std::vector<int>& expected, bool lookForSong) {
        const std::vector<Track>& tracks = libraryTracks();
        const std::vector<test::LevelItem> items = test::levelItems(menu);
        std::vector<int> owner(tracks.size(), -1);
        for (std::size_t k = 0; k < items.size(); ++k) {
            const test::LevelItem& item = items[k];
            const std::string shown = test::labelPart(item.text);
            const std::string label = test::itemLabelText(item.text);
            SCOPED_TRACE("depth " + std::to_string(depth) + " item \"" + label + "\"");
            ++itemsSeen;

            std::vector<int> mine;
            long long seconds = 0;
            for (int t : expected) {
                const Track& track = tracks[static_cast<std::size_t>(t)];
                if (!labelled(depth, track) || !promised(depth, label, track)) continue;
                mine.push_back(t);
                seconds += track.length;
                EXPECT_EQ(owner[static_cast<std::size_t>(t)], -1) << "a track under two items";
                owner[static_cast<std::size_t>(t)] = static_cast<int>(k);
            }
            EXPECT_FALSE(mine.empty()) << "an item promising no track";
            EXPECT_EQ(item.text.substr(shown.size()), "\t" + test::durationText(seconds));

            const bool holdsSong =
                playing >= 0 && std::find(mine.begin(), mine.end(), playing) != mine.end();
            const bool checked = (item.flags & MF_CHECKED) != 0;
            EXPECT_EQ(checked, lookForSong && holdsSong);
            if (checked) {
                ++checksSeen;
                EXPECT_EQ(path.back().checkedMenu, item.menu);
                EXPECT_EQ(path.back().checkedPosition, item.position);
            }

            if (depth == TitleDepth) {
                EXPECT_EQ(item.submenu, nullptr);
                EXPECT_NE(item.flags & MF_DISABLED, 0u);
                EXPECT_EQ(item.id, static_cast<UINT>(item.position));
                continue;
            }
            ASSERT_NE(item.submenu, nullptr);
            const HMENU submenu = test::openItem(item.menu, item.position, definition, path);
            if (!(lazy && lazyQueryMisses(shown))) check(submenu, depth + 1, mine, checked);
            test::closePopup(path);
        }
        for (int t : expected) {
            if (labelled(depth, tracks[static_cast<std::size_t>(t)])) {
                EXPECT_NE(owner[static_cast<std::size_t>(t)], -1)
                    << "track " << t << " missing at depth " << depth;
            }
        }
    }
};

struct WalkCase {
    const char* name;
    bool lazy;
    int playing; // -1: none
    int checks;  // items that show the check mark on the way down
};

class LibraryMenuWalk : public testing::TestWithParam<WalkCase> {
protected:
    test::PlayerConnection connection;
};

TEST_P(LibraryMenuWalk, EveryItemListsExactlyTheTracksItsLabelPromises) {
    const WalkCase& c = GetParam();
    test::loadSampleLibrary();
    const std::vector<Track>& tracks = libraryTracks();
    ASSERT_GT(tracks.size(), 300u);
    ASSERT_LT(c.playing, static_cast<int>(tracks.size()));
    if (c.playing >= 0) {
        ASSERT_TRUE(tracks[static_cast<std::size_t>(c.playing)].filename);
        test::setNowPlaying(tracks[static_cast<std::size_t>(c.playing)].filename->c_str());
    }
    model().options.loadAllMenus = c.lazy ? 0 : 1;
    MenuDefinition definition = test::libraryDefinition(
        {LevelType::Range, LevelType::Artist, LevelType::Album, LevelType::Title});
    const int menusBefore = platform::sim::liveMenuCount();
    const HMENU root = platform::createPopupMenu();
    definition.popupMenu = root;

    LibraryWalk walk{definition, c.lazy, c.playing, {}};
    test::openPopup(root, definition, walk.path, true);
    std::vector<int> all(tracks.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    walk.check(root, RangeDepth, all, true);
    test::closePopup(walk.path);

    EXPECT_GT(walk.itemsSeen, c.lazy ? 350 : 450);
    // The song's item at each of the four levels, and nothing else anywhere.
    EXPECT_EQ(walk.checksSeen, c.checks);
    EXPECT_TRUE(test::checkedItems(root).empty());
    EXPECT_EQ(player::player().liveQueryResults(), 0);
    EXPECT_EQ(player::player().liveFileInfoRecords(), 0);

    for (int n = platform::getMenuItemCount(root); n > 0; --n)
        platform::deleteMenu(root, static_cast<UINT>(n - 1), MF_BYPOSITION);
    platform::destroyMenu(root);
    EXPECT_EQ(platform::sim::liveMenuCount(), menusBefore);
}

// A "The " artist with case twins, a track number of 10 among 1 to 11, a
// spread through the library, and labels longer than the frame reads back (a
// lazy walk cannot go below the long artist, see above).
INSTANTIATE_TEST_SUITE_P(
    SampleLibrary, LibraryMenuWalk,
    testing::Values(WalkCase{"LazyNothingPlaying", true, -1, 0},
                    WalkCase{"EagerNothingPlaying", false, -1, 0},
                    WalkCase{"LazyTheArtist", true, 0, 4}, WalkCase{"EagerTheArtist", false, 0, 4},
                    WalkCase{"LazyTrackTen", true, 9, 4}, WalkCase{"EagerTrackTen", false, 9, 4},
                    WalkCase{"Lazy119", true, 119, 4}, WalkCase{"Eager119", false, 119, 4},
                    WalkCase{"Lazy249", true, 249, 4}, WalkCase{"Eager249", false, 249, 4},
                    WalkCase{"LazyLongNames", true, 359, 2},
                    WalkCase{"EagerLongNames", false, 359, 4}),
    [](const testing::TestParamInfo<WalkCase>& param) { return std::string(param.param.name); });

} // namespace
} // namespace tg
