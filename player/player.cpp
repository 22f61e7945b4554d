#include "player/player.h"

#include "platform/file.h"
#include "platform/utf8.h"
#include "platform/window.h"
#include "player/ansi_text.h"
#include "player/m3u_file.h"
#include "player/main_menu.h"
#include "player/text_fold.h"
#include "plugin/host_contract.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

namespace tg::player {

namespace {

std::unique_ptr<Player>& instance() {
    static std::unique_ptr<Player> player;
    return player;
}

LRESULT TG_CALLBACK mainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return player().onMainMessage(window, message, wParam, lParam);
}

LRESULT TG_CALLBACK playlistProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return player().onPlaylistMessage(window, message, wParam, lParam);
}

LRESULT TG_CALLBACK libraryProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return player().onLibraryMessage(window, message, wParam, lParam);
}

} // namespace

Player& player() {
    if (!instance()) instance() = std::make_unique<Player>();
    return *instance();
}

void resetPlayer() {
    instance() = std::make_unique<Player>();
}

HWND Player::mainWindow() {
    if (!mainWindow_) mainWindow_ = platform::createWindow(mainProcedure, "Tunegrove Test Player");
    return mainWindow_;
}

HWND Player::playlistWindow() {
    if (!playlistWindow_)
        playlistWindow_ = platform::createWindow(playlistProcedure, "Playlist Editor");
    return playlistWindow_;
}

HWND Player::libraryWindow() {
    if (!libraryWindow_) libraryWindow_ = platform::createWindow(libraryProcedure, "Media Library");
    return libraryWindow_;
}

HMENU Player::mainMenu() {
    if (!mainMenu_) mainMenu_ = buildMainMenu();
    return mainMenu_;
}

LoadResult Player::loadLibrary(const std::string& nativePath) {
    std::vector<Track> tracks;
    LoadResult result = loadLibraryFile(nativePath, tracks);
    if (result.ok) library_.setTracks(std::move(tracks));
    return result;
}

void Player::setPlaylist(std::vector<PlaylistEntry> entries, int current) {
    entries_ = std::move(entries);
    entryAnsi_.clear();
    current_ = current >= 0 && current < static_cast<int>(entries_.size()) ? current : -1;
}

void Player::changePlaylist(std::vector<PlaylistEntry> entries, int current) {
    setPlaylist(std::move(entries), current);
    playlistChanged();
}

LoadResult Player::loadPlaylist(const std::string& nativePath, const std::string& windowsFolder) {
    std::ifstream in(nativePath, std::ios::binary);
    if (!in) return {false, nativePath + ": cannot open"};
    std::vector<M3uEntry> lines;
    LoadResult result = readM3u(in, nativePath, lines, true);
    if (!result.ok) return result;
    std::vector<PlaylistEntry> entries;
    for (const M3uEntry& line : lines) {
        std::string file = line.file;
        if (!windowsFolder.empty() && !isUrl(file) && !isAbsoluteWindowsPath(file))
            file = joinWindowsPath(windowsFolder, file);
        PlaylistEntry entry = entryFor(file);
        if (!line.title.empty()) entry.title = line.title;
        if (line.length >= 0) entry.length = line.length;
        entries.push_back(std::move(entry));
    }
    setPlaylist(std::move(entries));
    return result;
}

PlaylistEntry Player::entryFor(const std::string& file) const {
    PlaylistEntry entry;
    entry.file = file;
    if (const Track* track = library_.findByFilename(file)) {
        if (track->artist && track->title)
            entry.title = *track->artist + " - " + *track->title;
        else if (track->title)
            entry.title = *track->title;
        if (track->length > 0) entry.length = track->length;
    }
    if (entry.title.empty()) {
        if (isUrl(file)) {
            entry.title = file;
        } else {
            // The file's name without folder and extension, as players show it.
            const std::size_t slash = file.find_last_of("\\/");
            std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
            const std::size_t dot = name.rfind('.');
            if (dot != std::string::npos && dot > 0) name.erase(dot);
            entry.title = name;
        }
    }
    return entry;
}

bool Player::setIniDir(const std::string& windowsPath) {
    iniDir_ = windowsPath;
    while (iniDir_.size() > 3 && (iniDir_.back() == '\\' || iniDir_.back() == '/'))
        iniDir_.pop_back();
    if (iniDir_.empty()) return true;
    std::error_code error;
    std::filesystem::create_directories(platform::hostPath(iniDir_ + "\\Plugins"), error);
    return !error;
}

bool Player::writeIniFile(const std::string& relativePath, const std::string& content) {
    if (iniDir_.empty()) return false;
    std::ofstream out(platform::hostPath(iniDir_ + "\\" + relativePath), std::ios::binary);
    out << content;
    return static_cast<bool>(out);
}

bool Player::writeBookmarks(const std::string& pairs) {
    const bool written = writeIniFile("Winamp.bm", toAnsi(pairs));
    return written && (!wideCalls_ || writeIniFile("Winamp.bm8", pairs));
}

int Player::attachPlugin(LibraryPluginDescriptor* descriptor, HINSTANCE module) {
    plugin_ = descriptor;
    if (!descriptor) return -1;
    descriptor->hostWindow = mainWindow();
    descriptor->libraryWindow = libraryWindow();
    descriptor->moduleInstance = module;
    record("plug-in init");
    return descriptor->init ? descriptor->init() : -1;
}

