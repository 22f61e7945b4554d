// Message boxes and the shell calls.
#include "platform/win32/windows_include.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/shell.h"
#include "platform/text_encoding.h"
#include "platform/win32/wide_text.h"

namespace tg::platform {

namespace {

bool browseAnsi(HWND owner, const char* title, std::string* path) {
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    bool chosen = false;
    if (LPITEMIDLIST item = SHBrowseForFolderA(&info)) {
        char folder[MAX_PATH] = {};
        chosen = SHGetPathFromIDListA(item, folder) != FALSE;
        if (chosen) *path = folder;
        CoTaskMemFree(item);
    }
    return chosen;
}

bool browseWide(HWND owner, const char* title, std::string* path) {
    const win32::WideText wideTitle(title);
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = wideTitle.get();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    bool chosen = false;
    if (LPITEMIDLIST item = SHBrowseForFolderW(&info)) {
        wchar_t folder[MAX_PATH] = {};
        chosen = SHGetPathFromIDListW(item, folder) != FALSE;
        if (chosen) *path = win32::utf8FromWide(folder);
        CoTaskMemFree(item);
    }
    return chosen;
}

} // namespace

int messageBox(HWND owner, const char* text, const char* caption, UINT type) {
    if (utf8Texts())
        return MessageBoxW(owner, win32::WideText(text).get(), win32::WideText(caption).get(),
                           type);
    return MessageBoxA(owner, text, caption, type);
}

bool browseForFolder(HWND owner, const char* title, std::string* path) {
    if (path == nullptr) return false;
    // The dialog needs COM on this thread; the player usually has it already, and
    // then this only counts up and down again.
    const HRESULT com = CoInitialize(nullptr);
    const bool chosen =
        utf8Texts() ? browseWide(owner, title, path) : browseAnsi(owner, title, path);
    if (SUCCEEDED(com)) CoUninitialize();
    return chosen;
}

bool openWebPage(HWND owner, const char* address) {
    const HINSTANCE result = ShellExecuteA(owner, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32; // larger than 32 means it started
}

} // namespace tg::platform
