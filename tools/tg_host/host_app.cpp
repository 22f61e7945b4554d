#include "host_app.h"

#include "platform/utf8.h"

#include "player/main_menu.h"
#include "player/player.h"
#include "plugin/host_messages.h"

#include <algorithm>

namespace tg::testplayer {

namespace {

constexpr UINT_PTR kRepaintTimer = 1;
constexpr UINT kRepaintMs = 250;
constexpr UINT kIdExit = 40001; // the player's "Exit" item

// The one running app: the window procedure is a plain function.
HostApp* runningApp = nullptr;

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    return path.substr(path.find_last_of("\\/:") + 1); // npos + 1 is 0: the whole path
}

} // namespace

std::string HostApp::loadPlayerData(const HostOptions& options) {
    player::Player& p = player::player();
    p.offerWideCalls(options.wide);
    if (!options.library.empty()) {
        const player::LoadResult result = p.loadLibrary(options.library);
        if (!result.ok) return "library: " + result.error;
    }
    if (!options.iniDir.empty() && !p.setIniDir(options.iniDir))
        return "cannot make the settings folder " + options.iniDir;
    if (!options.playlist.empty()) {
        const player::LoadResult result =
            p.loadPlaylist(options.playlist, folderOf(options.playlist));
        if (!result.ok) return "playlist: " + result.error;
    }
    if (!options.playing.empty()) {
        std::vector<player::PlaylistEntry> entries = p.playlist();
        const auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
            return entry.file == options.playing;
        });
        int index = static_cast<int>(found - entries.begin());
        if (found == entries.end()) entries.push_back(p.entryFor(options.playing));
        p.setPlaylist(std::move(entries), index);
    }
    return {};
}

std::string HostApp::start(const HostOptions& options) {
    if (runningApp) return "a test player is already running in this process";
    player::resetPlayer();
    if (std::string error = loadPlayerData(options); !error.empty()) return error;

    player::Player& p = player::player();
    window_ = p.mainWindow();
    p.playlistWindow();
    p.libraryWindow();
    mainMenu_ = p.mainMenu();
    if (!window_ || !mainMenu_) return "cannot create the player's window";
    runningApp = this;

    // Ahead of the plug-in in the chain: the plug-in's procedure, then this
    // one (menus, painting, closing), then the player's.
    playerProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostApp::procedure)));
    menuBar_ = CreateMenu();
    AppendMenuA(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(mainMenu_), "&Player");
    SetMenu(window_, menuBar_);
    SetWindowPos(window_, HWND_TOP, 40, 40, 760, 520,
                 options.showWindow ? SWP_SHOWWINDOW : SWP_NOACTIVATE);
    if (options.showWindow) {
        UpdateWindow(window_);
        SetForegroundWindow(window_);
    }
    SetTimer(window_, kRepaintTimer, kRepaintMs, nullptr);

    dllPath_ = options.dll;
    if (std::string error = loadPlugin(); !error.empty()) return error;
    if (!options.playing.empty()) SendMessageA(window_, WM_COMMAND, HOST_CMD_PLAY, 0);
    InvalidateRect(window_, nullptr, TRUE);
    return {};
}

std::string HostApp::loadPlugin() {
    if (attached_) return "the plug-in is loaded already";
    if (std::string error = plugin_.load(dllPath_); !error.empty()) return error;
    procedureBeforePlugin_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window_, GWLP_WNDPROC));
    initResult_ = player::player().attachPlugin(plugin_.descriptor(),
                                                reinterpret_cast<HINSTANCE>(plugin_.handle()));
    attached_ = true;
    return {};
}

bool HostApp::startTimings() {
    return attached_ && timings_.start(window_, player::player().libraryWindow());
}

void HostApp::quitPlugin() {
    // Our wrapper sits on top of the plug-in's procedure; the plug-in can
    // only put the player's back when nothing is above it.
    timings_.stop();
    if (attached_) player::player().detachPlugin();
    attached_ = false;
}

void HostApp::unloadPlugin() {
    quitPlugin();
    plugin_.unload();
}

