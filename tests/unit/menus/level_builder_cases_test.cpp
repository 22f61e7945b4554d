// The level builder on small libraries made for one rule each: grouping,
// leaves, ranges, the caption, the check mark of the current song, "MORE"
// continuations, eager filling and bad input.
#include "menus/level_builder.h"
#include "menus/track_level.h"
#include "model/model_state.h"
#include "model/text.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "player/library_generator.h"
#include "player/player.h"
#include "support/level_menus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tg {
namespace {

using player::Track;

struct Song {
    const char* artist;
    const char* album = "Album";
    const char* title = "Title";
    int trackNumber = 1;
    int year = 2000;
    int length = 100;
};

// File names are made from the position: C:\m\0.mp3, C:\m\1.mp3, ...
std::string fileOf(int index) {
    return "C:\\m\\" + std::to_string(index) + ".mp3";
}

void useLibrary(const std::vector<Song>& songs) {
    std::vector<Track> tracks;
    for (std::size_t i = 0; i < songs.size(); ++i) {
        Track t;
        t.filename = fileOf(static_cast<int>(i));
        if (songs[i].artist) t.artist = songs[i].artist;
        if (songs[i].album) t.album = songs[i].album;
        if (songs[i].title) t.title = songs[i].title;
        t.trackNumber = songs[i].trackNumber;
        t.year = songs[i].year;
        t.length = songs[i].length;
        tracks.push_back(std::move(t));
    }
    player::player().setTracks(std::move(tracks));
}

std::vector<std::string> labels(HMENU menu, int from = 0) {
    std::vector<std::string> out;
    for (const test::LevelItem& item : test::levelItems(menu, from))
        out.push_back(test::labelPart(item.text));
    return out;
}

class LevelBuilder : public testing::Test {
protected:
    void SetUp() override {
        model().options.loadAllMenus = 0;
        menusBefore = platform::sim::liveMenuCount();
        root = platform::createPopupMenu();
    }
    void TearDown() override {
        EXPECT_EQ(player::player().liveQueryResults(), 0);
        EXPECT_EQ(player::player().liveFileInfoRecords(), 0);
        for (int n = platform::getMenuItemCount(root); n > 0; --n)
            platform::deleteMenu(root, static_cast<UINT>(n - 1), MF_BYPOSITION);
        platform::destroyMenu(root);
        EXPECT_EQ(platform::sim::liveMenuCount(), menusBefore) << "menus left behind";
    }

    MenuDefinition definitionOf(std::vector<LevelType> levels) {
        MenuDefinition d = test::libraryDefinition(std::move(levels));
        d.timeDisplay = 0;
        d.popupMenu = root;
        return d;
    }
    void open(MenuDefinition& d) { test::openPopup(root, d, path, true); }

