// Loading, running and unloading the plug-in in the simulated player: what
// init ties into the host, what quit must take away again, and the media
// library's send-to and configuration notifications.
#include "actions/plugin_playlist.h"
#include "model/global_hotkey.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "plugin/descriptor.h"
#include "plugin/frame_state.h"
#include "plugin/host_messages.h"
#include "plugin/wide_calls.h"
#include "plugin/window_procedure.h"
#include "support/message_sequence.h"
#include "support/player_support.h"
#include "support/plugin_harness.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace tg {
namespace {

using test::logHas;
using test::logIs;
using test::PluginHarness;
using test::queuedFiles;
using test::Texts;

TEST(PluginExport, HandsOutOneDescriptorOfVersion21) {
    LibraryPluginDescriptor* first = winampGetMediaLibraryPlugin();
    EXPECT_EQ(first, winampGetMediaLibraryPlugin());
    EXPECT_EQ(first->version, 21);
    EXPECT_STREQ(first->description, "Tunegrove v0.5c");
    EXPECT_NE(first->init, nullptr);
    EXPECT_NE(first->quit, nullptr);
    EXPECT_NE(first->handleMessage, nullptr);
}

TEST(PluginLifecycle, InitSubclassesHooksAndRegistersTheSendToIds) {
    PluginHarness harness;
    const WNDPROC playerProcedure = platform::getWindowProc(harness.window());
    harness.start();

    EXPECT_EQ(platform::getWindowProc(harness.window()), &pluginWindowProcedure);
    EXPECT_EQ(frame().hostWindowProc, playerProcedure);
    const auto hooks = platform::sim::installedHooks();
    ASSERT_EQ(hooks.size(), 1u);
    EXPECT_EQ(hooks[0].hookId, WH_MOUSE);
    EXPECT_EQ(hooks[0].threadId, 0u);
    EXPECT_EQ(hooks[0].module, test::fakeModuleInstance());
    EXPECT_EQ(frame().enqueueSendToId, harness.player().registeredId("ENQ Tunegrove"));
    EXPECT_EQ(frame().playSendToId, harness.player().registeredId("PLAY Tunegrove"));
    EXPECT_NE(frame().enqueueSendToId, 0);
    EXPECT_NE(frame().enqueueSendToId, frame().playSendToId);
}

TEST(PluginLifecycle, InitFindsWhetherThePlayerOffersTheWideCalls) {
    struct Row {
        bool offered;
        const char* settingsFolder;
        bool found;
    };
    for (const Row& row : {Row{false, "C:\\Settings", false}, Row{true, "C:\\Settings", true},
                           Row{true, "", false}}) {
        PluginHarness harness;
        harness.player().offerWideCalls(row.offered);
        ASSERT_TRUE(harness.player().setIniDir(row.settingsFolder));
        harness.start();
        EXPECT_EQ(wideCalls(), row.found) << row.offered << " " << row.settingsFolder;
    }
}

TEST(PluginLifecycle, FirstRunWritesTheSettingsAndLooksForTheDefaultHostPopup) {
    PluginHarness harness;
    harness.withoutSettingsFile();
    harness.start();
    EXPECT_EQ(model().options.hostMenuId, 40188);
    EXPECT_EQ(model().definitionList.size(), 4u);
    const HMENU target = harness.openTargetPopup();
    EXPECT_EQ(frame().targetPopup, target);
    EXPECT_EQ(test::itemTexts(target),
              (Texts{"Songticker", "Start/Stop Plug-in", "-", "Playlist Tags", "Media Library",
                     "Directory", "Playlist Raw"}));
}

// Everything quit must take away, with the plug-in's menus in use beforehand.
void useTheMenus(PluginHarness& harness) {
    appendToPluginPlaylist(std::string_view("C:\\queued.mp3"));
    const HMENU target = harness.openTargetPopup();
    harness.openSubmenu(target, "TG Playlist");
    const HMENU library = harness.openSubmenu(target, "Library");
    harness.loop().select(library, platform::getMenuItemCount(library) - 1);
    harness.loop().rightClick(); // the action menu opens on top
    harness.loop().closeAll();
}

TEST(PluginLifecycle, QuitLeavesNothingBehindInHostSubmenuMode) {
    PluginHarness harness;
    harness.define("Library", SourceType::MediaLibrary);
    model().options.hotkey = kHotkeyCtrl | 0x4D;
    const WNDPROC playerProcedure = platform::getWindowProc(harness.window());
    const HMENU host = harness.hostPopupWithFirstId(40188);
    const Texts hostItems = test::itemTexts(host);
    const int menusBefore = platform::sim::liveMenuCount();
    harness.start();
    useTheMenus(harness);
    ASSERT_NE(frame().actionMenu, nullptr);
    ASSERT_FALSE(platform::sim::registeredHotkeys().empty());

    harness.stop();
    EXPECT_EQ(platform::getWindowProc(harness.window()), playerProcedure);
    EXPECT_TRUE(platform::sim::installedHooks().empty());
    EXPECT_TRUE(platform::sim::registeredHotkeys().empty());
    EXPECT_TRUE(platform::sim::liveAtoms().empty());
    EXPECT_EQ(test::itemTexts(host), hostItems);
    EXPECT_EQ(platform::getMenuStyle(host), MNS_AUTODISMISS);
    EXPECT_EQ(platform::sim::liveMenuCount(), menusBefore);
    EXPECT_TRUE(pluginPlaylistEmpty());
    EXPECT_EQ(frame().targetPopup, nullptr);
    EXPECT_EQ(frame().actionMenu, nullptr);
    EXPECT_TRUE(model().definitionList.empty());
    EXPECT_EQ(platform::sim::pinnedModuleCount(), 0);
}

TEST(PluginLifecycle, QuitLeavesNothingBehindInOwnMenuMode) {
    PluginHarness harness;
    harness.define("Library", SourceType::MediaLibrary);
    model().options.ownMenu = 1;
    const Texts mainItems = test::itemTexts(harness.mainMenu());
    const int menusBefore = platform::sim::liveMenuCount();
    harness.start();
    EXPECT_EQ(test::positionOf(harness.mainMenu(), "Tunegrove"),
              test::positionOf(harness.mainMenu(), "Skins") + 1);
    useTheMenus(harness);

    harness.stop();
    EXPECT_EQ(test::itemTexts(harness.mainMenu()), mainItems);
    EXPECT_EQ(platform::sim::liveMenuCount(), menusBefore);
    EXPECT_TRUE(platform::sim::liveAtoms().empty());
}

// Stands for another program that subclassed the player's window after us.
WNDPROC procedureBelowOther = nullptr;
int otherSaw = 0;
LRESULT TG_CALLBACK otherSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ++otherSaw;
    return platform::callWindowProc(procedureBelowOther, window, message, wParam, lParam);
}

