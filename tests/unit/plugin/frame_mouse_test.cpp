// Clicks inside the open menus, through the mouse hook: what a left, right or
// middle click does on level items, host items, "TG Playlist" entries and the
// context menus, and when the menus stay open.
#include "actions/plugin_playlist.h"
#include "model/global_hotkey.h"
#include "model/text.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "plugin/frame_state.h"
#include "plugin/host_messages.h"
#include "support/message_sequence.h"
#include "support/player_support.h"
#include "support/plugin_harness.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tg {
namespace {

using test::begins;
using test::kMenuMovesAndLookups;
using test::logHas;
using test::logIs;
using test::PluginHarness;
using test::queuedFiles;
using test::Sequence;
using test::Texts;

const test::Line kPlayed = begins("ML_SEND_TO_HOST mode=2");
const test::Line kEnqueued = begins("ML_SEND_TO_HOST mode=3");
const test::Line kClosed = "WM_CANCELMODE";

// "Artists" (Artist, Album, Title) over the sample library, opened down to the
// titles of one album.
class MenuMouse : public testing::Test {
protected:
    MenuDefinition& define(ClickAction action) {
        MenuDefinition& d = harness.define("Artists", SourceType::MediaLibrary);
        d.levels = {LevelType::Artist, LevelType::Album, LevelType::Title};
        d.clickAction = action;
        return d;
    }
    void openDown() {
        target = harness.openTargetPopup();
        artists = harness.openSubmenu(target, "Artists");
        albums = loop().openSubmenu(artists, test::positionContaining(artists, "Lanterns"));
        titles = loop().openSubmenu(albums, test::positionContaining(albums, "Harbor Lights"));
        ASSERT_NE(titles, nullptr);
        harness.player().clearLog();
    }
    void selectTitle(const char* part) {
        loop().select(titles, test::positionContaining(titles, part));
    }
    driver::MenuLoop& loop() { return harness.loop(); }

