// Long runs of the real DLL in the test player: a thousand menu cycles over a
// large library, shut-down while the queue's worker still sleeps, and a
// hundred loads and unloads in one process. Each prints its figures (live
// plug-in menus, the process's private memory) at the start and the end.
#include "player_fixture.h"

#include "player/player.h"

#include <psapi.h>

#include <algorithm>
#include <cstdlib>

using namespace tg::e2e;

namespace {

constexpr int kEnqueueTg = 4;
constexpr std::size_t kLibraryTracks = 10000;

int cyclesFromEnvironment(const char* name, int fallback) {
    const char* text = std::getenv(name);
    const int value = text ? std::atoi(text) : 0;
    return value > 0 ? value : fallback;
}

// The process's private bytes, in KiB. Wine leaves PrivateUsage at 0 and
// counts the same private pages as PagefileUsage (as Windows does too).
unsigned long privateKiB() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(),
                                 reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                 sizeof counters))
        return 0;
    return static_cast<unsigned long>(std::max(counters.PrivateUsage, counters.PagefileUsage) /
                                      1024);
}

SettingsFile soakSettings() {
    SettingsFile settings;
    settings.hotkey = kHotkeyCtrlShiftM;
    settings.records = {
        libraryMenuRecord("Rock and Pop", "genre == \"Rock\" OR genre == \"Pop\"", kEnqueueTg),
        libraryMenuRecord("Everything", "year >= 0", kEnqueueTg)};
    return settings;
}

// Positions of the items of menu that open a submenu.
std::vector<int> submenuPositions(const MenuUser& user, HMENU menu) {
    std::vector<int> positions;
    const std::vector<MenuItem> items = user.items(menu);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].submenu) positions.push_back(static_cast<int>(i));
    return positions;
}

// Positions of the leaves of menu: no submenu, no separator, not the heading.
std::vector<int> leafPositions(const MenuUser& user, HMENU menu) {
    std::vector<int> positions;
    const std::vector<MenuItem> items = user.items(menu);
    const bool heading = items.size() > 1 && (items[1].state & MF_SEPARATOR) && !items[1].submenu;
    for (std::size_t i = heading ? 2 : 0; i < items.size(); ++i)
        if (!items[i].submenu && !(items[i].state & MF_SEPARATOR))
            positions.push_back(static_cast<int>(i));
    return positions;
}

int missedSubmenus = 0;

// Moves onto the item and waits until its submenu shows; null (and counted,
// the first few printed with the menu messages) when it does not.
HMENU tryOpen(const RunningPlayer& player, HMENU menu, int position) {
    std::string why;
    if (const HMENU submenu = player.tryOpenItem(menu, position, 3000, &why)) return submenu;
    if (++missedSubmenus <= 5) std::printf("%s", why.c_str());
    return nullptr;
}

// From the open target popup down one definition, choosing by seed at each
// level, until a menu of leaves; returns it (null when none was reached).
HMENU walkDown(const RunningPlayer& player, HMENU target, int definition, unsigned seed) {
    const MenuUser& user = player.user();
    const std::vector<int> definitions = submenuPositions(user, target);
    REQUIRE(!definitions.empty());
    HMENU menu = tryOpen(player, target,
                         definitions[static_cast<std::size_t>(definition) % definitions.size()]);
    for (int depth = 0; menu && depth < 6; ++depth) {
        const std::vector<int> below = submenuPositions(user, menu);
        if (below.empty()) return leafPositions(user, menu).empty() ? nullptr : menu;
        // Mostly the first rows, where a person goes most; now and then anywhere.
        const std::size_t pick =
            (seed % 7 == 0) ? seed % below.size() : seed % std::min<std::size_t>(below.size(), 6);
        menu = tryOpen(player, menu, below[pick]);
        seed = seed * 1103515245u + 12345u;
    }
    return nullptr;
}

std::size_t queueLength(const RunningPlayer& player) {
    return player.host().get([] { return tg::player::player().playlist().size(); });
}

} // namespace

