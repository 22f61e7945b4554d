#include "support/settings_folder.h"

#include "platform/sim/inspect.h"
#include "plugin/host_messages.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tg::test {

namespace {
constexpr char kDrive = 'T';
} // namespace

SettingsFolder::SettingsFolder(bool withPluginsFolder) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tg_settings_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    // The player names its folder the Windows way, on a drive of its own.
    platform::sim::mapDrive(kDrive, pattern);
    rootText_ = std::string(1, kDrive) + ":";
    if (withPluginsFolder) std::filesystem::create_directory(plugins());
    host.main.answer([this](const RecordedMessage& m) -> LRESULT {
        if (m.message == WM_USER && m.lParam == HOST_GET_INI_DIR)
            return answerNull_ ? 0 : reinterpret_cast<LRESULT>(rootText_.c_str());
        return 0;
    });
}

SettingsFolder::~SettingsFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeWholeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::vector<std::string> folderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace tg::test