void Player::detachPlugin() {
    if (!plugin_) return;
    record("plug-in quit");
    if (plugin_->quit) plugin_->quit();
    plugin_ = nullptr;
}

INT_PTR Player::buildSendToMenu(INT_PTR context) {
    sendTo_.clear();
    record("send MLMSG_SEND_TO_BUILD context=" + std::to_string(context));
    if (!plugin_ || !plugin_->handleMessage) return 0;
    return plugin_->handleMessage(MLMSG_SEND_TO_BUILD, 0, context, 0);
}

INT_PTR Player::selectSendTo(std::int32_t id, const std::vector<std::string>& files) {
    // The records live for the call, as the library's own selection does.
    std::vector<Track> copies;
    copies.reserve(files.size());
    for (const std::string& file : files) {
        const Track* track = library_.findByFilename(file);
        Track copy = track ? *track : Track{};
        copy.filename = file;
        const RecordFaults& faults = library_.faultMode();
        if (faults.nullFileNames) copy.filename.reset();
        if (faults.nullTexts)
            for (auto field :
                 {&Track::title, &Track::album, &Track::artist, &Track::comment, &Track::genre})
                (copy.*field).reset();
        copies.push_back(std::move(copy));
    }
    const auto held = static_cast<std::int32_t>(copies.size());
    const std::int32_t count = library_.faultMode().count.value_or(held);
    record("send MLMSG_SEND_TO_SELECT id=" + std::to_string(id) +
           " files=" + std::to_string(files.size()));
    if (!plugin_ || !plugin_->handleMessage) return 0;

    std::deque<std::u16string> wideTexts;
    const std::unique_ptr<unsigned char[]> wideRecords =
        library_.wideSelectionRecords(copies, wideTexts);
    WideTrackList wide{copies.empty() ? nullptr
                                      : reinterpret_cast<WideTrackRecord*>(wideRecords.get()),
                       count, held};
    const INT_PTR wideAnswer = plugin_->handleMessage(MLMSG_SEND_TO_SELECT, kSelectionWideTrackList,
                                                      reinterpret_cast<INT_PTR>(&wide), id);
    if (wideAnswer == 1) return wideAnswer;

    std::deque<std::string> texts;
    const std::unique_ptr<unsigned char[]> records = library_.selectionRecords(copies, texts);
    TrackList list{copies.empty() ? nullptr : reinterpret_cast<TrackRecord*>(records.get()), count,
                   held};
    return plugin_->handleMessage(MLMSG_SEND_TO_SELECT, kSelectionTrackList,
                                  reinterpret_cast<INT_PTR>(&list), id);
}

INT_PTR Player::chooseSendTo(const std::string& label, const std::vector<std::string>& files) {
    for (const SendToEntry& entry : sendTo_)
        if (entry.label == label) return selectSendTo(entry.id, files);
    record("no send-to entry " + label);
    return 0;
}

INT_PTR Player::openConfig(HWND parent) {
    record("send MLMSG_CONFIG");
    if (!plugin_ || !plugin_->handleMessage) return 0;
    return plugin_->handleMessage(MLMSG_CONFIG, reinterpret_cast<INT_PTR>(parent), 0, 0);
}

LRESULT Player::sendTrayNotify(int mouseMessage) {
    record("send HOST_TRAY_NOTIFY " + std::to_string(mouseMessage));
    return sendToMain(HOST_TRAY_NOTIFY, 0, static_cast<LPARAM>(mouseMessage));
}

void Player::notifyTagsUpdated(const std::string& file, bool wide) {
    if (!wide) {
        record("send HOST_TAGS_UPDATED " + file);
        const std::string path = toAnsi(file);
        sendToMain(WM_USER, reinterpret_cast<WPARAM>(path.c_str()), HOST_TAGS_UPDATED);
        return;
    }
    record("send HOST_TAGS_UPDATED_WIDE " + file);
    const std::u16string path = utf8ToWide(file);
    sendToMain(WM_USER, reinterpret_cast<WPARAM>(path.c_str()), HOST_TAGS_UPDATED_WIDE);
}

int Player::registeredId(const std::string& name) const {
    std::string key;
    for (char c : name) key += foldAscii(c);
    const auto found = registered_.find(key);
    return found == registered_.end() ? 0 : found->second;
}

int Player::registerName(const char* name) {
    std::string key;
    for (const char* c = name; *c; ++c) key += foldAscii(*c);
    const auto found = registered_.find(key);
    if (found != registered_.end()) return found->second;
    const int id = kFirstRegisteredId + static_cast<int>(registered_.size());
    registered_.emplace(key, id);
    return id;
}

void Player::record(std::string line) {
    if (logging_) log_.push_back(std::move(line));
}

void Player::fault(std::string what) {
    record("fault: " + what);
    faults_.push_back(std::move(what));
}

std::vector<std::string> Player::takeFaults() {
    std::vector<std::string> taken;
    taken.swap(faults_);
    for (std::string& libraryFault : library_.takeFaults())
        taken.push_back(std::move(libraryFault));
    return taken;
}

LRESULT Player::sendToMain(UINT message, WPARAM wParam, LPARAM lParam) {
    return platform::sendMessage(mainWindow(), message, wParam, lParam);
}

} // namespace tg::player
