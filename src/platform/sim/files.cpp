// Windows paths over the native file system: drive letters map to folders, and
// folder listings look as FindFirstFileA / FindNextFileA give them.
#include "platform/sim/state.h"
#include "platform/text_encoding.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace tg::platform {
namespace {

using namespace sim::detail;
namespace fs = std::filesystem;

constexpr std::size_t kNameLimit = 259; // cFileName holds MAX_PATH characters with its NUL

bool tooLongToFind(const std::string& name) {
    return (utf8Texts() ? utf8ToWide(name).size() : name.size()) > kNameLimit;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool hasDrive(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// The part of a Windows path below its drive, as a path from the drive's root
// ("/" alone for the root): ".." stops at the root, as on Windows.
std::string belowDrive(const std::string& windowsPath) {
    std::string rest = hasDrive(windowsPath) ? windowsPath.substr(2) : windowsPath;
    std::replace(rest.begin(), rest.end(), '\\', '/');
    const bool folder = !rest.empty() && rest.back() == '/';
    std::string inside = fs::path("/" + rest).lexically_normal().generic_string();
    // A trailing separator still names a folder.
    if (folder && inside.back() != '/') inside += '/';
    return inside;
}

std::string normalized(const std::string& nativePath) {
    std::string text = fs::path(nativePath).lexically_normal().generic_string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

// Windows wildcards without case: "*" any run, "?" one character.
bool matches(const char* pattern, const char* name) {
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name != '\0') {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || lower(*pattern) == lower(*name)) {
            ++pattern;
            ++name;
        } else if (star != nullptr) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') ++pattern;
    return *pattern == '\0';
}

// NTFS lists a folder by name, letter case aside; "." and ".." come first.
bool listedBefore(const FindData& a, const FindData& b) {
    const auto rank = [](const char* name) {
        return std::strcmp(name, ".") == 0 ? 0 : std::strcmp(name, "..") == 0 ? 1 : 2;
    };
    if (rank(a.name) != rank(b.name)) return rank(a.name) < rank(b.name);
    for (std::size_t i = 0;; ++i) {
        const unsigned char x = static_cast<unsigned char>(lower(a.name[i]));
        const unsigned char y = static_cast<unsigned char>(lower(b.name[i]));
        if (x != y) return x < y;
        if (x == 0) return std::strcmp(a.name, b.name) < 0;
    }
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// The name an entry of folder really has when name finds it, as Windows finds
// names without regard to case; empty when there is none. Of names that differ
// only in case (which Windows cannot hold) the exact one, else the first in order.
std::string existingName(const fs::path& folder, const std::string& name) {
    std::error_code error;
    if (name.empty() || name == "." || name == "..") return name;
    if (fs::exists(fs::symlink_status(folder / name, error))) return name;
    std::string found;
    for (fs::directory_iterator entries(folder, error);
         !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const std::string candidate = entries->path().filename().string();
        if (sameIgnoringCase(candidate, name) && (found.empty() || candidate < found))
            found = candidate;
    }
    return found;
}

// base followed by inside ("/a/b/"), each part that exists spelled as it is on disk.
std::string withCaseOnDisk(const std::string& base, const std::string& inside) {
    std::string resolved = base == "/" ? std::string() : base;
    std::size_t at = 1;
    while (at <= inside.size()) {
        const std::size_t end = std::min(inside.find('/', at), inside.size());
        const std::string part = inside.substr(at, end - at);
        const std::string real = existingName(resolved.empty() ? "/" : resolved, part);
        if (real.empty()) return resolved + inside.substr(at - 1); // the rest as written
        resolved += "/" + real;
        at = end + 1;
    }
    if (inside.size() > 1 && inside.back() == '/') resolved += '/';
    return resolved.empty() ? "/" : resolved;
}

std::set<std::string> hiddenListOf(const fs::path& folder) {
    std::set<std::string> names{".hidden"};
    std::ifstream in(folder / ".hidden");
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) names.insert(line);
    }
    return names;
}

FindData entryFor(const std::string& name, bool directory, bool hidden) {
    FindData data;
    data.attributes = directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (hidden) data.attributes |= FILE_ATTRIBUTE_HIDDEN;
    std::memcpy(data.name, name.data(), name.size());
    data.name[name.size()] = '\0';
    return data;
}

bool isHidden(const std::set<std::string>& hiddenPaths, const std::set<std::string>& listed,
              const fs::path& folder, const std::string& name) {
    return listed.count(name) != 0 || hiddenPaths.count(normalized((folder / name).string())) != 0;
}

// Collects what the pattern finds, or sets the last error and returns nothing.
std::vector<FindData> search(const std::string& pattern, const std::set<std::string>& hiddenPaths) {
    const std::size_t cut = pattern.find_last_of("\\/");
    std::string folderPart = cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
    const std::string namePattern = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
    if (cut == std::string::npos && hasDrive(pattern)) folderPart = pattern.substr(0, 2);
    const std::string wanted =
        cut == std::string::npos && hasDrive(pattern) ? pattern.substr(2) : namePattern;
    if (wanted.empty()) {
        setLastError(ERROR_FILE_NOT_FOUND);
        return {};
    }
    const fs::path folder = hostPath(folderPart);
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        setLastError(ERROR_PATH_NOT_FOUND);
        return {};
    }
    const std::set<std::string> listed = hiddenListOf(folder);
    std::vector<FindData> found;

    if (wanted.find_first_of("*?") == std::string::npos) {
        const std::string name = existingName(folder, wanted);
        const fs::file_status status = fs::status(folder / name, error);
        if (name.empty() || error || !fs::exists(status) || tooLongToFind(name)) {
            setLastError(ERROR_FILE_NOT_FOUND);
            return {};
        }
        found.push_back(
            entryFor(name, fs::is_directory(status), isHidden(hiddenPaths, listed, folder, name)));
        return found;
    }

    const std::string glob = wanted == "*.*" ? "*" : wanted;
    // A drive's root has no "." and ".." entries; every other folder has them.
    const bool driveRoot = belowDrive(folderPart) == "/";
    if (!driveRoot)
        for (const char* dots : {".", ".."})
            if (matches(glob.c_str(), dots)) found.push_back(entryFor(dots, true, false));
    fs::directory_iterator entries(folder, error);
    if (error) {
        setLastError(ERROR_ACCESS_DENIED);
        return {};
    }
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        if (tooLongToFind(name) || !matches(glob.c_str(), name.c_str())) continue;
        std::error_code kind;
        const bool directory = entries->is_directory(kind);
        found.push_back(entryFor(name, directory, isHidden(hiddenPaths, listed, folder, name)));
    }
    std::sort(found.begin(), found.end(), listedBefore);
    if (found.empty()) setLastError(ERROR_FILE_NOT_FOUND);
    return found;
}

} // namespace

