// Folder enumeration and file replacement: one kernel32 call each.
#include "platform/win32/windows_include.h"

#include "platform/file.h"

#include <cstring>

namespace tg::platform {

static_assert(sizeof(FindData::name) == sizeof(WIN32_FIND_DATAA::cFileName));

namespace {

void copyFound(const WIN32_FIND_DATAA& found, FindData* data) {
    data->attributes = found.dwFileAttributes;
    std::memcpy(data->name, found.cFileName, sizeof data->name);
    data->name[sizeof data->name - 1] = '\0';
}

} // namespace

HANDLE findFirstFile(const char* pattern, FindData* data) {
    if (pattern == nullptr || data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return kInvalidFind;
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
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(find, &found)) return FALSE;
    copyFound(found, data);
    return TRUE;
}

BOOL findClose(HANDLE find) {
    return FindClose(find);
}

std::string hostPath(const std::string& windowsPath) {
    return windowsPath;
}

BOOL replaceFile(const char* source, const char* target) {
    return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

BOOL flushFileToDisk(const char* path) {
    const HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    const BOOL flushed = FlushFileBuffers(file);
    CloseHandle(file);
    return flushed;
}

BOOL deleteFile(const char* path) {
    return DeleteFileA(path);
}

BOOL fileExists(const char* path) {
    if (path == nullptr) return FALSE;
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace tg::platform
