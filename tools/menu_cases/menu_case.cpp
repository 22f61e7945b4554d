#include "menu_case.h"

#include "platform/text_encoding.h"
#include "player/random.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>

namespace tg::menucases {

namespace fs = std::filesystem;

namespace {

// Every level kind appears in some case: the library menus take these in turn,
// the playlist-tag menus another rotation.
const std::vector<std::vector<int>> kLibraryLevels = {
    {0, 1, 2},   {6, 0, 1, 2}, {5, 0, 2},    {3, 4, 1, 2}, {8, 2}, {9},    {10},   {7, 2},
    {11, 12, 2}, {13, 14},     {4, 6, 0, 1}, {2},          {0},    {6, 9}, {1, 7}, {12, 0, 1, 2},
};
const std::vector<std::vector<int>> kTagLevels = {
    {0, 2}, {6, 0}, {3, 0, 1}, {1}, {5, 9}, {4, 2}, {14}, {0, 1, 2},
};
const std::vector<std::string> kQueries = {
    "",
    "genre == \"Rock\"",
    "year >= 1990",
    "artist == \"%artist\"",
    "album == \"%album\" OR genre == \"%genre\"",
    "rating > 2 AND playcount < 100",
    "title begins \"The\" OR artist begins \"The\"",
    "bitrate >= 192 && !(genre == \"Pop\")",
};
const std::vector<std::string> kNames = {
    "Artists", "By Year", "Rock & Roll", "Songs && More", "Everything", "Now Playing",
    "(Mine)",  "A -> Z",  "Tracks",      "Library",       "Tags",       "Mix",
};
constexpr int kPlayPopupId = 40045;
constexpr int kVisualizationPopupId = 40188;

struct Menu {
    std::vector<int> levels;
    int source = 0;
    bool submenu = true;
    bool year = true;
    int yearPosition = 0;
    bool trackNumbers = true;
    int times = 1;
    int action = 0;
    std::string name;
    std::string query;
    std::string fileTypes = "mp3;mpeg;mpg;avi;ogg;wav";
};

std::string windowsPath(const fs::path& native) {
    std::string text = fs::absolute(native).lexically_normal().generic_string();
    for (char& c : text)
        if (c == '/') c = '\\';
    return "Z:" + text;
}

// A name Windows and Wine keep as it is.
std::string fileSafe(const std::string& text) {
    std::string safe;
    for (const char c : text) {
        const bool bad = c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' ||
                         c == '<' || c == '>' || c == '|' || static_cast<unsigned char>(c) < 0x20;
        safe += bad ? '_' : c;
    }
    if (safe.size() > 40) safe.resize(40);
    while (!safe.empty() && (safe.back() == ' ' || safe.back() == '.')) safe.pop_back();
    while (!safe.empty() && safe.front() == '.') safe.erase(safe.begin());
    return safe.empty() ? "_" : safe;
}

std::string lastComponent(const std::string& windowsFile) {
    return windowsFile.substr(windowsFile.find_last_of('\\') + 1);
}

void writeText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

class CaseWriter {
public:
    CaseWriter(const fs::path& folder, int index, std::uint64_t seed,
               const std::vector<player::Track>& tracks)
        : folder_(folder), index_(index), random_(seed * 1000003u + static_cast<unsigned>(index)),
          tracks_(tracks) {}

    void write() {
        writePlaylist();
        const std::vector<Menu> menus = chooseMenus();
        writeSettings(menus);
        writeBookmarks();
        writeTree();
        writeText(folder_ / "case.txt", "playing=" + playing_ + "\ntarget=" + target_ + "\n");
    }

private:
    std::vector<const player::Track*> filedTracks() const {
        std::vector<const player::Track*> filed;
        for (const player::Track& track : tracks_)
            if (track.filename && !track.filename->empty()) filed.push_back(&track);
        return filed;
    }

