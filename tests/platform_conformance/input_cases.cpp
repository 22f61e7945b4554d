// The mouse hook inside a menu loop, global atoms, hotkeys and the keyboard.
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/window.h"
#include "platform_conformance/seam_case.h"

namespace tg::conformance {
namespace {

using namespace platform;

std::string events;
HHOOK newerHook = nullptr;
HHOOK olderHook = nullptr;
bool newerClaimsPresses = false;

void recordEvent(const char* who, int code, WPARAM message) {
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONUP) return;
    if (!events.empty()) events += ',';
    events += who;
    events += code == HC_NOREMOVE ? " peek " : code == HC_ACTION ? " take " : " other ";
    events += message == WM_LBUTTONDOWN ? "down" : "up";
}

LRESULT TG_CALLBACK newerProcedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code < 0) return callNextHookEx(newerHook, code, wParam, lParam);
    recordEvent("new", code, wParam);
    // Returning 0 without passing the event on claims it; the menu still gets it.
    if (newerClaimsPresses && wParam == WM_LBUTTONDOWN) return 0;
    return callNextHookEx(newerHook, code, wParam, lParam);
}

LRESULT TG_CALLBACK olderProcedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0) recordEvent("old", code, wParam);
    return callNextHookEx(olderHook, code, wParam, lParam);
}

// What the owner hears of the menu: the messages the plug-in acts on.
std::string heard;
HMENU trackedPopup = nullptr;

void hear(const char* what) {
    if (!heard.empty()) heard += ',';
    heard += what;
}

LRESULT TG_CALLBACK menuOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool tracked = reinterpret_cast<HMENU>(wParam) == trackedPopup;
    switch (message) {
    case WM_INITMENUPOPUP: hear(tracked && lParam == 0 ? "init" : "init?"); break;
    case WM_UNINITMENUPOPUP: hear(tracked ? "uninit" : "uninit?"); break;
    case WM_MENUSELECT:
        if (wParam == (static_cast<WPARAM>(0xFFFF) << 16) && lParam == 0)
            hear("closed");
        else if (reinterpret_cast<HMENU>(lParam) == trackedPopup)
            hear(("select " + std::to_string(loWord(wParam)) +
                  ((hiWord(wParam) & MF_HILITE) ? " hilite" : ""))
                     .c_str());
        else
            hear("select?");
        break;
    case WM_COMMAND: hear(("command " + std::to_string(wParam)).c_str()); break;
    default: break;
    }
    return defWindowProc(window, message, wParam, lParam);
}

// Clicks the second item of a tracked popup with the hooks installed.
std::string clickThroughHooks(Surroundings& around, bool twoHooks) {
    events.clear();
    heard.clear();
    const HWND owner = createWindow(menuOwner, "owner");
    const HMENU popup = createPopupMenu();
    trackedPopup = popup;
    appendMenu(popup, MF_STRING, 31, "First");
    appendMenu(popup, MF_STRING, 32, "Second");
    const DWORD thread = getCurrentThreadId();
    olderHook = twoHooks ? setWindowsHookEx(WH_MOUSE, olderProcedure, nullptr, thread) : nullptr;
    newerHook = setWindowsHookEx(WH_MOUSE, newerProcedure, nullptr, thread);
    around.clickTrackedItem(owner, popup, 1);
    Observed seen;
    seen("hooked", newerHook != nullptr)("events", events)("owner", heard);
    seen("unhooked", unhookWindowsHookEx(newerHook));
    if (twoHooks) unhookWindowsHookEx(olderHook);
    destroyMenu(popup);
    destroyWindow(owner);
    return seen.text();
}

std::string theHookSeesEachButtonTwiceInAMenu(Surroundings& around) {
    newerClaimsPresses = false;
    return clickThroughHooks(around, false);
}

std::string aClaimedEventStopsAtTheNewerHook(Surroundings& around) {
    newerClaimsPresses = true;
    const std::string seen = clickThroughHooks(around, true);
    newerClaimsPresses = false;
    return seen;
}

std::string unhookingTwiceFails(Surroundings&) {
    const HHOOK hook = setWindowsHookEx(WH_MOUSE, olderProcedure, nullptr, getCurrentThreadId());
    Observed seen;
    seen("hooked", hook != nullptr)("first", unhookWindowsHookEx(hook));
    seen("second", unhookWindowsHookEx(hook));
    return seen.text();
}

std::string atomsAreCountedAndNamedWithoutCase(Surroundings&) {
    const char kName[] = "TunegroveConformance_0";
    Observed seen;
    seen("absent", globalFindAtom(kName));
    const ATOM atom = globalAddAtom(kName);
    seen("string", atom >= 0xC000)("again", globalAddAtom("tunegroveconformance_0") == atom);
    seen("found", globalFindAtom("TUNEGROVECONFORMANCE_0") == atom);
    seen("deleted", globalDeleteAtom(atom))("stillFound", globalFindAtom(kName) == atom);
    seen("deleted", globalDeleteAtom(atom))("gone", globalFindAtom(kName));
    return seen.text();
}

std::string aHotkeyIsTakenOnce(Surroundings&) {
    const HWND window = createWindow(defWindowProc, "hotkeys");
    constexpr UINT kModifiers = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
    Observed seen;
    seen("registered", registerHotKey(window, 0xC001, kModifiers, VK_F12));
    seen("twice", registerHotKey(window, 0xC002, kModifiers, VK_F12));
    seen("error", getLastError());
    seen("unregistered", unregisterHotKey(window, 0xC001));
    seen("again", unregisterHotKey(window, 0xC001))("error", getLastError());
    seen("reused", registerHotKey(window, 0xC002, kModifiers, VK_F12));
    unregisterHotKey(window, 0xC002);
    destroyWindow(window);
    return seen.text();
}

std::string escapeHasItsScanCode(Surroundings&) {
    Observed seen;
    seen("escape", mapVirtualKey(VK_ESCAPE, MAPVK_VK_TO_VSC));
    seen("enter", mapVirtualKey(VK_RETURN, MAPVK_VK_TO_VSC));
    seen("backToEscape", mapVirtualKey(1, MAPVK_VSC_TO_VK));
    return seen.text();
}

} // namespace

std::vector<SeamCase> inputCases() {
    return {
        {"input", "theHookSeesEachButtonTwiceInAMenu", theHookSeesEachButtonTwiceInAMenu,
         "hooked=1 events='new peek down,new take down,new peek up,new take up' "
         "owner='init,select 32 hilite,uninit,closed,command 32' unhooked=1"},
        {"input", "aClaimedEventStopsAtTheNewerHook", aClaimedEventStopsAtTheNewerHook,
         "hooked=1 events='new peek down,new take down,new peek up,old peek up,new take up,"
         "old take up' owner='init,select 32 hilite,uninit,closed,command 32' unhooked=1"},
        {"input", "unhookingTwiceFails", unhookingTwiceFails, "hooked=1 first=1 second=0", true},
        {"input", "atomsAreCountedAndNamedWithoutCase", atomsAreCountedAndNamedWithoutCase,
         "absent=0 string=1 again=1 found=1 deleted=0 stillFound=1 deleted=0 gone=0"},
        {"input", "aHotkeyIsTakenOnce", aHotkeyIsTakenOnce,
         "registered=1 twice=0 error=1409 unregistered=1 again=0 error=1419 reused=1"},
        {"input", "escapeHasItsScanCode", escapeHasItsScanCode,
         "escape=1 enter=28 backToEscape=27"},
    };
}

} // namespace tg::conformance