// A path without a drive letter is on drive C:, the one the player runs from,
// and no path leads outside the folder that stands for its drive. Names are
// found without regard to case, as on Windows.
// Names on this disk are UTF-8: a path that is not (the plug-in's code page
// texts) is read in the code page.
fs::path hostPath(const std::string& path) {
    const std::string windowsPath = isValidUtf8(path) ? path : codePageToUtf8(path);
    const char letter =
        hasDrive(windowsPath)
            ? static_cast<char>(std::toupper(static_cast<unsigned char>(windowsPath[0])))
            : 'C';
    std::string base;
    {
        State& s = state();
        Lock lock(s.mutex);
        auto found = s.drives.find(letter);
        // An unmapped drive leads nowhere, so every lookup below it fails.
        base = found != s.drives.end() ? found->second
                                       : std::string("/nonexistent-tunegrove-drive-") + letter;
    }
    const std::string inside = belowDrive(windowsPath);
    const bool driveAlone = (hasDrive(windowsPath) ? windowsPath.size() == 2 : windowsPath.empty());
    if (driveAlone) return base;
    return withCaseOnDisk(base, inside);
}

HANDLE findFirstFile(const char* pattern, FindData* data) {
    if (pattern == nullptr || data == nullptr) {
        setLastError(ERROR_INVALID_PARAMETER);
        return kInvalidFind;
    }
    std::set<std::string> hiddenPaths;
    {
        State& s = state();
        Lock lock(s.mutex);
        hiddenPaths = s.hiddenPaths;
    }
    std::vector<FindData> found = search(pattern, hiddenPaths);
    if (found.empty()) return kInvalidFind;
    *data = found.front();
    State& s = state();
    Lock lock(s.mutex);
    const std::uintptr_t handle = newHandle(s);
    s.finds[handle] = FindSearch{std::move(found), 1};
    return reinterpret_cast<HANDLE>(handle);
}