    PluginHarness harness;
    HMENU target = nullptr;
    HMENU artists = nullptr;
    HMENU albums = nullptr;
    HMENU titles = nullptr;
};

TEST_F(MenuMouse, WhetherTheMenusCloseAfterALeftClick) {
    struct Case {
        ClickAction action;
        std::int32_t keepOnEnqueue;
        bool control;
        Sequence sent; // the menus closing last; EnqueueTg's tracks go to the queue
        bool stayOpen;
    };
    const Case cases[] = {
        {ClickAction::Play, 1, false, {kPlayed, kClosed}, false},
        {ClickAction::Enqueue, 1, false, {kEnqueued}, true},
        {ClickAction::EnqueueTg, 1, false, {}, true},
        {ClickAction::Enqueue, 0, false, {kEnqueued, kClosed}, false},
        {ClickAction::EnqueueAndPlay, 1, false, {kEnqueued, "HOST_CMD_NEXT", kClosed}, false},
        {ClickAction::Play, 1, true, {kPlayed}, true},
        {ClickAction::PlayTg, 0, true, {"HOST_CMD_NEXT"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.action) << " keep " << c.keepOnEnqueue
                                        << " ctrl " << c.control);
        test::resetProcess();
        PluginHarness h;
        MenuDefinition& d = h.define("Artists", SourceType::MediaLibrary);
        d.levels = {LevelType::Artist, LevelType::Album, LevelType::Title};
        d.clickAction = c.action;
        model().options.keepMenuOnEnqueue = c.keepOnEnqueue;
        h.start();
        const HMENU t = h.openTargetPopup();
        const HMENU a = h.loop().openSubmenu(h.openSubmenu(t, "Artists"), 0);
        h.player().clearLog();
        platform::sim::setKeyDown(VK_CONTROL, c.control);
        h.loop().select(a, 0);
        h.loop().leftClick();
        platform::sim::setKeyDown(VK_CONTROL, false);
        EXPECT_TRUE(logIs(c.sent, kMenuMovesAndLookups));
        if (c.action == ClickAction::EnqueueTg) {
            EXPECT_FALSE(queuedFiles().empty());
        }
        EXPECT_EQ(h.loop().anyOpen(), c.stayOpen);
        h.loop().closeAll();
        platform::sim::settle();
    }
}

TEST_F(MenuMouse, ASubmenuItemActsOnEverythingBelowItUnlessMenuActionsAreOff) {
    define(ClickAction::Enqueue);
    harness.start();
    openDown();
    loop().select(albums, test::positionContaining(albums, "Harbor Lights"));
    loop().leftClick();
    EXPECT_TRUE(logIs({kEnqueued}, kMenuMovesAndLookups));
    loop().closeAll();
    harness.stop();

    test::resetProcess();
    PluginHarness off;
    MenuDefinition& d = off.define("Artists", SourceType::MediaLibrary);
    d.levels = {LevelType::Artist, LevelType::Album, LevelType::Title};
    model().options.disableMenuActions = 1;
    off.start();
    const HMENU a = off.openSubmenu(off.openTargetPopup(), "Artists");
    off.player().clearLog();
    off.loop().select(a, 0);
    off.loop().leftClick();
    EXPECT_TRUE(logIs({}, kMenuMovesAndLookups));
    EXPECT_TRUE(off.loop().isOpen(a));
    // A leaf still acts.
    const HMENU albumsOfFirst = off.loop().openSubmenu(a, 0);
    const HMENU titlesOfFirst = off.loop().openSubmenu(albumsOfFirst, 0);
    off.loop().select(titlesOfFirst, 0);
    off.loop().leftClick();
    EXPECT_TRUE(logIs({kPlayed, kClosed}, kMenuMovesAndLookups));
}

TEST_F(MenuMouse, TheHeadingOfAPopupActsOnTheLevelAbove) {
    MenuDefinition& d = harness.define("Same Artist", SourceType::MediaLibrary);
    copyText(d.query, "artist == \"%artist\"");
    d.levels = {LevelType::Album, LevelType::Title};
    harness.start();
    harness.player().setPlaylist(
        {harness.player().entryFor(
            "C:\\Music\\The Lanterns\\Harbor Lights\\02 - Meadow Light.mp3")},
        0);
    const HMENU root = harness.openSubmenu(harness.openTargetPopup(), "Same Artist");
    ASSERT_EQ(test::itemTexts(root).at(1), "-");
    harness.player().clearLog();
    loop().select(root, 0);
    loop().leftClick();
    // Every track of the menu: every album of the artist.
    const auto& log = harness.player().log();
    const auto sent = std::find_if(log.begin(), log.end(), [](const std::string& line) {
        return line.rfind("ML_SEND_TO_HOST mode=2", 0) == 0;
    });
    ASSERT_NE(sent, log.end());
    EXPECT_NE(sent->find("\\Harbor Lights\\"), std::string::npos);
    EXPECT_NE(sent->find("\\Second Harbor\\"), std::string::npos);
}

TEST_F(MenuMouse, ThePlayersEnabledItemsInTheTargetPopupAreItsCommandsWhateverTheirIds) {
    define(ClickAction::Play);
    const HMENU host = harness.hostPopupWithFirstId(40188);
    platform::appendMenu(host, MF_STRING, 139, "Item 139");
    platform::appendMenu(host, MF_STRING, 140, "Item 140");
    platform::appendMenu(host, MF_STRING | MF_DISABLED, 150, "Disabled 150");
    harness.start();
    struct Case {
        const char* item;
        bool command; // sent as WM_COMMAND by the plug-in
    };
    for (const Case& c : {Case{"Item 140", true}, Case{"Item 139", true}, Case{"Songticker", true},
                          Case{"Disabled 150", false}}) {
        SCOPED_TRACE(c.item);
        target = harness.openTargetPopup();
        harness.player().clearLog();
        loop().select(target, test::positionOf(target, c.item));
        loop().leftClick();
        const UINT id = platform::sim::menuItems(target)[test::positionOf(target, c.item)].id;
        EXPECT_TRUE(
            logIs(c.command ? Sequence{kClosed, "WM_COMMAND " + std::to_string(id)} : Sequence{},
                  kMenuMovesAndLookups));
        EXPECT_EQ(loop().anyOpen(), !c.command); // a disabled item leaves the menu open
        loop().closeAll();
    }
}

TEST(PluginItemClicks, NeitherHeadingsNorThePluginsOwnItemsAreValuesOrPlayerCommands) {
    enum class Popup { InlineTarget, Own, Cursor };
    struct Case {
        const char* what;
        Popup popup;
        const char* item;
    };
    const Case cases[] = {
        {"TG Playlist above inline items", Popup::InlineTarget, "TG Playlist"},
        {"a submenu above inline items", Popup::InlineTarget, "Marks"},
        {"the own popup's heading", Popup::Own, "Tunegrove"},
        {"the cursor popup's heading", Popup::Cursor, "Tunegrove"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::resetProcess();
        PluginHarness h;
        MenuDefinition& artists = h.define("Artists", SourceType::MediaLibrary);
        artists.levels = {LevelType::Artist, LevelType::Album, LevelType::Title};
        if (c.popup == Popup::InlineTarget) model().options.mainMenu = &artists;
        h.define("Marks", SourceType::Bookmarks);
        model().options.ownMenu = c.popup == Popup::Own ? 1 : 0;
        model().options.hotkey = kHotkeyCtrl | 'M';
        h.start();
        appendToPluginPlaylist(std::string_view("C:\\queued.mp3"));
        HMENU popup = nullptr;
        if (c.popup == Popup::Cursor) {
            h.pressHotkey(MOD_CONTROL, 'M');
            popup = h.loop().innermost();
        } else {
            popup = h.openTargetPopup();
        }
        const int position = test::positionOf(popup, c.item);
        ASSERT_GE(position, 0);
        h.player().clearLog();
        h.loop().select(popup, position);
        h.loop().leftClick();
        EXPECT_TRUE(logIs({}, kMenuMovesAndLookups));
        EXPECT_EQ(queuedFiles(), Texts{"C:\\queued.mp3"});
        if (const HMENU submenu = platform::getSubMenu(popup, position)) {
            EXPECT_TRUE(h.loop().isOpen(submenu)); // the press opened it
        }
        h.loop().closeAll();
    }
}

TEST(PluginItemClicks, InlineItemsActOnThemselvesWhateverOpenedOrMovedAboveThem) {
    const std::string meadowLight = "ML_SEND_TO_HOST mode=2 files=C:\\Music\\The Lanterns\\Harbor "
                                    "Lights\\02 - Meadow Light.mp3";
    for (bool queuedFirst : {false, true}) {
        SCOPED_TRACE(queuedFirst ? "TG Playlist goes" : "TG Playlist comes");
        test::resetProcess();
        PluginHarness h;
        MenuDefinition& titles = h.define("Titles", SourceType::MediaLibrary);
        copyText(titles.query, "album == \"Harbor Lights\"");
        titles.levels = {LevelType::Title};
        model().options.mainMenu = &titles;
        h.define("Marks", SourceType::Bookmarks);
        h.start();
        const auto clickMeadowLight = [&](const HMENU target) {
            h.player().clearLog();
            h.loop().select(target, test::positionContaining(target, "Meadow Light"));
            h.loop().leftClick();
            EXPECT_TRUE(logHas(meadowLight));
            h.loop().closeAll();
        };
        if (queuedFirst) appendToPluginPlaylist(std::string_view("C:\\queued.mp3"));
        HMENU target = h.openTargetPopup();
        h.openSubmenu(target, "Marks"); // a walk of its own beside the inline level
        clickMeadowLight(target);
        if (queuedFirst)
            emptyPluginPlaylist();
        else
            appendToPluginPlaylist(std::string_view("C:\\queued.mp3"));
        target = h.openTargetPopup();
        ASSERT_EQ(test::positionOf(target, "TG Playlist") >= 0, !queuedFirst);
        clickMeadowLight(target);
    }
}

TEST(PluginItemClicks, EntriesLongerThanTheReadBackActWholeOrNotAtAll) {
    const std::string title = "Title " + std::string(300, 't');
    const std::string line = "N:\\" + std::string(300, 'l') + ".mp3";
    struct Case {
        const char* what;
        std::vector<std::string> open; // submenus down to the item
        std::string bookmarks;
        std::string shown; // how the item's label begins
        std::string added; // "": nothing reaches the player
    };
    const Case cases[] = {
        {"a bookmark",
         {"Marks"},
         "C:\\long.mp3\n" + title + "\nC:\\short.mp3\nTitle\n",
         title,
         "C:\\long.mp3"},
        {"two bookmarks alike",
         {"Marks"},
         "C:\\a.mp3\n" + title + "a\nC:\\b.mp3\n" + title + "b\n",
         title,
         ""},
        {"a playlist file's line", {"Folder", "list.m3u"}, "", line, line},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::resetProcess();
        test::TempDrive drive('N');
        drive.file("list.m3u", "#EXTM3U\n" + line + "\nN:\\short.mp3\n");
        PluginHarness h;
        h.define("Marks", SourceType::Bookmarks).clickAction = ClickAction::Enqueue;
        MenuDefinition& folder = h.define("Folder", SourceType::Directory);
        copyText(folder.query, "N:\\");
        copyText(folder.fileTypes, "mp3;m3u");
        folder.clickAction = ClickAction::Enqueue;
        h.start();
        ASSERT_TRUE(h.player().writeIniFile("Winamp.bm", c.bookmarks));
        HMENU menu = h.openTargetPopup();
        for (const std::string& label : c.open) menu = h.openSubmenu(menu, label);
        const int position = test::positionContaining(menu, c.shown.substr(0, 40));
        ASSERT_GE(position, 0);
        h.player().clearLog();
        h.loop().select(menu, position);
        h.loop().leftClick();
        EXPECT_EQ(logHas(begins("HOST_ADD_FILE")), !c.added.empty());
        if (!c.added.empty()) {
            EXPECT_TRUE(logHas("HOST_ADD_FILE " + c.added));
        }
    }
}

TEST_F(MenuMouse, TgPlaylistEntriesPastTheHostCommandLimitPlay) {
    define(ClickAction::Play);
    harness.start();
    for (int i = 1; i <= 150; ++i)
        appendToPluginPlaylist(std::string_view("C:\\q" + std::to_string(i) + ".mp3"));
    target = harness.openTargetPopup();
    const HMENU playlist = harness.openSubmenu(target, "TG Playlist");
    harness.player().clearLog();
    loop().choose(playlist, 151); // the 150th entry, id 151
    EXPECT_TRUE(logIs({"HOST_CMD_NEXT"}, kMenuMovesAndLookups));
    ASSERT_FALSE(harness.player().startedFiles().empty());
    EXPECT_EQ(harness.player().startedFiles().back(), "C:\\q150.mp3");
    EXPECT_EQ(queuedFiles().size(), 149u);
}

TEST_F(MenuMouse, EachMiddleClickClosesOneLevel) {
    define(ClickAction::Play);
    harness.start();
    openDown();
    const std::size_t open = loop().openMenus().size();
    for (std::size_t closed = 1; closed <= 3; ++closed) {
        loop().middleClick();
        EXPECT_EQ(loop().openMenus().size(), open - closed);
        EXPECT_EQ(model().selectionPath.size(), 3 - closed);
        EXPECT_FALSE(frame().middleButtonDown);
    }
    EXPECT_TRUE(logIs({}, kMenuMovesAndLookups));
    // In the target popup itself as well.
    loop().middleClick();
    EXPECT_EQ(loop().openMenus().size(), open - 4);
    const auto keys = platform::sim::keyEvents();
    ASSERT_EQ(keys.size(), 8u);
    EXPECT_EQ(keys[0].virtualKey, VK_ESCAPE);
    EXPECT_EQ(keys[1].flags, KEYEVENTF_KEYUP);
}

TEST_F(MenuMouse, RightClickOpensTheActionsWhoseChoiceActsOnTheItem) {
    define(ClickAction::Play);
    harness.start();
    openDown();
    loop().pointer = {40, 50};
    loop().select(albums, test::positionContaining(albums, "Harbor Lights"));
    loop().rightClick();
    const HMENU actions = frame().actionMenu;
    ASSERT_EQ(loop().innermost(), actions);
    EXPECT_EQ(test::itemTexts(actions),
              (Texts{"Play", "Enqueue", "Enq. and Play", "Play TG", "Enqueue TG"}));
    EXPECT_EQ(platform::getMenuStyle(actions), 0x18000000u);
    const platform::sim::TrackedPopup tracked = platform::sim::trackedPopups().back();
    EXPECT_EQ(tracked.x, 40);
    EXPECT_EQ(tracked.y, 50);
    EXPECT_EQ(tracked.flags, 0x15u);
    EXPECT_EQ(frame().contextIndex, 1);
    EXPECT_FALSE(logHas(begins("ML_SEND_TO_HOST")));

    loop().choose(actions, 4); // "Enqueue TG": the whole album, menus stay open
    EXPECT_GE(queuedFiles().size(), 11u);
    for (const std::string& file : queuedFiles())
        EXPECT_NE(file.find("\\Harbor Lights\\"), std::string::npos);
    EXPECT_TRUE(loop().isOpen(albums));
    titles = loop().openSubmenu(albums, test::positionContaining(albums, "Harbor Lights"));
    loop().select(titles, 0);
    loop().rightClick();
    EXPECT_EQ(frame().contextIndex, 2);
    loop().choose(frame().actionMenu, 1); // "Enqueue" one title
    EXPECT_TRUE(logHas(kEnqueued));
    EXPECT_TRUE(loop().isOpen(titles));
    loop().select(titles, 0);
    loop().rightClick();
    loop().choose(frame().actionMenu, 0); // "Play" closes everything first
    EXPECT_TRUE(
        logIs({kEnqueued, kClosed, kPlayed}, kMenuMovesAndLookups + Texts{"WM_INITMENUPOPUP"}));
    EXPECT_FALSE(loop().anyOpen());
}

TEST_F(MenuMouse, AContextMenuThatCannotShowSaysSo) {
    define(ClickAction::Play);
    harness.start();
    openDown();
    loop().setTrackingFails(true, 1400);
    selectTitle("Meadow Light");
    loop().rightClick();
    loop().setTrackingFails(false);
    const auto& boxes = platform::sim::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].text, "Return value: 1400");
    EXPECT_EQ(boxes[0].caption, "ERROR");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(loop().isOpen(titles));
}

