#include "menu_driver.h"

#include "platform/utf8.h"
#include "player/player.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace tg::testplayer {

namespace {

constexpr UINT kGetMenuMessage = 0x01E1; // MN_GETHMENU
constexpr char kPopupMenuClass[] = "#32768";
constexpr DWORD kPollMs = 10;
// How long a move waits for the player to take its earlier mouse input.
constexpr DWORD kIdleInputMs = 2000;

// Popup-menu windows of this process on screen, topmost first (EnumWindows' order).
BOOL CALLBACK collectMenuWindow(HWND window, LPARAM list) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        GetClassNameA(window, className, sizeof className) > 0 &&
        std::strcmp(className, kPopupMenuClass) == 0)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<std::pair<HWND, HMENU>> shownMenus() {
    std::vector<HWND> windows;
    EnumWindows(collectMenuWindow, reinterpret_cast<LPARAM>(&windows));
    std::vector<std::pair<HWND, HMENU>> shown;
    for (HWND window : windows)
        shown.emplace_back(window,
                           reinterpret_cast<HMENU>(SendMessageA(window, kGetMenuMessage, 0, 0)));
    return shown;
}

INPUT mouseInput(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = std::max(2, GetSystemMetrics(SM_CXSCREEN));
    const int height = std::max(2, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dx =
        static_cast<LONG>((static_cast<long long>(at.x) * 65535 + (width - 1) / 2) / (width - 1));
    input.mi.dy =
        static_cast<LONG>((static_cast<long long>(at.y) * 65535 + (height - 1) / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return input;
}

INPUT keyInput(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Wine's menu loop waits for new input; a mouse move merged into one it has
// not taken yet does not wake it, and the menu then sits still under the
// pointer. A posted no-op message wakes it, and it finds the move.
void wakeMenuLoop(HWND window) {
    PostMessageA(window, WM_NULL, 0, 0);
}

bool cursorNear(POINT at) {
    POINT now;
    return GetCursorPos(&now) && std::abs(now.x - at.x) <= 1 && std::abs(now.y - at.y) <= 1;
}

} // namespace

HWND windowShowingMenu(HMENU menu) {
    if (!menu) return nullptr;
    for (const auto& shown : shownMenus())
        if (shown.second == menu) return shown.first;
    return nullptr;
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
}

MenuItem MenuUser::item(HMENU menu, int position) const {
    return host_.get([&] {
        MenuItem read;
        // With a current player the labels are read as UTF-8, as the plug-in wrote them.
        if (player::player().offersWideCalls()) {
            wchar_t wide[1024] = {};
            const int length =
                GetMenuStringW(menu, static_cast<UINT>(position), wide, 1024, MF_BYPOSITION);
            if (length > 0) {
                const auto* units = reinterpret_cast<const char16_t*>(wide);
                read.text =
                    wideToUtf8(std::u16string_view(units, static_cast<std::size_t>(length)));
            }
        } else {
            char text[1024] = {};
            if (GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text,
                               MF_BYPOSITION) > 0)
                read.text = text;
        }
        read.state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
        read.id = GetMenuItemID(menu, position);
        read.submenu = GetSubMenu(menu, position);
        return read;
    });
}

std::vector<MenuItem> MenuUser::items(HMENU menu) const {
    return host_.get([&] {
        std::vector<MenuItem> all;
        const int count = GetMenuItemCount(menu);
        for (int i = 0; i < count; ++i) all.push_back(item(menu, i));
        return all;
    });
}

std::vector<std::string> MenuUser::texts(HMENU menu) const {
    std::vector<std::string> all;
    for (const MenuItem& read : items(menu)) all.push_back(read.text);
    return all;
}

int MenuUser::find(HMENU menu, const std::string& text) const {
    const std::vector<MenuItem> all = items(menu);
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].text.substr(0, all[i].text.find('\t')) == text) return static_cast<int>(i);
    return -1;
}

int MenuUser::findContaining(HMENU menu, const std::string& part) const {
    const std::vector<MenuItem> all = items(menu);
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].text.find(part) != std::string::npos) return static_cast<int>(i);
    return -1;
}

std::string MenuUser::describe(HMENU menu) const {
    std::string line = "[";
    for (const MenuItem& read : items(menu)) {
        if (line.size() > 1) line += " | ";
        line += (read.state & MF_SEPARATOR) ? "----" : read.text;
    }
    return line + "]";
}

std::vector<HMENU> MenuUser::openMenus() const {
    return host_.get([] {
        std::vector<HMENU> menus;
        for (const auto& shown : shownMenus()) menus.push_back(shown.second);
        return menus;
    });
}

HWND MenuUser::windowShowing(HMENU menu) const {
    return host_.get([&] { return windowShowingMenu(menu); });
}

