// Folder enumeration and file replacement: one kernel32 call each, the wide one
// when the plug-in's texts are UTF-8.
#include "platform/win32/windows_include.h"

#include "platform/file.h"
#include "platform/text_encoding.h"
#include "platform/utf8.h"

#include <cstring>
#include <string>

namespace tg::platform {

static_assert(sizeof(FindData::name) >= sizeof(WIN32_FIND_DATAA::cFileName));
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

std::wstring wide(const char* text) {
    const std::u16string units = utf8ToWide(text);
    return std::wstring(units.begin(), units.end());
}

void copyName(std::string_view name, FindData* data) {
    const std::size_t length = utf8CutLength(name, sizeof data->name - 1);
    std::memcpy(data->name, name.data(), length);
    data->name[length] = '\0';
}

void copyFound(const WIN32_FIND_DATAA& found, FindData* data) {
    data->attributes = found.dwFileAttributes;
    std::memcpy(data->name, found.cFileName, sizeof found.cFileName);
    data->name[sizeof found.cFileName - 1] = '\0';
}

void copyFound(const WIN32_FIND_DATAW& found, FindData* data) {
    data->attributes = found.dwFileAttributes;
    const auto* name = reinterpret_cast<const char16_t*>(found.cFileName);
    copyName(wideToUtf8(boundedWide(name, MAX_PATH)), data);
}

} // namespace

HANDLE findFirstFile(const char* pattern, FindData* data) {
    if (pattern == nullptr || data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return kInvalidFind;
    }
    if (utf8Texts()) {
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW(wide(pattern).c_str(), &found);
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
    if (utf8Texts()) return wide(windowsPath.c_str());
    const int count = static_cast<int>(windowsPath.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, windowsPath.data(), count, nullptr, 0);
    std::wstring path(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(CP_ACP, 0, windowsPath.data(), count, path.data(), size);
    return path;
}

BOOL replaceFile(const char* source, const char* target) {
    constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (utf8Texts() && source != nullptr && target != nullptr)
        return MoveFileExW(wide(source).c_str(), wide(target).c_str(), kFlags);
    return MoveFileExA(source, target, kFlags);
}

BOOL flushFileToDisk(const char* path) {
    if (path == nullptr) return FALSE;
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
    const HANDLE file = utf8Texts()
                            ? CreateFileW(wide(path).c_str(), GENERIC_WRITE, kShare, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                            : CreateFileA(path, GENERIC_WRITE, kShare, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    const BOOL flushed = FlushFileBuffers(file);
    CloseHandle(file);
    return flushed;
}

BOOL deleteFile(const char* path) {
    if (utf8Texts() && path != nullptr) return DeleteFileW(wide(path).c_str());
    return DeleteFileA(path);
}

BOOL fileExists(const char* path) {
    if (path == nullptr) return FALSE;
    const DWORD attributes =
        utf8Texts() ? GetFileAttributesW(wide(path).c_str()) : GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace tg::platform
