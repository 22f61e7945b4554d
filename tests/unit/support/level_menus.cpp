#include "support/level_menus.h"

#include "menus/column_layout.h"
#include "menus/item_label.h"
#include "menus/label_order.h"
#include "menus/label_reader.h"
#include "menus/level_builder.h"
#include "menus/track_level.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "player/player.h"
#include "plugin/descriptor.h"

#include <cstdio>

namespace tg::test {

PlayerConnection::PlayerConnection() {
    player::Player& p = player::player();
    descriptor().hostWindow = p.mainWindow();
    descriptor().libraryWindow = p.libraryWindow();
}

PlayerConnection::~PlayerConnection() {
    descriptor().hostWindow = nullptr;
    descriptor().libraryWindow = nullptr;
}

MenuDefinition libraryDefinition(std::vector<LevelType> levels) {
    MenuDefinition d;
    applySourceDefaults(d, SourceType::MediaLibrary);
    d.levels = std::move(levels);
    return d;
}

void setNowPlaying(const char* file) {
    if (file != nullptr)
        model().nowPlayingFile = std::string(file);
    else
        model().nowPlayingFile.reset();
}

void openPopup(HMENU popup, MenuDefinition& definition, std::vector<LevelSelection>& path,
               bool lookForSong) {
    if (platform::getMenuItemCount(popup) > 0 &&
        platform::getMenuItemCount(popup) > (path.empty() ? definition.firstBuiltItem : 0)) {
        prepareBuiltPopup(popup, definition, path, nowPlayingText(), lookForSong);
        return;
    }
    const int depth = static_cast<int>(path.size());
    LevelSelection& record = path.emplace_back();
    record.menu = popup;
    record.kind = definition.levelKind(depth);
    buildTrackLevel(definition, depth, popup, path, nowPlayingText());
}

HMENU openItem(HMENU menu, int position, MenuDefinition& definition,
               std::vector<LevelSelection>& path) {
    char text[kMenuTextSize] = {};
    platform::getMenuString(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    decodeItemValue(text, definition, path.back());
    const UINT state = platform::getMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    const HMENU submenu = platform::getSubMenu(menu, position);
    openPopup(submenu, definition, path, (state & MF_CHECKED) != 0);
    return submenu;
}

void closePopup(std::vector<LevelSelection>& path) {
    const LevelSelection& record = path.back();
    if (record.checkedMenu != nullptr)
        platform::checkMenuItem(record.checkedMenu, static_cast<UINT>(record.checkedPosition),
                                MF_BYPOSITION | MF_UNCHECKED);
    path.pop_back();
}

std::vector<LevelItem> levelItems(HMENU popup, int from) {
    std::vector<LevelItem> items;
    HMENU menu = popup;
    while (menu != nullptr) {
        const std::vector<platform::sim::MenuItemView> views = platform::sim::menuItems(menu);
        const HMENU more = continuationPage(menu, menu == popup);
        const int end = static_cast<int>(views.size()) - (more != nullptr ? 1 : 0);
        for (int i = from; i < end; ++i) {
            const platform::sim::MenuItemView& v = views[static_cast<std::size_t>(i)];
            items.push_back({menu, i, v.text, v.flags, v.id, v.submenu});
        }
        menu = more;
        from = 0;
    }
    return items;
}

std::string labelPart(const std::string& text) {
    return text.substr(0, text.find('\t'));
}

std::string durationText(long long s) {
    char out[64];
    if (s < 600)
        std::snprintf(out, sizeof out, "       [%lld:%02lld]", s / 60, s % 60);
    else if (s < 3600)
        std::snprintf(out, sizeof out, "     [%02lld:%02lld]", s / 60, s % 60);
    else if (s < 36000)
        std::snprintf(out, sizeof out, "  [%lld:%02lld:%02lld]", s / 3600, s / 60 % 60, s % 60);
    else
        std::snprintf(out, sizeof out, "[%02lld:%02lld:%02lld]", s / 3600, s / 60 % 60, s % 60);
    return out;
}

std::string itemLabelText(const std::string& text) {
    std::string label = labelPart(text);
    unescapeAmpersands(label.data());
    return label.c_str();
}

void describeLevels(HMENU menu, MenuDefinition& definition, std::vector<LevelSelection>& path,
                    bool open, const std::string& indent, std::vector<std::string>& out) {
    for (const LevelItem& item : levelItems(menu)) {
        out.push_back(indent + item.text + "|" + std::to_string(item.flags & ~MF_CHECKED));
        if (item.submenu == nullptr) continue;
        if (open) {
            const HMENU submenu = openItem(item.menu, item.position, definition, path);
            describeLevels(submenu, definition, path, open, indent + "  ", out);
            closePopup(path);
        } else {
            describeLevels(item.submenu, definition, path, open, indent + "  ", out);
        }
    }
}

namespace {
void collectChecked(HMENU menu, std::vector<std::string>& out) {
    const std::vector<platform::sim::MenuItemView> views = platform::sim::menuItems(menu);
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (views[i].flags & MF_CHECKED)
            out.push_back(std::to_string(reinterpret_cast<std::uintptr_t>(menu)) + ":" +
                          std::to_string(i) + " " + views[i].text);
        if (views[i].submenu != nullptr) collectChecked(views[i].submenu, out);
    }
}
} // namespace

std::vector<std::string> checkedItems(HMENU popup) {
    std::vector<std::string> out;
    collectChecked(popup, out);
    return out;
}

} // namespace tg::test