WINE_TEST(menuCyclesOverALargeLibraryKeepMenusAndMemoryFlat) {
    const int cycles = cyclesFromEnvironment("TG_SOAK_CYCLES", 1000);
    const GeneratedLibrary library(kLibraryTracks);
    PlayerSetup setup{soakSettings().text()};
    setup.library = library.path;
    RunningPlayer player(setup);
    const MenuUser& user = player.user();
    const HMENU target = player.hostPopup(kIdSongticker);
    RECT rect;
    GetWindowRect(player.window(), &rect);

    int firstLive = -1, lastLive = -1, maxLive = 0, unheldCounts = 0;
    unsigned long firstMemory = 0, lastMemory = 0, maxMemory = 0;
    int clicks = 0, handOvers = 0;
    const std::size_t playlistAtStart = queueLength(player);
    const DWORD start = GetTickCount();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        // Every tenth cycle the tags change: every built level is thrown away
        // and made again; the live menus are counted after such cycles.
        const bool fresh = cycle % 10 == 1;
        if (fresh) player.host().run([] { tg::player::player().notifyTagsUpdated(); });
        user.moveTo({rect.left + 500, rect.top + 400});
        player.openMenu(target, {40, 60});
        const unsigned seed = fresh ? 1u : static_cast<unsigned>(cycle) * 2654435761u;
        const HMENU leaves = walkDown(player, target, fresh ? 0 : cycle / 3, seed);
        if (leaves && !fresh) {
            const std::vector<int> positions = leafPositions(user, leaves);
            // Enqueue TG keeps the menus open; the track joins the plug-in's queue.
            REQUIRE(user.clickItem(leaves,
                                   positions[static_cast<std::size_t>(cycle) % positions.size()]));
            ++clicks;
        }
        player.closeMenus();
        if (cycle % 3 == 0) {
            // The player moves on: the queue's head is handed over as a
            // temporary entry, which the worker takes out 200 ms later.
            player.host().run([] { tg::player::player().next(); });
            ++handOvers;
        }
        player.clearLog();
        if (fresh) {
            // Counted after the menu loop has ended. "TG Playlist" comes and
            // goes with the queue, so the count is held against the menus
            // that hang below the target popup: one not held there is leaked.
            const int live = player.liveMenusAfterRebuild(target);
            const int held = player.menusBelow(target);
            const unsigned long memory = privateKiB();
            if (firstLive < 0) firstLive = live, firstMemory = memory;
            lastLive = live, lastMemory = memory;
            maxLive = std::max(maxLive, live), maxMemory = std::max(maxMemory, memory);
            if (cycle % 100 == 1)
                std::printf("  cycle %4d: %d plug-in menus alive, %d below the target, %lu KiB "
                            "private, %lu ms\n",
                            cycle, live, held, memory,
                            static_cast<unsigned long>(GetTickCount() - start));
            std::fflush(stdout);
            if (live != held && ++unheldCounts <= 5)
                std::printf("  cycle %d: %d plug-in menus alive, %d below the target\n", cycle,
                            live, held);
        }
    }
    Sleep(400); // the last removal
    std::printf("  %d cycles in %lu ms over %u tracks: %d clicks, %d hand-overs, %d menus made\n",
                cycles, static_cast<unsigned long>(GetTickCount() - start),
                static_cast<unsigned>(kLibraryTracks), clicks, handOvers, player.createdMenus());
    std::printf("  live plug-in menus: start %d, end %d, most %d, %d counts with menus not below "
                "the target; %d submenus did not open\n",
                firstLive, lastLive, maxLive, unheldCounts, missedSubmenus);
    std::printf("  private memory: start %lu KiB, end %lu KiB, most %lu KiB\n", firstMemory,
                lastMemory, maxMemory);
    CHECK(clicks > cycles / 2);
    CHECK_EQ(missedSubmenus, 0);
    CHECK_EQ(unheldCounts, 0);
    // Flat: the heap may settle a little, it does not grow with the cycles.
    CHECK(lastMemory <= firstMemory + 4096);
    // Every temporary entry went again.
    CHECK(waitUntil([&] { return queueLength(player) == playlistAtStart; }));
}

