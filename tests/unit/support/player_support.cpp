#include "support/player_support.h"

#include "platform/sim/inspect.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "player/player.h"
#include "plugin/host_messages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#ifndef TG_SOURCE_DIR
#error "TG_SOURCE_DIR names the source tree"
#endif

namespace tg::test {

namespace fs = std::filesystem;

std::string samplePath(const std::string& relative) {
    return std::string(TG_SOURCE_DIR) + "/samples/" + relative;
}

ScratchDrive::ScratchDrive(char letter) : letter_(letter) {
    static std::atomic<int> counter{0};
    // ctest runs tests in parallel processes: the process id keeps them apart.
    const fs::path folder =
        fs::temp_directory_path() /
        ("tg-scratch-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(folder);
    fs::create_directories(folder);
    native_ = folder.string();
    platform::sim::mapDrive(letter_, native_);
}

ScratchDrive::~ScratchDrive() {
    std::error_code error;
    fs::remove_all(native_, error);
}

std::string ScratchDrive::windows(const std::string& relative) const {
    return std::string(1, letter_) + ":\\" + relative;
}

void loadSampleLibrary() {
    const player::LoadResult result = player::player().loadLibrary(samplePath("library.tsv"));
    ASSERT_TRUE(result.ok) << result.error;
}

void mapSampleTree(char letter) {
    platform::sim::mapDrive(letter, samplePath("tree"));
}

void installSampleSettings(const ScratchDrive& drive) {
    player::Player& player = player::player();
    ASSERT_TRUE(player.setIniDir(drive.windows("Settings")));
    for (const char* file : {"Winamp.bm", "Plugins/gen_ml.ini"}) {
        std::ifstream in(samplePath(std::string("settings/") + file), std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        std::string relative = file;
        for (char& c : relative)
            if (c == '/') c = '\\';
        ASSERT_TRUE(player.writeIniFile(relative, content.str())) << file;
    }
}

void learnPlayerRecordLayout() {
    host::settleRecordLayout();
    player::player().clearLog();
}

std::string pluginText(const std::string& utf8) {
    return platform::utf8Texts() ? utf8 : platform::utf8ToCodePage(utf8).text;
}

std::vector<player::Track> pluginTracks(std::vector<player::Track> tracks) {
    for (player::Track& track : tracks)
        for (auto field : {&player::Track::filename, &player::Track::title, &player::Track::album,
                           &player::Track::artist, &player::Track::comment, &player::Track::genre})
            if (track.*field) track.*field = pluginText(*(track.*field));
    return tracks;
}

LRESULT sendToPlayer(WPARAM wParam, LPARAM code) {
    return platform::sendMessage(player::player().mainWindow(), WM_USER, wParam, code);
}

LRESULT sendCommand(WPARAM id) {
    return platform::sendMessage(player::player().mainWindow(), WM_COMMAND, id, 0);
}

LRESULT addFile(const std::string& path) {
    platform::CopyData copy;
    copy.dwData = HOST_ADD_FILE;
    copy.cbData = static_cast<DWORD>(path.size() + 1);
    copy.lpData = const_cast<char*>(path.c_str());
    return platform::sendMessage(player::player().mainWindow(), WM_COPYDATA, 0,
                                 reinterpret_cast<LPARAM>(&copy));
}

} // namespace tg::test
