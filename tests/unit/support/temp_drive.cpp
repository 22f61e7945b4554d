#include "support/temp_drive.h"

#include "platform/sim/inspect.h"

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace tg::test {

namespace {

std::string slashes(std::string relative) {
    for (char& c : relative)
        if (c == '\\') c = '/';
    return relative;
}

} // namespace

TempDrive::TempDrive(char letter) {
    static std::atomic<int> serial{0};
    root_ = std::filesystem::temp_directory_path() /
            ("tg_drive_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    platform::sim::mapDrive(letter, root_.string());
}

TempDrive::~TempDrive() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void TempDrive::folder(const std::string& relative) const {
    std::filesystem::create_directories(native(relative));
}

void TempDrive::file(const std::string& relative, const std::string& content) const {
    const std::filesystem::path path = native(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << content;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void TempDrive::hide(const std::string& relative) const {
    platform::sim::setHidden(native(relative));
}

std::string TempDrive::native(const std::string& relative) const {
    return (root_ / slashes(relative)).string();
}

} // namespace tg::test
