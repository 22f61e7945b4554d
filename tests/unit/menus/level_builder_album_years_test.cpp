// Two albums of one name by one artist, from different years, are two items;
// each must list only its own tracks, also when its submenu is filled lazily
// by a query built from the label read back.
#include "model/model_state.h"
#include "platform/menu.h"
#include "player/player.h"
#include "support/level_menus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tg {
namespace {

player::Track track(const char* file, const char* album, int year, const char* title, int number) {
    player::Track t;
    t.filename = file;
    t.artist = "Mira Okafor";
    t.album = album;
    t.year = year;
    t.title = title;
    t.trackNumber = number;
    t.length = 200;
    return t;
}

std::vector<std::string> titlesUnder(HMENU menu) {
    std::vector<std::string> titles;
    for (const test::LevelItem& item : test::levelItems(menu))
        titles.push_back(test::itemLabelText(item.text));
    return titles;
}

TEST(AlbumYears, AlbumsOfOneNameFromTwoYearsListOnlyTheirOwnTracks) {
    for (const bool lazy : {true, false}) {
        for (const int yearPosition : {0, 1}) {
            SCOPED_TRACE(testing::Message()
                         << (lazy ? "lazy" : "eager") << ", year position " << yearPosition);
            test::PlayerConnection connection;
            player::player().setTracks({
                track("C:\\m\\hits99\\1.mp3", "Hits", 1999, "Salt", 1),
                track("C:\\m\\hits99\\2.mp3", "Hits", 1999, "Sea", 2),
                track("C:\\m\\hits05\\1.mp3", "Hits", 2005, "Tide", 1),
                track("C:\\m\\other\\1.mp3", "Harbor (Live)", 2005, "Dusk", 1),
                // An unknown year shows blanks: an item of its own all the same.
                track("C:\\m\\hits00\\1.mp3", "Harbor (Live)", 0, "Dawn", 1),
            });
            model().options.loadAllMenus = lazy ? 0 : 1;
            MenuDefinition definition =
                test::libraryDefinition({LevelType::Artist, LevelType::Album, LevelType::Title});
            definition.yearPosition = yearPosition;
            const HMENU root = platform::createPopupMenu();
            definition.popupMenu = root;
            std::vector<LevelSelection> path;
            test::openPopup(root, definition, path, false);
            ASSERT_EQ(test::levelItems(root).size(), 1u);

            const HMENU albums = test::openItem(root, 0, definition, path);
            const std::vector<test::LevelItem> albumItems = test::levelItems(albums);
            std::vector<std::string> seen;
            for (const test::LevelItem& album : albumItems) {
                const HMENU titles = test::openItem(album.menu, album.position, definition, path);
                seen.push_back(test::itemLabelText(album.text) + ":");
                for (const std::string& title : titlesUnder(titles)) seen.back() += " " + title;
                test::closePopup(path);
            }
            const std::vector<std::string> expected =
                yearPosition == 0 ? std::vector<std::string>{"(        ) Harbor (Live):   1. Dawn",
                                                             "(1999) Hits:   1. Salt   2. Sea",
                                                             "(2005) Harbor (Live):   1. Dusk",
                                                             "(2005) Hits:   1. Tide"}
                                  : std::vector<std::string>{"Harbor (Live) (        ):   1. Dawn",
                                                             "Harbor (Live) (2005):   1. Dusk",
                                                             "Hits (1999):   1. Salt   2. Sea",
                                                             "Hits (2005):   1. Tide"};
            // Filled by a query or from the records themselves, alike.
            EXPECT_EQ(seen, expected);
            test::closePopup(path);
            for (int n = platform::getMenuItemCount(root); n > 0; --n)
                platform::deleteMenu(root, static_cast<UINT>(n - 1), MF_BYPOSITION);
            platform::destroyMenu(root);
        }
    }
}

} // namespace
} // namespace tg
