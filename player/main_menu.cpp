#include "player/main_menu.h"

#include "platform/menu.h"

#include <initializer_list>

namespace tg::player {

namespace {

struct Item {
    const char* text; // null: a separator
    UINT id;
};

HMENU popupOf(std::initializer_list<Item> items) {
    HMENU menu = platform::createPopupMenu();
    for (const Item& item : items) {
        if (item.text)
            platform::appendMenu(menu, MF_STRING, item.id, item.text);
        else
            platform::appendMenu(menu, MF_SEPARATOR, 0, nullptr);
    }
    return menu;
}

void appendPopup(HMENU menu, HMENU popup, const char* text) {
    platform::appendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), text);
}

} // namespace

HMENU buildMainMenu() {
    HMENU menu = platform::createPopupMenu();
    platform::appendMenu(menu, MF_STRING, 40041, "About Player...");
    platform::appendMenu(menu, MF_SEPARATOR, 0, nullptr);
    platform::appendMenu(menu, MF_STRING, 40029, "Play File...");
    platform::appendMenu(menu, MF_STRING, 40155, "Play URL...");
    appendPopup(menu, popupOf({{"Play", kIdPlay}, {"Pause", 40046}, {"Stop", 40047}}), "Play");
    appendPopup(menu,
                popupOf({{"Next Track", kIdNextTrack},
                         {"Previous Track", 40044},
                         {nullptr, 0},
                         {"Forward 5 Seconds", 40148},
                         {"Back 5 Seconds", 40144}}),
                "Skip");
    platform::appendMenu(menu, MF_SEPARATOR, 0, nullptr);
    appendPopup(menu, popupOf({{"Skin Browser...", 40219}, {nullptr, 0}, {"Default Skin", 40220}}),
                "Skins");
    HMENU options = popupOf({{"Preferences...", 40012}, {"Always On Top", 40019}});
    appendPopup(options, popupOf({{"Songticker", kIdSongticker}, {"Start/Stop Plug-in", 40192}}),
                "Visualization");
    appendPopup(menu, options, "Options");
    platform::appendMenu(menu, MF_SEPARATOR, 0, nullptr);
    platform::appendMenu(menu, MF_STRING, 40001, "Exit");
    return menu;
}

} // namespace tg::player