WINE_TEST(quitAndUnloadWhileARemovalIsPendingDoNotCrash) {
    SettingsFile settings = jazzSettings(kEnqueueTg);
    RunningPlayer player({settings.text()});
    player.openMenu();
    int position = -1;
    const HMENU titles =
        openGinAndTonic(player, player.openPath({"Options", "Visualization", "Jazz"}), position);
    REQUIRE(player.user().clickItem(titles, position));
    player.closeMenus();
    const std::size_t entries = queueLength(player);

    // The hand-over starts the worker; quit and FreeLibrary follow at once,
    // inside its 200 ms sleep.
    player.host().run([] { tg::player::player().next(); });
    CHECK_EQ(queueLength(player), entries + 1);
    player.quitPlugin();
    player.unloadPlugin();
    // The worker holds the module until it ends: the code it sleeps in stays.
    CHECK(GetModuleHandleA("ml_tg_test.dll") != nullptr);
    Sleep(600);
    CHECK(waitUntil([] { return GetModuleHandleA("ml_tg_test.dll") == nullptr; }));
    CHECK_EQ(queueLength(player), entries);
    // The player still works.
    player.openMenu();
    player.openPath({"Options", "Visualization"});
    player.closeMenus();
}

WINE_TEST(aHundredLoadsAndUnloadsLeaveNothingBehind) {
    const int rounds = cyclesFromEnvironment("TG_SOAK_LOADS", 100);
    SettingsFile settings = jazzSettings();
    settings.hotkey = kHotkeyCtrlShiftM;
    RunningPlayer player({settings.text()});
    const MenuUser& user = player.user();
    const HMENU visualization = player.hostPopup(kIdSongticker);
    const WNDPROC hostProcedure = player.procedureBeforePlugin();
    const int mainItems = player.itemCount(player.mainMenu());
    RECT rect;
    GetWindowRect(player.window(), &rect);
    unsigned long firstMemory = 0, lastMemory = 0;
    const DWORD start = GetTickCount();
    for (int round = 1; round <= rounds; ++round) {
        if (round > 1) {
            const std::string error = player.reloadPlugin();
            if (!error.empty()) std::printf("  round %d: %s\n", round, error.c_str());
            REQUIRE(error.empty());
        }
        REQUIRE(GlobalFindAtomA("WAMPHK_0") != 0);
        player.openMenu(visualization, {40, 60});
        const HMENU jazz = player.openItem(visualization, user.find(visualization, "Jazz"));
        player.openItem(jazz, user.findContaining(jazz, "Juniper Lane"));
        player.closeMenus();

        player.quitPlugin();
        const bool clean = player.liveMenus() == 0 && player.itemCount(visualization) == 2 &&
                           player.itemCount(player.mainMenu()) == mainItems &&
                           player.host().get([&] {
                               return GetWindowLongPtrA(player.window(), GWLP_WNDPROC);
                           }) == reinterpret_cast<LONG_PTR>(hostProcedure) &&
                           GlobalFindAtomA("WAMPHK_0") == 0;
        if (!clean)
            std::printf("  round %d: %d menus alive, %d items in the popup, atom %u\n", round,
                        player.liveMenus(), player.itemCount(visualization),
                        GlobalFindAtomA("WAMPHK_0"));
        REQUIRE(clean);
        // The hotkey is free for anybody again.
        REQUIRE(RegisterHotKey(nullptr, 0x3FFF, MOD_CONTROL | MOD_SHIFT, 'M'));
        UnregisterHotKey(nullptr, 0x3FFF);
        player.unloadPlugin();
        REQUIRE(GetModuleHandleA("ml_tg_test.dll") == nullptr);
        // A click with the DLL gone: a hook left behind would call into nothing.
        user.click({rect.left + 300, rect.top + 300});
        if (round == 1) firstMemory = privateKiB();
        lastMemory = privateKiB();
    }
    std::printf("  %d loads in %lu ms; private memory after the first %lu KiB, after the last "
                "%lu KiB\n",
                rounds, static_cast<unsigned long>(GetTickCount() - start), firstMemory,
                lastMemory);
    CHECK(lastMemory <= firstMemory + 2048);
}