void HostApp::stop() {
    stopPlugin();
    if (window_) {
        KillTimer(window_, kRepaintTimer);
        // The bar would take the player's menu down with it.
        RemoveMenu(menuBar_, 0, MF_BYPOSITION);
        SetMenu(window_, nullptr);
        DestroyMenu(menuBar_);
        player::Player& p = player::player();
        DestroyWindow(p.libraryWindow());
        DestroyWindow(p.playlistWindow());
        DestroyWindow(window_);
        DestroyMenu(mainMenu_);
        player::resetPlayer();
    }
    window_ = nullptr;
    mainMenu_ = nullptr;
    menuBar_ = nullptr;
    if (runningApp == this) runningApp = nullptr;
}

void HostApp::trackMenu(HMENU menu, int x, int y) {
    // Without the window in front a popup does not close when the user clicks elsewhere.
    SetForegroundWindow(window_);
    TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, window_, nullptr);
    PostMessageA(window_, WM_NULL, 0, 0);
}

int HostApp::runMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK HostApp::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (runningApp && window == runningApp->window_)
        return runningApp->onMessage(message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT HostApp::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kRunOnUiMessage:
        if (auto* function = reinterpret_cast<std::function<void()>*>(lParam)) (*function)();
        return 0;
    case kShowMenuMessage: {
        HMENU menu = wParam ? reinterpret_cast<HMENU>(wParam) : mainMenu_;
        trackMenu(menu, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    }
    case WM_CONTEXTMENU: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (at.x == -1 && at.y == -1) { // from the keyboard: the window's corner
            at = {0, 0};
            ClientToScreen(window_, &at);
        }
        trackMenu(mainMenu_, at.x, at.y);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kIdExit) PostMessageA(window_, WM_CLOSE, 0, 0);
        break;
    case WM_TIMER:
        if (wParam != kRepaintTimer) break;
        if (player::player().log().size() != paintedLogSize_)
            InvalidateRect(window_, nullptr, TRUE);
        return 0;
    case WM_PAINT: paint(); return 0;
    case WM_CLOSE: PostQuitMessage(0); return 0;
    default: break;
    }
    return CallWindowProcA(playerProcedure_, window_, message, wParam, lParam);
}

void HostApp::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int lineHeight = std::max<int>(metrics.tmHeight + 2, 12);

    const player::Player& p = player::player();
    std::vector<std::string> lines;
    lines.push_back("Tunegrove test player. Right-click here or open the Player menu.");
    // The file name alone: a picture of the window must not show the build machine's folders.
    const std::string dllName = fileNameOf(dllPath_);
    const char* architecture = sizeof(void*) == 8 ? "x64" : "x86";
    lines.push_back(plugin_.loaded() ? "Plug-in: " + dllName + " (" + architecture +
                                           ", init answered " + std::to_string(initResult_) + ")"
                                     : "Plug-in: not loaded");
    std::string playback = "Playlist: " + std::to_string(p.playlist().size()) +
                           " entries, current " + std::to_string(p.currentIndex());
    if (p.playing() && !p.startedFiles().empty())
        playback += ", playing " + p.startedFiles().back();
    lines.push_back(playback);
    lines.push_back("Player log, newest last:");
    const int room =
        std::max<int>(0, (client.bottom - 8) / lineHeight - static_cast<int>(lines.size()));
    const std::vector<std::string>& log = p.log();
    const std::size_t first = log.size() > static_cast<std::size_t>(room) ? log.size() - room : 0;
    for (std::size_t i = first; i < log.size(); ++i) lines.push_back("  " + log[i]);
    paintedLogSize_ = log.size();

    int y = 4;
    for (const std::string& line : lines) {
        // The player keeps its log in UTF-8.
        const std::u16string wide = utf8ToWide(line);
        TextOutW(dc, 6, y, reinterpret_cast<const wchar_t*>(wide.c_str()),
                 static_cast<int>(wide.size()));
        y += lineHeight;
    }
    SelectObject(dc, oldFont);
    EndPaint(window_, &ps);
}

} // namespace tg::testplayer
