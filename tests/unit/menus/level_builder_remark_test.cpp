// Re-marking a built popup must find the same item that building it marked,
// for every song of the sample library and every kind of level: the search
// runs in the level's own order (numbers as numbers, years and track numbers
// first), through "MORE" continuations, while building finds the song by its
// file name.
#include "menus/level_builder.h"
#include "model/model_state.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "player/library_generator.h"
#include "player/player.h"
#include "support/level_menus.h"
#include "support/player_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace tg {
namespace {

struct RemarkCase {
    const char* name;
    std::vector<LevelType> levels;
    bool addYearToAlbums = true;
    int yearPosition = 0;
    bool showTrackNumbers = true;
};

class RemarkEverySong : public testing::TestWithParam<RemarkCase> {
protected:
    test::PlayerConnection connection;
};

TEST_P(RemarkEverySong, FindsTheItemBuildingMarked) {
    const RemarkCase& c = GetParam();
    test::loadSampleLibrary();
    model().options.loadAllMenus = 0;
    MenuDefinition d = test::libraryDefinition(c.levels);
    d.addYearToAlbums = c.addYearToAlbums;
    d.yearPosition = c.yearPosition;
    d.showTrackNumbers = c.showTrackNumbers;
    const HMENU root = platform::createPopupMenu();
    d.popupMenu = root;

    int marked = 0;
    int songs = 0;
    const std::vector<player::Track>& tracks = player::player().library().tracks();
    // Every third song, and every song whose name differs from another's only
    // in case or that has a label too long to be shown whole.
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const player::Track& track = tracks[i];
        if (!track.filename) continue;
        const bool special = track.filename->find("Long") != std::string::npos ||
                             track.filename->find("Misc") != std::string::npos;
        if (i % 3 != 0 && !special) continue;
        ++songs;
        SCOPED_TRACE(*track.filename);
        const std::string playing = test::pluginText(*track.filename);
        test::setNowPlaying(playing.c_str());
        std::vector<LevelSelection> path;
        test::openPopup(root, d, path, true);
        const HMENU builtMenu = path[0].checkedMenu;
        const int builtPosition = path[0].checkedPosition;
        test::closePopup(path);

        test::openPopup(root, d, path, true);
        EXPECT_EQ(path[0].checkedMenu, builtMenu);
        if (builtMenu != nullptr) {
            ++marked;
            EXPECT_EQ(path[0].checkedPosition, builtPosition);
        }
        EXPECT_EQ(test::checkedItems(root).size(), builtMenu != nullptr ? 1u : 0u);
        test::closePopup(path);
        for (int n = platform::getMenuItemCount(root); n > 0; --n)
            platform::deleteMenu(root, static_cast<UINT>(n - 1), MF_BYPOSITION);
    }
    // Most songs show at every kind of level.
    EXPECT_GT(marked, songs / 2);
    platform::destroyMenu(root);
}

