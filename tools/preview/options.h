// The preview's command line: what to load, what to show and how.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tg::preview {

enum class Mode { Tree, Click, SettingsDump, Interactive, Help, Version };

struct ExtraDrive {
    char letter = 0;
    std::string folder; // native
};

struct Options {
    Mode mode = Mode::Tree;
    // Inputs; empty means the bundled default.
    std::string library;
    std::string playlist;
    std::string iniDir;
    std::string root;
    // The song now playing: unset takes the playlist's first entry, an empty
    // text plays nothing.
    std::optional<std::string> playing;
    std::vector<ExtraDrive> drives;
    // The player offers the wide calls: the plug-in's texts are UTF-8 throughout.
    // Without them every character outside the code page reaches it as '?'.
    bool wide = false;

    bool hotkey = false; // the popup the hotkey opens instead of the host's popup
    bool json = false;
    std::string open;  // label path to the menu shown
    int depth = -1;    // submenu levels opened below it; -1 for all
    std::string click; // label path of the item clicked
    // The context-menu entry chosen instead of a left click, by its label
    // ("Play", "Move Up", ...); empty for a left click.
    std::string action;
};

struct ParsedOptions {
    Options options;
    std::string error; // empty when the command line was sound
};

ParsedOptions parseOptions(const std::vector<std::string>& arguments);

// The context-menu entry an --action name chooses: "play" -> "Play",
// "enqueue-and-play" -> "Enq. and Play", "move-up" -> "Move Up", ...; null
// for an unknown name.
const char* actionLabel(const std::string& name);

const char* usageText();

} // namespace tg::preview
