// What a menu shows is what a click plays, for generated libraries full of
// hostile tags and level layouts of up to four levels: the tree built by
// opening every submenu is the tree built at once, and a click on any item
// hands over exactly the tracks grouped under it, in the order of the levels
// from the item's own. Which tracks the items of a level group is read from
// the tree built at once with a File Name level right below it (below the
// level whose value it shows, for a First Letter or Range): one leaf a track.
//
// The run takes every layout of one and two levels and a fixed sample of
// three and four over libraries of 40 tracks; TG_ITEM_TRACKS_LAYOUTS=all takes
// every layout of up to four over each of the libraries, of 60 tracks. The
// libraries are ASCII for an old player and Unicode for a current one, whose
// wide calls carry every text whole.
#include "actions/source_dispatch.h"
#include "menus/multi_level_order.h"
#include "model/model_state.h"
#include "platform/menu.h"
#include "player/hostile_library.h"
#include "player/player.h"
#include "plugin/item_value.h"
#include "plugin/wide_calls.h"
#include "support/level_menus.h"
#include "support/player_support.h"
#include "support/track_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace tg {
namespace {

using L = LevelType;

struct Options {
    bool numbers;
    bool years;
    int yearPosition;
    int timeDisplay;
    int maxRangeChars;
    int rows;
    int columns;
};

constexpr Options kOptions[] = {
    {true, true, 0, 1, 2, 35, 4},
    {false, true, 1, 0, 0, 4, 2},
    {true, false, 0, 2, 1, 6, 1},
    {false, true, 0, 0, 2, 3, 1},
};

bool showsFollowing(L kind) {
    return kind == L::Range || kind == L::FirstLetter;
}

// The level whose value a level shows: itself, or for a First Letter or Range
// the first level after it that is neither; -1 when there is none (the level
// then shows nothing).
int valueLevel(const std::vector<L>& levels, std::size_t level) {
    while (level < levels.size() && showsFollowing(levels[level])) ++level;
    return level < levels.size() ? static_cast<int>(level) : -1;
}

// The layout that tells which tracks the items of the levels down to last
// group: those levels, then one leaf per track.
std::vector<L> withFileLeaves(const std::vector<L>& levels, int last) {
    std::vector<L> out(levels.begin(), levels.begin() + last + 1);
    out.push_back(L::Filename);
    return out;
}

// The menu reached from root by these item indices.
HMENU nodeAt(HMENU root, const std::vector<std::size_t>& indices) {
    HMENU menu = root;
    for (const std::size_t i : indices) {
        const std::vector<test::LevelItem> items = test::levelItems(menu);
        if (menu == nullptr || i >= items.size()) return nullptr;
        menu = items[i].submenu;
    }
    return menu;
}

struct Tally {
    int libraries = 0;
    long long layouts = 0;
    long long items = 0;
    long long lazyDifferent = 0;
    long long clicksWrong = 0;
    long long ordersWrong = 0;
    std::vector<std::string> examples;
    void note(const std::string& what) {
        if (examples.size() < 12) examples.push_back(what);
    }
};

std::string layoutName(const std::vector<L>& levels) {
    std::string name;
    for (const L kind : levels) name += (name.empty() ? "" : ", ") + std::string(levelName(kind));
    return name;
}

// The files under an item of a tree with File Name leaves, sorted.
void leafFiles(HMENU menu, std::vector<std::string>& out) {
    for (const test::LevelItem& item : test::levelItems(menu)) {
        if (item.submenu != nullptr)
            leafFiles(item.submenu, out);
        else
            out.push_back(test::itemLabelText(item.text));
    }
}

class Checker {
public:
    Checker(const std::vector<player::Track>& tracks, Tally& tally) : tally_(tally) {
        for (const player::Track& t : tracks) {
            records_.push_back(store_.make(test::valuesOf(t)));
            byFile_[*t.filename] = records_.back();
        }
    }