TEST(PluginLifecycle, QuitUnderAnotherSubclassStaysAsAPassThrough) {
    PluginHarness harness;
    harness.define("Library", SourceType::MediaLibrary);
    harness.start();
    procedureBelowOther = platform::setWindowProc(harness.window(), otherSubclass);
    const HMENU host = harness.hostPopupWithFirstId(40188);

    harness.stop();
    EXPECT_EQ(platform::getWindowProc(harness.window()), &otherSubclass);
    EXPECT_EQ(platform::sim::pinnedModuleCount(), 1);
    // Everything still reaches the player, and the plug-in claims nothing.
    harness.player().setPlaylist({harness.player().entryFor("C:\\a.mp3")}, 0);
    EXPECT_EQ(test::sendToPlayer(0, HOST_GET_LIST_LENGTH), 1);
    harness.player().clearLog();
    platform::sendMessage(harness.window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(host), 0);
    EXPECT_TRUE(logIs({"WM_INITMENUPOPUP"}));
    EXPECT_EQ(test::itemTexts(host), (Texts{"Songticker", "Start/Stop Plug-in"}));

    // Loaded again, the plug-in works from where its procedure stands.
    harness.withoutSettingsFile(); // the one written at the first start is still there
    harness.start();
    EXPECT_EQ(platform::getWindowProc(harness.window()), &otherSubclass);
    const int seen = otherSaw;
    const HMENU target = harness.openTargetPopup();
    EXPECT_GT(otherSaw, seen);
    EXPECT_EQ(test::positionOf(target, "Library"), 3);
    harness.loop().closeAll();
    harness.stop();
    platform::setWindowProc(harness.window(), procedureBelowOther);
}

TEST(PluginLifecycle, TheProcedureOutsideInitAndQuitAnswersZeroAndTouchesNothing) {
    PluginHarness harness;
    const HMENU host = harness.hostPopupWithFirstId(40188);
    const UINT messages[] = {WM_INITMENUPOPUP, WM_MENUSELECT, WM_UNINITMENUPOPUP,
                             WM_MENUCOMMAND,   WM_HOTKEY,     WM_USER};
    for (UINT message : messages)
        EXPECT_EQ(pluginWindowProcedure(harness.window(), message, reinterpret_cast<WPARAM>(host),
                                        HOST_NEXT_ENTRY_QUERY),
                  0);
    harness.start();
    harness.stop();
    for (UINT message : messages)
        EXPECT_EQ(pluginWindowProcedure(harness.window(), message, reinterpret_cast<WPARAM>(host),
                                        HOST_NEXT_ENTRY_QUERY),
                  0);
    EXPECT_EQ(test::itemTexts(host), (Texts{"Songticker", "Start/Stop Plug-in"}));
}

