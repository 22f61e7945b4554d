// The simulated menus answer as user32 does where the plug-in relies on it.
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "support/platform_faults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace tg::platform {
namespace {

UINT_PTR asId(HMENU menu) {
    return reinterpret_cast<UINT_PTR>(menu);
}

TEST(PlatformMenu, StateOfAPopupItemPacksTheSubmenuCountAboveTheFlags) {
    HMENU menu = createPopupMenu();
    HMENU sub = createPopupMenu();
    for (UINT i = 0; i < 3; ++i) appendMenu(sub, MF_STRING, 10 + i, "x");
    appendMenu(menu, MF_POPUP | MF_CHECKED | MF_GRAYED, asId(sub), "Sub");
    appendMenu(menu, MF_SEPARATOR, 0, nullptr);
    appendMenu(menu, MF_STRING | MF_DISABLED | MF_MENUBARBREAK | MF_USECHECKBITMAPS | MF_HILITE, 7,
               "Leaf");
    appendMenu(menu, MF_STRING, 8, nullptr);

    EXPECT_EQ(getMenuState(menu, 0, MF_BYPOSITION), (3u << 8) | MF_POPUP | MF_CHECKED | MF_GRAYED);
    // Separators are kept grayed and disabled, and a string without text is one.
    EXPECT_EQ(getMenuState(menu, 1, MF_BYPOSITION), MF_SEPARATOR | MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(getMenuState(menu, 3, MF_BYPOSITION), MF_SEPARATOR | MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(getMenuState(menu, 2, MF_BYPOSITION),
              MF_DISABLED | MF_MENUBARBREAK | MF_USECHECKBITMAPS | MF_HILITE);
    EXPECT_EQ(getMenuState(menu, 7, MF_BYCOMMAND),
              MF_DISABLED | MF_MENUBARBREAK | MF_USECHECKBITMAPS | MF_HILITE);
    // Reading past the end or a missing id is a normal probe, not a fault.
    EXPECT_EQ(getMenuState(menu, 4, MF_BYPOSITION), kMenuStateInvalid);
    EXPECT_EQ(getMenuState(menu, 99, MF_BYCOMMAND), kMenuStateInvalid);
    EXPECT_EQ(getMenuState(sub, 0, MF_BYPOSITION), MF_STRING);
    destroyMenu(menu);
}

TEST(PlatformMenu, CheckAndEnableAnswerThePreviousState) {
    struct Case {
        const char* what;
        UINT initial;
        bool check; // else enable
        UINT flags;
        DWORD previous;
        UINT after;
    };
    const Case cases[] = {
        {"check an unchecked", 0, true, MF_CHECKED, 0, MF_CHECKED},
        {"check a checked", MF_CHECKED, true, MF_CHECKED, MF_CHECKED, MF_CHECKED},
        {"uncheck a checked grayed", MF_CHECKED | MF_GRAYED, true, MF_UNCHECKED, MF_CHECKED,
         MF_GRAYED},
        {"gray an enabled", 0, false, MF_GRAYED, 0, MF_GRAYED},
        {"disable a grayed", MF_GRAYED, false, MF_DISABLED, MF_GRAYED, MF_DISABLED},
        {"enable a disabled checked", MF_DISABLED | MF_CHECKED, false, MF_ENABLED, MF_DISABLED,
         MF_CHECKED},
        {"gray and disable", 0, false, MF_GRAYED | MF_DISABLED, 0, MF_GRAYED | MF_DISABLED},
    };
    for (const Case& c : cases) {
        for (UINT by : {MF_BYPOSITION, MF_BYCOMMAND}) {
            SCOPED_TRACE(std::string(c.what) + (by == MF_BYPOSITION ? " by position" : " by id"));
            HMENU menu = createPopupMenu();
            appendMenu(menu, MF_STRING, 40, "first");
            appendMenu(menu, MF_STRING | c.initial, 41, "second");
            const UINT item = by == MF_BYPOSITION ? 1 : 41;
            const DWORD previous = c.check ? checkMenuItem(menu, item, by | c.flags)
                                           : enableMenuItem(menu, item, by | c.flags);
            EXPECT_EQ(previous, c.previous);
            EXPECT_EQ(getMenuState(menu, 1, MF_BYPOSITION), c.after);
            EXPECT_EQ(getMenuState(menu, 0, MF_BYPOSITION), 0u) << "the neighbour changed";
            destroyMenu(menu);
        }
    }
}

TEST(PlatformMenu, CheckOrEnableOfAMissingItemAnswersInvalid) {
    HMENU menu = createPopupMenu();
    appendMenu(menu, MF_STRING, 1, "only");
    EXPECT_EQ(checkMenuItem(menu, 5, MF_BYCOMMAND | MF_CHECKED), kMenuPreviousInvalid);
    EXPECT_EQ(enableMenuItem(menu, 5, MF_BYCOMMAND | MF_GRAYED), kMenuPreviousInvalid);
    EXPECT_TRUE(sim::takeFaults().empty()) << "a missing id is a normal answer";
    // A position past the end is a caller's mistake Win32 would silently ignore.
    EXPECT_EQ(checkMenuItem(menu, 1, MF_BYPOSITION | MF_CHECKED), kMenuPreviousInvalid);
    EXPECT_TRUE(test::takeFaultsMentioning("past the end"));
    destroyMenu(menu);
}

TEST(PlatformMenu, DeletingAPopupItemDestroysItsWholeTree) {
    HMENU root = createPopupMenu();
    HMENU child = createPopupMenu();
    HMENU grandchild = createPopupMenu();
    appendMenu(grandchild, MF_STRING, 3, "deep");
    appendMenu(child, MF_POPUP, asId(grandchild), "grand");
    appendMenu(root, MF_STRING, 1, "keep");
    appendMenu(root, MF_POPUP, asId(child), "child");
    ASSERT_EQ(sim::liveMenuCount(), 3);

    EXPECT_TRUE(deleteMenu(root, 1, MF_BYPOSITION));
    EXPECT_EQ(sim::liveMenuCount(), 1);
    EXPECT_FALSE(isMenu(child));
    EXPECT_FALSE(isMenu(grandchild));
    EXPECT_TRUE(sim::takeFaults().empty()) << "isMenu on a dead handle is the way to ask";
    EXPECT_EQ(getMenuItemCount(root), 1);

    // Any later use of the dead handles is reported, and answers as Win32 does.
    EXPECT_EQ(getMenuItemCount(grandchild), -1);
    EXPECT_TRUE(test::takeFaultsMentioning("destroyed"));
    EXPECT_FALSE(appendMenu(child, MF_STRING, 9, "late"));
    EXPECT_TRUE(test::takeFaultsMentioning("destroyed"));
    EXPECT_EQ(getMenuState(child, 0, MF_BYPOSITION), kMenuStateInvalid);
    EXPECT_EQ(checkMenuItem(child, 0, MF_BYPOSITION), kMenuPreviousInvalid);
    EXPECT_EQ(getSubMenu(child, 0), nullptr);
    EXPECT_FALSE(destroyMenu(child));
    EXPECT_EQ(sim::takeFaults().size(), 4u);
    destroyMenu(root);
    EXPECT_EQ(sim::liveMenuCount(), 0);
}

TEST(PlatformMenu, DestroyingAMenuDestroysItsSubmenusAndNeverReusesHandles) {
    HMENU root = createPopupMenu();
    HMENU child = createPopupMenu();
    appendMenu(root, MF_POPUP, asId(child), "child");
    destroyMenu(root);
    EXPECT_EQ(sim::liveMenuCount(), 0);
    HMENU fresh = createPopupMenu();
    EXPECT_NE(fresh, root);
    EXPECT_NE(fresh, child);
    EXPECT_FALSE(isMenu(child));
    destroyMenu(fresh);
}

TEST(PlatformMenu, DestroyingAMenuStillAttachedIsAFault) {
    HMENU root = createPopupMenu();
    HMENU child = createPopupMenu();
    appendMenu(root, MF_POPUP, asId(child), "child");
    EXPECT_TRUE(destroyMenu(child));
    EXPECT_TRUE(test::takeFaultsMentioning("still a submenu"));
    // The parent item keeps the dead handle, as on Windows.
    EXPECT_EQ(getSubMenu(root, 0), child);
    EXPECT_EQ(getMenuState(root, 0, MF_BYPOSITION), kMenuStateInvalid);
    EXPECT_TRUE(deleteMenu(root, 0, MF_BYPOSITION));
    EXPECT_TRUE(sim::takeFaults().empty());
    destroyMenu(root);
}

TEST(PlatformMenu, ASubmenuHasOneParentAndNeverContainsItself) {
    HMENU first = createPopupMenu();
    HMENU second = createPopupMenu();
    HMENU shared = createPopupMenu();
    EXPECT_TRUE(appendMenu(first, MF_POPUP, asId(shared), "a"));
    EXPECT_FALSE(appendMenu(second, MF_POPUP, asId(shared), "b"));
    EXPECT_TRUE(test::takeFaultsMentioning("already attached"));
    EXPECT_FALSE(appendMenu(shared, MF_POPUP, asId(first), "loop"));
    EXPECT_TRUE(test::takeFaultsMentioning("contain itself"));
    EXPECT_EQ(getMenuItemCount(second), 0);
    destroyMenu(first);
    destroyMenu(second);
    EXPECT_EQ(sim::liveMenuCount(), 0);
}

TEST(PlatformMenu, ByCommandLooksInsideNestedPopupsFirst) {
    HMENU root = createPopupMenu();
    HMENU sub = createPopupMenu();
    HMENU subsub = createPopupMenu();
    appendMenu(subsub, MF_STRING, 5, "deep five");
    appendMenu(sub, MF_POPUP, asId(subsub), "subsub");
    appendMenu(sub, MF_STRING, 6, "six");
    appendMenu(root, MF_POPUP, asId(sub), "sub");
    appendMenu(root, MF_STRING, 5, "shallow five");
    // The popup item itself carries id 6 after this; the leaf inside still wins.
    setMenuItemId(root, 0, 6);

    char text[32];
    EXPECT_EQ(getMenuString(root, 5, text, sizeof text, MF_BYCOMMAND), 9);
    EXPECT_STREQ(text, "deep five");
    EXPECT_EQ(getMenuString(root, 6, text, sizeof text, MF_BYCOMMAND), 3);
    EXPECT_STREQ(text, "six");

    EXPECT_EQ(checkMenuItem(root, 6, MF_BYCOMMAND | MF_CHECKED), 0u);
    EXPECT_EQ(getMenuState(sub, 1, MF_BYPOSITION), MF_CHECKED);

    EXPECT_TRUE(deleteMenu(root, 5, MF_BYCOMMAND));
    EXPECT_EQ(getMenuItemCount(subsub), 0);
    EXPECT_EQ(getMenuItemCount(root), 2);

    // With no leaf left, the popup item with the id is the answer.
    EXPECT_TRUE(deleteMenu(root, 6, MF_BYCOMMAND)); // "six"
    EXPECT_EQ(getMenuState(root, 6, MF_BYCOMMAND), (1u << 8) | MF_POPUP);
    EXPECT_TRUE(insertMenu(root, 6, MF_BYCOMMAND | MF_STRING, 8, "before sub"));
    EXPECT_EQ(sim::menuItems(root)[0].text, "before sub");
    destroyMenu(root);
    EXPECT_EQ(sim::liveMenuCount(), 0);
}

TEST(PlatformMenu, InsertByPositionPastTheEndAppends) {
    HMENU menu = createPopupMenu();
    EXPECT_TRUE(insertMenu(menu, 0, MF_BYPOSITION | MF_STRING, 1, "one"));
    EXPECT_TRUE(insertMenu(menu, 7, MF_BYPOSITION | MF_STRING, 3, "three"));
    EXPECT_TRUE(insertMenu(menu, 0xFFFFFFFF, MF_BYPOSITION | MF_STRING, 4, "four"));
    EXPECT_TRUE(insertMenu(menu, 1, MF_BYPOSITION | MF_STRING, 2, "two"));
    const auto items = sim::menuItems(menu);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, "one");
    EXPECT_EQ(items[1].text, "two");
    EXPECT_EQ(items[2].text, "three");
    EXPECT_EQ(items[3].text, "four");
    EXPECT_EQ(items[1].flags, MF_STRING) << "MF_BYPOSITION is no item flag";
    // An id found nowhere appends, as user32 does.
    EXPECT_TRUE(insertMenu(menu, 99, MF_BYCOMMAND | MF_STRING, 5, "nowhere"));
    EXPECT_EQ(sim::menuItems(menu).back().text, "nowhere");
    destroyMenu(menu);
}

TEST(PlatformMenu, MenuStringIsCutToTheBuffer) {
    HMENU menu = createPopupMenu();
    appendMenu(menu, MF_STRING, 1, "Abcdef");
    appendMenu(menu, MF_SEPARATOR, 0, "ignored");
    char buffer[8] = "zzzzzzz";
    EXPECT_EQ(getMenuString(menu, 0, buffer, 4, MF_BYPOSITION), 3);
    EXPECT_STREQ(buffer, "Abc");
    EXPECT_EQ(buffer[4], 'z') << "wrote past maxCount";
    EXPECT_EQ(getMenuString(menu, 0, nullptr, 0, MF_BYPOSITION), 6) << "the length when asked";
    EXPECT_EQ(getMenuString(menu, 1, buffer, sizeof buffer, MF_BYPOSITION), 0);
    EXPECT_STREQ(buffer, "") << "a separator reads as empty";
    // A missing item leaves the caller's buffer alone, so code that does not
    // check the answer sees stale text here as it would on Windows.
    std::strcpy(buffer, "old");
    EXPECT_EQ(getMenuString(menu, 2, buffer, sizeof buffer, MF_BYPOSITION), 0);
    EXPECT_STREQ(buffer, "old");
    destroyMenu(menu);
}

TEST(PlatformMenu, PopupItemsCarryTheirHandleAsIdUntilSet) {
    HMENU menu = createPopupMenu();
    HMENU sub = createPopupMenu();
    appendMenu(menu, MF_POPUP, asId(sub), "sub");
    appendMenu(menu, MF_SEPARATOR, 0, nullptr);
    UINT id = 0;
    ASSERT_TRUE(getMenuItemId(menu, 0, &id));
    EXPECT_EQ(id, static_cast<UINT>(asId(sub)));
    EXPECT_TRUE(setMenuItemId(menu, 0, 12));
    ASSERT_TRUE(getMenuItemId(menu, 0, &id));
    EXPECT_EQ(id, 12u);
    EXPECT_EQ(getSubMenu(menu, 0), sub) << "a new id keeps the submenu";
    EXPECT_EQ(getSubMenu(menu, 1), nullptr);
    EXPECT_EQ(getSubMenu(menu, 2), nullptr);
    // Reading the id of an empty menu's first item is how the plug-in probes.
    HMENU empty = createPopupMenu();
    EXPECT_FALSE(getMenuItemId(empty, 0, &id));
    EXPECT_TRUE(sim::takeFaults().empty());
    destroyMenu(menu);
    destroyMenu(empty);
}

// Item texts share one buffer per menu; items inserted in the middle, deleted
// (by position and by command from a submenu) and added again over many
// rounds must keep their own texts, also after the buffer drops dead ones.
TEST(PlatformMenu, TextsSurviveManyInsertsAndDeletes) {
    const HMENU menu = createPopupMenu();
    const HMENU sub = createPopupMenu();
    appendMenu(menu, MF_POPUP, asId(sub), "Sub");
    std::vector<std::string> expected{"Sub"};
    std::vector<std::string> expectedSub;
    for (int round = 0; round < 200; ++round) {
        const std::string text = "item " + std::to_string(round) + std::string(round % 37, '.');
        if (round % 3 == 0) {
            insertMenu(menu, 0, MF_BYPOSITION | MF_STRING, 100 + round, text.c_str());
            expected.insert(expected.begin(), text);
        } else {
            appendMenu(menu, MF_STRING, 100 + round, text.c_str());
            expected.push_back(text);
        }
        appendMenu(sub, MF_STRING, 1000 + round, text.c_str());
        expectedSub.push_back(text);
        if (round % 2 == 1) { // delete the oldest item after the popup, and one of the submenu
            const auto at = std::find(expected.begin(), expected.end(), "Sub") + 1;
            if (at != expected.end()) {
                deleteMenu(menu, static_cast<UINT>(at - expected.begin()), MF_BYPOSITION);
                expected.erase(at);
            }
            deleteMenu(menu, 1000 + round - 1, MF_BYCOMMAND); // found in the submenu
            expectedSub.erase(std::find(expectedSub.begin(), expectedSub.end(),
                                        "item " + std::to_string(round - 1) +
                                            std::string((round - 1) % 37, '.')));
        }
    }
    const auto texts = [](HMENU m) {
        std::vector<std::string> out;
        char buffer[128];
        for (int i = 0; i < getMenuItemCount(m); ++i) {
            getMenuString(m, static_cast<UINT>(i), buffer, sizeof buffer, MF_BYPOSITION);
            out.push_back(buffer);
        }
        return out;
    };
    EXPECT_EQ(texts(menu), expected);
    EXPECT_EQ(texts(sub), expectedSub);
    std::vector<std::string> viewed;
    for (const sim::MenuItemView& view : sim::menuItems(menu)) viewed.push_back(view.text);
    EXPECT_EQ(viewed, expected);
    destroyMenu(menu);

    // Items that come and go while a few stay, as in a popup rebuilt at each opening.
    const HMENU cycled = createPopupMenu();
    appendMenu(cycled, MF_STRING, 1, "first kept");
    for (int round = 0; round < 300; ++round) {
        const std::string text = std::string(60, 'a' + round % 26) + std::to_string(round);
        appendMenu(cycled, MF_STRING, 2, text.c_str());
        if (round == 150) appendMenu(cycled, MF_STRING, 3, "second kept");
        deleteMenu(cycled, 2, MF_BYCOMMAND);
    }
    EXPECT_EQ(texts(cycled), (std::vector<std::string>{"first kept", "second kept"}));
    destroyMenu(cycled);
}

TEST(PlatformMenu, HiliteStyleAndTrackedPopups) {
    HWND owner = createWindow(defWindowProc, "owner");
    HMENU menu = createPopupMenu();
    appendMenu(menu, MF_STRING, 0, "Play");
    EXPECT_TRUE(hiliteMenuItem(owner, menu, 0, MF_BYPOSITION | MF_HILITE));
    EXPECT_EQ(getMenuState(menu, 0, MF_BYPOSITION), MF_HILITE);
    EXPECT_TRUE(hiliteMenuItem(owner, menu, 0, MF_BYPOSITION | MF_UNHILITE));
    EXPECT_EQ(getMenuState(menu, 0, MF_BYPOSITION), 0u);

    EXPECT_TRUE(setMenuStyle(menu, MNS_AUTODISMISS | MNS_NOTIFYBYPOS));
    EXPECT_EQ(getMenuStyle(menu), MNS_AUTODISMISS | MNS_NOTIFYBYPOS);

    EXPECT_TRUE(trackPopupMenuEx(menu, 0x15, 10, 20, owner));
    sim::failTrackPopup(true, 1401);
    EXPECT_FALSE(trackPopupMenuEx(menu, 0x15, 30, 40, owner));
    EXPECT_EQ(getLastError(), 1401u);
    ASSERT_EQ(sim::trackedPopups().size(), 2u);
    EXPECT_EQ(sim::trackedPopups()[1].x, 30);
    EXPECT_EQ(sim::trackedPopups()[1].owner, owner);
    destroyMenu(menu);
    destroyWindow(owner);
}

TEST(PlatformMenu, TreeDumpShowsFlagsIdsAndTabs) {
    HMENU root = createPopupMenu();
    HMENU sub = createPopupMenu();
    appendMenu(sub, MF_STRING | MF_DISABLED | MF_CHECKED, 3, "Abba\t12");
    appendMenu(sub, MF_SEPARATOR, 0, nullptr);
    appendMenu(sub, MF_STRING | MF_MENUBARBREAK, 4, "B");
    appendMenu(root, MF_POPUP, asId(sub), "Artists");
    appendMenu(root, MF_STRING | MF_GRAYED, 2, "Empty");
    EXPECT_EQ(sim::menuTree(root), "[popup] Artists\n"
                                   "  [disabled] [checked] 3 Abba\\t12\n"
                                   "  [sep]\n"
                                   "  [barbreak] 4 B\n"
                                   "[grayed] 2 Empty\n");
    setMenuItemId(root, 0, 1);
    EXPECT_EQ(sim::menuTree(root).substr(0, 18), "[popup] 1 Artists\n");
    destroyMenu(root);
}

TEST(PlatformMenu, AMenuBarGoesWithItsWindow) {
    HWND window = createWindow(defWindowProc, "main");
    HMENU bar = createMenu();
    HMENU file = createPopupMenu();
    appendMenu(bar, MF_POPUP, asId(file), "File");
    EXPECT_TRUE(setMenu(window, bar));
    EXPECT_EQ(getMenu(window), bar);
    EXPECT_TRUE(drawMenuBar(window));
    EXPECT_EQ(sim::drawnMenuBars().size(), 1u);
    destroyWindow(window);
    EXPECT_FALSE(isMenu(bar));
    EXPECT_FALSE(isMenu(file));
}

} // namespace
} // namespace tg::platform