RECT MenuUser::openMenusBounds() const {
    return host_.get([&] {
        RECT bounds{0, 0, 0, 0};
        GetWindowRect(host_.window(), &bounds);
        for (const auto& shown : shownMenus()) {
            RECT rect;
            GetWindowRect(shown.first, &rect);
            UnionRect(&bounds, &bounds, &rect);
        }
        return bounds;
    });
}

bool MenuUser::itemCenter(HMENU menu, int position, POINT& point) const {
    RECT rect{};
    const bool shown = host_.get(
        [&] { return GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &rect) != 0; });
    if (shown) point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return shown;
}

void MenuUser::moveTo(POINT at) const {
    // Injected from the player's thread: under Wine only the thread whose menu
    // holds the pointer grab moves the X pointer along, and from any other
    // thread the cursor springs back. SetCursorPos is no help: its pointer
    // warp races with the menu loop, which then now and then ignores the mouse.
    // Only while the player's queue holds no mouse input: the menu loop looks
    // at a message, acts on it and only then takes it out, and wineserver
    // merges a move injected in between into that message, so the loop takes
    // the new position out unseen and the item under it never opens.
    const auto inject = [&] {
        INPUT move = mouseInput(0, at);
        SendInput(1, &move, sizeof move);
        wakeMenuLoop(host_.window());
    };
    const bool injected = waitUntil(
        [&] {
            return host_.get([&] {
                if (HIWORD(GetQueueStatus(QS_MOUSE)) != 0) return false;
                inject();
                return true;
            });
        },
        kIdleInputMs);
    if (!injected) host_.run(inject); // a player that never takes its input still gets the move
    waitUntil([&] { return cursorNear(at); }, 1000);
}

void MenuUser::waitForInputTaken() const {
    // Posted messages go before input: a menu shown by a message posted after
    // a click would otherwise take that click as one outside it and close.
    waitUntil([&] { return host_.get([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }); },
              1000);
}

void MenuUser::click(POINT at, MouseButton button) const {
    moveTo(at);
    DWORD down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
    if (button == MouseButton::Right) down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
    if (button == MouseButton::Middle) down = MOUSEEVENTF_MIDDLEDOWN, up = MOUSEEVENTF_MIDDLEUP;
    host_.run([&] {
        INPUT inputs[2] = {mouseInput(down, at), mouseInput(up, at)};
        SendInput(2, inputs, sizeof(INPUT));
        wakeMenuLoop(host_.window());
    });
    waitForInputTaken();
}

void MenuUser::pressKeys(const std::vector<WORD>& virtualKeys) const {
    host_.run([&] {
        std::vector<INPUT> inputs;
        for (WORD key : virtualKeys) inputs.push_back(keyInput(key, false));
        for (auto key = virtualKeys.rbegin(); key != virtualKeys.rend(); ++key)
            inputs.push_back(keyInput(*key, true));
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        wakeMenuLoop(host_.window());
    });
    waitForInputTaken();
}

bool MenuUser::openSubmenu(HMENU menu, int position, DWORD timeoutMs) const {
    const HMENU submenu = item(menu, position).submenu;
    POINT at;
    if (!submenu || !itemCenter(menu, position, at)) return false;
    moveTo(at);
    if (waitUntil([&] { return isOpen(submenu); }, 1000)) return true;
    // A move onto a row that opens another submenu is no way back: in a menu
    // of columns that submenu may open over this very item. Moves within the
    // item instead, which the loop takes as new.
    const DWORD start = GetTickCount();
    for (int attempt = 0; GetTickCount() - start < timeoutMs; ++attempt) {
        moveTo({at.x + (attempt % 2 ? -3 : 3), at.y + (attempt % 4 < 2 ? 1 : -1)});
        if (waitUntil([&] { return isOpen(submenu); }, 500)) return true;
    }
    return false;
}

bool MenuUser::closeAll(DWORD timeoutMs) const {
    DWORD last = 0;
    int attempts = 0;
    return waitUntil(
        [&] {
            if (!anyOpen()) return true;
            if (attempts == 0 || GetTickCount() - last >= 250) {
                // Under Wine a menu loop that has had a context menu opened
                // inside it no longer ends on WM_CANCELMODE; Escape, one level
                // per press, still closes it.
                if (attempts % 2 == 0)
                    host_.cancelMenus();
                else
                    pressKeys({VK_ESCAPE});
                last = GetTickCount();
                ++attempts;
            }
            return false;
        },
        timeoutMs);
}

bool MenuUser::clickItem(HMENU menu, int position, MouseButton button) const {
    POINT at;
    if (!itemCenter(menu, position, at)) return false;
    click(at, button);
    return true;
}

} // namespace tg::testplayer
