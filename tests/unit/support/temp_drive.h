// A temporary folder tree mapped as a drive of the simulated platform, removed
// again when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace tg::test {

class TempDrive {
public:
    explicit TempDrive(char letter = 'C');
    ~TempDrive();
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    // relative uses "/" or "\" between names; parent folders are created.
    void folder(const std::string& relative) const;
    void file(const std::string& relative, const std::string& content = {}) const;
    void hide(const std::string& relative) const;
    std::string native(const std::string& relative) const;

private:
    std::filesystem::path root_;
};

} // namespace tg::test
