// The platform seam's conformance table (tests/platform_conformance) against
// the Win32 adapter; the unit tests run the same table against the simulated
// platform. A case that fails here while it passes there is a fault of the
// simulation.
#include "wine_test.h"

#include "platform/win32/windows_include.h"
#include "platform_conformance/seam_case.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

using namespace tg::conformance;

namespace {

// The user's part of a click inside a tracked popup, played by a timer inside
// the menu loop: the menu's own thread holds the pointer grab under Wine.
struct TrackedClick {
    HWND owner = nullptr;
    HMENU popup = nullptr;
    int position = 0;
    POINT at{};
    int step = 0;
    int ticks = 0;
};
TrackedClick tracked;

INPUT mouseInput(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const long long width = std::max(2, GetSystemMetrics(SM_CXSCREEN));
    const long long height = std::max(2, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dx = static_cast<LONG>((at.x * 65535LL + (width - 1) / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((at.y * 65535LL + (height - 1) / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return input;
}

bool noMouseInputQueued() {
    return HIWORD(GetQueueStatus(QS_MOUSE)) == 0;
}

VOID CALLBACK clickStep(HWND, UINT, UINT_PTR, DWORD) {
    TrackedClick& t = tracked;
    if (++t.ticks > 200) { // ten seconds: the click went astray
        EndMenu();
        return;
    }
    RECT item{};
    switch (t.step) {
    case 0: // the popup shows: move onto the item once earlier input is taken
        if (!GetMenuItemRect(nullptr, t.popup, static_cast<UINT>(t.position), &item) ||
            !noMouseInputQueued())
            return;
        t.at = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        {
            INPUT move = mouseInput(0, t.at);
            SendInput(1, &move, sizeof move);
        }
        PostMessageA(t.owner, WM_NULL, 0, 0); // wakes the loop to find the move
        t.step = 1;
        return;
    case 1: { // the pointer is there and the move was taken: press and release
        POINT now{};
        if (!GetCursorPos(&now) || std::abs(now.x - t.at.x) > 1 || std::abs(now.y - t.at.y) > 1 ||
            !noMouseInputQueued())
            return;
        INPUT click[2] = {mouseInput(MOUSEEVENTF_LEFTDOWN, t.at),
                          mouseInput(MOUSEEVENTF_LEFTUP, t.at)};
        SendInput(2, click, sizeof(INPUT));
        PostMessageA(t.owner, WM_NULL, 0, 0);
        t.step = 2;
        return;
    }
    default: return; // the loop ends on the release
    }
}

class Win32Surroundings : public Surroundings {
public:
    ~Win32Surroundings() override {
        std::error_code ignored;
        for (const std::string& folder : folders_) std::filesystem::remove_all(folder, ignored);
    }
    HINSTANCE module() override { return GetModuleHandleA(nullptr); }
    void pumpMessages() override {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    bool pumpUntil(bool (*done)()) override {
        const DWORD start = GetTickCount();
        while (!done() && GetTickCount() - start < 5000) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            pumpMessages();
        }
        return done();
    }
    std::string scratchFolder() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        std::string folder = std::string(temp) + "tg_seam_" +
                             std::to_string(GetCurrentProcessId()) + "_" +
                             std::to_string(folders_.size());
        std::filesystem::remove_all(folder);
        CreateDirectoryA(folder.c_str(), nullptr);
        folders_.push_back(folder);
        return folder;
    }
    void hide(const std::string& windowsPath) override {
        const DWORD attributes = GetFileAttributesA(windowsPath.c_str());
        SetFileAttributesA(windowsPath.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
    }
    void clickTrackedItem(HWND owner, HMENU popup, int position) override {
        tracked = TrackedClick{owner, popup, position};
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, clickStep);
        SetForegroundWindow(owner);
        TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN, 200, 200, owner, nullptr);
        KillTimer(nullptr, timer);
        pumpMessages();
    }

private:
    std::vector<std::string> folders_;
};

// Runs the cases of one area; a differing case prints both answers.
void runArea(const char* area) {
    int compared = 0;
    for (const SeamCase& seamCase : seamCases()) {
        if (std::strcmp(seamCase.area, area) != 0) continue;
        Win32Surroundings around;
        const std::string answered = seamCase.run(around);
        ++compared;
        if (answered == seamCase.expected) continue;
        CHECK_TEXT(answered.c_str(), seamCase.expected);
        std::printf("  in case %s\n", seamCase.name);
    }
    std::printf("  %d cases of %s compared\n", compared, area);
}

} // namespace

WINE_TEST(menus) {
    runArea("menus");
}
WINE_TEST(windows) {
    runArea("windows");
}
WINE_TEST(input) {
    runArea("input");
}
WINE_TEST(dialogs) {
    runArea("dialogs");
}
WINE_TEST(files) {
    runArea("files");
}
