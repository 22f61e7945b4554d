// Real menus under Wine: how long opening a Media Library menu's root popup
// takes over 10,000 and 100,000 tracks, built lazily and (10,000) eagerly,
// timed inside the test player with QueryPerformanceCounter. Each opening is
// split into the player's share (answering the library's messages) and the
// plug-in's; then the eager tree is built again from its recorded shape with
// plain user32 calls in a few orders, to see what the menu calls alone cost.
// A benchmark: it prints figures and checks only that they were measured.
#include "player_fixture.h"

#include "open_timings.h"
#include "player/player.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

using namespace tg::e2e;
using tg::testplayer::measureMenuTree;
using tg::testplayer::MenuTreeSize;
using tg::testplayer::OpenTiming;
using tg::testplayer::OpenTimings;

namespace {

constexpr char kMenuName[] = "Everything";
// Range, Artist, Album, Title.
constexpr char kLevels[] = "4 6 0 1 2";

int roundsFromEnvironment(int fallback) {
    const char* text = std::getenv("TG_BENCH_ROUNDS");
    const int value = text ? std::atoi(text) : 0;
    return value > 0 ? value : fallback;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double percent(double part, double whole) {
    return whole > 0 ? 100.0 * part / whole : 0;
}

DWORD userObjects() {
    return GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
}

struct Openings {
    std::vector<double> total, player, plugin;
    std::vector<double> pluginShare; // of each opening, in percent
    // The popup above, which lets the last build go: all of it, and the
    // player's share (taking back the records the build kept).
    std::vector<double> target, targetPlayer;
    int playerCalls = 0;
    HMENU root = nullptr; // as the last round left it
    MenuTreeSize size;
};

// Opens the menu's root popup the way a user does, rounds times; before each
// round the tags change, so the plug-in lets the last build go and builds anew.
Openings timeRootOpenings(const RunningPlayer& player, int rounds) {
    const HMENU target = player.hostPopup(kIdSongticker);
    REQUIRE(target != nullptr);
    REQUIRE(player.host().get([&] { return player.app().startTimings(); }));
    Openings openings;
    for (int round = 0; round < rounds; ++round) {
        player.host().run([] { tg::player::player().notifyTagsUpdated(); });
        // Away from the item, so the move onto it is what opens its submenu.
        player.user().moveTo({0, 0});
        player.openMenu(target, {40, 60});
        const int position = player.user().find(target, kMenuName);
        REQUIRE(position >= 0);
        const HMENU root = player.openItem(target, position);
        player.closeMenus();
        const std::vector<OpenTiming> timed =
            player.host().get([&] { return player.app().timings().take(); });
        const auto found = std::find_if(timed.begin(), timed.end(),
                                        [&](const OpenTiming& t) { return t.menu == root; });
        REQUIRE(found != timed.end());
        openings.total.push_back(found->totalMs);
        openings.player.push_back(found->playerMs);
        openings.plugin.push_back(found->pluginMs());
        openings.pluginShare.push_back(percent(found->pluginMs(), found->totalMs));
        openings.playerCalls = found->playerCalls;
        const auto above = std::find_if(timed.begin(), timed.end(),
                                        [&](const OpenTiming& t) { return t.menu == target; });
        if (round > 0 && above != timed.end()) {
            openings.target.push_back(above->totalMs);
            openings.targetPlayer.push_back(above->playerMs);
        }
        openings.root = root;
    }
    openings.size = player.host().get([&] { return measureMenuTree(openings.root); });
    return openings;
}

void printOpenings(const char* what, std::size_t tracks, const Openings& o) {
    const double total = median(o.total), playerMs = median(o.player), plugin = median(o.plugin);
    const double share = median(o.pluginShare);
    std::printf("  %s, %u tracks: open %.2f ms (median of %u): player %.2f ms (%.0f%%, %d "
                "messages), plug-in %.2f ms (%.0f%%); %d menus (USER objects), %d items; "
                "the popup above, letting the last build go: %.2f ms (player %.2f ms)\n",
                what, static_cast<unsigned>(tracks), total, static_cast<unsigned>(o.total.size()),
                playerMs, 100 - share, o.playerCalls, plugin, share, o.size.menus, o.size.items,
                median(o.target), median(o.targetPlayer));
    std::fflush(stdout);
}

PlayerSetup benchSetup(const GeneratedLibrary& library, bool eager) {
    SettingsFile settings;
    settings.loadAllMenus = eager;
    settings.records = {libraryMenuRecord(kMenuName, "year >= 0", 0, kLevels)};
    PlayerSetup setup{settings.text()};
    // The shipped DLL: the test build's menu recorder would be timed too.
    setup.dll = "ml_tg.dll";
    setup.library = library.path;
    return setup;
}

// ---- The eager tree's menus, made again with plain user32 calls ----

struct ShapeItem {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    int child = -1; // index of the submenu in Shape::menus
    std::string text;
};
struct Shape {
    std::vector<std::vector<ShapeItem>> menus; // [0] is the root
    int items = 0;
};

int captureInto(Shape& shape, HMENU menu) {
    const int index = static_cast<int>(shape.menus.size());
    shape.menus.emplace_back();
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[512] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        ShapeItem item;
        item.type = info.fType;
        item.state = info.fState & (MFS_CHECKED | MFS_DISABLED);
        item.id = info.wID;
        item.text = text;
        if (info.hSubMenu) item.child = captureInto(shape, info.hSubMenu);
        shape.menus[static_cast<std::size_t>(index)].push_back(std::move(item));
        ++shape.items;
    }
    return index;
}

// One way to make the same menus: the call per item, and whether an item
// opening a submenu goes in before its submenu is filled (as the plug-in does)
// or after. The plug-in's adapter converts each text and calls AppendMenuW.
enum class Call { AppendA, AppendWConverting, InsertItemA };
struct Way {
    const char* name;
    Call call;
    bool parentFirst;
};

void addItem(HMENU menu, const ShapeItem& item, HMENU child, Call call) {
    const UINT_PTR idOrMenu = child ? reinterpret_cast<UINT_PTR>(child) : item.id;
    const UINT flags = item.type | item.state | (child ? MF_POPUP : 0);
    const bool separator = (item.type & MFT_SEPARATOR) != 0;
    switch (call) {
    case Call::AppendA:
        AppendMenuA(menu, flags, idOrMenu, separator ? nullptr : item.text.c_str());
        break;
    case Call::AppendWConverting: {
        wchar_t wide[512];
        if (separator || MultiByteToWideChar(CP_ACP, 0, item.text.c_str(), -1, wide, 512) == 0)
            wide[0] = 0;
        AppendMenuW(menu, flags, idOrMenu, separator ? nullptr : wide);
        break;
    }
    case Call::InsertItemA: {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU |
                     (separator ? 0u : static_cast<UINT>(MIIM_STRING));
        info.fType = item.type;
        info.fState = item.state;
        info.wID = item.id;
        info.hSubMenu = child;
        info.dwTypeData = const_cast<char*>(item.text.c_str());
        InsertMenuItemA(menu, static_cast<UINT>(-1), TRUE, &info);
        break;
    }
    }
}

void fill(const Shape& shape, int index, HMENU menu, const Way& way) {
    for (const ShapeItem& item : shape.menus[static_cast<std::size_t>(index)]) {
        if (item.child < 0) {
            addItem(menu, item, nullptr, way.call);
            continue;
        }
        const HMENU child = CreatePopupMenu();
        if (way.parentFirst) addItem(menu, item, child, way.call);
        fill(shape, item.child, child, way);
        if (!way.parentFirst) addItem(menu, item, child, way.call);
    }
}

struct ReplayTimes {
    std::vector<double> build, destroy;
    MenuTreeSize size;
};

// Every way in turn within a round, so a slow moment of the machine falls on all of them.
std::vector<ReplayTimes> replay(const RunningPlayer& player, const Shape& shape,
                                const std::vector<Way>& ways, int rounds) {
    return player.host().get([&] {
        std::vector<ReplayTimes> times(ways.size());
        for (int round = 0; round < rounds; ++round) {
            for (std::size_t way = 0; way < ways.size(); ++way) {
                const double start = OpenTimings::nowMs();
                const HMENU root = CreatePopupMenu();
                fill(shape, 0, root, ways[way]);
                const double built = OpenTimings::nowMs();
                if (round == 0) times[way].size = measureMenuTree(root);
                const double measured = OpenTimings::nowMs();
                DestroyMenu(root);
                times[way].build.push_back(built - start);
                times[way].destroy.push_back(OpenTimings::nowMs() - measured);
            }
        }
        return times;
    });
}

} // namespace

