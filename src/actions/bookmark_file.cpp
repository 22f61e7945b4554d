#include "actions/bookmark_file.h"

#include "actions/popup_sources.h"
#include "platform/file.h"
#include "platform/text_encoding.h"
#include "plugin/host_messages.h"

#include <cstring>

namespace tg {

namespace {

constexpr char kBookmarkFileName[] = "\\Winamp.bm";
constexpr char kUtf8BookmarkFileName[] = "\\Winamp.bm8";

bool open(std::ifstream& file, const char* folder, const char* name) {
    std::string path = folder;
    path += name;
    if (path.size() >= kPathSize) return false;
    // Binary: lines end in "\r\n" or "\n" alike on both builds.
    file.open(platform::hostPath(path), std::ios::in | std::ios::binary);
    return file.is_open();
}

} // namespace

bool openBookmarkFile(std::ifstream& file, bool& utf8) {
    const char* folder = host::getIniDir();
    if (folder == nullptr) return false;
    utf8 = platform::utf8Texts() && open(file, folder, kUtf8BookmarkFileName);
    return utf8 || open(file, folder, kBookmarkFileName);
}

bool readBookmarkPair(TextLines& in, std::string& file, std::string& title) {
    if (!in.read(file)) return false;
    if (in.read(title)) return true;
    // Whatever ended the title, nothing after this pair may be taken.
    in.stop();
    return false;
}

} // namespace tg
