#include "support/player_support.h"

#include "host/player.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "plugin/host_messages.h"

#include <gtest/gtest.h>

#ifndef TG_SOURCE_DIR
#error "TG_SOURCE_DIR names the source tree"
#endif

namespace tg::test {

std::string samplePath(const std::string& relative) {
    return std::string(TG_SOURCE_DIR) + "/samples/" + relative;
}

void loadSampleLibrary() {
    const player::LoadResult result = player::player().loadLibrary(samplePath("library.tsv"));
    ASSERT_TRUE(result.ok) << result.error;
}

void mapSampleTree(char letter) {
    platform::sim::mapDrive(letter, samplePath("tree"));
}

void installSampleSettings(char letter) {
    player::Player& player = player::player();
    ASSERT_TRUE(player.setIniDir(std::string(1, letter) + ":\\Settings"));
    ASSERT_TRUE(player.installSettingsFiles(samplePath("settings")));
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