    void check(const std::vector<L>& levels, const Options& o) {
        ++tally_.layouts;
        model().options.rowsPerColumn = o.rows;
        model().options.columnCount = o.columns;
        model().options.moreColumnCount = o.columns;
        model().options.maxRangeChars = o.maxRangeChars;
        definition_ = test::libraryDefinition(levels);
        definition_.showTrackNumbers = o.numbers;
        definition_.addYearToAlbums = o.years;
        definition_.yearPosition = o.yearPosition;
        definition_.timeDisplay = o.timeDisplay;
        layout_ = layoutName(levels);

        const std::vector<std::string> eager = tree(definition_, true);
        const std::vector<std::string> lazy = tree(definition_, false);
        if (eager != lazy) {
            ++tally_.lazyDifferent;
            tally_.note("lazy tree differs: " + layout_);
        }

        levels_ = levels;
        oracles_.assign(levels.size(), nullptr);
        model().options.loadAllMenus = 1;
        for (std::size_t k = 0; k < levels.size(); ++k) {
            const int last = valueLevel(levels, k);
            if (last < 0 || oracles_[static_cast<std::size_t>(last)] != nullptr) continue;
            MenuDefinition oracle = definition_;
            oracle.levels = withFileLeaves(levels, last);
            oracles_[static_cast<std::size_t>(last)] = build(oracle);
        }
        model().options.loadAllMenus = 0;
        const HMENU root = platform::createPopupMenu();
        std::vector<LevelSelection> path;
        test::openPopup(root, definition_, path, false);
        std::vector<std::size_t> indices;
        clickAll(root, path, indices);
        test::closePopup(path);
        destroy(root);
        for (const HMENU oracle : oracles_)
            if (oracle != nullptr) destroy(oracle);
    }

private:
    static HMENU build(MenuDefinition& d) {
        const HMENU root = platform::createPopupMenu();
        std::vector<LevelSelection> path;
        test::openPopup(root, d, path, false);
        return root;
    }
    static void destroy(HMENU root) {
        for (int n = platform::getMenuItemCount(root); n > 0; --n)
            platform::deleteMenu(root, static_cast<UINT>(n - 1), MF_BYPOSITION);
        platform::destroyMenu(root);
    }
    static std::vector<std::string> tree(MenuDefinition d, bool eager) {
        model().options.loadAllMenus = eager ? 1 : 0;
        const HMENU root = platform::createPopupMenu();
        std::vector<LevelSelection> path;
        test::openPopup(root, d, path, false);
        std::vector<std::string> out;
        test::describeLevels(root, d, path, !eager, "", out);
        test::closePopup(path);
        destroy(root);
        return out;
    }

    // Clicks every item of the level open at the end of path (reached by these
    // item indices), then opens its submenu, beside the same level of the tree
    // with file leaves below it.
    void clickAll(HMENU menu, std::vector<LevelSelection>& path,
                  std::vector<std::size_t>& indices) {
        const std::vector<test::LevelItem> items = test::levelItems(menu);
        const int depth = static_cast<int>(path.size()) - 1;
        const int last = valueLevel(levels_, static_cast<std::size_t>(depth));
        const HMENU oracle =
            last < 0 ? nullptr : nodeAt(oracles_[static_cast<std::size_t>(last)], indices);
        const std::vector<test::LevelItem> known =
            oracle != nullptr ? test::levelItems(oracle) : std::vector<test::LevelItem>{};
        for (std::size_t i = 0; i < items.size(); ++i) {
            ++tally_.items;
            if (i >= known.size() ||
                test::itemLabelText(items[i].text) != test::itemLabelText(known[i].text)) {
                ++tally_.clicksWrong;
                tally_.note("no such item below: " + layout_ + " / " + items[i].text);
                continue;
            }
            std::vector<std::string> expected;
            if (known[i].submenu != nullptr) leafFiles(known[i].submenu, expected);
            std::sort(expected.begin(), expected.end());

            readItemValue(items[i].menu, items[i].position, path, definition_, depth);
            player::player().setPlaylist({});
            executeAction(definition_, path, depth, ClickAction::Enqueue);
            std::vector<std::string> sent;
            for (const player::PlaylistEntry& e : player::player().playlist())
                sent.push_back(e.file);
            checkOrder(sent, depth);
            std::sort(sent.begin(), sent.end());
            if (sent != expected) {
                ++tally_.clicksWrong;
                tally_.note("click plays " + std::to_string(sent.size()) + " of " +
                            std::to_string(expected.size()) + ": " + layout_ + " / " +
                            items[i].text);
            }
            if (items[i].submenu == nullptr) continue;
            const HMENU submenu =
                test::openItem(items[i].menu, items[i].position, definition_, path);
            indices.push_back(i);
            clickAll(submenu, path, indices);
            indices.pop_back();
            test::closePopup(path);
        }
    }

    // The tracks come in the order of the levels from the item's own on.
    void checkOrder(const std::vector<std::string>& sent, int depth) {
        setSortStartLevel(depth, definition_);
        for (std::size_t i = 1; i < sent.size(); ++i) {
            if (compareFromLevel(byFile_.at(sent[i - 1]), byFile_.at(sent[i])) > 0) {
                ++tally_.ordersWrong;
                tally_.note("tracks out of order: " + layout_);
                return;
            }
        }
    }

