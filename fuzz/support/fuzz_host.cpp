#include "support/fuzz_host.h"

#include "platform/sim/inspect.h"
#include "player/player.h"
#include "plugin/descriptor.h"
#include "plugin/plugin_state.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace tg::fuzz {

namespace {

std::filesystem::path driveRoot;

void removeDrive() {
    std::error_code ignored;
    std::filesystem::remove_all(driveRoot, ignored);
}

} // namespace

HostSession::HostSession() {
    if (driveRoot.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "tg_fuzz_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) fail("cannot make a temporary folder");
        driveRoot = pattern;
        std::atexit(removeDrive);
    }
    platform::sim::mapDrive('C', driveRoot.string());
    player::Player& host = player::player();
    // A log line per message would only grow.
    host.setLogging(false);
    if (!host.setIniDir(kSettingsFolder)) fail("cannot make the settings folder");
    descriptor().hostWindow = host.mainWindow();
    descriptor().libraryWindow = host.libraryWindow();
}

HostSession::~HostSession() {
    for (const std::string& fault : platform::sim::takeFaults()) fail("platform fault: " + fault);
    for (const std::string& fault : player::player().takeFaults()) fail("player fault: " + fault);
    if (platform::sim::openFindCount() != 0) fail("find handles left open");
    if (player::player().liveQueryResults() != 0) fail("query results never freed");
    if (player::player().liveFileInfoRecords() != 0) fail("file info records never freed");
    resetPluginState();
    player::resetPlayer();
    platform::sim::reset();
}

void writeFile(const std::string& windowsPath, std::string_view bytes) {
    std::ofstream out(platform::hostPath(windowsPath), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) fail("cannot write " + windowsPath);
}

std::string readFile(const std::string& windowsPath) {
    std::ifstream in(platform::hostPath(windowsPath), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void fail(const std::string& what) {
    std::fprintf(stderr, "\n==== fuzz check failed: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string printable(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte > 126 || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace tg::fuzz
