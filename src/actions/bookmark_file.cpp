#include "actions/bookmark_file.h"

#include "actions/line_reader.h"
#include "actions/popup_sources.h"
#include "platform/file.h"
#include "plugin/host_messages.h"

#include <cstring>

namespace tg {

namespace {

constexpr char kBookmarkFileName[] = "\\Winamp.bm";

} // namespace

bool openBookmarkFile(std::ifstream& file) {
    const char* folder = host::getIniDir();
    if (folder == nullptr) return false;
    std::string path = folder;
    path += kBookmarkFileName;
    if (path.size() >= kPathSize) return false;
    // Binary: lines end in "\r\n" or "\n" alike on both builds.
    file.open(platform::hostPath(path), std::ios::in | std::ios::binary);
    return file.is_open();
}

bool readBookmarkPair(std::istream& in, std::string& file, std::string& title) {
    if (!readLimitedLine(in, file)) return false;
    if (readLimitedLine(in, title)) return true;
    // Whatever ended the title, nothing after this pair may be taken.
    in.setstate(std::ios::failbit);
    return false;
}

} // namespace tg