WINE_TEST(openingTheRootOfALargeLibraryMenu) {
    const int rounds = roundsFromEnvironment(7);
    std::printf("  Media Library menu, levels Range, Artist, Album, Title; GetGuiResources "
                "USER objects at start: %lu\n",
                static_cast<unsigned long>(userObjects()));
    double lazyPlugin10k = 0, lazyTotal10k = 0;
    for (const std::size_t tracks : {std::size_t{10000}, std::size_t{100000}}) {
        const GeneratedLibrary library(tracks);
        RunningPlayer player(benchSetup(library, false));
        const Openings lazy = timeRootOpenings(player, rounds);
        printOpenings("lazy root", tracks, lazy);
        CHECK(lazy.size.items > 1);
        if (tracks == 10000) {
            lazyPlugin10k = median(lazy.plugin);
            lazyTotal10k = median(lazy.total);
        }
    }

    const GeneratedLibrary library(10000);
    RunningPlayer player(benchSetup(library, true));
    const Openings eager = timeRootOpenings(player, rounds);
    printOpenings("eager tree", 10000, eager);
    CHECK(eager.size.menus > 500);
    std::printf("  GetGuiResources USER objects with the eager tree built: %lu\n",
                static_cast<unsigned long>(userObjects()));
    const double eagerPlugin = median(eager.plugin), eagerTotal = median(eager.total);
    std::printf("  eager / lazy, 10000 tracks: whole opening %.2fx, plug-in's share %.2fx\n",
                lazyTotal10k > 0 ? eagerTotal / lazyTotal10k : 0,
                lazyPlugin10k > 0 ? eagerPlugin / lazyPlugin10k : 0);

    // The same tree from plain menu calls: what creating the menus costs alone.
    Shape shape;
    player.host().run([&] { captureInto(shape, eager.root); });
    CHECK_EQ(static_cast<int>(shape.menus.size()), eager.size.menus);
    const std::vector<Way> ways = {
        {"AppendMenuA, parent first", Call::AppendA, true},
        {"AppendMenuA, submenu first", Call::AppendA, false},
        {"AppendMenuW after MultiByteToWideChar (as the plug-in)", Call::AppendWConverting, true},
        {"InsertMenuItemA", Call::InsertItemA, true}};
    const std::vector<ReplayTimes> times = replay(player, shape, ways, rounds);
    for (std::size_t way = 0; way < times.size(); ++way) {
        const double built = median(times[way].build);
        std::printf("  %u menus, %d items with %s: %.2f ms (%.0f%% of the plug-in's eager "
                    "share), DestroyMenu of the tree %.2f ms\n",
                    static_cast<unsigned>(shape.menus.size()), shape.items, ways[way].name, built,
                    percent(built, eagerPlugin), median(times[way].destroy));
        CHECK_EQ(times[way].size.menus, eager.size.menus);
        CHECK_EQ(times[way].size.items, eager.size.items);
    }
    std::fflush(stdout);
}
