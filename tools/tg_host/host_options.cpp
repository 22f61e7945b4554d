#include "host_options.h"

#include <cstring>

namespace tg::testplayer {

const char kHostUsage[] =
    "usage: tg_host [--library FILE.tsv] [--playlist FILE.m3u] [--ini-dir DIR]\n"
    "               [--playing FILE] [--dll PATH] [--script FILE] [--wide]\n"
    "Without --script the player waits for you: right-click the window or use\n"
    "its Player menu; close the window to quit.\n";

HostOptions defaultHostOptions(const std::string& programFolder) {
    const std::string samples = programFolder + "\\samples\\";
    HostOptions options;
    options.library = samples + "library.tsv";
    options.playlist = samples + "playlist.m3u";
    options.iniDir = samples + "settings";
    options.dll = programFolder + "\\ml_tg.dll";
    return options;
}

std::string parseHostOptions(const std::vector<std::string>& arguments, HostOptions& options) {
    struct Option {
        const char* name;
        std::string HostOptions::*field;
    };
    static const Option kOptions[] = {
        {"--library", &HostOptions::library}, {"--playlist", &HostOptions::playlist},
        {"--ini-dir", &HostOptions::iniDir},  {"--playing", &HostOptions::playing},
        {"--dll", &HostOptions::dll},         {"--script", &HostOptions::script},
    };
    HostOptions result = options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--wide") {
            result.wide = true;
            continue;
        }
        const Option* match = nullptr;
        for (const Option& option : kOptions)
            if (arguments[i] == option.name) match = &option;
        if (!match) return "unknown option: " + arguments[i];
        if (i + 1 >= arguments.size()) return std::string(match->name) + " needs a value";
        result.*(match->field) = arguments[++i];
    }
    options = result;
    return {};
}

} // namespace tg::testplayer
