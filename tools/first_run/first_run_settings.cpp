// Prints the settings file the plug-in writes when it starts without one: the
// plug-in's own settings code on the simulated platform, with a stand-in player
// window that names an empty settings folder.
//
//   tg_first_run_settings FOLDER   (FOLDER is created, with its "Plugins" folder)
#include "model/settings_file.h"
#include "platform/window.h"
#include "plugin/descriptor.h"
#include "plugin/host_messages.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

namespace {

std::string settingsFolder;

LRESULT TG_CALLBACK playerWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER && lParam == tg::HOST_GET_INI_DIR)
        return reinterpret_cast<LRESULT>(settingsFolder.c_str());
    return tg::platform::defWindowProc(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tg_first_run_settings FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::absolute(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(folder / "Plugins", error);
    const std::filesystem::path file = folder / "Plugins" / "ml_tg.ini";
    if (error || std::filesystem::exists(file)) {
        std::cerr << "tg_first_run_settings: " << folder << " must be a new or empty folder\n";
        return 2;
    }
    settingsFolder = folder.string();
    tg::descriptor().hostWindow = tg::platform::createWindow(playerWindow, "player");
    tg::readSettings();

    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "tg_first_run_settings: no settings file was written\n";
        return 1;
    }
    std::cout << in.rdbuf();
    return 0;
}
