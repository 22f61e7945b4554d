#include "preview_session.h"

#include "label_path.h"
#include "library_loading.h"
#include "menu_capture.h"
#include "model/model_state.h"
#include "model/text.h"
#include "platform/sim/inspect.h"
#include "platform/window.h"
#include "player/driver/plugin_driver.h"
#include "player/player.h"
#include "plugin/descriptor.h"
#include "plugin/host_messages.h"
#include "plugin/popup_at_cursor.h"
#include "tree_printer.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace tg::preview {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxSettleRounds = 200;
constexpr DWORD kSettleStepMs = 50;

fs::path absoluteOf(const fs::path& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    return error ? path : absolute.lexically_normal();
}

std::vector<std::string> itemTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (const platform::sim::MenuItemView& item : shownItems(menu))
        texts.push_back(item.flags & MF_SEPARATOR ? std::string() : item.text);
    return texts;
}

std::string labelAt(HMENU menu, int position) {
    const std::vector<std::string> texts = itemTexts(menu);
    if (position < 0 || static_cast<std::size_t>(position) >= texts.size()) return {};
    const std::string& text = texts[static_cast<std::size_t>(position)];
    return displayText(std::string_view(text).substr(0, text.find('\t')));
}

// The labels that lead through a chain of open menus, each found in its parent.
std::vector<std::string> trailOf(const std::vector<HMENU>& open) {
    std::vector<std::string> trail{"Main menu"};
    for (std::size_t i = 1; i < open.size(); ++i) {
        const std::vector<platform::sim::MenuItemView> items = shownItems(open[i - 1]);
        for (std::size_t k = 0; k < items.size(); ++k)
            if (items[k].submenu == open[i])
                trail.push_back(labelAt(open[i - 1], static_cast<int>(k)));
    }
    return trail;
}

std::string hotkeyName(UINT modifiers, UINT virtualKey) {
    std::string name;
    if (modifiers & MOD_CONTROL) name += "Ctrl+";
    if (modifiers & MOD_ALT) name += "Alt+";
    if (modifiers & MOD_SHIFT) name += "Shift+";
    if (modifiers & MOD_WIN) name += "Win+";
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        name += static_cast<char>(virtualKey);
    else
        name += "key " + std::to_string(virtualKey);
    return name;
}

// "W:\" plus the path below the mapped folder, or empty when it is not below it.
std::string windowsPathBelow(const fs::path& folder, const std::string& drive,
                             const fs::path& native) {
    const fs::path relative = native.lexically_relative(folder);
    if (relative.empty()) return {};
    std::string text = relative.generic_string();
    if (text == ".") return drive + "\\";
    if (text.rfind("..", 0) == 0) return {};
    for (char& c : text)
        if (c == '/') c = '\\';
    return drive + "\\" + text;
}

void copyFolder(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (!fs::is_directory(from, error)) return;
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
    if (error)
        throw std::runtime_error("cannot copy the bundled settings " + from.string() + ": " +
                                 error.message());
}

} // namespace

std::string menuTitle(const OpenedMenu& menu) {
    std::string text;
    for (const std::string& label : menu.trail) text += (text.empty() ? "" : " > ") + label;
    return text;
}

Inputs resolveInputs(const Options& options, const fs::path& samples) {
    Inputs inputs;
    inputs.library = options.library.empty() ? samples / "library.tsv" : fs::path(options.library);
    inputs.playlist =
        options.playlist.empty() ? samples / "playlist.m3u" : fs::path(options.playlist);
    inputs.root = options.root.empty() ? samples / "tree" : fs::path(options.root);
    inputs.iniDir = options.iniDir;
    inputs.bundledSettings = samples / "settings";
    inputs.playing = options.playing;
    inputs.drives = options.drives;
    inputs.wide = options.wide;
    return inputs;
}

PreviewSession::PreviewSession(std::ostream& progress) : progress_(progress) {}

PreviewSession::~PreviewSession() {
    if (running_) stop();
    if (!temporarySettings_.empty()) {
        std::error_code ignored;
        fs::remove_all(temporarySettings_, ignored);
    }
}

