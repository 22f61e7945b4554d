#include "options.h"

#include <cctype>
#include <charconv>
#include <climits>

namespace tg::preview {

namespace {

struct ActionName {
    const char* name;
    const char* label;
};

// The two context menus: a level item's actions and a queue entry's moves.
constexpr ActionName kActions[] = {
    {"play", "Play"},           {"enqueue", "Enqueue"},       {"enqueue-and-play", "Enq. and Play"},
    {"play-tg", "Play TG"},     {"enqueue-tg", "Enqueue TG"}, {"move-up", "Move Up"},
    {"move-down", "Move Down"}, {"delete", "Delete"},
};

// Options that take a value, with where it goes.
enum class Valued { Library, Playlist, IniDir, Root, Playing, Drive, Open, Depth, Click, Action };

struct ValuedOption {
    const char* name;
    Valued which;
};

constexpr ValuedOption kValued[] = {
    {"--library", Valued::Library}, {"--playlist", Valued::Playlist}, {"--ini-dir", Valued::IniDir},
    {"--root", Valued::Root},       {"--playing", Valued::Playing},   {"--drive", Valued::Drive},
    {"--open", Valued::Open},       {"--depth", Valued::Depth},       {"--click", Valued::Click},
    {"--action", Valued::Action},
};

bool parseDepth(const std::string& text, int& depth) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < 0) return false;
    depth = value;
    return true;
}

// "D=/some/folder": a further drive letter for the simulated file system.
bool parseDrive(const std::string& text, ExtraDrive& drive) {
    if (text.size() < 3 || text[1] != '=' || !std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    drive.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    drive.folder = text.substr(2);
    return drive.letter != 'C' && drive.letter != 'W';
}

std::string store(Options& o, Valued which, const std::string& value) {
    switch (which) {
    case Valued::Library: o.library = value; break;
    case Valued::Playlist: o.playlist = value; break;
    case Valued::IniDir: o.iniDir = value; break;
    case Valued::Root: o.root = value; break;
    case Valued::Playing: o.playing = value; break;
    case Valued::Open: o.open = value; break;
    case Valued::Click: o.click = value; break;
    case Valued::Drive: {
        ExtraDrive drive;
        if (!parseDrive(value, drive))
            return "--drive takes LETTER=FOLDER with a letter other than C and W, not '" + value +
                   "'";
        o.drives.push_back(drive);
        break;
    }
    case Valued::Depth:
        if (!parseDepth(value, o.depth))
            return "--depth takes a whole number of 0 or more, not '" + value + "'";
        break;
    case Valued::Action: {
        const char* label = actionLabel(value);
        if (label == nullptr)
            return "--action takes play, enqueue, enqueue-and-play, play-tg, enqueue-tg, "
                   "move-up, move-down or delete, not '" +
                   value + "'";
        o.action = label;
        break;
    }
    }
    return {};
}

// Every option that needs a value must not be empty, except --playing (nothing playing).
bool mayBeEmpty(Valued which) {
    return which == Valued::Playing;
}

} // namespace

const char* actionLabel(const std::string& name) {
    for (const ActionName& a : kActions)
        if (name == a.name) return a.label;
    return nullptr;
}

