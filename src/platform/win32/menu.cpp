// Menu operations: one user32 call each.
#include "platform/win32/windows_include.h"

#include "platform/menu.h"
#include "platform/text_encoding.h"
#include "platform/win32/menu_recording.h"
#include "platform/win32/wide_text.h"

#include <string>

namespace tg::platform {

namespace {

using win32::StackWide;

UINT textCodePage() {
    return utf8Texts() ? CP_UTF8 : CP_ACP;
}

bool takesText(UINT flags, const char* text) {
    return text != nullptr && (flags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR)) == 0;
}

// The A calls convert their text to UTF-16 through a heap copy per item, so
// texts that fit are converted here, on the stack. Longer ones take the A call
// in the ANSI code page; UTF-8 ones, which the A call would misread, are
// converted on the heap.
bool convertText(UINT flags, const char* text, StackWide& wide) {
    return takesText(flags, text) && win32::wideOnStack(text, textCodePage(), wide);
}

bool takesLongUtf8(UINT flags, const char* text) {
    return utf8Texts() && takesText(flags, text);
}

// The item's text as UTF-8: empty for a missing item, a separator or no text.
std::string utf8MenuText(HMENU menu, UINT item, UINT flags) {
    const int length = GetMenuStringW(menu, item, nullptr, 0, flags);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const int read = GetMenuStringW(menu, item, wide.data(), length + 1, flags);
    wide.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    return win32::utf8FromWide(wide);
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
    StackWide wide;
    if (convertText(flags, text, wide)) return AppendMenuW(menu, flags, idOrSubmenu, wide);
    if (takesLongUtf8(flags, text))
        return AppendMenuW(menu, flags, idOrSubmenu, win32::wideOnHeap(text, CP_UTF8).c_str());
    return AppendMenuA(menu, flags, idOrSubmenu, text);
}

BOOL insertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, const char* text) {
    StackWide wide;
    if (convertText(flags, text, wide))
        return InsertMenuW(menu, position, flags, idOrSubmenu, wide);
    if (takesLongUtf8(flags, text))
        return InsertMenuW(menu, position, flags, idOrSubmenu,
                           win32::wideOnHeap(text, CP_UTF8).c_str());
    return InsertMenuA(menu, position, flags, idOrSubmenu, text);
}

BOOL deleteMenu(HMENU menu, UINT position, UINT flags) {
    return DeleteMenu(menu, position, flags);
}

int getMenuItemCount(HMENU menu) {
    return GetMenuItemCount(menu);
}

int getMenuString(HMENU menu, UINT item, char* buffer, int maxCount, UINT flags) {
    if (utf8Texts()) {
        const std::string text = utf8MenuText(menu, item, flags);
        // Missing items, separators and empty texts answer as the A call does.
        if (!text.empty()) {
            if (buffer == nullptr || maxCount <= 0) return static_cast<int>(text.size());
            return win32::copyUtf8(text, buffer, maxCount);
        }
    }
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
