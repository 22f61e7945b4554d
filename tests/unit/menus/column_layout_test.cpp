#include "menus/column_layout.h"
#include "model/model_state.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"

#include <gtest/gtest.h>

#include <string>

namespace tg {
namespace {

// Appends hostItems plain items, then count plug-in items placed one by one as
// the fillers do, and returns the popup.
HMENU fill(int hostItems, int count, int total) {
    const HMENU popup = platform::createPopupMenu();
    for (int i = 0; i < hostItems; ++i) platform::appendMenu(popup, MF_STRING, 1000 + i, "host");
    int position = hostItems;
    int columnsLeft = initialColumnsLeft();
    HMENU menu = popup;
    for (int k = 0; k < count; ++k) {
        UINT flag = 0xDEAD;
        nextItemPlacement(position, columnsLeft, menu, flag, total);
        EXPECT_TRUE(flag == 0 || flag == MF_MENUBARBREAK);
        const std::string text = "item " + std::to_string(k);
        EXPECT_TRUE(platform::appendMenu(menu, MF_STRING | MF_USECHECKBITMAPS | flag,
                                         static_cast<UINT_PTR>(position), text.c_str()));
        ++position;
    }
    return popup;
}

// "[35|35|35|34+M][1]": items per column of each menu, "+M" for a trailing
// "MORE" submenu, whose own layout follows in the next brackets.
std::string layout(HMENU menu) {
    std::string out;
    while (menu != nullptr) {
        const auto items = platform::sim::menuItems(menu);
        HMENU more = nullptr;
        out += "[";
        int column = 0;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const auto& item = items[i];
            if (item.text == "MORE" && (item.flags & MF_POPUP)) {
                EXPECT_EQ(i, items.size() - 1) << "MORE is the last item";
                EXPECT_EQ(item.flags & (MF_POPUP | MF_USECHECKBITMAPS),
                          MF_POPUP | MF_USECHECKBITMAPS);
                EXPECT_EQ(item.flags & MF_MENUBARBREAK, 0u);
                more = item.submenu;
                break;
            }
            if ((item.flags & MF_MENUBARBREAK) && column > 0) {
                out += std::to_string(column) + "|";
                column = 0;
            }
            ++column;
        }
        if (column > 0) out += std::to_string(column);
        out += more ? "+M]" : "]";
        menu = more;
    }
    return out;
}

TEST(NextItemPlacement, LaysOutColumnsAndMoreSubmenus) {
    const struct {
        const char* name;
        int rows, columns, moreColumns;
        int hostItems, count, total;
        const char* expected;
    } cases[] = {
        {"139 items fill four columns", 35, 4, 2, 0, 139, 139, "[35|35|35|34]"},
        {"the 140th goes into MORE", 35, 4, 2, 0, 140, 140, "[35|35|35|34+M][1]"},
        {"MORE has two columns and its own MORE", 35, 4, 2, 0, 209, 209,
         "[35|35|35|34+M][35|34+M][1]"},
        {"no limit", 35, 4, 2, 0, 140, -1, "[35|35|35|34+M][1]"},
        {"host part of 40: first break at 70", 35, 4, 2, 40, 100, 100, "[70|35|35]"},
        {"a total of 1 never opens MORE", 35, 4, 2, 0, 200, 1, "[35|35|35|95]"},
        {"one column", 35, 1, 1, 0, 36, 36, "[34+M][2]"},
        {"two rows", 2, 1, 1, 0, 5, -1, "[1+M][1+M][1+M][1+M][1]"},
        {"more columns than needed", 10, 9, 2, 0, 25, 25, "[10|10|5]"},
        {"zero settings count as 1", 0, 0, 0, 0, 3, -1, "[+M][1+M][1+M][1]"},
        {"negative settings count as 1", -4, -1, -9, 0, 2, -1, "[+M][1+M][1]"},
    };
    for (const auto& c : cases) {
        platform::sim::reset();
        resetModel();
        model().options.rowsPerColumn = c.rows;
        model().options.columnCount = c.columns;
        model().options.moreColumnCount = c.moreColumns;
        const HMENU popup = fill(c.hostItems, c.count, c.total);
        EXPECT_EQ(layout(popup), c.expected) << c.name;
    }
}

TEST(NextItemPlacement, NoMoreForAnItemThatIsNotThere) {
    // With defaults, position 139 only opens MORE while it is below the total.
    HMENU menu = platform::createPopupMenu();
    const HMENU popup = menu;
    int position = 139;
    int columnsLeft = 0;
    UINT flag = 0;
    nextItemPlacement(position, columnsLeft, menu, flag, 139);
    EXPECT_EQ(menu, popup);
    EXPECT_EQ(position, 139);
    EXPECT_EQ(platform::getMenuItemCount(popup), 0);
    nextItemPlacement(position, columnsLeft, menu, flag, 140);
    EXPECT_NE(menu, popup);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(columnsLeft, 1);
    EXPECT_EQ(flag, 0u);
    EXPECT_EQ(platform::getSubMenu(popup, 0), menu);
}

TEST(NextItemPlacement, LeavesTheMenuAloneWhenMoreCannotBeAdded) {
    HMENU menu = platform::createPopupMenu();
    platform::destroyMenu(menu); // a menu that is gone: the append fails
    const HMENU gone = menu;
    const int before = platform::sim::liveMenuCount();
    int position = 34;
    int columnsLeft = 0;
    UINT flag = 0;
    nextItemPlacement(position, columnsLeft, menu, flag, -1);
    EXPECT_EQ(menu, gone);
    EXPECT_EQ(position, 34);
    EXPECT_EQ(platform::sim::liveMenuCount(), before); // the new popup was not leaked
    platform::sim::takeFaults();                       // the use of the destroyed menu
}

} // namespace
} // namespace tg