TEST(PluginLifecycle, ASecondInitDoesNotSubclassItsOwnProcedure) {
    PluginHarness harness;
    harness.start();
    const WNDPROC saved = frame().hostWindowProc;
    EXPECT_EQ(descriptor().init(), 0);
    EXPECT_EQ(frame().hostWindowProc, saved);
    EXPECT_EQ(platform::sim::installedHooks().size(), 1u);
    harness.player().setPlaylist({harness.player().entryFor("C:\\a.mp3")}, 0);
    EXPECT_EQ(test::sendToPlayer(0, HOST_GET_LIST_LENGTH), 1); // no endless self-call
}

TEST(PluginLifecycle, QuitWhileTheRemovalWorkerSleepsIsSafe) {
    PluginHarness harness;
    harness.start();
    player::Player& player = harness.player();
    player.setPlaylist({player.entryFor("C:\\a.mp3"), player.entryFor("C:\\b.mp3")}, 0);
    appendToPluginPlaylist(std::string_view("C:\\queued.mp3"));
    test::sendCommand(HOST_CMD_NEXT); // inserted after a.mp3, started, removal scheduled
    platform::sim::settle();
    ASSERT_EQ(platform::sim::liveWorkerCount(), 1);

    harness.stop();
    platform::sim::advanceClock(250);
    platform::sim::settle();
    EXPECT_EQ(platform::sim::liveWorkerCount(), 0);
    ASSERT_EQ(player.playlist().size(), 2u);
    EXPECT_EQ(player.playlist()[1].file, "C:\\b.mp3");
    EXPECT_TRUE(pluginPlaylistEmpty());
}

// ---- The media library's notifications ----

class SendTo : public testing::Test {
protected:
    void SetUp() override { harness.start(); }
    PluginHarness harness;
};

TEST_F(SendTo, BuildAddsPlayThenEnqueueWithTheContext) {
    EXPECT_EQ(harness.player().buildSendToMenu(77), 0);
    const auto& items = harness.player().sendToItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].label, "TG Play");
    EXPECT_EQ(items[0].id, frame().playSendToId);
    EXPECT_EQ(items[0].context, 77);
    EXPECT_EQ(items[1].label, "TG Enqueue");
    EXPECT_EQ(items[1].id, frame().enqueueSendToId);
    EXPECT_EQ(items[1].context, 77);
}

TEST_F(SendTo, PlayAndEnqueueFillTheQueue) {
    struct Step {
        const char* entry;
        Texts files;
        Texts queue; // afterwards
        bool next;   // HOST_CMD_NEXT reached the player
    };
    // The player plays the head at once, so "TG Play" leaves the rest queued.
    const Step steps[] = {
        {"TG Enqueue", {"C:\\a.mp3", "C:\\b.mp3"}, {"C:\\a.mp3", "C:\\b.mp3"}, false},
        {"TG Enqueue", {"C:\\c.mp3"}, {"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"}, false},
        {"TG Play", {"C:\\d.mp3", "C:\\e.mp3", "C:\\f.mp3"}, {"C:\\e.mp3", "C:\\f.mp3"}, true},
        {"TG Play", {"C:\\g.mp3"}, {}, true},
        {"TG Enqueue", {}, {}, false},
        {"TG Play", {}, {}, true},
    };
    // Selections of files the library does not hold: the plug-in learns the
    // player's record from two of the library's own tracks.
    test::loadSampleLibrary();
    harness.player().buildSendToMenu(0);
    for (const Step& step : steps) {
        harness.player().clearLog();
        EXPECT_EQ(harness.player().chooseSendTo(step.entry, step.files), 0);
        EXPECT_EQ(queuedFiles(), step.queue) << step.entry << " " << step.files.size();
        EXPECT_EQ(logHas("HOST_CMD_NEXT"), step.next) << step.entry << " " << step.files.size();
        platform::sim::advanceClock(250);
        platform::sim::settle();
    }
}

