// Memory running out inside each function the player or Windows calls: the
// export, init, quit and handleMessage, the window procedure, the mouse hook
// and the dialog procedures. Nothing is thrown back at the caller, the call is
// answered as if the plug-in had not claimed it, and the plug-in still quits
// leaving nothing behind. Allocations fail one at a time, at spread-out points
// of the call, until the call gets through without one failing.
#include "model/global_hotkey.h"
#include "model/model_state.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "plugin/descriptor.h"
#include "plugin/host_messages.h"
#include "prefs/advanced_options_dialog.h"
#include "prefs/menu_configuration_dialog.h"
#include "prefs/preferences_dialog.h"
#include "prefs/rename_dialog.h"
#include "prefs/select_directory_dialog.h"
#include "resources/resource_ids.h"
#include "support/failing_allocations.h"
#include "support/player_support.h"
#include "support/plugin_harness.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tg {
namespace {

namespace sim = platform::sim;
using test::AllocationsSucceed;
using test::PluginHarness;

// ---- Failing at the boundary ------------------------------------------------

// The failure the next armed crossing into the plug-in takes, and whether the
// last one happened.
int pendingFailure = -1;
bool failed = false;

template <typename Call> auto armed(Call&& call) {
    if (pendingFailure < 0) return call();
    test::failAllocation(std::exchange(pendingFailure, -1));
    auto result = call();
    failed = test::stopFailingAllocations();
    return result;
}

// The player's procedure, below the plug-in's: it never fails, and tells
// what reached it.
WNDPROC playerProcedure = nullptr;
std::vector<std::tuple<UINT, WPARAM, LPARAM>> reachedPlayer;
LRESULT TG_CALLBACK shieldedPlayer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    AllocationsSucceed player;
    reachedPlayer.emplace_back(message, wParam, lParam);
    return platform::callWindowProc(playerProcedure, window, message, wParam, lParam);
}
// lParam -1: any.
bool playerSaw(UINT message, WPARAM wParam, LPARAM lParam = -1) {
    for (const auto& [m, w, l] : reachedPlayer)
        if (m == message && w == wParam && (lParam == -1 || l == lParam)) return true;
    return false;
}

// Above the plug-in's procedure: fails inside the messages armsOn picks.
WNDPROC pluginProcedure = nullptr;
std::function<bool(UINT, WPARAM, LPARAM)> armsOn;
LRESULT TG_CALLBACK armingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto call = [&] {
        return platform::callWindowProc(pluginProcedure, window, message, wParam, lParam);
    };
    return armsOn && armsOn(message, wParam, lParam) ? armed(call) : call();
}

// Ahead of the plug-in's hook (fails inside the first sighting of a button
// release) and behind it.
int armedCode = -1;
int reachedBelow = 0;
LRESULT TG_CALLBACK armingHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto next = [&] { return platform::callNextHookEx(nullptr, code, wParam, lParam); };
    if (code < 0 || wParam != WM_LBUTTONUP || pendingFailure < 0) return next();
    armedCode = code;
    return armed(next);
}
LRESULT TG_CALLBACK hookBelow(int code, WPARAM wParam, LPARAM) {
    if (code == armedCode && wParam == WM_LBUTTONUP) ++reachedBelow;
    return 0;
}

int (*realInit)() = nullptr;
void (*realQuit)() = nullptr;
INT_PTR (*realHandleMessage)(int, INT_PTR, INT_PTR, INT_PTR) = nullptr;
int armedInit() {
    return armed(realInit);
}
void armedQuit() {
    armed([] { return (realQuit(), 0); });
}
INT_PTR armedHandleMessage(int type, INT_PTR a, INT_PTR b, INT_PTR c) {
    const auto call = [&] { return realHandleMessage(type, a, b, c); };
    // The wide selection the library offers first is declined without a step.
    if (type == MLMSG_SEND_TO_SELECT && a == kSelectionWideTrackList) return call();
    return armed(call);
}

// A name long enough that texts made from it need memory of their own.
constexpr char kMenu[] = "Library of every record";

// The plug-in with one library menu in a player whose side never fails.
class Scene {
public:
    Scene() {
        MenuDefinition& library = harness.define(kMenu, SourceType::MediaLibrary);
        library.levels = {LevelType::Artist, LevelType::Title};
        library.clickAction = ClickAction::EnqueueTg;
        model().options.hotkey = kHotkeyWin | kHotkeyCtrl | kHotkeyShift | kHotkeyAlt | 0x4D;
        harness.player().setPlaylist(
            {harness.player().entryFor("C:\\a.mp3"), harness.player().entryFor("C:\\b.mp3")}, 0);
        playerProcedure = platform::setWindowProc(harness.window(), shieldedPlayer);
        LibraryPluginDescriptor& d = descriptor();
        realInit = std::exchange(d.init, armedInit);
        realQuit = std::exchange(d.quit, armedQuit);
        realHandleMessage = std::exchange(d.handleMessage, armedHandleMessage);
        reachedPlayer.clear();
        reachedBelow = 0;
        armedCode = -1;
        armsOn = nullptr;
        pluginProcedure = nullptr;
    }
    ~Scene() {
        LibraryPluginDescriptor& d = descriptor();
        d.init = realInit;
        d.quit = realQuit;
        d.handleMessage = realHandleMessage;
    }

