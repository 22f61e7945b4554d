#include "player_fixture.h"

#include "player/library_file.h"
#include "player/library_generator.h"
#include "player/player.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tg::e2e {

namespace {

// Generous: on a machine busy with builds, Wine's menu loop has been seen to take
// more than five seconds to answer a move onto an item.
constexpr DWORD kOpenMs = 15000;

std::string freshFolder() {
    static int made = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "tg_e2e_" + std::to_string(GetCurrentProcessId()) +
                         "_" + std::to_string(++made);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder + "\\Plugins", ignored);
    return folder;
}

HMENU findPopup(HMENU menu, UINT firstId, int depth) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count && depth < 8; ++i) {
        HMENU submenu = GetSubMenu(menu, i);
        if (!submenu) continue;
        if (GetMenuItemCount(submenu) > 0 && GetMenuItemID(submenu, 0) == firstId) return submenu;
        if (HMENU deeper = findPopup(submenu, firstId, depth + 1)) return deeper;
    }
    return nullptr;
}

// A hung player ends the program; the run still says which test it was.
void reportHang() {
    winetest::RunState& state = winetest::runState();
    std::printf("[ FAIL ] %s: the player hung\n", state.currentTest ? state.currentTest : "?");
    ++state.failed;
    winetest::printSummary();
}

} // namespace

std::string SettingsFile::text() const {
    std::ostringstream out;
    out << "9 1 1 4 35 2 " << records.size() << ' ' << mainPosition << ' ' << (ownMenu ? 1 : 0)
        << ' ' << hostMenuId << " 2 0 " << (disableMenuActions ? 1 : 0) << ' '
        << (keepMenuOnEnqueue ? 1 : 0) << ' ' << hotkey << ' ' << (loadAllMenus ? 1 : 0) << '\n';
    for (const std::string& record : records) out << record;
    return out.str();
}

std::string libraryMenuRecord(const std::string& name, const std::string& query, int clickAction,
                              const std::string& levels) {
    // The levels; Media Library; submenu; year before albums; track numbers;
    // times on every level; the click action; name.
    return levels + " 1 1 1 0 1 1 " + std::to_string(clickAction) + "|" + name + "\n" + query +
           "\nmp3;mpeg;mpg;avi;ogg;wav\n";
}

GeneratedLibrary::GeneratedLibrary(std::size_t tracks) {
    static int made = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    path = std::string(temp) + "tg_e2e_library_" + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(++made) + ".tsv";
    std::ofstream out(path, std::ios::binary);
    player::writeLibrary(out, player::generateLibrary(tracks, 7));
}

GeneratedLibrary::~GeneratedLibrary() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

Playback playbackOf(const RunningPlayer& player) {
    return player.host().get([] {
        const player::Player& p = player::player();
        Playback state;
        state.playing = p.playing();
        state.started.assign(p.startedFiles().begin(), p.startedFiles().end());
        for (const auto& entry : p.playlist()) state.files.push_back(entry.file);
        return state;
    });
}

SettingsFile jazzSettings(int clickAction) {
    SettingsFile settings;
    settings.records = {libraryMenuRecord("Jazz", "genre == \"Jazz\"", clickAction)};
    return settings;
}

HMENU openGinAndTonic(const RunningPlayer& player, HMENU jazz, int& staticMarble) {
    const MenuUser& user = player.user();
    const HMENU albums = player.openItem(jazz, user.findContaining(jazz, "Juniper Lane"));
    const HMENU titles = player.openItem(albums, user.findContaining(albums, "Gin && Tonic"));
    staticMarble = user.findContaining(titles, "Static Marble");
    if (staticMarble < 0) std::printf("  %s\n", user.describe(titles).c_str());
    REQUIRE(staticMarble >= 0);
    return titles;
}

HMENU waitForNewMenu(const MenuUser& user, const std::vector<HMENU>& known) {
    HMENU found = nullptr;
    waitUntil([&] {
        for (HMENU menu : user.openMenus()) {
            bool isKnown = false;
            for (HMENU k : known) isKnown = isKnown || k == menu;
            if (menu && !isKnown) found = menu;
        }
        return found != nullptr;
    });
    return found;
}

std::string programFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length < sizeof path ? length : 0);
    return folder.substr(0, folder.find_last_of("\\/"));
}

RunningPlayer::RunningPlayer(const PlayerSetup& setup) : iniDir_(freshFolder()) {
    HostControl::setHangHandler(reportHang);
    if (!setup.settings.empty()) {
        std::ofstream out(iniDir_ + "\\Plugins\\ml_tg.ini", std::ios::binary);
        out << setup.settings;
    }
    testplayer::HostOptions options = testplayer::defaultHostOptions(programFolder());
    options.iniDir = iniDir_;
    options.dll = programFolder() + "\\" + setup.dll;
    if (!setup.library.empty()) options.library = setup.library;
    thread_ = std::make_unique<testplayer::HostThread>(options);
    if (!thread_->startError().empty()) std::printf("  %s\n", thread_->startError().c_str());
    REQUIRE(thread_->startError().empty());
    user_ = std::make_unique<MenuUser>(thread_->control());
    trace_ = std::make_unique<MenuMessageTrace>(thread_->control());
    mainMenu_ = host().get([this] { return thread_->app().mainMenu(); });
    static bool told = false;
    if (!told &&
        host().get([] { return player::player().recordLayout(); }) == RecordLayout::WithExtension)
        std::printf("  the player hands out the 5.9 source's records (TG_PLAYER_LAYOUT)\n");
    told = true;
}

RunningPlayer::~RunningPlayer() {
    trace_.reset();
    user_.reset();
    thread_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(iniDir_, ignored);
}

HMENU RunningPlayer::hostPopup(UINT firstId) const {
    return host().get([&] { return findPopup(mainMenu_, firstId, 0); });
}