// A player with the wide calls gets a wide item label and offers its selection
// as wide records first: those are taken, and the same selection offered as a
// TrackList next is declined. Without them the wide offer is declined.
TEST(SendToSpeech, TheWideSelectionIsTakenOnlyFromAPlayerThatOffersTheWideCalls) {
    const Texts files = {"C:\\\u041a\u0438\u043d\u043e\\\u0401.mp3",
                         "C:\\\u97f3\u697d\\\U0001F3B5.mp3"};
    for (const RecordLayout layout : {RecordLayout::Classic, RecordLayout::WithExtension}) {
        for (const bool wide : {false, true}) {
            SCOPED_TRACE(std::to_string(wide) + " " + std::to_string(static_cast<int>(layout)));
            test::resetProcess();
            PluginHarness harness;
            harness.player().offerWideCalls(wide);
            harness.player().setRecordLayout(layout);
            harness.start();
            test::loadSampleLibrary();
            harness.player().buildSendToMenu(0);
            ASSERT_EQ(harness.player().sendToItems().size(), 2u);
            EXPECT_EQ(harness.player().sendToItems()[1].label, "TG Enqueue");
            const std::string added = wide ? "ML_ADD_SEND_TO_ITEM_WIDE TG Enqueue context=0 id="
                                           : "ML_ADD_SEND_TO_ITEM TG Enqueue context=0 id=";
            EXPECT_TRUE(logHas(added + std::to_string(frame().enqueueSendToId)));
            EXPECT_EQ(harness.player().chooseSendTo("TG Enqueue", files), wide ? 1 : 0);
            // An old player's list is in the code page: the names lose what it cannot hold.
            EXPECT_EQ(queuedFiles(), (wide ? files : Texts{"C:\\????\\?.mp3", "C:\\??\\?.mp3"}));
            // The library's list holds records of its own layout; the file name
            // comes first in both.
            TrackRecordWithExtension track{};
            track.filename = const_cast<char*>("C:\\x.mp3");
            TrackList list{reinterpret_cast<TrackRecord*>(&track), 1, 1};
            descriptor().handleMessage(MLMSG_SEND_TO_SELECT, kSelectionTrackList,
                                       reinterpret_cast<INT_PTR>(&list), frame().enqueueSendToId);
            EXPECT_EQ(queuedFiles().size(), wide ? 2u : 3u);
        }
    }
}

TEST_F(SendTo, OtherKindsNullListsAndUnknownIdsAreIgnored) {
    appendToPluginPlaylist(std::string_view("C:\\kept.mp3"));
    TrackRecord track{};
    track.filename = const_cast<char*>("C:\\x.mp3");
    TrackList list{&track, 1, 1};
    const auto select = [](INT_PTR kind, TrackList* tracks, std::int32_t id) {
        return descriptor().handleMessage(MLMSG_SEND_TO_SELECT, kind,
                                          reinterpret_cast<INT_PTR>(tracks), id);
    };
    EXPECT_EQ(select(1, &list, frame().playSendToId), 0);
    EXPECT_EQ(select(0, nullptr, frame().playSendToId), 0);
    EXPECT_EQ(select(0, &list, frame().playSendToId + 100), 0);
    EXPECT_EQ(select(0, &list, 0), 0);
    TrackList damaged{nullptr, 5, 5}; // a count without records
    EXPECT_EQ(select(0, &damaged, frame().enqueueSendToId), 0);
    EXPECT_EQ(queuedFiles(), Texts{"C:\\kept.mp3"});
}

TEST_F(SendTo, TracksWithoutAFileNameAreSkipped) {
    test::loadSampleLibrary(); // the library's tracks tell its record layout
    std::vector<player::Track> tracks(3);
    tracks[0].filename = "C:\\a.mp3";
    tracks[2].filename = "C:\\c.mp3";
    std::deque<std::string> texts;
    const auto records = harness.player().library().selectionRecords(tracks, texts);
    TrackList list{reinterpret_cast<TrackRecord*>(records.get()), 3, 3};
    descriptor().handleMessage(MLMSG_SEND_TO_SELECT, 0, reinterpret_cast<INT_PTR>(&list),
                               frame().enqueueSendToId);
    EXPECT_EQ(queuedFiles(), (Texts{"C:\\a.mp3", "C:\\c.mp3"}));
}

TEST_F(SendTo, ConfigAnswersOneAndEverythingElseZero) {
    EXPECT_EQ(harness.player().openConfig(harness.window()), 1);
    for (int type : {0, 0x302, 0x3FF, 0x401, -1})
        EXPECT_EQ(descriptor().handleMessage(type, 0, 0, 0), 0) << type;
}

TEST(SendToBeforeInit, NothingIsAddedOrRun) {
    PluginHarness harness;
    EXPECT_EQ(descriptor().handleMessage(MLMSG_SEND_TO_BUILD, 0, 0, 0), 0);
    EXPECT_EQ(descriptor().handleMessage(MLMSG_CONFIG, 0, 0, 0), 0);
    EXPECT_TRUE(harness.player().sendToItems().empty());
}

} // namespace
} // namespace tg
