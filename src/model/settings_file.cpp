#include "model/settings_file.h"

#include "model/file_text.h"
#include "model/menu_definition.h"
#include "model/model_state.h"
#include "model/text.h"
#include "platform/file.h"
#include "platform/text_encoding.h"
#include "plugin/host_messages.h"

#include <cstring>
#include <fstream>
#include <istream>
#include <limits>
#include <locale>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

namespace tg {

namespace {

constexpr char kSettingsFile[] = "\\Plugins\\ml_tg.ini";
constexpr std::int32_t kFirstRunHostMenuId = 40188;
// Text lines keep at most this many characters, whatever the buffer could take.
constexpr std::size_t kMaxLineChars = 254;

// ---- Reading -----------------------------------------------------------------

bool readNumber(std::istream& in, std::int32_t& value) {
    std::int32_t number = 0;
    if (!(in >> number)) return false;
    value = number;
    return true;
}

// Booleans are stored as numbers; anything but 0 or 1 is a failed read.
bool readFlag(std::istream& in, bool& value) {
    std::int32_t number = 0;
    if (!(in >> number) || (number != 0 && number != 1)) {
        in.setstate(std::ios::failbit);
        return false;
    }
    value = number == 1;
    return true;
}

template <typename Enum> bool readEnum(std::istream& in, Enum& value) {
    std::int32_t number = 0;
    if (!readNumber(in, number)) return false;
    value = static_cast<Enum>(number);
    return true;
}

// Where the file keeps its texts, and whether reading them lost a character.
struct FileTexts {
    bool utf8 = false;
    bool lost = false;
};

// A whole line into a field, cut to what the dialogs can hold. A stray "\r" at
// the end is a line end written on Windows and read here; any other "\r" turns
// into a space, as the writer would turn it, so what was read writes back the same.
// The last field of a record may be an empty line without a line end at the
// very end of the file, as an editor leaves it; the line before it ended whole.
bool readLine(std::istream& in, FileTexts& texts, char (&field)[256], bool lastField = false) {
    std::string line;
    if (lastField && !in.eof() && in.peek() == std::char_traits<char>::eof()) {
        field[0] = '\0';
        return true;
    }
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    for (char& c : line)
        if (c == '\r') c = ' ';
    if (texts.utf8 && !platform::utf8Texts() && !platform::utf8ToCodePage(line).complete)
        texts.lost = true;
    copyText(field, kMaxLineChars + 1, textFromFile(line, texts.utf8));
    return true;
}

bool readHeader(std::istream& in, std::int32_t& version, GlobalOptions& o, std::int32_t& count,
                std::int32_t& mainPosition) {
    if (!readNumber(in, version) || !readFlag(in, o.reservedFlag) || !readNumber(in, o.enabled) ||
        !readNumber(in, o.columnCount) || !readNumber(in, o.rowsPerColumn) ||
        !readNumber(in, o.moreColumnCount) || !readNumber(in, count) ||
        !readNumber(in, mainPosition) || !readNumber(in, o.ownMenu) ||
        !readNumber(in, o.hostMenuId))
        return false;
    if (version >= 4 && !readNumber(in, o.maxRangeChars)) return false;
    if (version >= 5 &&
        (!readNumber(in, o.systrayMiddleClick) || !readNumber(in, o.disableMenuActions)))
        return false;
    if (version >= 7 && !readNumber(in, o.keepMenuOnEnqueue)) return false;
    if (version >= 8 && !readNumber(in, o.hotkey)) return false;
    if (version >= 9 && !readNumber(in, o.loadAllMenus)) return false;
    return true;
}

// One three-line record (one line before version 3, two before version 6).
bool readDefinition(std::istream& in, FileTexts& texts, std::int32_t version, MenuDefinition& d) {
    std::int32_t levelCount = 0;
    if (!readNumber(in, levelCount)) return false;
    // Levels are taken one by one: a damaged count can never make us reserve
    // or loop past what the file really holds.
    for (std::int32_t i = 0; i < levelCount; ++i) {
        std::int32_t level = 0;
        if (!readNumber(in, level)) return false;
        // Version 4 inserted a level kind before "Range".
        if (version < 4 && level >= 6) --level;
        d.levels.push_back(static_cast<LevelType>(level));
    }
    char separator = 0;
    if (!readEnum(in, d.sourceType) || !readFlag(in, d.showAsSubmenu) ||
        !readFlag(in, d.addYearToAlbums) || !readNumber(in, d.yearPosition) ||
        !readFlag(in, d.showTrackNumbers) || !readNumber(in, d.timeDisplay) ||
        !readEnum(in, d.clickAction) || !(in >> separator))
        return false;
    if (d.timeDisplay < 0 || d.timeDisplay > 2) d.timeDisplay = 1;
    // The name starts right after the separator, leading spaces included.
    if (!readLine(in, texts, d.name, version < 3)) return false;
    if (version >= 3 && !readLine(in, texts, d.query, version < 6)) return false;
    if (version >= 6 && !readLine(in, texts, d.fileTypes, true)) return false;
    return true;
}

void createFirstRunDefinitions() {
    struct FirstRun {
        const char* name;
        SourceType type;
    };
    static constexpr FirstRun kMenus[] = {
        {"Playlist Tags", SourceType::PlaylistTags},
        {"Media Library", SourceType::MediaLibrary},
        {"Directory", SourceType::Directory},
        {"Playlist Raw", SourceType::PlaylistRaw},
    };
    ModelState& m = model();
    for (const FirstRun& menu : kMenus) {
        MenuDefinition& d = m.definitionList.emplace_back();
        copyText(d.name, menu.name);
        applySourceDefaults(d, menu.type);
        if (menu.type == SourceType::Directory) copyText(d.query, "C:\\");
    }
    m.options.hostMenuId = kFirstRunHostMenuId;
    m.options.mainMenu = nullptr;
}

// Reads what the stream holds. A damaged file stops at the first field that
// does not read: every record read whole is kept, a record broken midway is
// dropped. A header that does not read whole (an empty file among others)
// holds nothing to go by: the plug-in starts as on a first run, without
// writing, and the file is left for the user to mend.
void readFrom(std::istream& in) {
    ModelState& m = model();
    FileTexts texts;
    texts.utf8 = skipByteOrderMark(in);
    GlobalOptions options;
    std::int32_t version = 0;
    std::int32_t count = 0;
    std::int32_t mainPosition = -1;
    if (!readHeader(in, version, options, count, mainPosition)) {
        m.options = GlobalOptions{};
        createFirstRunDefinitions();
        return;
    }
    // The menu id -1 stands for the plug-in's own popup, whatever the flag says:
    // putting the popup in and taking it out must agree on the mode.
    if (options.hostMenuId == -1) options.ownMenu = 1;
    for (std::int32_t i = 0; i < count; ++i) {
        MenuDefinition d;
        if (version < 6) copyText(d.fileTypes, kDefaultFileTypes);
        if (!readDefinition(in, texts, version, d)) break;
        m.definitionList.push_back(std::move(d));
    }
    m.settingsFileKept = texts.lost;
    options.mainMenu = nullptr;
    int position = 0;
    for (MenuDefinition& d : m.definitionList)
        if (position++ == mainPosition) options.mainMenu = &d;
    m.options = options;
}

// ---- Writing -----------------------------------------------------------------

// A field as one line: never past its buffer, and a line break inside it would
// split the record and shift every record after it, so it becomes a space.
void writeLine(std::ostream& out, const char (&field)[256]) {
    const std::size_t length = strnlen(field, sizeof field);
    for (std::size_t i = 0; i < length; ++i) {
        const char c = field[i];
        out.put(c == '\n' || c == '\r' ? ' ' : c);
    }
    out.put('\n');
}

void writeRecords(std::ostream& out) {
    const ModelState& m = model();
    const GlobalOptions& o = m.options;
    const auto count = static_cast<std::int32_t>(m.definitionList.size());
    const int mainPosition = definitionPosition(o.mainMenu);

    out << kSettingsVersion << ' ' << (o.reservedFlag ? 1 : 0) << ' ' << o.enabled << ' '
        << o.columnCount << ' ' << o.rowsPerColumn << ' ' << o.moreColumnCount << ' ' << count
        << ' ' << mainPosition << ' ' << o.ownMenu << ' ' << o.hostMenuId << ' ' << o.maxRangeChars
        << ' ' << o.systrayMiddleClick << ' ' << o.disableMenuActions << ' ' << o.keepMenuOnEnqueue
        << ' ' << o.hotkey << ' ' << o.loadAllMenus << '\n';

    for (const MenuDefinition& d : m.definitionList) {
        out << d.levelCount();
        for (LevelType level : d.levels) out << ' ' << static_cast<std::int32_t>(level);
        out << ' ' << static_cast<std::int32_t>(d.sourceType) << ' ' << (d.showAsSubmenu ? 1 : 0)
            << ' ' << (d.addYearToAlbums ? 1 : 0) << ' ' << d.yearPosition << ' '
            << (d.showTrackNumbers ? 1 : 0) << ' ' << d.timeDisplay << ' '
            << static_cast<std::int32_t>(d.clickAction) << '|';
        writeLine(out, d.name);
        writeLine(out, d.query);
        writeLine(out, d.fileTypes);
    }
}

// In the code page while every text fits it, as every version before wrote it;
// else in UTF-8 behind a byte-order mark.
void writeTo(std::ostream& out) {
    std::ostringstream records;
    records.imbue(std::locale::classic());
    writeRecords(records);
    const std::string text = std::move(records).str();
    if (!platform::utf8Texts()) {
        out << text;
        return;
    }
    const platform::CodePageText inCodePage = platform::utf8ToCodePage(text);
    if (inCodePage.complete)
        out << inCodePage.text;
    else
        out << kByteOrderMark << text;
}

} // namespace

std::string settingsFilePath() {
    const char* directory = host::getIniDir();
    // Without a directory the file would land at the root of the drive.
    if (directory == nullptr || directory[0] == '\0') return {};
    return std::string(directory) + kSettingsFile;
}

void readSettings() {
    freeDefinitions();
    ModelState& m = model();
    // Every popup of the old list is gone with it.
    m.menusDirty = true;
    m.settingsFileKept = false;

    const std::string path = settingsFilePath();
    if (path.empty()) {
        // Nowhere to keep settings: work with the first-run menus, write nothing.
        createFirstRunDefinitions();
        return;
    }
    if (!platform::fileExists(path.c_str())) {
        createFirstRunDefinitions();
        writeSettings();
        return;
    }
    std::ifstream in(platform::hostPath(path));
    if (!in.is_open()) {
        // The file is there but out of reach: overwriting it would lose the
        // user's menus for good, so run on the first-run menus unsaved.
        createFirstRunDefinitions();
        return;
    }
    in.imbue(std::locale::classic());
    readFrom(in);
}

void writeSettings() {
    const std::string path = settingsFilePath();
    if (path.empty() || model().settingsFileKept) return;
    // The old file stays whole until the new one is complete on disk.
    const std::string temporary = path + ".tmp";
    bool written = false;
    {
        std::ofstream out(platform::hostPath(temporary), std::ios::out | std::ios::trunc);
        if (!out.is_open()) return;
        out.imbue(std::locale::classic());
        writeTo(out);
        out.flush();
        out.close();
        written = !out.fail();
    }
    // A failed flush still leaves a complete file: replacing with it beats
    // losing the change.
    if (written) platform::flushFileToDisk(temporary.c_str());
    if (!written || !platform::replaceFile(temporary.c_str(), path.c_str()))
        platform::deleteFile(temporary.c_str());
}

} // namespace tg
