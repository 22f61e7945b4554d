// Menu operations: one user32 call each.
#include "platform/win32/windows_include.h"

#include "platform/menu.h"
#include "platform/win32/menu_recording.h"

namespace tg::platform {

namespace {

// The A calls convert their text to UTF-16 through a heap copy per item; an
// eagerly built tree has thousands of items, so texts that fit are converted
// here, on the stack, with the same code page. Longer ones take the A call.
constexpr int kWideTextChars = 1024;

bool convertText(UINT flags, const char* text, wchar_t (&wide)[kWideTextChars]) {
    if (text == nullptr || (flags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR)) != 0) return false;
    return MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kWideTextChars) > 0;
}

} // namespace

HMENU createPopupMenu() {
    return recordCreatedMenu(CreatePopupMenu());
}
HMENU createMenu() {
    return recordCreatedMenu(CreateMenu());
}
BOOL destroyMenu(HMENU menu) {
    return DestroyMenu(menu);
}
BOOL isMenu(HMENU menu) {
    return IsMenu(menu);
}

BOOL appendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, const char* text) {
    wchar_t wide[kWideTextChars];
    if (convertText(flags, text, wide)) return AppendMenuW(menu, flags, idOrSubmenu, wide);
    return AppendMenuA(menu, flags, idOrSubmenu, text);
}

BOOL insertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, const char* text) {
    wchar_t wide[kWideTextChars];
    if (convertText(flags, text, wide))
        return InsertMenuW(menu, position, flags, idOrSubmenu, wide);
    return InsertMenuA(menu, position, flags, idOrSubmenu, text);
}

BOOL deleteMenu(HMENU menu, UINT position, UINT flags) {
    return DeleteMenu(menu, position, flags);
}

int getMenuItemCount(HMENU menu) {
    return GetMenuItemCount(menu);
}

int getMenuString(HMENU menu, UINT item, char* buffer, int maxCount, UINT flags) {
    const int copied = GetMenuStringA(menu, item, buffer, maxCount, flags);
    // Wine fills a buffer too short for the text to its last byte, unterminated.
    // A missing item leaves the buffer as it was.
    if (buffer != nullptr && maxCount > 0 && (copied > 0 || maxCount == 1))
        buffer[copied < maxCount ? copied : maxCount - 1] = '\0';
    return copied;
}

UINT getMenuState(HMENU menu, UINT item, UINT flags) {
    return GetMenuState(menu, item, flags);
}
HMENU getSubMenu(HMENU menu, int position) {
    return GetSubMenu(menu, position);
}

BOOL getMenuItemId(HMENU menu, UINT position, UINT* id) {
    if (id == nullptr) return FALSE;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    if (!GetMenuItemInfoA(menu, position, TRUE, &info)) return FALSE;
    *id = info.wID;
    return TRUE;
}

BOOL setMenuItemId(HMENU menu, UINT position, UINT id) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    info.wID = id;
    return SetMenuItemInfoA(menu, position, TRUE, &info);
}

DWORD checkMenuItem(HMENU menu, UINT item, UINT flags) {
    return CheckMenuItem(menu, item, flags);
}

DWORD enableMenuItem(HMENU menu, UINT item, UINT flags) {
    return static_cast<DWORD>(EnableMenuItem(menu, item, flags)); // the previous state, or -1
}

BOOL hiliteMenuItem(HWND window, HMENU menu, UINT item, UINT flags) {
    return HiliteMenuItem(window, menu, item, flags);
}

BOOL setMenuStyle(HMENU menu, DWORD style) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_STYLE;
    info.dwStyle = style;
    return SetMenuInfo(menu, &info);
}

DWORD getMenuStyle(HMENU menu) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_STYLE;
    return GetMenuInfo(menu, &info) ? info.dwStyle : 0;
}

BOOL trackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner) {
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL drawMenuBar(HWND window) {
    return DrawMenuBar(window);
}

} // namespace tg::platform
