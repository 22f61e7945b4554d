#include "player_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tg::e2e {

namespace {

constexpr DWORD kOpenMs = 5000;

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

} // namespace

std::string SettingsFile::text() const {
    std::ostringstream out;
    out << "9 1 1 4 35 2 " << records.size() << ' ' << mainPosition << ' ' << (ownMenu ? 1 : 0)
        << ' ' << hostMenuId << " 2 0 " << (disableMenuActions ? 1 : 0) << ' '
        << (keepMenuOnEnqueue ? 1 : 0) << ' ' << hotkey << ' ' << (loadAllMenus ? 1 : 0) << '\n';
    for (const std::string& record : records) out << record;
    return out.str();
}

std::string libraryMenuRecord(const std::string& name, const std::string& query, int clickAction) {
    // Levels Artist, Album, Title; Media Library; submenu; year before albums;
    // track numbers; times on every level; the click action; name.
    return "3 0 1 2 1 1 1 0 1 1 " + std::to_string(clickAction) + "|" + name + "\n" + query +
           "\nmp3;mpeg;mpg;avi;ogg;wav\n";
}

std::string programFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length < sizeof path ? length : 0);
    return folder.substr(0, folder.find_last_of("\\/"));
}

int findItemContaining(HMENU menu, const std::string& part) {
    const std::vector<MenuItem> items = testplayer::readMenu(menu);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].text.find(part) != std::string::npos) return static_cast<int>(i);
    return -1;
}

std::string describeMenu(HMENU menu) {
    std::string text = "[";
    for (const MenuItem& item : testplayer::readMenu(menu)) {
        if (text.size() > 1) text += " | ";
        text += (item.state & MF_SEPARATOR) ? "----" : item.text;
    }
    return text + "]";
}

RunningPlayer::RunningPlayer(const PlayerSetup& setup) : iniDir_(freshFolder()) {
    if (!setup.settings.empty()) {
        std::ofstream out(iniDir_ + "\\Plugins\\ml_tg.ini", std::ios::binary);
        out << setup.settings;
    }
    testplayer::HostOptions options = testplayer::defaultHostOptions(programFolder());
    options.iniDir = iniDir_;
    options.dll = programFolder() + "\\" + setup.dll;
    thread_ = std::make_unique<testplayer::HostThread>(options);
    if (!thread_->startError().empty()) std::printf("  %s\n", thread_->startError().c_str());
    REQUIRE(thread_->startError().empty());
    mainMenu_ = host().get([this] { return thread_->app().mainMenu(); });
}

RunningPlayer::~RunningPlayer() {
    thread_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(iniDir_, ignored);
}

HMENU RunningPlayer::hostPopup(UINT firstId) const {
    return findPopup(mainMenu_, firstId, 0);
}

int RunningPlayer::logCount(const std::string& text) const {
    int count = 0;
    for (const std::string& line : log()) count += line.find(text) != std::string::npos;
    return count;
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

void RunningPlayer::unloadPlugin() const {
    host().run([this] { thread_->app().unloadPlugin(); });
}

WNDPROC RunningPlayer::procedureBeforePlugin() const {
    return host().get([this] { return thread_->app().procedureBeforePlugin(); });
}

void RunningPlayer::openMainMenu() const {
    RECT rect;
    GetWindowRect(window(), &rect);
    host().showMenu(nullptr, {rect.left + 60, rect.top + 80});
    REQUIRE(testplayer::waitUntil([&] { return testplayer::isMenuOpen(mainMenu_); }, kOpenMs));
}

HMENU RunningPlayer::openItem(HMENU menu, int position) const {
    REQUIRE(position >= 0);
    HMENU submenu = GetSubMenu(menu, position);
    if (!submenu || !testplayer::openSubmenu(menu, position, kOpenMs)) {
        std::printf("  item %d of %s did not open a submenu\n", position,
                    describeMenu(menu).c_str());
        REQUIRE(false);
    }
    return submenu;
}

HMENU RunningPlayer::openPath(const std::vector<std::string>& texts) const {
    HMENU menu = mainMenu_;
    for (const std::string& text : texts) {
        const int position = testplayer::findMenuItem(menu, text);
        if (position < 0)
            std::printf("  no \"%s\" in %s\n", text.c_str(), describeMenu(menu).c_str());
        menu = openItem(menu, position);
    }
    return menu;
}

void RunningPlayer::closeMenus() const {
    DWORD lastCancel = 0;
    bool first = true;
    REQUIRE(testplayer::waitUntil(
        [&] {
            if (!testplayer::anyMenuOpen()) return true;
            if (first || GetTickCount() - lastCancel >= 250) {
                host().cancelMenus();
                lastCancel = GetTickCount();
                first = false;
            }
            return false;
        },
        kOpenMs));
}

} // namespace tg::e2e
