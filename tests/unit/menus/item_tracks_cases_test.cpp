// What a menu shows is what a click plays, through the whole plug-in: each row
// a library whose tags once made a submenu or a click find other tracks than
// the item stood for, opened lazily as the user opens it.
#include "model/text.h"
#include "player/player.h"
#include "support/level_menus.h"
#include "support/message_sequence.h"
#include "support/player_support.h"
#include "support/plugin_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace tg {
namespace {

using L = LevelType;
using test::Texts;

struct Song {
    const char* file;
    const char* artist;
    const char* album = "Album";
    const char* title = "Title";
    int track = 1;
    int year = 2000;
    const char* genre = "Rock";
};

std::vector<player::Track> tracksOf(const std::vector<Song>& songs) {
    std::vector<player::Track> tracks;
    for (const Song& s : songs) {
        player::Track t;
        t.filename = s.file;
        t.artist = s.artist;
        t.album = s.album;
        t.title = s.title;
        t.trackNumber = s.track;
        t.year = s.year;
        t.genre = s.genre;
        t.length = 60;
        tracks.push_back(std::move(t));
    }
    return tracks;
}

const std::string kLongName = "The Orchestra of " + std::string(300, 'x');

// Open: the items of the last label's submenu. Click: the files a left click
// on it enqueues, in order. SongStarts: the root's items once a song of the
// library starts after the menu was first opened with none playing.
enum class Check { Open, Click, SongStarts };

struct ItemCase {
    const char* name;
    std::vector<Song> songs;
    std::vector<LevelType> levels;
    std::function<void(MenuDefinition&)> options;
    Texts path; // labels opened from the root, the last one acted on
    Check check;
    Texts expected;
};

std::ostream& operator<<(std::ostream& out, const ItemCase& c) {
    return out << c.name;
}

class ClickedItems : public testing::TestWithParam<ItemCase> {};

Texts enqueued(const player::Player& p) {
    Texts files;
    for (const player::PlaylistEntry& entry : p.playlist()) files.push_back(entry.file);
    return files;
}

TEST_P(ClickedItems, StandForTheTracksGroupedUnderThem) {
    const ItemCase& c = GetParam();
    test::resetProcess();
    test::PluginHarness harness;
    MenuDefinition& d = harness.define("Library", SourceType::MediaLibrary);
    d.levels = c.levels;
    d.timeDisplay = 0;
    d.clickAction = ClickAction::Enqueue;
    if (c.options) c.options(d);
    if (c.check == Check::SongStarts) {
        MenuDefinition& plain = harness.define("Plain", SourceType::MediaLibrary);
        plain.levels = {L::Artist};
    }
    model().options.loadAllMenus = 0;
    harness.start();
    harness.player().setTracks(tracksOf(c.songs));
    harness.player().setPlaylist({});

    if (c.check == Check::SongStarts) {
        // Another menu built first leaves the library's menus current.
        harness.openSubmenu(harness.openTargetPopup(), "Plain");
        harness.loop().closeAll();
        EXPECT_EQ(test::itemTexts(harness.openSubmenu(harness.openTargetPopup(), "Library")),
                  Texts{"Unknown"});
        harness.loop().closeAll();
        harness.player().setPlaylist({harness.player().entryFor(c.songs.front().file)}, 0);
        test::sendCommand(HOST_CMD_PLAY);
        const HMENU root = harness.openSubmenu(harness.openTargetPopup(), "Library");
        EXPECT_EQ(test::itemTexts(root), c.expected);
        harness.loop().closeAll();
        return;
    }

    HMENU menu = harness.openSubmenu(harness.openTargetPopup(), "Library");
    for (std::size_t i = 0; i + 1 < c.path.size(); ++i) {
        ASSERT_GE(test::positionOf(menu, c.path[i]), 0)
            << ::testing::PrintToString(test::itemTexts(menu));
        menu = harness.openSubmenu(menu, c.path[i]);
    }
    const int position = test::positionOf(menu, c.path.back());
    ASSERT_GE(position, 0) << ::testing::PrintToString(test::itemTexts(menu));
    if (c.check == Check::Open) {
        EXPECT_EQ(test::itemTexts(harness.loop().openSubmenu(menu, position)), c.expected);
    } else {
        harness.loop().select(menu, position);
        harness.loop().leftClick();
        EXPECT_EQ(enqueued(harness.player()), c.expected);
    }
    harness.loop().closeAll();
    EXPECT_EQ(harness.player().liveQueryResults(), 0);
}

const ItemCase kCases[] = {
    {"QuotesInATagAreAValue",
     {{"C:\\tom.mp3", "Tom \"Bones\" Malone"}, {"C:\\abba.mp3", "Abba"}},
     {L::Artist, L::Title},
     nullptr,
     {"Tom \"Bones\" Malone"},
     Check::Click,
     {"C:\\tom.mp3"}},
    {"QuotesInATagNeverShapeTheQuery",
     {{"C:\\x.mp3", "x\" OR artist != \""}, {"C:\\abba.mp3", "Abba"}, {"C:\\cher.mp3", "Cher"}},
     {L::Artist, L::Title},
     nullptr,
     {"x\" OR artist != \""},
     Check::Click,
     {"C:\\x.mp3"}},
    {"OneTitleOnTwoAlbumsIsTwoLeaves",
     {{"C:\\a1.mp3", "Ives", "A", "Intro", 1}, {"C:\\b5.mp3", "Ives", "B", "Intro", 5}},
     {L::Artist, L::Title},
     nullptr,
     {"Ives", "  1. Intro"},
     Check::Click,
     {"C:\\a1.mp3"}},
    {"AGenreStoredWithTheHoldsBothSpellings",
     {{"C:\\t1.mp3", "Son House", "A", "T", 1, 1930, "The Blues"},
      {"C:\\t2.mp3", "Ma Rainey", "A", "T", 1, 1930, "The Blues"},
      {"C:\\t3.mp3", "Bo Carter", "A", "T", 1, 1930, "The Blues"},
      {"C:\\b1.mp3", "Elmore James", "A", "T", 1, 1960, "Blues"},
      {"C:\\b2.mp3", "Otis Rush", "A", "T", 1, 1960, "Blues"}},
     {L::Genre, L::Artist},
     nullptr,
     {"The Blues"},
     Check::Click,
     {"C:\\t3.mp3", "C:\\b1.mp3", "C:\\t2.mp3", "C:\\b2.mp3", "C:\\t1.mp3"}},
    {"AGenreUnderItsInitialListsItsOwnArtists",
     {{"C:\\t1.mp3", "Son House", "A", "T", 1, 1930, "The Blues"},
      {"C:\\t2.mp3", "Ma Rainey", "A", "T", 1, 1930, "The Blues"},
      {"C:\\b1.mp3", "Elmore James", "A", "T", 1, 1960, "Blues"},
      {"C:\\b2.mp3", "Otis Rush", "A", "T", 1, 1960, "Blues"}},
     {L::FirstLetter, L::Genre, L::Artist},
     nullptr,
     {"T", "The Blues"},
     Check::Open,
     {"Ma Rainey", "Son House"}},
    {"ASlashInTheFirstOfTwoValues",
     {{"C:\\acdc1.mp3", "AC/DC", "Back in Black", "Hells Bells", 1},
      {"C:\\acdc2.mp3", "AC/DC", "Back in Black", "Shoot to Thrill", 2},
      {"C:\\ac.mp3", "AC", "Other", "Song", 1}},
     {L::ArtistAlbum, L::Title},
     nullptr,
     {"AC/DC/Back in Black"},
     Check::Click,
     {"C:\\acdc1.mp3", "C:\\acdc2.mp3"}},
    {"ARangeAboveAFirstLetter",
     {{"C:\\4.mp3", "4 Non Blondes"},
      {"C:\\a.mp3", "Abba"},
      {"C:\\b.mp3", "Blur"},
      {"C:\\c.mp3", "Cher"},
      {"C:\\d.mp3", "Doors"},
      {"C:\\e.mp3", "Eagles"},
      {"C:\\f.mp3", "Faces"},
      {"C:\\g.mp3", "Genesis"},
      {"C:\\h.mp3", "Heart"},
      {"C:\\i.mp3", "INXS"},
      {"C:\\j.mp3", "Journey"},
      {"C:\\k.mp3", "Kansas"}},
     {L::Range, L::FirstLetter, L::Artist},
     nullptr,
     {"4 -> D"},
     Check::Click,
     {"C:\\4.mp3", "C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3", "C:\\d.mp3"}},
    {"ARangeWhoseBoundsHoldArrows",
     {{"C:\\ab.mp3", "A -> B"}, {"C:\\cd.mp3", "C -> D"}, {"C:\\e.mp3", "E"}},
     {L::Range, L::Artist},
     [](MenuDefinition&) { model().options.maxRangeChars = 0; },
     {"A -> B -> E"},
     Check::Click,
     {"C:\\ab.mp3", "C:\\cd.mp3", "C:\\e.mp3"}},
    {"TheXAndXInsideOneAlbumLabel",
     {{"C:\\then.mp3", "Ives", "Then", "A", 1, 1999},
      {"C:\\thethen.mp3", "Ives", "The Then", "B", 1, 1999}},
     {L::Artist, L::Album, L::Title},
     nullptr,
     {"Ives", "(1999) The Then"},
     Check::Click,
     {"C:\\thethen.mp3"}},
    {"ABlankYearIsAYearOfItsOwn",
     {{"C:\\h0.mp3", "Ives", "Hits", "A", 1, 0}, {"C:\\h90.mp3", "Ives", "Hits", "B", 1, 1990}},
     {L::Artist, L::Album, L::Title},
     nullptr,
     {"Ives", "(        ) Hits"},
     Check::Click,
     {"C:\\h0.mp3"}},
    {"LeadingSpacesAreTheSameName",
     {{"C:\\s.mp3", "  Abba", "A", "One"},
      {"C:\\a1.mp3", "Abba", "A", "Two"},
      {"C:\\a2.mp3", "Abba", "A", "Three"}},
     {L::Artist, L::Title},
     nullptr,
     {"Abba"},
     Check::Click,
     {"C:\\s.mp3", "C:\\a2.mp3", "C:\\a1.mp3"}},
    {"DoubleSpacesAfterTheAreTheSameName",
     {{"C:\\w1.mp3", "The  Who", "A", "Tommy"},
      {"C:\\w2.mp3", "The Who", "A", "Boris"},
      {"C:\\w3.mp3", "The Who", "A", "Kids"}},
     {L::Artist, L::Title},
     nullptr,
     {"The Who"},
     Check::Open,
     {"  1. Boris", "  1. Kids", "  1. Tommy"}},
    {"AValueLongerThanAReadBackPlays",
     {{"C:\\long.mp3", kLongName.c_str(), "A", "Overture"}, {"C:\\abba.mp3", "Abba"}},
     {L::Artist, L::Title},
     nullptr,
     {kLongName},
     Check::Click,
     {"C:\\long.mp3"}},
    {"AValueLongerThanAReadBackOpens",
     {{"C:\\long.mp3", kLongName.c_str(), "A", "Overture"}, {"C:\\abba.mp3", "Abba"}},
     {L::Artist, L::Title},
     nullptr,
     {kLongName},
     Check::Open,
     {"  1. Overture"}},
    {"ASongMenuOpenedWithNoSongFollowsTheNextOne",
     {{"C:\\ives1.mp3", "Ives", "A", "Alpha"},
      {"C:\\ives2.mp3", "Ives", "A", "Beta"},
      {"C:\\abba.mp3", "Abba"}},
     {L::Title},
     [](MenuDefinition& d) { copyText(d.query, "artist == \"%artist\""); },
     {},
     Check::SongStarts,
     {"Ives", "-", "  1. Alpha", "  1. Beta"}},
};

INSTANTIATE_TEST_SUITE_P(HostileTags, ClickedItems, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ItemCase>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
} // namespace tg
