#include "support/plugin_harness.h"

#include "actions/plugin_playlist.h"
#include "menus/multi_level_order.h"
#include "model/menu_definition.h"
#include "model/settings_file.h"
#include "model/text.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "player/driver/plugin_driver.h"
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

void collectChecked(HMENU menu, std::vector<std::string>& out, int depth) {
    if (depth > 64) return;
    for (const platform::sim::MenuItemView& item : platform::sim::menuItems(menu)) {
        if (item.flags & MF_CHECKED) out.push_back(item.text);
        if (item.submenu != nullptr) collectChecked(item.submenu, out, depth + 1);
    }
}

} // namespace

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
    return driver::hostPopupWithFirstId(id);
}

HMENU PluginHarness::openTargetPopup() {
    const HMENU target = driver::openTargetPopup(loop_);
    if (target == nullptr) throw std::logic_error("no host popup carries the plug-in's items");
    return target;
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
    return driver::cancelModesReceived();
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
