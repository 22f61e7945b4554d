// The menu trees the real DLL builds in the test player, printed as the
// preview prints its own (--json), for the comparison of the two
// (menu_trees_check.sh):
//   tg_menu_tree_dump CASES OUT
// reads every case folder CASES\NN (tools/menu_cases) and writes OUT\NN.json:
// the popup that carries the plug-in's items, every submenu opened.
#include "host_app.h"
#include "message_menu_walk.h"
#include "tree_printer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using namespace tg;

namespace {

// Submenus deeper than this are never opened, as in the preview.
constexpr int kDeepestCapture = 64;

std::string programFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length < sizeof path ? length : 0);
    return folder.substr(0, folder.find_last_of("\\/"));
}

std::vector<std::string> caseNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != '.')
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// "key=value" lines.
std::string caseValue(const std::string& caseFolder, const std::string& key) {
    std::ifstream in(caseFolder + "\\case.txt", std::ios::binary);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    return {};
}

std::string itemText(HMENU menu, int position) {
    const int length = GetMenuStringA(menu, static_cast<UINT>(position), nullptr, 0, MF_BYPOSITION);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) * 2 + 2, '\0');
    GetMenuStringA(menu, static_cast<UINT>(position), text.data(), static_cast<int>(text.size()),
                   MF_BYPOSITION);
    text.resize(std::strlen(text.c_str()));
    return text;
}

UINT itemId(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    return GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) ? info.wID : 0;
}

std::vector<preview::MenuNode> capture(e2e::MessageMenuWalk& walk, HMENU menu, int depth) {
    // The items as they stand while the menu is open, before any submenu opens.
    std::vector<preview::MenuNode> nodes;
    std::vector<HMENU> submenus;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const HMENU submenu = GetSubMenu(menu, i);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        const UINT id = itemId(menu, i);
        const bool handleId =
            submenu != nullptr && id == static_cast<UINT>(reinterpret_cast<UINT_PTR>(submenu));
        nodes.push_back(preview::nodeOf(itemText(menu, i),
                                        submenu != nullptr ? state & 0xFFu : state,
                                        handleId ? 0 : id, submenu != nullptr));
        submenus.push_back(submenu);
    }
    for (int i = 0; i < count; ++i) {
        if (submenus[static_cast<std::size_t>(i)] == nullptr || depth >= kDeepestCapture) continue;
        const HMENU submenu = walk.openSubmenu(menu, i);
        if (submenu == nullptr) continue;
        nodes[static_cast<std::size_t>(i)].items = capture(walk, submenu, depth + 1);
        if (walk.isOpen(submenu)) walk.close(submenu);
    }
    return nodes;
}

std::string label(HMENU menu, int position) {
    const std::string text = itemText(menu, position);
    return preview::displayText(std::string_view(text).substr(0, text.find('\t')));
}

// Positions from menu to the first popup wanted, depth first.
bool pathTo(HMENU menu, const std::function<bool(HMENU)>& wanted, std::vector<int>& path,
            int depth) {
    if (depth > 16) return false;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const HMENU submenu = GetSubMenu(menu, i);
        if (submenu == nullptr) continue;
        path.push_back(i);
        if (wanted(submenu) || pathTo(submenu, wanted, path, depth + 1)) return true;
        path.pop_back();
    }
    return false;
}

// The popup that carries the plug-in's items: its own "Tunegrove" in the main
// menu, or the player's popup whose first item has the configured id.
std::vector<int> targetPath(HMENU mainMenu, const std::string& target) {
    std::vector<int> path;
    if (target == "own") {
        for (int i = 0; i < GetMenuItemCount(mainMenu); ++i)
            if (itemText(mainMenu, i) == "Tunegrove") return {i};
        return {};
    }
    const UINT id = static_cast<UINT>(std::stoul(target));
    pathTo(
        mainMenu, [id](HMENU popup) { return GetMenuItemID(popup, 0) == id; }, path, 0);
    return path;
}

void pumpPosted() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// One case: the player with the case's inputs and the real DLL, the tree, the player gone.
bool dumpCase(const std::string& caseFolder, const std::string& outFile) {
    testplayer::HostOptions options;
    options.library = caseFolder + "\\library.tsv";
    options.playlist = caseFolder + "\\playlist.m3u";
    options.iniDir = caseFolder + "\\settings";
    options.playing = caseValue(caseFolder, "playing");
    options.dll = programFolder() + "\\ml_tg.dll";
    options.showWindow = false; // the menus open by messages alone
    testplayer::HostApp app;
    if (const std::string error = app.start(options); !error.empty()) {
        std::printf("%s: %s\n", caseFolder.c_str(), error.c_str());
        return false;
    }
    pumpPosted();
    const std::vector<int> path = targetPath(app.mainMenu(), caseValue(caseFolder, "target"));
    if (path.empty()) {
        std::printf("%s: no popup carries the plug-in's items\n", caseFolder.c_str());
        return false;
    }
    e2e::MessageMenuWalk walk(app.window());
    walk.track(app.mainMenu());
    preview::MenuTree tree;
    tree.title = "Main menu";
    HMENU menu = app.mainMenu();
    for (const int position : path) {
        tree.title += " > " + label(menu, position);
        menu = walk.openSubmenu(menu, position);
    }
    tree.items = capture(walk, menu, 0);
    walk.closeAll();
    pumpPosted();
    app.stop();
    std::ofstream out(outFile, std::ios::binary);
    preview::printTreeJson(out, tree);
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tg_menu_tree_dump CASES OUT\n");
        return 2;
    }
    const std::string cases = argv[1];
    const std::string out = argv[2];
    CreateDirectoryA(out.c_str(), nullptr);
    int failed = 0;
    const std::vector<std::string> names = caseNames(cases);
    for (const std::string& name : names)
        if (!dumpCase(cases + "\\" + name, out + "\\" + name + ".json")) ++failed;
    std::printf("%d cases read back, %d failed\n", static_cast<int>(names.size()), failed);
    return failed == 0 && !names.empty() ? 0 : 1;
}