int RunningPlayer::itemCount(HMENU menu) const {
    return host().get([&] { return GetMenuItemCount(menu); });
}

int RunningPlayer::logCount(const std::string& text) const {
    int count = 0;
    for (const std::string& line : log()) count += line.find(text) != std::string::npos;
    return count;
}

void RunningPlayer::printLog() const {
    for (const std::string& line : log()) std::printf("  log: %s\n", line.c_str());
}

int RunningPlayer::liveMenus() const {
    return host().get([this] { return thread_->app().plugin().recordedMenusAlive(); });
}

int RunningPlayer::createdMenus() const {
    return host().get([this] { return thread_->app().plugin().recordedMenusCreated(); });
}

void RunningPlayer::quitPlugin() const {
    host().run([this] { thread_->app().quitPlugin(); });
}

int RunningPlayer::liveMenusAfterRebuild(HMENU target) const {
    host().run([] { player::player().notifyTagsUpdated(); });
    const unsigned long mark = trace().mark();
    openMenu(target, {40, 60});
    closeMenus();
    // Counted once the menu loop is over: its popups are closed and every
    // WM_UNINITMENUPOPUP has been answered.
    REQUIRE(waitUntil([&] { return trace().menuLoopEndedSince(mark); }, kOpenMs));
    return liveMenus();
}

int RunningPlayer::menusBelow(HMENU menu) const {
    return host().get([&] {
        std::vector<HMENU> found;
        std::vector<HMENU> open{menu};
        while (!open.empty()) {
            const HMENU next = open.back();
            open.pop_back();
            const int count = GetMenuItemCount(next);
            for (int i = 0; i < count; ++i) {
                const HMENU submenu = GetSubMenu(next, i);
                if (!submenu || std::find(found.begin(), found.end(), submenu) != found.end())
                    continue;
                found.push_back(submenu);
                open.push_back(submenu);
            }
        }
        return static_cast<int>(found.size());
    });
}

void RunningPlayer::unloadPlugin() const {
    host().run([this] { thread_->app().unloadPlugin(); });
}

std::string RunningPlayer::reloadPlugin() const {
    return host().get([this] { return thread_->app().loadPlugin(); });
}

WNDPROC RunningPlayer::procedureBeforePlugin() const {
    return host().get([this] { return thread_->app().procedureBeforePlugin(); });
}

void RunningPlayer::openMenu(HMENU menu, POINT offset) const {
    RECT rect;
    GetWindowRect(window(), &rect);
    const HMENU shown = menu ? menu : mainMenu_;
    host().showMenu(shown, {rect.left + offset.x, rect.top + offset.y});
    REQUIRE(waitUntil([&] { return user().isOpen(shown); }, kOpenMs));
}

HMENU RunningPlayer::tryOpenItem(HMENU menu, int position, DWORD timeoutMs,
                                 std::string* why) const {
    const HMENU submenu = position >= 0 ? user().item(menu, position).submenu : nullptr;
    const unsigned long mark = trace().mark();
    // Open means the menu loop asked the window for it and it shows what came back.
    if (submenu && user().openSubmenu(menu, position, timeoutMs) &&
        waitUntil([&] { return trace().itemsAfterInit(submenu, mark) >= 0; }, 1000))
        return submenu;
    if (why) {
        POINT cursor{}, centre{};
        GetCursorPos(&cursor);
        const bool shown = user().itemCenter(menu, position, centre);
        const MenuItem parent = user().item(menu, position);
        const int answered = trace().itemsAfterInit(submenu, mark);
        char line[400];
        std::snprintf(line, sizeof line,
                      "  item %d (%s) of a menu of %d did not open its submenu: %s; item %s at "
                      "%ld,%ld, state 0x%x; cursor at %ld,%ld; %u menus open\n",
                      position, parent.text.c_str(), itemCount(menu),
                      !submenu       ? "it has none"
                      : answered < 0 ? "no WM_INITMENUPOPUP for it since the move"
                                     : "it was asked for but does not show",
                      shown ? "shown" : "not shown", centre.x, centre.y, parent.state, cursor.x,
                      cursor.y, static_cast<unsigned>(user().openMenus().size()));
        *why = line + trace().describeLast(24);
    }
    return nullptr;
}

HMENU RunningPlayer::openItem(HMENU menu, int position) const {
    REQUIRE(position >= 0);
    std::string why;
    const HMENU submenu = tryOpenItem(menu, position, kOpenMs, &why);
    if (!submenu) std::printf("%s", why.c_str());
    REQUIRE(submenu != nullptr);
    return submenu;
}

HMENU RunningPlayer::openPath(const std::vector<std::string>& texts) const {
    HMENU menu = mainMenu_;
    for (const std::string& text : texts) {
        const int position = user().find(menu, text);
        if (position < 0)
            std::printf("  no \"%s\" in %s\n", text.c_str(), user().describe(menu).c_str());
        menu = openItem(menu, position);
    }
    return menu;
}

void RunningPlayer::endProgramWithoutTeardown() const {
    winetest::RunState& state = winetest::runState();
    if (state.currentTest) {
        const bool ok = state.failuresInTest == 0;
        std::printf("[ %s ] %s\n", ok ? " OK " : "FAIL", state.currentTest);
        (ok ? state.passed : state.failed) += 1;
    }
    winetest::printSummary();
    std::fflush(stdout);
    std::error_code ignored;
    std::filesystem::remove_all(iniDir_, ignored);
    TerminateProcess(GetCurrentProcess(), state.failed == 0 && state.passed > 0 ? 0 : 1);
    ExitProcess(1);
}

void RunningPlayer::closeMenus() const {
    REQUIRE(user().closeAll(kOpenMs));
}

} // namespace tg::e2e
