#include "menu_driver.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace tg::testplayer {

namespace {

constexpr UINT kGetMenuMessage = 0x01E1; // MN_GETHMENU
constexpr char kPopupMenuClass[] = "#32768";
constexpr DWORD kPollMs = 10;

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

void sendMouse(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = std::max(2, GetSystemMetrics(SM_CXSCREEN));
    const int height = std::max(2, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dx =
        static_cast<LONG>((static_cast<long long>(at.x) * 65535 + (width - 1) / 2) / (width - 1));
    input.mi.dy =
        static_cast<LONG>((static_cast<long long>(at.y) * 65535 + (height - 1) / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

void sendKey(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

} // namespace

MenuItem readMenuItem(HMENU menu, int position) {
    MenuItem item;
    char text[1024] = {};
    if (GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION) > 0)
        item.text = text;
    item.state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    item.id = GetMenuItemID(menu, position);
    item.submenu = GetSubMenu(menu, position);
    return item;
}

std::vector<MenuItem> readMenu(HMENU menu) {
    std::vector<MenuItem> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) items.push_back(readMenuItem(menu, i));
    return items;
}

std::vector<std::string> menuTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (const MenuItem& item : readMenu(menu)) texts.push_back(item.text);
    return texts;
}

int findMenuItem(HMENU menu, const std::string& text) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const std::string shown = readMenuItem(menu, i).text;
        if (shown.substr(0, shown.find('\t')) == text) return i;
    }
    return -1;
}

std::vector<HWND> openMenuWindows() {
    std::vector<HWND> windows;
    EnumWindows(collectMenuWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HMENU menuShownBy(HWND menuWindow) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(menuWindow, kGetMenuMessage, 0, 0, SMTO_ABORTIFHUNG, 2000, &result))
        return nullptr;
    return reinterpret_cast<HMENU>(result);
}

HWND windowShowing(HMENU menu) {
    if (!menu) return nullptr;
    for (HWND window : openMenuWindows())
        if (menuShownBy(window) == menu) return window;
    return nullptr;
}

bool isMenuOpen(HMENU menu) {
    return windowShowing(menu) != nullptr;
}

bool anyMenuOpen() {
    return !openMenuWindows().empty();
}

RECT openMenusBounds(HWND alsoWindow) {
    RECT bounds{0, 0, 0, 0};
    if (alsoWindow) GetWindowRect(alsoWindow, &bounds);
    for (HWND window : openMenuWindows()) {
        RECT rect;
        GetWindowRect(window, &rect);
        UnionRect(&bounds, &bounds, &rect);
    }
    return bounds;
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
}

bool itemCenter(HMENU menu, int position, POINT& point) {
    RECT rect;
    if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &rect)) return false;
    point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return true;
}

void moveMouseTo(POINT at) {
    sendMouse(0, at);
    // Rounding in the absolute scale may miss by a pixel; wait until the cursor is there.
    waitUntil(
        [&] {
            POINT now;
            return GetCursorPos(&now) && std::abs(now.x - at.x) <= 1 && std::abs(now.y - at.y) <= 1;
        },
        1000);
}

void clickAt(POINT at, MouseButton button) {
    moveMouseTo(at);
    DWORD down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
    if (button == MouseButton::Right) down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
    if (button == MouseButton::Middle) down = MOUSEEVENTF_MIDDLEDOWN, up = MOUSEEVENTF_MIDDLEUP;
    sendMouse(down, at);
    sendMouse(up, at);
}

void pressKeys(const std::vector<WORD>& virtualKeys) {
    for (WORD key : virtualKeys) sendKey(key, false);
    for (auto key = virtualKeys.rbegin(); key != virtualKeys.rend(); ++key) sendKey(*key, true);
}

bool openSubmenu(HMENU menu, int position, DWORD timeoutMs) {
    HMENU submenu = GetSubMenu(menu, position);
    POINT at;
    if (!submenu || !itemCenter(menu, position, at)) return false;
    moveMouseTo(at);
    return waitUntil([&] { return isMenuOpen(submenu); }, timeoutMs);
}

bool clickItem(HMENU menu, int position, MouseButton button) {
    POINT at;
    if (!itemCenter(menu, position, at)) return false;
    clickAt(at, button);
    return true;
}

} // namespace tg::testplayer
