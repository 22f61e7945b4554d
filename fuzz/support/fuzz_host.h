// What every fuzzer shares: the simulated platform with drive C: in a private
// temporary folder, the simulated player as the plug-in's host with its
// settings folder "C:\Settings", and checks that end the run with a report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tg::fuzz {

// The player's settings folder, as the plug-in asks for it.
inline constexpr char kSettingsFolder[] = "C:\\Settings";

// The simulated platform, the player as the plug-in's host and the model for
// one run: made fresh when it starts, checked and released again when it ends,
// so no run leaves anything for the next and libFuzzer's leak check sees every
// run's memory come back.
class HostSession {
public:
    HostSession();
    // Fails on any fault the simulated platform or player noticed (a destroyed
    // menu used, a find handle left open, a query result never freed), and on
    // menus left alive.
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;
};

// Writes bytes to a Windows path on drive C: (parent folders must exist).
void writeFile(const std::string& windowsPath, std::string_view bytes);
// The whole file, "" when it cannot be read.
std::string readFile(const std::string& windowsPath);

// The input as text, NUL bytes and all.
inline std::string_view bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Ends the process with the report on stderr, so the fuzzer keeps the input.
[[noreturn]] void fail(const std::string& what);
inline void check(bool ok, const std::string& what) {
    if (!ok) fail(what);
}
// A text for a report: control characters and bytes above 126 as \xNN.
std::string printable(std::string_view text);

} // namespace tg::fuzz