BOOL findNextFile(HANDLE find, FindData* data) {
    State& s = state();
    Lock lock(s.mutex);
    auto search = s.finds.find(reinterpret_cast<std::uintptr_t>(find));
    if (search == s.finds.end()) {
        fault(s, "findNextFile: " + handleText(find) + " is not an open search");
        setLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (data == nullptr) {
        setLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    FindSearch& open = search->second;
    if (open.next >= open.entries.size()) {
        setLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *data = open.entries[open.next++];
    return TRUE;
}

BOOL findClose(HANDLE find) {
    State& s = state();
    Lock lock(s.mutex);
    if (s.finds.erase(reinterpret_cast<std::uintptr_t>(find)) == 0) {
        fault(s, "findClose: " + handleText(find) + " is not an open search");
        setLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL replaceFile(const char* source, const char* target) {
    if (source == nullptr || target == nullptr) return FALSE;
    std::function<void()> beforeMove;
    bool fail = false;
    DWORD failure = 0;
    {
        State& s = state();
        Lock lock(s.mutex);
        beforeMove.swap(s.beforeNextReplace);
        fail = s.failReplace;
        failure = s.replaceError;
    }
    if (beforeMove) beforeMove(); // outside the lock: it may use the platform
    if (fail) {
        setLastError(failure);
        return FALSE;
    }
    std::error_code error;
    fs::rename(hostPath(source), hostPath(target), error); // rename(2) replaces in one step
    if (error) {
        setLastError(error == std::errc::no_such_file_or_directory ? ERROR_FILE_NOT_FOUND
                                                                   : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

BOOL flushFileToDisk(const char* path) {
    if (path == nullptr) return FALSE;
    const int file = ::open(hostPath(path).c_str(), O_WRONLY);
    if (file < 0) {
        setLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    const bool flushed = ::fsync(file) == 0;
    ::close(file);
    State& s = state();
    Lock lock(s.mutex);
    s.flushedFiles.push_back(path);
    return flushed ? TRUE : FALSE;
}

BOOL deleteFile(const char* path) {
    if (path == nullptr) return FALSE;
    {
        State& s = state();
        Lock lock(s.mutex);
        if (s.failDelete) {
            setLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
    }
    const std::string native = hostPath(path);
    std::error_code error;
    if (fs::is_directory(native, error)) {
        setLastError(ERROR_ACCESS_DENIED); // DeleteFile does not remove folders
        return FALSE;
    }
    if (!fs::remove(native, error)) {
        setLastError(error ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

BOOL fileExists(const char* path) {
    if (path == nullptr) return FALSE;
    std::error_code error;
    const fs::file_status status = fs::status(hostPath(path), error);
    return !error && fs::exists(status) && !fs::is_directory(status) ? TRUE : FALSE;
}

namespace sim {

void mapDrive(char letter, const std::string& nativeDirectory) {
    State& s = state();
    Lock lock(s.mutex);
    const char key = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    std::string folder = nativeDirectory;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder.empty())
        s.drives.erase(key);
    else
        s.drives[key] = folder;
}

void setHidden(const std::string& nativePath, bool hidden) {
    State& s = state();
    Lock lock(s.mutex);
    if (hidden)
        s.hiddenPaths.insert(normalized(nativePath));
    else
        s.hiddenPaths.erase(normalized(nativePath));
}

void beforeNextReplaceFile(std::function<void()> observe) {
    State& s = state();
    Lock lock(s.mutex);
    s.beforeNextReplace = std::move(observe);
}

void failReplaceFile(bool fail, DWORD lastError) {
    State& s = state();
    Lock lock(s.mutex);
    s.failReplace = fail;
    s.replaceError = lastError;
}

void failDeleteFile(bool fail) {
    State& s = state();
    Lock lock(s.mutex);
    s.failDelete = fail;
}

std::vector<std::string> flushedFiles() {
    State& s = state();
    Lock lock(s.mutex);
    return s.flushedFiles;
}

int openFindCount() {
    State& s = state();
    Lock lock(s.mutex);
    return static_cast<int>(s.finds.size());
}

} // namespace sim
} // namespace tg::platform