void PreviewSession::start(const Inputs& inputs) {
    driver::resetProcess();
    player::Player& p = player::player();
    p.offerWideCalls(inputs.wide);

    std::error_code error;
    if (!fs::is_directory(inputs.root, error))
        throw InputError("--root: no such folder: " + inputs.root.string());
    roots_.emplace_back(absoluteOf(inputs.root), "C:");
    for (const ExtraDrive& drive : inputs.drives) {
        if (!fs::is_directory(drive.folder, error))
            throw InputError(std::string("--drive ") + drive.letter +
                             ": no such folder: " + drive.folder);
        roots_.emplace_back(absoluteOf(drive.folder), std::string(1, drive.letter) + ":");
    }
    for (const auto& [folder, drive] : roots_) platform::sim::mapDrive(drive[0], folder.string());

    loadLibrary(inputs.library);
    prepareSettings(inputs);
    loadPlaylist(inputs);

    p.attachPlugin(&descriptor(), driver::fakeModuleInstance());
    running_ = true;
    loop_ = std::make_unique<driver::MenuLoop>(p.mainWindow(), driver::cancelModesReceived);
    // The song starts as the user would start it, so the plug-in hears of it.
    if (p.currentIndex() >= 0) platform::sendMessage(p.mainWindow(), WM_COMMAND, HOST_CMD_PLAY, 0);
    settle();
}

void PreviewSession::loadLibrary(const fs::path& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error))
        throw InputError("--library: no such file: " + file.string());
    std::vector<player::Track> tracks;
    const player::LoadResult result =
        loadLibraryWithProgress(file, progress_, ::isatty(STDERR_FILENO) != 0, tracks);
    if (!result.ok) throw InputError("--library: " + result.error);
    player::player().setTracks(std::move(tracks));
}

void PreviewSession::prepareSettings(const Inputs& inputs) {
    fs::path folder = inputs.iniDir;
    std::error_code error;
    if (folder.empty()) {
        // The bundled settings stay untouched: the plug-in writes into a copy.
        std::string pattern = (fs::temp_directory_path() / "tunegrove-preview-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary settings folder");
        temporarySettings_ = pattern;
        copyFolder(inputs.bundledSettings, temporarySettings_);
        folder = temporarySettings_;
    } else if (!fs::is_directory(folder, error)) {
        throw InputError("--ini-dir: no such folder: " + folder.string());
    }
    firstRun_ = !fs::exists(folder / "Plugins" / "ml_tg.ini", error);
    if (fs::is_directory(folder / "Plugins" / "ml_tg.ini", error))
        throw InputError("--ini-dir: " + (folder / "Plugins" / "ml_tg.ini").string() +
                         " is a folder, not a settings file");
    platform::sim::mapDrive(kSettingsDrive, absoluteOf(folder).string());
    const std::string drive = std::string(1, kSettingsDrive) + ":";
    if (!player::player().setIniDir(drive))
        throw InputError("--ini-dir: cannot make the Plugins folder in " + folder.string());
    settingsFile_ = drive + "\\Plugins\\ml_tg.ini";
    if (firstRun_ && !inputs.iniDir.empty())
        progress_ << "no Plugins/ml_tg.ini in " << folder.string()
                  << ": the plug-in writes its first-run menus there\n";
}

void PreviewSession::loadPlaylist(const Inputs& inputs) {
    std::error_code error;
    if (!fs::is_regular_file(inputs.playlist, error))
        throw InputError("--playlist: no such file: " + inputs.playlist.string());
    // Relative entries are found beside the playlist when it lies on a drive.
    std::string folder;
    const fs::path native = absoluteOf(inputs.playlist).parent_path();
    for (const auto& [root, drive] : roots_)
        if (folder.empty()) folder = windowsPathBelow(root, drive, native);
    player::Player& p = player::player();
    const player::LoadResult result = p.loadPlaylist(inputs.playlist.string(), folder);
    if (!result.ok) throw InputError("--playlist: " + result.error);

    int current = p.playlist().empty() ? -1 : 0;
    if (inputs.playing) current = inputs.playing->empty() ? -1 : playingIndex(*inputs.playing);
    std::vector<player::PlaylistEntry> entries = p.playlist();
    p.setPlaylist(std::move(entries), current);
}

int PreviewSession::playingIndex(const std::string& file) const {
    const std::vector<player::PlaylistEntry>& entries = player::player().playlist();
    // File names that differ only in case are different files to the library.
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].file == file) return static_cast<int>(i);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (equalIgnoringCase(entries[i].file, file)) return static_cast<int>(i);
    throw InputError("--playing: the playlist holds no entry " + file);
}