TEST_F(MenuMouse, RightClicksInTgPlaylistOpenTheEntryMenuOnEntriesOnly) {
    define(ClickAction::Play);
    harness.start();
    for (const char* file : {"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"})
        appendToPluginPlaylist(std::string_view(file));
    target = harness.openTargetPopup();
    const HMENU playlist = harness.openSubmenu(target, "TG Playlist");
    for (int position : {0, 1}) {
        loop().select(playlist, position);
        loop().rightClick();
        EXPECT_EQ(frame().contextIndex, position);
        EXPECT_TRUE(platform::sim::trackedPopups().empty());
    }
    loop().select(playlist, 2);
    loop().rightClick();
    EXPECT_EQ(frame().contextIndex, 2);
    ASSERT_EQ(loop().innermost(), frame().playlistEntryMenu);
    EXPECT_EQ(test::itemTexts(frame().playlistEntryMenu),
              (Texts{"Move Up", "Move Down", "Delete"}));
    loop().choose(frame().playlistEntryMenu, 1); // Move Down
    EXPECT_EQ(queuedFiles(), (Texts{"C:\\b.mp3", "C:\\a.mp3", "C:\\c.mp3"}));
    EXPECT_EQ(test::itemTexts(playlist),
              (Texts{"Clear Playlist", "-", "C:\\b.mp3", "C:\\a.mp3", "C:\\c.mp3"}));
    EXPECT_TRUE(loop().isOpen(playlist));
}

