// The file system: directory enumeration and the paths handed to text streams.
//
// The logic builds Windows paths ("C:\Music\*", "<ini dir>\Plugins\ml_tg.ini")
// in its own texts: UTF-8 with the player's wide calls, the code page without.
// The calls here take them so and reach the file system through the wide calls
// when they are UTF-8. hostPath turns such a path into one the C++ streams of
// this platform can open: a UTF-16 path on Windows; on the simulated platform
// drive letters map to folders, "\" becomes "/" and each existing name is
// spelled as on disk, since Windows finds names without regard to case.
#pragma once

#include "platform/types.h"

#include <filesystem>
#include <string>

namespace tg::platform {

struct FindData {
    DWORD attributes = 0; // FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_HIDDEN
    // cFileName: MAX_PATH UTF-16 units, each at most three bytes in UTF-8.
    char name[260 * 3] = {};
};

inline const HANDLE kInvalidFind = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));

// FindFirstFile / FindNextFile / FindClose; a name too long for the plug-in's
// texts is cut between characters.
HANDLE findFirstFile(const char* pattern, FindData* data);
BOOL findNextFile(HANDLE find, FindData* data);
BOOL findClose(HANDLE find);

std::filesystem::path hostPath(const std::string& windowsPath);

// Replaces target by source in one step (MoveFileEx with MOVEFILE_REPLACE_EXISTING
// on Windows, rename(2) here). Both are Windows paths.
BOOL replaceFile(const char* source, const char* target);
// Makes a closed file's contents durable before it is put in place
// (FlushFileBuffers on Windows, fsync(2) here); a power cut after the move
// then cannot leave an empty or partial file under the target's name.
BOOL flushFileToDisk(const char* path);
BOOL deleteFile(const char* path);
// True for an existing file; false for a folder or nothing at all.
BOOL fileExists(const char* path);

} // namespace tg::platform