    Tally& tally_;
    test::TrackStore store_;
    std::vector<TrackRecord> records_;
    std::map<std::string, TrackRecord> byFile_;
    MenuDefinition definition_;
    std::vector<L> levels_;
    std::vector<HMENU> oracles_; // by the last level they hold before the file leaves
    std::string layout_;
};

std::vector<std::vector<L>> layouts(bool all) {
    std::vector<L> kinds;
    for (int k = 0; k <= static_cast<int>(L::Filename); ++k) kinds.push_back(static_cast<L>(k));
    std::vector<std::vector<L>> out;
    for (const L a : kinds) out.push_back({a});
    for (const L a : kinds)
        for (const L b : kinds) out.push_back({a, b});
    if (all) {
        for (const L a : kinds)
            for (const L b : kinds)
                for (const L c : kinds) {
                    out.push_back({a, b, c});
                    for (const L d : kinds) out.push_back({a, b, c, d});
                }
        return out;
    }
    // Range and First Letter above each other, over each kind of value.
    for (const L c : kinds) {
        out.push_back({L::Range, L::FirstLetter, c});
        out.push_back({L::FirstLetter, L::Range, c});
        out.push_back({L::Range, L::Range, c, L::Title});
        out.push_back({L::FirstLetter, L::FirstLetter, c});
    }
    std::mt19937 rng(19);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(kinds.size()) - 1);
    for (int i = 0; i < 120; ++i) {
        std::vector<L> levels(i % 2 == 0 ? 3 : 4);
        for (L& kind : levels) kind = kinds[static_cast<std::size_t>(pick(rng))];
        out.push_back(levels);
    }
    return out;
}

struct PlayerKind {
    const char* name;
    bool wide; // the player offers the wide calls, and the library is Unicode
};

class ItemTracks : public testing::TestWithParam<PlayerKind> {};

TEST_P(ItemTracks, EveryItemOpensAsBuiltAndPlaysWhatItGroups) {
    const char* mode = std::getenv("TG_ITEM_TRACKS_LAYOUTS");
    const bool all = mode != nullptr && std::string(mode) == "all";
    const std::vector<std::vector<L>> shapes = layouts(all);
    const bool wide = GetParam().wide;
    test::PlayerConnection connection;
    // A current player is found by its answer to the wide settings-folder request.
    const test::ScratchDrive drive;
    ASSERT_TRUE(player::player().setIniDir(drive.windows("Settings")));
    player::player().offerWideCalls(wide);
    detectWideCalls();
    ASSERT_EQ(wideCalls(), wide);
    test::setNowPlaying(nullptr);
    player::player().setLogging(false);
    Tally tally;
    constexpr int kLibraries = 3;
    for (int library = 0; library < kLibraries; ++library) {
        const std::vector<player::Track> tracks = player::generateHostileLibrary(
            all ? 60 : 40, static_cast<std::uint64_t>(library) + 1, wide);
        player::player().setTracks(tracks);
        Checker checker(tracks, tally);
        ++tally.libraries;
        for (std::size_t i = 0; i < shapes.size(); ++i) {
            // Each layout once over one of the libraries, unless all are asked for.
            if (!all && static_cast<int>(i % kLibraries) != library) continue;
            checker.check(shapes[i], kOptions[(i / kLibraries) % std::size(kOptions)]);
        }
    }
    std::string examples;
    for (const std::string& e : tally.examples) examples += "\n  " + e;
    std::printf("[ item tracks ] %d libraries, %lld layouts, %lld items: %lld lazy trees "
                "different, %lld clicks wrong, %lld orders wrong\n",
                tally.libraries, tally.layouts, tally.items, tally.lazyDifferent, tally.clicksWrong,
                tally.ordersWrong);
    EXPECT_EQ(tally.lazyDifferent, 0) << examples;
    EXPECT_EQ(tally.clicksWrong, 0) << examples;
    EXPECT_EQ(tally.ordersWrong, 0) << examples;
    EXPECT_GT(tally.items, 10000);
    EXPECT_EQ(player::player().liveQueryResults(), 0);
    player::player().setLogging(true);
    player::player().offerWideCalls(false);
    resetWideCalls();
}

INSTANTIATE_TEST_SUITE_P(Players, ItemTracks,
                         testing::Values(PlayerKind{"Old", false}, PlayerKind{"Current", true}),
                         [](const testing::TestParamInfo<PlayerKind>& row) {
                             return std::string(row.param.name);
                         });

} // namespace
} // namespace tg