    void start() {
        below_ = platform::setWindowsHookEx(WH_MOUSE, hookBelow, test::fakeModuleInstance(), 0);
        harness.start();
        pluginProcedure = platform::setWindowProc(harness.window(), armingProcedure);
    }
    void stop() {
        if (pluginProcedure != nullptr)
            platform::setWindowProc(harness.window(), std::exchange(pluginProcedure, nullptr));
        harness.stop();
    }
    // The plug-in's hook between two of the test's: the newest is called first.
    void hooks() {
        arming_ = platform::setWindowsHookEx(WH_MOUSE, armingHook, test::fakeModuleInstance(), 0);
    }
    // Quits and finds everything the plug-in put in taken out again.
    void finish() {
        pendingFailure = -1;
        harness.loop().closeAll();
        for (HHOOK hook : {arming_, below_})
            if (hook != nullptr) platform::unhookWindowsHookEx(hook);
        if (harness.running()) stop();
        EXPECT_EQ(platform::getWindowProc(harness.window()), &shieldedPlayer);
        EXPECT_TRUE(sim::installedHooks().empty());
        EXPECT_TRUE(sim::registeredHotkeys().empty());
        for (const std::string& fault : sim::takeFaults()) ADD_FAILURE() << fault;
    }

    PluginHarness harness;

private:
    HHOOK below_ = nullptr;
    HHOOK arming_ = nullptr;
};

// ---- Each entry point -------------------------------------------------------

// A dialog (the Preferences, or one opened from them), the call into it made
// while failing, and the button that still closes it afterwards. A failure may
// be taken by a control's procedure inside, so the answer can be either.
struct DialogCall {
    int templateId;
    std::function<void(HWND preferences)> open;
    std::function<LRESULT(HWND dialog)> call;
    int close;
};

std::function<LRESULT(HWND)> initAgain(DLGPROC procedure) {
    return [procedure](HWND dialog) { return procedure(dialog, WM_INITDIALOG, 0, 0); };
}
std::function<void(HWND)> click(int button) {
    return [button](HWND preferences) { sim::clickButton(preferences, button); };
}

std::function<void(Scene&, int)> inDialog(DialogCall dialog) {
    return [dialog](Scene& scene, int n) {
        const auto underTest = [&dialog, n](HWND window) {
            pendingFailure = n;
            armed([&] { return dialog.call(window); });
            sim::clickButton(window, dialog.close);
        };
        sim::onDialog(IDD_PREFERENCES, [&](HWND preferences) {
            if (dialog.templateId == IDD_PREFERENCES) return underTest(preferences);
            sim::onDialog(dialog.templateId, underTest);
            dialog.open(preferences);
            sim::clickButton(preferences, IDCANCEL);
        });
        scene.harness.player().openConfig(scene.harness.window());
    };
}

// Opens the popup along the labels (none: the target popup), failing inside
// its WM_INITMENUPOPUP, which then reaches the player.
std::function<void(Scene&, int)> opening(const char* label) {
    return [label](Scene& scene, int n) {
        PluginHarness& h = scene.harness;
        const HMENU target = label != nullptr ? h.openTargetPopup() : h.hostPopupWithFirstId(40188);
        const HMENU popup = label != nullptr
                                ? platform::getSubMenu(target, test::positionOf(target, label))
                                : target;
        const auto wanted = reinterpret_cast<WPARAM>(popup);
        armsOn = [wanted](UINT message, WPARAM wParam, LPARAM) {
            return message == WM_INITMENUPOPUP && wParam == wanted;
        };
        pendingFailure = n;
        label != nullptr ? h.openSubmenu(target, label) : h.openTargetPopup();
        if (failed) {
            EXPECT_TRUE(playerSaw(WM_INITMENUPOPUP, wanted));
        }
    };
}

struct EntryCase {
    const char* name;
    std::function<void(Scene&, int n)> run; // on the started plug-in
};
void PrintTo(const EntryCase& entry, std::ostream* out) {
    *out << entry.name;
}

