// tunegrove-preview: the plug-in's menus built from a library, a playlist and
// a settings folder, without the player. See --help.
#include "preview_run.h"
#include "terminal_input.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

#ifndef TG_SAMPLES_DIR
#error "TG_SAMPLES_DIR names the bundled samples folder"
#endif

namespace {

// An installed copy keeps its samples beside it; a build uses the source tree's.
std::filesystem::path bundledSamples() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path installed =
            program.parent_path().parent_path() / "share" / "tunegrove" / "samples";
        if (std::filesystem::is_directory(installed, error)) return installed;
    }
    return TG_SAMPLES_DIR;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const bool terminal = ::isatty(STDIN_FILENO) != 0 && ::isatty(STDOUT_FILENO) != 0;
    // A terminal's keys are read byte by byte so that a lone Esc can be told
    // from the start of an arrow key's sequence.
    tg::preview::UnbufferedInput keyBytes(STDIN_FILENO);
    std::istream keys(&keyBytes);
    return tg::preview::runPreview(arguments, bundledSamples(), terminal ? keys : std::cin,
                                   std::cout, std::cerr, terminal);
}