    test::PlayerConnection connection;
    int menusBefore = 0;
    HMENU root = nullptr;
    std::vector<LevelSelection> path;
};

TEST_F(LevelBuilder, NamesDifferingInCaseOrALeadingTheMakeOneItemHoldingAllTheirTracks) {
    useLibrary({{"The Beatles", "A", "Help"},
                {"Abba", "A", "Waterloo"},
                {nullptr, "A", "Nameless"},
                {"beatles", "A", "Yesterday"},
                {"The ", "A", "Blank"}});
    for (const int eager : {0, 1}) {
        SCOPED_TRACE(eager ? "eager" : "lazy");
        model().options.loadAllMenus = eager;
        MenuDefinition d = definitionOf({LevelType::Artist, LevelType::Title});
        open(d);
        const std::vector<test::LevelItem> items = test::levelItems(root);
        ASSERT_EQ(items.size(), 2u);
        EXPECT_EQ(items[0].text, "Abba");
        EXPECT_TRUE(items[1].text == "The Beatles" || items[1].text == "beatles") << items[1].text;
        const HMENU beatles = test::openItem(root, 1, d, path);
        EXPECT_EQ(labels(beatles), (std::vector<std::string>{"  1. Help", "  1. Yesterday"}));
        test::closePopup(path);
        test::closePopup(path);
        platform::deleteMenu(root, 1, MF_BYPOSITION);
        platform::deleteMenu(root, 0, MF_BYPOSITION);
    }
}

TEST_F(LevelBuilder, TitleLeavesSplitByTrackNumberOnlyWhenNumbersAreShown) {
    struct Case {
        bool showTrackNumbers;
        std::vector<Song> songs;
        std::vector<std::string> leaves;
    };
    const std::vector<Case> cases = {
        {false, {{"X", "A", "Song", 1}, {"X", "A", "Song", 2}}, {"Song"}},
        {true, {{"X", "A", "Song", 1}, {"X", "A", "Song", 2}}, {"  1. Song", "  2. Song"}},
        {true, {{"X", "A", "Song", 0}, {"X", "A", "song", -3}}, {"     Song"}},
        // Numbers in their own order, not as text.
        {true,
         {{"X", "A", "B", 10}, {"X", "A", "A", 2}, {"X", "A", "C", 1000}},
         {"  2. A", " 10. B", "1000. C"}},
        {false, {{"X", "A", "b"}, {"X", "A", "The A"}, {"X", "A", "c"}}, {"The A", "b", "c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.leaves.front());
        useLibrary(c.songs);
        MenuDefinition d = definitionOf({LevelType::Title});
        d.showTrackNumbers = c.showTrackNumbers;
        open(d);
        const std::vector<test::LevelItem> items = test::levelItems(root);
        EXPECT_EQ(labels(root), c.leaves);
        for (const test::LevelItem& leaf : items) {
            EXPECT_EQ(leaf.submenu, nullptr);
            EXPECT_EQ(leaf.flags & (MF_DISABLED | MF_GRAYED), MF_DISABLED);
            EXPECT_NE(leaf.flags & MF_USECHECKBITMAPS, 0u);
            EXPECT_EQ(leaf.id, static_cast<UINT>(leaf.position));
        }
        test::closePopup(path);
        while (platform::getMenuItemCount(root) > 0) platform::deleteMenu(root, 0, MF_BYPOSITION);
    }
}

TEST_F(LevelBuilder, RangeItemsCoverEveryValueWithBoundsCutToWhatTellsThemApart) {
    struct Case {
        const char* name;
        std::vector<Song> songs;
        LevelType following;
        std::vector<std::string> ranges;
    };
    const std::vector<Case> cases = {
        {"one value", {{"Queen"}, {"Queen"}, {"queen"}}, LevelType::Artist, {"Q -> Qu"}},
        {"two values", {{"Abba"}, {"Blur"}}, LevelType::Artist, {"A -> B"}},
        {"worked example",
         {{"Abba"}, {"Beatles"}, {"Beck"}, {"Blur"}, {"Cher"}, {"Doors"}},
         LevelType::Artist,
         {"A -> B", "C -> D"}},
        // Records without a label sort last; the range before them still closes.
        {"trailing records without a label",
         {{"Abba"}, {"Beatles"}, {"Beck"}, {"Blur"}, {"Cher"}, {"Doors"}, {nullptr}, {"The "}},
         LevelType::Artist,
         {"A -> B", "C -> D"}},
        {"years stay whole",
         {{"a", "x", "t", 1, 1971}, {"a", "x", "t", 1, 1985}, {"a", "x", "t", 1, 2003}},
         LevelType::Year,
         {"1971 -> 2003"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useLibrary(c.songs);
        MenuDefinition d = definitionOf({LevelType::Range, c.following});
        open(d);
        EXPECT_EQ(labels(root), c.ranges);
        test::closePopup(path);
        while (platform::getMenuItemCount(root) > 0) platform::deleteMenu(root, 0, MF_BYPOSITION);
    }
}

TEST_F(LevelBuilder, PlayTimesAppearOnTheLevelsTheDefinitionAsksFor) {
    // The library gives -1 for a length it does not know: it adds nothing.
    useLibrary({{"X", "A", "Song", 1, 2000, 59},
                {"X", "A", "Other", 2, 2000, 3541},
                {"X", "A", "Unknown", 3, 2000, -1}});
    struct Case {
        int timeDisplay;
        bool onArtists;
        bool onTitles;
    };
    for (const Case& c : {Case{0, false, false}, Case{1, true, true}, Case{2, false, true}}) {
        SCOPED_TRACE(c.timeDisplay);
        MenuDefinition d = definitionOf({LevelType::Artist, LevelType::Title});
        d.timeDisplay = c.timeDisplay;
        open(d);
        EXPECT_EQ(test::levelItems(root).at(0).text,
                  c.onArtists ? "X\t" + test::durationText(3600) : "X");
        const HMENU titles = test::openItem(root, 0, d, path);
        EXPECT_EQ(test::levelItems(titles).at(0).text,
                  c.onTitles ? "  1. Song\t" + test::durationText(59) : "  1. Song");
        test::closePopup(path);
        test::closePopup(path);
        platform::deleteMenu(root, 0, MF_BYPOSITION);
    }
}

TEST_F(LevelBuilder, AmpersandsOfOutsideTextAreDoubled) {
    // The track without an artist shows nowhere; with it the library holds the
    // two records a player needs to show its record layout.
    useLibrary({{"Simon & Garfunkel", "A&&B", "Song"}, {nullptr}});
    MenuDefinition d = definitionOf({LevelType::Artist, LevelType::Album});
    d.addYearToAlbums = false;
    open(d);
    EXPECT_EQ(labels(root), std::vector<std::string>{"Simon && Garfunkel"});
    const HMENU albums = test::openItem(root, 0, d, path);
    EXPECT_STREQ(path[0].value, "Simon & Garfunkel");
    EXPECT_EQ(labels(albums), std::vector<std::string>{"A&&&&B"});
    test::closePopup(path);
    test::closePopup(path);
}

TEST_F(LevelBuilder, OverlongNamesAreCutInsideTheirLabelsShownWholeAndStillFoundAgain) {
    const std::string name = "The " + std::string(300, '&') + std::string(400, 'z');
    useLibrary({{name.c_str(), "A", "Song"}, {"Abba", "A", "Song"}});
    test::setNowPlaying(fileOf(0).c_str());
    for (const bool range : {false, true}) {
        SCOPED_TRACE(range ? "range" : "artist");
        MenuDefinition d = range ? definitionOf({LevelType::Range, LevelType::Artist})
                                 : definitionOf({LevelType::Artist});
        d.timeDisplay = 1;
        open(d);
        // "&" sorts before letters: the long name comes first.
        const std::vector<test::LevelItem> items = test::levelItems(root);
        ASSERT_EQ(items.size(), range ? 1u : 2u);
        // The label is cut to its buffer; its escapes and play time are not
        // cut from it, so the label reads back whole.
        const std::string label = test::itemLabelText(items.front().text);
        EXPECT_EQ(label, range ? "& -> A" : "The " + std::string(300, '&') + std::string(207, 'z'));
        EXPECT_EQ(test::labelPart(items.front().text).size(), range ? 7u : 811u);
        EXPECT_NE(items.front().flags & MF_CHECKED, 0u);
        test::closePopup(path);
        EXPECT_TRUE(test::checkedItems(root).empty());
        open(d); // built: the search alone must find it again
        EXPECT_NE(test::levelItems(root).front().flags & MF_CHECKED, 0u);
        test::closePopup(path);
        while (platform::getMenuItemCount(root) > 0) platform::deleteMenu(root, 0, MF_BYPOSITION);
    }
}

TEST_F(LevelBuilder, TheCurrentSongIsCheckedInItsOwnItemOnlyAndItsPathRecordNamesIt) {
    useLibrary({{"Abba", "Gold"}, {"Blur", "Parklife"}, {"Blur", "Leisure"}, {"Cher", "Believe"}});
    model().options.loadAllMenus = 1;
    MenuDefinition d = definitionOf({LevelType::Artist, LevelType::Album, LevelType::Title});
    d.firstBuiltItem = 0;
    test::setNowPlaying(fileOf(2).c_str());
    open(d);
    // Built ahead, the deeper levels wait for their own opening to be marked.
    ASSERT_EQ(test::checkedItems(root).size(), 1u);
    EXPECT_NE(test::levelItems(root)[1].flags & MF_CHECKED, 0u);
    EXPECT_EQ(path[0].checkedMenu, root);
    EXPECT_EQ(path[0].checkedPosition, 1);

    const HMENU albums = test::openItem(root, 1, d, path);
    EXPECT_EQ(labels(albums), (std::vector<std::string>{"(2000) Leisure", "(2000) Parklife"}));
    EXPECT_EQ(path[1].checkedMenu, albums);
    EXPECT_EQ(path[1].checkedPosition, 0);
    EXPECT_EQ(test::checkedItems(root).size(), 2u);
    const HMENU titles = test::openItem(albums, 0, d, path);
    EXPECT_EQ(path[2].checkedMenu, titles);
    test::closePopup(path);
    // An item without the mark opens its submenu without looking for the song.
    test::openItem(albums, 1, d, path);
    EXPECT_EQ(path[2].checkedMenu, nullptr);
    test::closePopup(path);
    test::closePopup(path);
    test::closePopup(path);
    EXPECT_TRUE(test::checkedItems(root).empty());

    test::setNowPlaying(nullptr);
    open(d);
    EXPECT_TRUE(test::checkedItems(root).empty());
    EXPECT_EQ(path[0].checkedMenu, nullptr);
}

TEST_F(LevelBuilder, ACaptionAndSeparatorStandBeforeTheItemsOfARootPopup) {
    useLibrary({{"Queen", "A", "One"}, {"Queen", "A", "Two"}, {"Abba", "A", "Three"}});
    // Three items of the host's before the plug-in's own.
    for (const char* host : {"Play", "Stop", "Next"})
        platform::appendMenu(root, MF_STRING, 1, host);
    MenuDefinition d = definitionOf({LevelType::Title});
    d.firstBuiltItem = 3;
    copyText(d.query, "artist == \"%artist\"");
    player::player().setPlaylist({player::player().entryFor(fileOf(0))}, 0);
    test::setNowPlaying(fileOf(1).c_str());
    open(d);
    const std::vector<platform::sim::MenuItemView> items = platform::sim::menuItems(root);
    ASSERT_EQ(items.size(), 7u);
    EXPECT_EQ(items[3].text, "Queen");
    EXPECT_EQ(items[3].flags & (MF_DISABLED | MF_GRAYED), MF_DISABLED);
    EXPECT_EQ(items[3].id, 3u);
    EXPECT_NE(items[4].flags & MF_SEPARATOR, 0u);
    EXPECT_EQ(items[5].text, "  1. One");
    EXPECT_EQ(items[5].id, 5u);
    EXPECT_EQ(path[0].checkedPosition, 6);
    test::closePopup(path);

    // No song current: the caption says so and stands alone.
    for (int n = 6; n >= 3; --n) platform::deleteMenu(root, static_cast<UINT>(n), MF_BYPOSITION);
    player::player().setPlaylist({}, -1);
    open(d);
    ASSERT_EQ(platform::getMenuItemCount(root), 4);
    EXPECT_EQ(platform::sim::menuItems(root)[3].text, "Unknown");
    test::closePopup(path);
}

TEST_F(LevelBuilder, TheSearchOfABuiltPopupSkipsItsCaptionLine) {
    // As built for a caption "Beck": the song by Beck is not among the items,
    // and the caption must not take its mark.
    useLibrary({{"Beck", "A", "One"}});
    platform::appendMenu(root, MF_STRING | MF_DISABLED, 0, "Beck");
    platform::appendMenu(root, MF_SEPARATOR, 0, nullptr);
    for (const char* artist : {"Cher", "Doors", "Eels"})
        platform::appendMenu(root, MF_POPUP | MF_USECHECKBITMAPS,
                             reinterpret_cast<UINT_PTR>(platform::createPopupMenu()), artist);
    MenuDefinition d = definitionOf({LevelType::Artist, LevelType::Title});
    test::setNowPlaying(fileOf(0).c_str());
    open(d);
    EXPECT_TRUE(test::checkedItems(root).empty());
    EXPECT_EQ(path[0].checkedMenu, nullptr);
}

TEST_F(LevelBuilder, TheSongIsFoundAgainBehindEveryMoreLink) {
    // Two rows, one column: each menu holds one item and then "MORE".
    model().options.rowsPerColumn = 2;
    model().options.columnCount = 1;
    model().options.moreColumnCount = 1;
    useLibrary({{"A"}, {"B"}, {"C"}, {"D"}, {"E"}, {"F"}, {"G"}});
    MenuDefinition d = definitionOf({LevelType::Artist, LevelType::Title});
    for (int song = 0; song < 7; ++song) {
        SCOPED_TRACE(song);
        test::setNowPlaying(fileOf(song).c_str());
        open(d);
        const std::vector<test::LevelItem> items = test::levelItems(root);
        ASSERT_EQ(items.size(), 7u);
        const HMENU builtMenu = path[0].checkedMenu;
        const int builtPosition = path[0].checkedPosition;
        EXPECT_EQ(builtMenu, items[static_cast<std::size_t>(song)].menu);
        EXPECT_EQ(builtPosition, items[static_cast<std::size_t>(song)].position);
        test::closePopup(path);
        EXPECT_TRUE(test::checkedItems(root).empty());

        open(d);
        EXPECT_EQ(path[0].checkedMenu, builtMenu);
        EXPECT_EQ(path[0].checkedPosition, builtPosition);
        EXPECT_EQ(test::checkedItems(root).size(), 1u);
        test::closePopup(path);
        while (platform::getMenuItemCount(root) > 0) platform::deleteMenu(root, 0, MF_BYPOSITION);
    }
}

TEST_F(LevelBuilder, ReopeningABuiltPopupMovesTheMarkWithoutRebuilding) {
    useLibrary({{"Abba"}, {"Blur"}, {"Cher"}});
    MenuDefinition d = definitionOf({LevelType::Artist, LevelType::Title});
    test::setNowPlaying(fileOf(0).c_str());
    open(d);
    const std::vector<platform::sim::MenuItemView> before = platform::sim::menuItems(root);
    test::closePopup(path);

    test::setNowPlaying(fileOf(2).c_str());
    open(d);
    const std::vector<platform::sim::MenuItemView> after = platform::sim::menuItems(root);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].submenu, before[i].submenu);
        EXPECT_EQ(after[i].text, before[i].text);
        EXPECT_EQ((after[i].flags & MF_CHECKED) != 0, i == 2);
    }
    ASSERT_EQ(path.size(), 1u);
    EXPECT_EQ(path[0].kind, LevelType::Artist);
}

TEST_F(LevelBuilder, NumbersAreSearchedAsNumbers) {
    // As text "10" sorts before "2": a text search would miss both. A year or
    // track number of 0 and below is not known (the library's file
    // information says -1): one item "0" holds them all and finds the song.
    useLibrary({{"X", "A", "T", 2},
                {"X", "A", "T", 10},
                {"X", "A", "T", 1},
                {"X", "A", "T", 3},
                {"X", "A", "T", 0, 0},
                {"X", "A", "U", -1, -1}});
    const struct {
        LevelType level;
        int song;
        const char* label;
        std::vector<std::string> labels;
    } cases[] = {
        {LevelType::TrackNumber, 0, "2", {"0", "1", "2", "3", "10"}},
        {LevelType::TrackNumber, 1, "10", {"0", "1", "2", "3", "10"}},
        {LevelType::TrackNumber, 4, "0", {"0", "1", "2", "3", "10"}},
        {LevelType::TrackNumber, 5, "0", {"0", "1", "2", "3", "10"}},
        {LevelType::Year, 5, "0", {"0", "2000"}},
        {LevelType::Year, 0, "2000", {"0", "2000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << levelName(c.level) << " " << c.song);
        MenuDefinition d = definitionOf({c.level, LevelType::Title});
        d.showTrackNumbers = 0;
        test::setNowPlaying(fileOf(c.song).c_str());
        open(d);
        EXPECT_EQ(labels(root), c.labels);
        const int built = path[0].checkedPosition;
        EXPECT_EQ(
            test::labelPart(platform::sim::menuItems(root)[static_cast<std::size_t>(built)].text),
            c.label);
        test::closePopup(path);
        open(d);
        EXPECT_EQ(path[0].checkedPosition, built);
        // The unknown numbers' item lists every track they hold.
        EXPECT_EQ(labels(test::openItem(root, 0, d, path)), (std::vector<std::string>{"T", "U"}));
        test::closePopup(path);
        test::closePopup(path);
        while (platform::getMenuItemCount(root) > 0) platform::deleteMenu(root, 0, MF_BYPOSITION);
    }
}

TEST_F(LevelBuilder, RawPlaylistRangesAndEntriesAreSearchedByEntryNumber) {
    std::vector<player::PlaylistEntry> entries(100);
    for (std::size_t i = 0; i < entries.size(); ++i) entries[i].file = fileOf(static_cast<int>(i));
    MenuDefinition d = definitionOf({});
    applySourceDefaults(d, SourceType::PlaylistRaw);
    // The ranges of a playlist of 100 entries, and the entries of the second.
    const char* ranges[] = {"1 -> 11",  "12 -> 22", "23 -> 33", "34 -> 44", "45 -> 55",
                            "56 -> 66", "67 -> 77", "78 -> 88", "89 -> 100"};
    for (const char* range : ranges)
        platform::appendMenu(root, MF_POPUP | MF_USECHECKBITMAPS,
                             reinterpret_cast<UINT_PTR>(platform::createPopupMenu()), range);
    const HMENU second = platform::getSubMenu(root, 1);
    for (int n = 12; n <= 22; ++n)
        platform::appendMenu(second, MF_STRING | MF_USECHECKBITMAPS, 0,
                             (std::to_string(n) + ". Song\t[1:00]").c_str());
    struct Case {
        int current;
        int range; // -1: none checked
        int entry; // in the second range, -1: none
    };
    test::setNowPlaying(fileOf(0).c_str());
    for (const Case& c :
         {Case{0, 0, -1}, Case{10, 0, -1}, Case{11, 1, 0}, Case{21, 1, 10}, Case{15, 1, 4},
          Case{87, 7, -1}, Case{88, 8, -1}, Case{99, 8, -1}, Case{-1, -1, -1}}) {
        SCOPED_TRACE(c.current);
        player::player().setPlaylist(entries, c.current);
        open(d);
        EXPECT_EQ(path[0].checkedMenu, c.range >= 0 ? root : nullptr);
        EXPECT_EQ(path[0].checkedPosition, c.range >= 0 ? c.range : 0);
        if (c.range == 1) {
            test::openItem(root, 1, d, path);
            EXPECT_EQ(path[1].checkedMenu, c.entry >= 0 ? second : nullptr);
            EXPECT_EQ(path[1].checkedPosition, c.entry >= 0 ? c.entry : 0);
            test::closePopup(path);
        }
        test::closePopup(path);
        EXPECT_TRUE(test::checkedItems(root).empty());
    }
}

TEST_F(LevelBuilder, SubmenusAreFilledAheadOnlyUpToTenThousandRecords) {
    model().options.loadAllMenus = 1;
    MenuDefinition d = definitionOf({LevelType::Artist, LevelType::Album, LevelType::Title});
    for (const std::size_t size : {std::size_t{10000}, std::size_t{10001}}) {
        SCOPED_TRACE(size);
        player::player().setTracks(player::generateLibrary(size, 7));
        open(d);
        const std::vector<test::LevelItem> artists = test::levelItems(root);
        ASSERT_GT(artists.size(), 10u);
        const bool ahead = size <= 10000;
        int filled = 0;
        for (const test::LevelItem& artist : artists) {
            if (platform::getMenuItemCount(artist.submenu) > 0) {
                ++filled;
                continue;
            }
            if (!ahead) continue;
            // Left empty ahead only when there is nothing to show: opening
            // it finds nothing either.
            test::openItem(artist.menu, artist.position, d, path);
            EXPECT_EQ(platform::getMenuItemCount(artist.submenu), 0) << artist.text;
            test::closePopup(path);
        }
        if (ahead)
            EXPECT_GT(filled, static_cast<int>(artists.size()) * 9 / 10);
        else
            EXPECT_EQ(filled, 0);
        if (!ahead) {
            // One artist's records are few: its albums are filled with their titles.
            const HMENU albums = test::openItem(artists[0].menu, artists[0].position, d, path);
            const std::vector<test::LevelItem> items = test::levelItems(albums);
            ASSERT_FALSE(items.empty());
            for (const test::LevelItem& album : items)
                EXPECT_GT(platform::getMenuItemCount(album.submenu), 0);
            test::closePopup(path);
        }
        test::closePopup(path);
        while (platform::getMenuItemCount(root) > 0)
            platform::deleteMenu(root, static_cast<UINT>(platform::getMenuItemCount(root) - 1),
                                 MF_BYPOSITION);
    }
}

TEST_F(LevelBuilder, BadArgumentsBuildNothing) {
    useLibrary({{"Abba"}});
    MenuDefinition d = definitionOf({LevelType::Artist});
    TrackRecord record{};
    char artist[] = "Abba";
    record.artist = artist;
    fillLevelMenu(root, d, path, 0, nullptr, 0, 0, 0, nullptr);
    fillLevelMenu(root, d, path, 0, &record, 1, 0, 0, nullptr);
    fillLevelMenu(root, d, path, -1, &record, 0, 0, 0, nullptr);
    fillLevelMenu(nullptr, d, path, 0, &record, 0, 0, 0, nullptr);
    buildTrackLevel(d, 2, root, path, nullptr); // no records for the levels above
    buildTrackLevel(d, -1, root, path, nullptr);
    EXPECT_EQ(platform::getMenuItemCount(root), 0);

    // A popup of another source only gets its path record.
    MenuDefinition folders = definitionOf({});
    applySourceDefaults(folders, SourceType::Directory);
    test::setNowPlaying(fileOf(0).c_str());
    prepareBuiltPopup(root, folders, path, nowPlayingText(), true);
    ASSERT_EQ(path.size(), 1u);
    EXPECT_EQ(path[0].kind, LevelType::PastLastLevel);
    EXPECT_EQ(path[0].checkedMenu, nullptr);
}

} // namespace
} // namespace tg