const EntryCase kEntries[] = {
    {"Export",
     [](Scene&, int n) {
         pendingFailure = n;
         EXPECT_EQ(armed(winampGetMediaLibraryPlugin), &descriptor());
     }},
    {"Init", nullptr}, // the start itself
    {"Quit",
     [](Scene& scene, int n) {
         scene.harness.openSubmenu(scene.harness.openTargetPopup(), kMenu);
         scene.harness.loop().closeAll();
         pendingFailure = n;
         scene.stop();
     }},
    {"SendToSelect",
     [](Scene& scene, int n) {
         scene.harness.player().buildSendToMenu();
         pendingFailure = n;
         EXPECT_EQ(scene.harness.player().chooseSendTo("TG Play", {"C:\\x.mp3", "C:\\y.mp3"}), 0);
     }},
    {"TargetPopupOpens", opening(nullptr)},
    {"LevelOpens", opening(kMenu)},
    {"QueueHandOver",
     [](Scene& scene, int n) {
         scene.harness.player().buildSendToMenu();
         scene.harness.player().chooseSendTo("TG Enqueue", {"C:\\x.mp3"});
         armsOn = [](UINT message, WPARAM, LPARAM lParam) {
             return message == WM_USER && lParam == HOST_NEXT_ENTRY_QUERY;
         };
         pendingFailure = n;
         test::sendCommand(HOST_CMD_NEXT);
         if (failed) {
             EXPECT_TRUE(playerSaw(WM_USER, 0, HOST_NEXT_ENTRY_QUERY));
         }
         sim::settle();
     }},
    {"ClickOnALevelItem",
     [](Scene& scene, int n) {
         scene.hooks();
         const HMENU level = scene.harness.openSubmenu(scene.harness.openTargetPopup(), kMenu);
         scene.harness.loop().select(level, 0);
         pendingFailure = n;
         scene.harness.loop().leftClick();
         if (failed) {
             EXPECT_EQ(reachedBelow, 1);
         }
     }},
    {"PreferencesDialog",
     inDialog({IDD_PREFERENCES, nullptr, initAgain(preferencesProcedure), IDCANCEL})},
    {"MenuConfigurationDialog", inDialog({IDD_MENU_CONFIGURATION, click(IDC_PREFS_EDIT),
                                          initAgain(menuConfigurationProcedure), IDCANCEL})},
    {"AdvancedOptionsDialog", inDialog({IDD_ADVANCED_OPTIONS, click(IDC_PREFS_ADVANCED),
                                        initAgain(advancedOptionsProcedure), IDOK})},
    {"RenameDialog",
     inDialog({IDD_RENAME, click(IDC_PREFS_RENAME), initAgain(renameProcedure), IDOK})},
    {"SelectDirectoryDialog",
     inDialog({IDD_SELECT_DIRECTORY,
               [](HWND preferences) {
                   sim::setBrowseForFolderAnswer(true, "C:\\Music\\A folder of some length");
                   sim::typeText(preferences, IDC_PREFS_NAME, "Folder");
                   sim::selectItem(preferences, IDC_PREFS_ADD_TYPE, 3);
               },
               [](HWND dialog) {
                   return selectDirectoryProcedure(dialog, WM_COMMAND, IDC_DIRECTORY_BROWSE, 0);
               },
               IDOK})},
    {"HotkeyField", inDialog({IDD_ADVANCED_OPTIONS, click(IDC_PREFS_ADVANCED),
                              [](HWND dialog) {
                                  // A combination whose name needs memory of its own.
                                  const HWND field =
                                      platform::getDlgItem(dialog, IDC_ADVANCED_HOTKEY);
                                  for (int key : {VK_CONTROL, VK_SHIFT, VK_MENU, VK_LWIN})
                                      sim::setKeyDown(key, true);
                                  return platform::callWindowProc(platform::getWindowProc(field),
                                                                  field, WM_KEYDOWN, 0x51, 0);
                              },
                              IDOK})},
};

class OutOfMemory : public testing::TestWithParam<EntryCase> {};

TEST_P(OutOfMemory, NothingReachesTheCallerAndQuitLeavesNothing) {
    // Spread out: the first allocations, then further and further in.
    for (int n = 0; n < 100000; n = n < 8 ? n + 1 : n * 3 / 2) {
        SCOPED_TRACE(testing::Message() << "allocation " << n << " fails");
        test::resetProcess();
        failed = false;
        {
            Scene scene;
            try {
                if (!GetParam().run) pendingFailure = n;
                scene.start();
                if (GetParam().run) GetParam().run(scene, n);
            } catch (...) {
                test::stopFailingAllocations();
                ADD_FAILURE() << "an exception reached the caller";
            }
            scene.finish();
        }
        // The export alone needs no memory; every other call does.
        if (n == 0 && std::string(GetParam().name) != "Export") {
            EXPECT_TRUE(failed) << "nothing was allocated to fail";
        }
        if (!failed) break; // the whole call went through
    }
}

INSTANTIATE_TEST_SUITE_P(EntryPoints, OutOfMemory, testing::ValuesIn(kEntries),
                         [](const testing::TestParamInfo<EntryCase>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
} // namespace tg