ParsedOptions parseOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    Options& o = parsed.options;
    bool help = false, version = false, settingsDump = false, interactive = false;
    const auto fail = [&parsed](std::string error) {
        parsed.error = std::move(error);
        return parsed;
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            help = true;
            continue;
        }
        if (argument == "--version") {
            version = true;
            continue;
        }
        if (argument == "--json") {
            o.json = true;
            continue;
        }
        if (argument == "--wide") {
            o.wide = true;
            continue;
        }
        if (argument == "--hotkey") {
            o.hotkey = true;
            continue;
        }
        if (argument == "--settings-dump") {
            settingsDump = true;
            continue;
        }
        if (argument == "--interactive") {
            interactive = true;
            continue;
        }
        const ValuedOption* option = nullptr;
        std::string value;
        bool hasValue = false;
        for (const ValuedOption& candidate : kValued) {
            const std::string name = candidate.name;
            if (argument == name) {
                option = &candidate;
            } else if (argument.compare(0, name.size() + 1, name + "=") == 0) {
                option = &candidate;
                value = argument.substr(name.size() + 1);
                hasValue = true;
            }
            if (option != nullptr) break;
        }
        if (option == nullptr) {
            if (argument.size() > 1 && argument[0] == '-')
                return fail("unknown option '" + argument + "'");
            return fail("unexpected argument '" + argument + "'");
        }
        if (!hasValue) {
            if (i + 1 >= arguments.size())
                return fail(std::string(option->name) + " needs a value");
            value = arguments[++i];
        }
        if (value.empty() && !mayBeEmpty(option->which))
            return fail(std::string(option->name) + " needs a value");
        if (std::string error = store(o, option->which, value); !error.empty())
            return fail(std::move(error));
    }

    // Help and version answer whatever else was asked.
    if (help) {
        o.mode = Mode::Help;
        return parsed;
    }
    if (version) {
        o.mode = Mode::Version;
        return parsed;
    }
    const int modes = (settingsDump ? 1 : 0) + (interactive ? 1 : 0) + (o.click.empty() ? 0 : 1);
    if (modes > 1) return fail("--click, --settings-dump and --interactive exclude each other");
    if (!o.action.empty() && o.click.empty()) return fail("--action needs --click");
    if (!o.click.empty() && !o.open.empty())
        return fail("--click takes the whole path from the popup; leave out --open");
    if (settingsDump && (o.hotkey || !o.open.empty() || o.depth >= 0))
        return fail("--settings-dump shows no menu: leave out --hotkey, --open and --depth");
    if (interactive && o.json) return fail("--interactive does not print JSON");
    if (!o.click.empty() && o.depth >= 0) return fail("--depth does not apply to --click");
    o.mode = settingsDump      ? Mode::SettingsDump
             : interactive     ? Mode::Interactive
             : o.click.empty() ? Mode::Tree
                               : Mode::Click;
    return parsed;
}

const char* usageText() {
    return R"(Usage: tunegrove-preview [INPUTS] [WHAT] [--json]

Starts the Tunegrove plug-in inside a simulated player and shows the menus it
builds, or what a click on one of them does, without the player.

Inputs (each has a bundled default from the samples folder):
  --library FILE     media library, tab-separated with a header row of field names
  --playlist FILE    the player's playlist (.m3u); relative entries are read
                     from the playlist's folder when it lies below --root
  --ini-dir DIR      the player's settings folder; "Plugins\ml_tg.ini" in it is
                     used as is, without one the first-run menus are written
                     there (default: a temporary copy of the bundled settings)
  --playing FILE     the playlist entry now playing, by file name; "" for none
                     (default: the playlist's first entry)
  --root DIR         the folder that stands for C:\ (default: the sample tree)
  --drive L=DIR      a further drive L: standing for DIR (repeatable; not C or W,
                     the settings folder's drive)
  --wide             the player offers its wide (UTF-16) calls; without it the
                     plug-in gets '?' for every character outside the code page

What to show (the host popup that carries the plug-in's items by default):
  --hotkey           the popup the global hotkey opens at the mouse cursor
  --open PATH        open submenus along PATH first, e.g. "Media Library/A -> B/Abba"
  --depth N          open at most N levels of submenus below the menu shown
  --click PATH       left-click the item at PATH (through the mouse hook) and
                     print the player's messages, its playlist and the play-next queue
  --action NAME      with --click: right-click instead and choose NAME from the
                     context menu: play, enqueue, enqueue-and-play, play-tg,
                     enqueue-tg; for a "TG Playlist" entry move-up, move-down
                     or delete
  --settings-dump    print the options and menus read from the settings file
  --interactive      walk the menus with the keyboard (arrows or numbers to open,
                     Enter to click, c for the context menu, q to quit)
  --json             print the same as JSON
  --help, --version

PATH is a list of item labels split by "/", each compared first exactly, then
ignoring case; write "\/" for a "/" inside a label, or "#N" for the N-th item.

Exit status: 0 done, 2 a wrong option, a missing file or a path that leads
nowhere, 1 an internal failure.
)";
}

} // namespace tg::preview