int otherHookCalls = 0;
LRESULT TG_CALLBACK otherHook(int code, WPARAM wParam, LPARAM lParam) {
    ++otherHookCalls;
    return platform::callNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MenuMouse, WithNoPluginMenuOpenTheHookPassesEverythingOn) {
    define(ClickAction::Play);
    const HHOOK other =
        platform::setWindowsHookEx(WH_MOUSE, otherHook, test::fakeModuleInstance(), 0);
    harness.start();
    harness.player().clearLog();
    otherHookCalls = 0;
    for (UINT message : {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP})
        platform::sim::callMouseHooks(message, {1, 1});
    EXPECT_EQ(otherHookCalls, 4);
    EXPECT_TRUE(harness.player().log().empty());
    EXPECT_TRUE(platform::sim::keyEvents().empty());
    EXPECT_TRUE(platform::sim::trackedPopups().empty());
    // A claimed event does not reach the next hook.
    openDown();
    otherHookCalls = 0;
    platform::sim::callMouseHooks(WM_MBUTTONDOWN, {1, 1});
    EXPECT_EQ(otherHookCalls, 0);
    loop().closeAll();
    harness.stop();
    platform::unhookWindowsHookEx(other);
}

TEST_F(MenuMouse, AClickIsActedOnOnceHoweverOftenTheMenuLoopSeesIt) {
    define(ClickAction::Play);
    harness.start();
    openDown();
    selectTitle("Meadow Light");
    const platform::Point at{5, 5};
    // Looked at, looked at again, then taken: one action, at the first look.
    platform::sim::callMouseHooks(WM_LBUTTONUP, at, HC_NOREMOVE);
    EXPECT_EQ(test::logCount(kPlayed), 1);
    platform::sim::callMouseHooks(WM_LBUTTONUP, at, HC_NOREMOVE);
    platform::sim::callMouseHooks(WM_LBUTTONUP, at, HC_ACTION);
    EXPECT_EQ(test::logCount(kPlayed), 1);

    // The next click, on the same spot, is a click of its own, whether it is
    // looked at first or only taken.
    openDown();
    selectTitle("Meadow Light");
    platform::sim::callMouseHooks(WM_LBUTTONUP, at, HC_NOREMOVE);
    platform::sim::callMouseHooks(WM_LBUTTONUP, at, HC_ACTION);
    EXPECT_EQ(test::logCount(kPlayed), 1);
    openDown();
    selectTitle("Meadow Light");
    platform::sim::callMouseHooks(WM_LBUTTONUP, at, HC_ACTION);
    EXPECT_EQ(test::logCount(kPlayed), 1);
    harness.stop();
}

} // namespace
} // namespace tg