std::vector<std::string> PreviewSession::stop() {
    std::vector<std::string> faults;
    if (!running_) return faults;
    running_ = false;
    if (loop_) loop_->closeAll();
    settle();
    player::Player& p = player::player();
    p.detachPlugin();
    settle();
    for (std::string& fault : platform::sim::takeFaults()) faults.push_back("platform: " + fault);
    for (std::string& fault : p.takeFaults()) faults.push_back("player: " + fault);
    if (p.liveQueryResults() != 0)
        faults.push_back("player: " + std::to_string(p.liveQueryResults()) +
                         " query results never freed");
    if (p.liveFileInfoRecords() != 0)
        faults.push_back("player: " + std::to_string(p.liveFileInfoRecords()) +
                         " file information records never freed");
    return faults;
}

OpenedMenu PreviewSession::openBase(bool hotkey) {
    OpenedMenu opened;
    player::Player& p = player::player();
    if (!hotkey) {
        opened.menu = driver::openTargetPopup(*loop_);
        if (opened.menu == nullptr)
            throw InputError("no popup of the player carries the plug-in's items (menu id " +
                             std::to_string(model().options.hostMenuId) + ")");
        opened.trail = trailOf(loop_->openMenus());
        return opened;
    }
    loop_->closeAll();
    std::string name = "no hotkey set";
    bool pressed = false;
    for (const platform::sim::HotkeyRecord& hotkeyRecord : platform::sim::registeredHotkeys()) {
        if (hotkeyRecord.window != p.mainWindow()) continue;
        name = hotkeyName(hotkeyRecord.modifiers, hotkeyRecord.virtualKey);
        loop_->follow([&] {
            platform::sim::pressHotkey(hotkeyRecord.modifiers, hotkeyRecord.virtualKey);
            platform::sim::pump();
        });
        pressed = true;
        break;
    }
    // Without a hotkey the popup it would open is the one the plug-in shows at the cursor.
    if (!pressed) loop_->follow([&] { showPopupAtCursor(p.mainWindow()); });
    opened.menu = loop_->innermost();
    if (opened.menu == nullptr) throw std::runtime_error("the hotkey opened no popup");
    opened.trail = {"Popup at the cursor (" + name + ")"};
    return opened;
}

PreviewSession::Item PreviewSession::findItem(const OpenedMenu& from,
                                              const std::vector<std::string>& components) {
    if (components.empty()) throw InputError("the path names no item");
    OpenedMenu menu = from;
    std::size_t next = 0;
    for (;;) {
        const std::vector<std::string> texts = itemTexts(menu.menu);
        const std::optional<LabelMatch> match = findLabel(texts, components, next);
        if (!match)
            throw InputError("no item \"" + components[next] + "\" in \"" + menuTitle(menu) +
                             "\"; it holds " + describeLabels(texts));
        next += match->consumed;
        const std::string label = labelAt(menu.menu, match->position);
        if (next >= components.size()) return Item{menu, match->position, label};
        const HMENU submenu = loop_->openSubmenu(menu.menu, match->position);
        if (submenu == nullptr)
            throw InputError("\"" + label + "\" in \"" + menuTitle(menu) + "\" opens no submenu");
        menu.menu = submenu;
        menu.trail.push_back(label);
    }
}

OpenedMenu PreviewSession::openPath(const OpenedMenu& from,
                                    const std::vector<std::string>& components) {
    if (components.empty()) return from;
    const Item item = findItem(from, components);
    const HMENU submenu = loop_->openSubmenu(item.menu.menu, item.position);
    if (submenu == nullptr)
        throw InputError("\"" + item.label + "\" in \"" + menuTitle(item.menu) +
                         "\" opens no submenu");
    OpenedMenu opened = item.menu;
    opened.menu = submenu;
    opened.trail.push_back(item.label);
    return opened;
}

void PreviewSession::settle() {
    platform::sim::settle();
    for (int round = 0; round < kMaxSettleRounds && platform::sim::liveWorkerCount() > 0; ++round) {
        platform::sim::advanceClock(kSettleStepMs);
        platform::sim::settle();
    }
    platform::sim::pump();
}

std::size_t PreviewSession::messageBoxCount() const {
    return platform::sim::messageBoxes().size();
}

} // namespace tg::preview
