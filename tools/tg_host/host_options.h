// The test player's command line.
#pragma once

#include <string>
#include <vector>

namespace tg::testplayer {

struct HostOptions {
    std::string library;  // tab-separated library file
    std::string playlist; // .m3u loaded as the player's playlist
    std::string iniDir;   // the player's settings folder (HOST_GET_INI_DIR)
    std::string playing;  // a file started once the plug-in runs; empty for none
    std::string dll;      // the plug-in
    std::string script;   // automation script; empty to wait for a person
    bool wide = false;    // a current player: it offers the wide calls
    // Off for programs that only send the window messages: under Wine without a
    // window manager, taking a shown window down waits two seconds.
    bool showWindow = true;
};

// The defaults: the samples and the plug-in beside the program.
HostOptions defaultHostOptions(const std::string& programFolder);

// Reads the arguments after the program name over the defaults. An unknown
// option or an option without its value gives an error text; options stay untouched then.
std::string parseHostOptions(const std::vector<std::string>& arguments, HostOptions& options);

extern const char kHostUsage[];

} // namespace tg::testplayer
