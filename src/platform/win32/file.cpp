// Folder enumeration and file replacement: one kernel32 call each, the wide one
// when the plug-in's texts are UTF-8.
#include "platform/win32/windows_include.h"

#include "platform/file.h"
#include "platform/text_encoding.h"
#include "platform/win32/wide_text.h"

#include <cstring>
#include <string>

namespace tg::platform {

static_assert(sizeof(FindData::name) >= sizeof(WIN32_FIND_DATAA::cFileName));

namespace {

using win32::WideText;

void copyFound(const WIN32_FIND_DATAA& found, FindData* data) {
    data->attributes = found.dwFileAttributes;
    std::memcpy(data->name, found.cFileName, sizeof found.cFileName);
    data->name[sizeof found.cFileName - 1] = '\0';
}

void copyFound(const WIN32_FIND_DATAW& found, FindData* data) {
    data->attributes = found.dwFileAttributes;
    const std::wstring_view name(found.cFileName, wcsnlen(found.cFileName, MAX_PATH));
    win32::copyUtf8(win32::utf8FromWide(name), data->name, sizeof data->name);
}

} // namespace

HANDLE findFirstFile(const char* pattern, FindData* data) {
    if (pattern == nullptr || data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return kInvalidFind;
    }
    if (utf8Texts()) {
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW(WideText(pattern).get(), &found);
        if (find != INVALID_HANDLE_VALUE) copyFound(found, data);
        return find;
    }
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern, &found);
    if (find != INVALID_HANDLE_VALUE) copyFound(found, data);
    return find;
}

BOOL findNextFile(HANDLE find, FindData* data) {
    if (data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (utf8Texts()) {
        WIN32_FIND_DATAW found;
        if (!FindNextFileW(find, &found)) return FALSE;
        copyFound(found, data);
        return TRUE;
    }
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(find, &found)) return FALSE;
    copyFound(found, data);
    return TRUE;
}

BOOL findClose(HANDLE find) {
    return FindClose(find);
}

// The streams open wide paths, so even a code page path is handed over as the
// system would convert it.
std::filesystem::path hostPath(const std::string& windowsPath) {
    return win32::wideOnHeap(windowsPath.c_str(), utf8Texts() ? CP_UTF8 : CP_ACP).c_str();
}

BOOL replaceFile(const char* source, const char* target) {
    constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (utf8Texts() && source != nullptr && target != nullptr)
        return MoveFileExW(WideText(source).get(), WideText(target).get(), kFlags);
    return MoveFileExA(source, target, kFlags);
}

BOOL flushFileToDisk(const char* path) {
    if (path == nullptr) return FALSE;
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
    const HANDLE file = utf8Texts()
                            ? CreateFileW(WideText(path).get(), GENERIC_WRITE, kShare, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                            : CreateFileA(path, GENERIC_WRITE, kShare, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    const BOOL flushed = FlushFileBuffers(file);
    CloseHandle(file);
    return flushed;
}

BOOL deleteFile(const char* path) {
    if (utf8Texts() && path != nullptr) return DeleteFileW(WideText(path).get());
    return DeleteFileA(path);
}

BOOL fileExists(const char* path) {
    if (path == nullptr) return FALSE;
    const DWORD attributes =
        utf8Texts() ? GetFileAttributesW(WideText(path).get()) : GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace tg::platform
