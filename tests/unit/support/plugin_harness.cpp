#include "support/plugin_harness.h"

#include "actions/plugin_playlist.h"
#include "menus/multi_level_order.h"
#include "model/menu_definition.h"
#include "model/settings_file.h"
#include "model/text.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "plugin/descriptor.h"
#include "plugin/frame_state.h"
#include "support/player_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace tg::test {

namespace {

constexpr std::int32_t kDefaultHostMenuId = 40188;
constexpr int kTrayMiddleUp = 520;

// Positions leading from menu to the first popup that is wanted.
bool pathToPopup(HMENU menu, const std::function<bool(HMENU)>& wanted, std::vector<int>& path,
                 int depth) {
    if (depth > 16) return false;
    const std::vector<platform::sim::MenuItemView> items = platform::sim::menuItems(menu);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const HMENU submenu = items[i].submenu;
        if (submenu == nullptr) continue;
        path.push_back(static_cast<int>(i));
        if (wanted(submenu) || pathToPopup(submenu, wanted, path, depth + 1)) return true;
        path.pop_back();
    }
    return false;
}

bool pathToPopup(HMENU menu, UINT id, std::vector<int>& path, int depth) {
    return pathToPopup(
        menu,
        [id](HMENU popup) {
            const std::vector<platform::sim::MenuItemView> inner = platform::sim::menuItems(popup);
            return !inner.empty() && inner.front().id == id;
        },
        path, depth);
}

void collectChecked(HMENU menu, std::vector<std::string>& out, int depth) {
    if (depth > 64) return;
    for (const platform::sim::MenuItemView& item : platform::sim::menuItems(menu)) {
        if (item.flags & MF_CHECKED) out.push_back(item.text);
        if (item.submenu != nullptr) collectChecked(item.submenu, out, depth + 1);
    }
}

} // namespace

HINSTANCE fakeModuleInstance() {
    static char module;
    return reinterpret_cast<HINSTANCE>(&module);
}

void resetProcess() {
    platform::sim::reset();
    resetModel();
    resetFrame();
    resetPluginPlaylistState();
    resetMultiLevelOrderState();
    player::resetPlayer();
}

PluginHarness::PluginHarness()
    : loop_(player::player().mainWindow(), [this] { return cancelModes(); }) {
    player::Player& p = player();
    EXPECT_TRUE(p.setIniDir("S:\\Settings"));
    loadSampleLibrary();
    descriptor().hostWindow = p.mainWindow();
    descriptor().libraryWindow = p.libraryWindow();
    model().options.hostMenuId = kDefaultHostMenuId;
}

PluginHarness::~PluginHarness() {
    if (running_) stop();
    platform::sim::settle();
    descriptor().hostWindow = nullptr;
    descriptor().libraryWindow = nullptr;
    descriptor().moduleInstance = nullptr;
}

MenuDefinition& PluginHarness::define(const char* name, SourceType type) {
    MenuDefinition& d = model().definitionList.emplace_back();
    copyText(d.name, name);
    applySourceDefaults(d, type);
    return d;
}

void PluginHarness::start() {
    if (writeFile_) writeSettings();
    resetModel();
    player().attachPlugin(&descriptor(), fakeModuleInstance());
    running_ = true;
}

void PluginHarness::stop() {
    player().detachPlugin();
    running_ = false;
}

MenuDefinition& PluginHarness::definition(const char* name) const {
    MenuDefinition* d = findDefinitionByName(name);
    if (d == nullptr) throw std::logic_error(std::string("no definition ") + name);
    return *d;
}

HMENU PluginHarness::hostPopupWithFirstId(UINT id) const {
    std::vector<int> path;
    if (!pathToPopup(mainMenu(), id, path, 0)) return nullptr;
    HMENU menu = mainMenu();
    for (int position : path) menu = platform::getSubMenu(menu, position);
    return menu;
}

HMENU PluginHarness::openTargetPopup() {
    loop_.closeAll();
    loop_.track(mainMenu());
    if (model().options.ownMenu != 0) return openSubmenu(mainMenu(), "Tunegrove");
    // The known target popup, wherever the host moved it; else the one the id finds.
    std::vector<int> path;
    const HMENU known = frame().targetPopup;
    const bool found =
        (known != nullptr &&
         pathToPopup(
             mainMenu(), [known](HMENU popup) { return popup == known; }, path, 0)) ||
        pathToPopup(mainMenu(), static_cast<UINT>(model().options.hostMenuId), path, 0);
    if (!found) throw std::logic_error("no host popup carries the plug-in's items");
    HMENU menu = mainMenu();
    for (int position : path) menu = loop_.openSubmenu(menu, position);
    return menu;
}

HMENU PluginHarness::openSubmenu(HMENU menu, const std::string& text) {
    const int position = positionOf(menu, text);
    if (position < 0) throw std::logic_error("no item \"" + text + "\"");
    return loop_.openSubmenu(menu, position);
}

void PluginHarness::pressHotkey(UINT modifiers, UINT virtualKey) {
    loop_.follow([&] {
        platform::sim::pressHotkey(modifiers, virtualKey);
        platform::sim::pump();
    });
}

void PluginHarness::trayMiddleClick() {
    loop_.follow([&] { player().sendTrayNotify(kTrayMiddleUp); });
}

std::size_t PluginHarness::cancelModes() const {
    const std::vector<std::string>& log = player().log();
    return static_cast<std::size_t>(std::count(log.begin(), log.end(), "WM_CANCELMODE"));
}

std::vector<std::string> itemTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (const platform::sim::MenuItemView& item : platform::sim::menuItems(menu))
        texts.push_back(item.flags & MF_SEPARATOR ? "-" : item.text);
    return texts;
}

int positionOf(HMENU menu, const std::string& text) {
    const std::vector<std::string> texts = itemTexts(menu);
    const auto found = std::find(texts.begin(), texts.end(), text);
    return found == texts.end() ? -1 : static_cast<int>(found - texts.begin());
}

int positionContaining(HMENU menu, const std::string& part) {
    const std::vector<std::string> texts = itemTexts(menu);
    std::string wanted;
    for (char c : part) wanted += lowerAscii(c);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::string text;
        for (char c : texts[i].substr(0, texts[i].find('\t'))) text += lowerAscii(c);
        if (text.find(wanted) != std::string::npos) return static_cast<int>(i);
    }
    return -1;
}

int positionLeadingTo(HMENU menu, const std::string& part) {
    const std::vector<platform::sim::MenuItemView> items = platform::sim::menuItems(menu);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].submenu != nullptr && positionContaining(items[i].submenu, part) >= 0)
            return static_cast<int>(i);
    return -1;
}

std::vector<std::string> checkedTexts(HMENU menu) {
    std::vector<std::string> out;
    collectChecked(menu, out, 0);
    return out;
}

} // namespace tg::test