    void writePlaylist() {
        const std::vector<const player::Track*> filed = filedTracks();
        std::string text = "#EXTM3U\n";
        std::vector<std::string> files;
        const int count =
            filed.empty()
                ? 0
                : random_.between(3, std::min<int>(40, 3 + static_cast<int>(filed.size())));
        for (int i = 0; i < count; ++i) {
            const player::Track& track = *random_.pick(filed);
            if (random_.chance(60))
                text += "#EXTINF:" + std::to_string(track.length) + "," +
                        track.artist.value_or("") + " - " + track.title.value_or("") + "\n";
            text += *track.filename + "\n";
            files.push_back(*track.filename);
        }
        if (index_ % 4 == 2) {
            text += "http://radio.example.com/stream.mp3\nC:\\Elsewhere\\Not In The Library.mp3\n";
        }
        writeText(folder_ / "playlist.m3u", text);
        if (!files.empty() && index_ % 7 != 3) playing_ = random_.pick(files);
    }

    Menu libraryMenu(const std::vector<int>& levels, const std::string& query) {
        Menu menu = randomFlags();
        menu.source = 1;
        menu.levels = levels;
        menu.query = query;
        return menu;
    }

    Menu randomFlags() {
        Menu menu;
        menu.submenu = !random_.chance(15);
        menu.year = random_.chance(50);
        menu.yearPosition = random_.between(0, 1);
        menu.trackNumbers = random_.chance(60);
        menu.times = random_.between(0, 2);
        menu.action = random_.between(0, 4);
        menu.name = uniqueName();
        return menu;
    }

    std::string uniqueName() {
        for (;;) {
            std::string name = random_.pick(kNames);
            if (usedNames_.count(name) != 0) name += " " + std::to_string(usedNames_.size());
            if (usedNames_.insert(name).second) return name;
        }
    }

    std::vector<Menu> chooseMenus() {
        std::vector<Menu> menus;
        Menu tags = randomFlags();
        tags.source = 0;
        tags.levels = kTagLevels[static_cast<std::size_t>(index_) % kTagLevels.size()];
        menus.push_back(tags);
        menus.push_back(
            libraryMenu(kLibraryLevels[static_cast<std::size_t>(index_) % kLibraryLevels.size()],
                        kQueries[static_cast<std::size_t>(index_) % kQueries.size()]));
        Menu raw = randomFlags();
        raw.source = 3;
        raw.levels = index_ % 2 == 0 ? std::vector<int>{16} : std::vector<int>{6, 16};
        menus.push_back(raw);
        if (index_ % 2 == 0) {
            Menu directory = randomFlags();
            directory.source = 2;
            // Windows finds the folder whatever the case it is written in.
            directory.query = windowsPath(folder_ / (index_ % 4 == 2 ? "TREE" : "tree")) +
                              (index_ % 4 == 0 ? "\\" : "");
            directory.fileTypes = index_ % 3 == 0 ? "mp3" : "mp3;ogg;wav";
            menus.push_back(directory);
        }
        if (index_ % 3 == 0) {
            Menu bookmarks = randomFlags();
            bookmarks.source = 4;
            menus.push_back(bookmarks);
        }
        if (index_ % 4 == 1)
            menus.push_back(libraryMenu(
                kLibraryLevels[static_cast<std::size_t>(index_ + 7) % kLibraryLevels.size()],
                "artist == \"%artist\""));
        // Not always in the same order.
        for (int shift = index_ % 3; shift > 0; --shift) {
            menus.push_back(menus.front());
            menus.erase(menus.begin());
        }
        return menus;
    }