INSTANTIATE_TEST_SUITE_P(
    SampleLibrary, RemarkEverySong,
    testing::Values(
        RemarkCase{"Artist", {LevelType::Artist}}, RemarkCase{"AlbumYearFirst", {LevelType::Album}},
        RemarkCase{"AlbumYearAfter", {LevelType::Album}, true, 1},
        RemarkCase{"AlbumAlone", {LevelType::Album}, false},
        RemarkCase{"TitleNumbered", {LevelType::Title}},
        RemarkCase{"TitleAlone", {LevelType::Title}, true, 0, false},
        RemarkCase{"Genre", {LevelType::Genre}}, RemarkCase{"Year", {LevelType::Year}},
        RemarkCase{"TrackNumber", {LevelType::TrackNumber}},
        RemarkCase{"ArtistAlbum", {LevelType::ArtistAlbum}},
        RemarkCase{"ArtistTitle", {LevelType::ArtistTitle}},
        RemarkCase{"AlbumTitle", {LevelType::AlbumTitle}},
        RemarkCase{"Rating", {LevelType::Rating}}, RemarkCase{"PlayCount", {LevelType::PlayCount}},
        RemarkCase{"Bitrate", {LevelType::Bitrate}}, RemarkCase{"Filename", {LevelType::Filename}},
        RemarkCase{"InitialOfArtist", {LevelType::FirstLetter, LevelType::Artist}},
        RemarkCase{"InitialOfAlbum", {LevelType::FirstLetter, LevelType::Album}},
        RemarkCase{"InitialOfTitle", {LevelType::FirstLetter, LevelType::Title}},
        RemarkCase{"InitialOfGenre", {LevelType::FirstLetter, LevelType::Genre}},
        RemarkCase{"InitialOfFilename", {LevelType::FirstLetter, LevelType::Filename}},
        RemarkCase{"YearsUnderFirstLetter", {LevelType::FirstLetter, LevelType::Year}},
        RemarkCase{"RangeOfArtists", {LevelType::Range, LevelType::Artist}},
        RemarkCase{"RangeOfTitles", {LevelType::Range, LevelType::Title}},
        RemarkCase{"RangeOfGenres", {LevelType::Range, LevelType::Genre}},
        RemarkCase{"RangeOfFilenames", {LevelType::Range, LevelType::Filename}},
        RemarkCase{"RangeOfYears", {LevelType::Range, LevelType::Year}},
        RemarkCase{"RangeOfBitrates", {LevelType::Range, LevelType::Bitrate}},
        RemarkCase{"RangeOfPlayCounts", {LevelType::Range, LevelType::PlayCount}}),
    [](const testing::TestParamInfo<RemarkCase>& param) { return std::string(param.param.name); });

// A level spread over many "MORE" pages: re-marking reads a number of item
// texts that grows with the logarithm of the level's items, pages included,
// and still finds the item that building marked.
struct PagedLayout {
    int rows;
    int columns;
    int moreColumns;
};

class RemarkManyPages : public testing::TestWithParam<PagedLayout> {
protected:
    test::PlayerConnection connection;
};

TEST_P(RemarkManyPages, ReadsLogarithmicallyManyTexts) {
    const PagedLayout& layout = GetParam();
    player::player().setTracks(player::generateLibrary(3000, 5));
    model().options.loadAllMenus = 0;
    model().options.rowsPerColumn = layout.rows;
    model().options.columnCount = layout.columns;
    model().options.moreColumnCount = layout.moreColumns;
    MenuDefinition d = test::libraryDefinition({LevelType::Artist, LevelType::Title});
    const HMENU root = platform::createPopupMenu();
    d.popupMenu = root;

    const std::vector<player::Track>& tracks = player::player().library().tracks();
    int marked = 0;
    for (std::size_t i = 0; i < tracks.size(); i += 37) {
        if (!tracks[i].filename) continue;
        SCOPED_TRACE(*tracks[i].filename);
        test::setNowPlaying(tracks[i].filename->c_str());
        std::vector<LevelSelection> path;
        test::openPopup(root, d, path, true);
        const HMENU builtMenu = path[0].checkedMenu;
        const int builtPosition = path[0].checkedPosition;
        test::closePopup(path);
        const double items = static_cast<double>(test::levelItems(root).size());
        ASSERT_GT(items, 8 * layout.rows); // many pages

        const std::uint64_t before = platform::sim::menuTextReads();
        test::openPopup(root, d, path, true);
        const double reads = static_cast<double>(platform::sim::menuTextReads() - before);
        EXPECT_LE(reads, 2 * std::log2(items) + 4);
        EXPECT_EQ(path[0].checkedMenu, builtMenu);
        EXPECT_EQ(path[0].checkedPosition, builtPosition);
        marked += builtMenu != nullptr ? 1 : 0;
        test::closePopup(path);
        for (int n = platform::getMenuItemCount(root); n > 0; --n)
            platform::deleteMenu(root, static_cast<UINT>(n - 1), MF_BYPOSITION);
    }
    EXPECT_GT(marked, 50);
    platform::destroyMenu(root);
}

INSTANTIATE_TEST_SUITE_P(Layouts, RemarkManyPages,
                         testing::Values(PagedLayout{4, 2, 1}, PagedLayout{3, 1, 2},
                                         PagedLayout{5, 3, 1}));

} // namespace
} // namespace tg