    void writeSettings(const std::vector<Menu>& menus) {
        const std::vector<int> rows = {3, 4, 6, 10, 35};
        const int columns = random_.between(1, 4);
        const int rowsPerColumn = random_.pick(rows);
        const int moreColumns = random_.between(1, 3);
        const int mainPosition = index_ % 6 == 2 ? 0 : -1;
        int ownMenu = 0;
        int hostMenuId = kVisualizationPopupId;
        switch (index_ % 5) {
        case 0: ownMenu = 1; break;
        case 1: hostMenuId = -1; break;
        case 2: hostMenuId = kPlayPopupId; break;
        default: break;
        }
        target_ = ownMenu == 1 || hostMenuId == -1 ? "own" : std::to_string(hostMenuId);
        std::string text =
            "9 1 1 " + std::to_string(columns) + " " + std::to_string(rowsPerColumn) + " " +
            std::to_string(moreColumns) + " " + std::to_string(menus.size()) + " " +
            std::to_string(mainPosition) + " " + std::to_string(ownMenu) + " " +
            std::to_string(hostMenuId) + " " + std::to_string(random_.between(1, 3)) + " 0 " +
            std::to_string(random_.between(0, 1)) + " " + std::to_string(random_.between(0, 1)) +
            " 0 " + std::to_string(index_ % 2) + "\n";
        for (const Menu& menu : menus) {
            text += std::to_string(menu.levels.size());
            for (const int level : menu.levels) text += " " + std::to_string(level);
            text += " " + std::to_string(menu.source) + " " + (menu.submenu ? "1" : "0") + " " +
                    (menu.year ? "1" : "0") + " " + std::to_string(menu.yearPosition) + " " +
                    (menu.trackNumbers ? "1" : "0") + " " + std::to_string(menu.times) + " " +
                    std::to_string(menu.action) + "|" + menu.name + "\n" + menu.query + "\n" +
                    menu.fileTypes + "\n";
        }
        writeText(folder_ / "settings" / "Plugins" / "ml_tg.ini", text);
    }

    void writeBookmarks() {
        const std::vector<const player::Track*> filed = filedTracks();
        std::string text;
        const int count = filed.empty() ? 0 : random_.between(1, 12);
        for (int i = 0; i < count; ++i) {
            const player::Track& track = *random_.pick(filed);
            text += *track.filename + "\n" + track.title.value_or(lastComponent(*track.filename)) +
                    (random_.chance(20) ? " & Co" : "") + "\n";
        }
        // An old player keeps its bookmarks in the code page.
        writeText(folder_ / "settings" / "Winamp.bm", platform::utf8ToCodePage(text).text);
    }

    // Folders of artists and albums with the tracks' files in them, loose
    // files of other types, playlists with relative and absolute entries, an
    // empty folder.
    void writeTree() {
        const fs::path tree = folder_ / "tree";
        fs::create_directories(tree / "Empty");
        const std::vector<const player::Track*> filed = filedTracks();
        std::set<std::string> taken;
        std::string list = "#EXTM3U\n";
        const int count = filed.empty() ? 0 : random_.between(4, 24);
        for (int i = 0; i < count; ++i) {
            const player::Track& track = *random_.pick(filed);
            const std::string artist = fileSafe(track.artist.value_or("Unknown"));
            const std::string album = fileSafe(track.album.value_or("Unknown"));
            std::string name = fileSafe(lastComponent(*track.filename));
            if (random_.chance(20)) name = name.substr(0, name.rfind('.')) + ".ogg";
            const std::string relative = artist + "/" + album + "/" + name;
            // Names that differ only in case are one file to Windows.
            std::string folded;
            for (const char c : relative)
                folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (!taken.insert(folded).second) continue;
            writeText(tree / artist / album / name, "");
            if (random_.chance(40)) list += "..\\" + artist + "\\" + album + "\\" + name + "\n";
        }
        writeText(tree / "notes.txt", "not a track\n");
        writeText(tree / "Loose Song.wav", "");
        list += "C:\\Music\\Absolute\\Entry.mp3\n#EXTINF:61,Titled "
                "Entry\nhttp://radio.example.com/x.mp3\n";
        writeText(tree / "Lists" / "mix.m3u", list);
        writeText(tree / "Lists" / "EMPTY.M3U", "");
    }

    fs::path folder_;
    int index_;
    player::Random random_;
    const std::vector<player::Track>& tracks_;
    std::set<std::string> usedNames_;
    std::string playing_;
    std::string target_;
};

} // namespace

void writeMenuCase(const fs::path& folder, int index, std::uint64_t seed,
                   const std::vector<player::Track>& tracks) {
    CaseWriter(folder, index, seed, tracks).write();
}

} // namespace tg::menucases
