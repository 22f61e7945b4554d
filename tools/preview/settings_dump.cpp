#include "settings_dump.h"

#include "json_text.h"
#include "model/model_state.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace tg::preview {

namespace {

const char* sourceName(SourceType type) {
    switch (type) {
    case SourceType::PlaylistTags: return "PlaylistTags";
    case SourceType::MediaLibrary: return "MediaLibrary";
    case SourceType::Directory: return "Directory";
    case SourceType::PlaylistRaw: return "PlaylistRaw";
    case SourceType::Bookmarks: return "Bookmarks";
    }
    return nullptr;
}

const char* actionText(ClickAction action) {
    switch (action) {
    case ClickAction::Play: return "Play";
    case ClickAction::Enqueue: return "Enqueue";
    case ClickAction::EnqueueAndPlay: return "EnqueueAndPlay";
    case ClickAction::PlayTg: return "PlayTg";
    case ClickAction::EnqueueTg: return "EnqueueTg";
    }
    return nullptr;
}

// A value the file holds but no name covers is shown as its number.
std::string orNumber(const char* name, std::int32_t value) {
    return name != nullptr ? name : std::to_string(value);
}

std::string levelText(LevelType level) {
    const auto value = static_cast<std::int32_t>(level);
    if (level == LevelType::PlaylistEntries) return "Playlist Entries";
    const char* name = levelName(value);
    return name[0] != '\0' ? name : std::to_string(value);
}

// Options in the file's order, as (name, value) with numbers as text.
std::vector<std::pair<const char*, std::int32_t>> numericOptions(const GlobalOptions& o) {
    return {{"enabled", o.enabled},
            {"columnCount", o.columnCount},
            {"rowsPerColumn", o.rowsPerColumn},
            {"moreColumnCount", o.moreColumnCount},
            {"ownMenu", o.ownMenu},
            {"hostMenuId", o.hostMenuId},
            {"maxRangeChars", o.maxRangeChars},
            {"systrayMiddleClick", o.systrayMiddleClick},
            {"disableMenuActions", o.disableMenuActions},
            {"keepMenuOnEnqueue", o.keepMenuOnEnqueue},
            {"hotkey", o.hotkey},
            {"loadAllMenus", o.loadAllMenus}};
}

std::string levelsText(const MenuDefinition& d) {
    std::string text;
    for (LevelType level : d.levels) text += (text.empty() ? "" : ", ") + levelText(level);
    return text.empty() ? "(none)" : text;
}

} // namespace

std::string hotkeyText(std::int32_t code) {
    if (code == 0) return "none";
    std::string text;
    if (code & 0x200) text += "Ctrl+";
    if (code & 0x400) text += "Alt+";
    if (code & 0x100) text += "Shift+";
    if (code & 0x800) text += "Win+";
    const int key = code & 0xFF;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        text += static_cast<char>(key);
    } else if (key >= 0x70 && key <= 0x87) {
        text += "F" + std::to_string(key - 0x6F);
    } else {
        char hex[16];
        std::snprintf(hex, sizeof hex, "key 0x%02X", static_cast<unsigned>(key));
        text += hex;
    }
    return text;
}

void printSettings(std::ostream& out, const SettingsOrigin& origin) {
    const ModelState& m = model();
    out << "settings file: " << origin.file
        << (origin.firstRun ? " (there was none: first-run menus, written now)" : "") << '\n';
    out << "options:\n";
    for (const auto& [name, value] : numericOptions(m.options)) {
        out << "  " << name << ' ' << value;
        if (std::string(name) == "hotkey") out << " (" << hotkeyText(value) << ')';
        out << '\n';
    }
    out << "  mainMenu "
        << (m.options.mainMenu ? '"' + std::string(m.options.mainMenu->name) + '"' : "(none)")
        << '\n';
    out << "menus: " << m.definitionList.size() << '\n';
    int number = 0;
    for (const MenuDefinition& d : m.definitionList) {
        out << "  " << ++number << ". \"" << d.name << "\"\n"
            << "     sourceType "
            << orNumber(sourceName(d.sourceType), static_cast<std::int32_t>(d.sourceType)) << '\n'
            << "     levels " << levelsText(d) << '\n'
            << "     query \"" << d.query << "\"\n"
            << "     fileTypes \"" << d.fileTypes << "\"\n"
            << "     clickAction "
            << orNumber(actionText(d.clickAction), static_cast<std::int32_t>(d.clickAction)) << '\n'
            << "     showAsSubmenu " << d.showAsSubmenu << '\n'
            << "     showTrackNumbers " << d.showTrackNumbers << '\n'
            << "     addYearToAlbums " << d.addYearToAlbums << '\n'
            << "     yearPosition " << d.yearPosition << '\n'
            << "     timeDisplay " << d.timeDisplay << '\n';
    }
}

void printSettingsJson(std::ostream& out, const SettingsOrigin& origin) {
    const ModelState& m = model();
    out << "{\n  \"file\": " << jsonString(origin.file)
        << ",\n  \"firstRun\": " << (origin.firstRun ? "true" : "false") << ",\n  \"options\": {";
    for (const auto& [name, value] : numericOptions(m.options))
        out << '"' << name << "\": " << value << ", ";
    out << "\"mainMenu\": "
        << (m.options.mainMenu ? jsonString(m.options.mainMenu->name) : std::string("null"))
        << "},\n  \"menus\": [";
    bool first = true;
    for (const MenuDefinition& d : m.definitionList) {
        out << (first ? "\n" : ",\n") << "    {\"name\": " << jsonString(d.name)
            << ", \"sourceType\": "
            << jsonString(
                   orNumber(sourceName(d.sourceType), static_cast<std::int32_t>(d.sourceType)))
            << ", \"levels\": [";
        for (std::size_t i = 0; i < d.levels.size(); ++i)
            out << (i ? ", " : "") << jsonString(levelText(d.levels[i]));
        out << "], \"query\": " << jsonString(d.query)
            << ", \"fileTypes\": " << jsonString(d.fileTypes) << ", \"clickAction\": "
            << jsonString(
                   orNumber(actionText(d.clickAction), static_cast<std::int32_t>(d.clickAction)))
            << ", \"showAsSubmenu\": " << (d.showAsSubmenu ? "true" : "false")
            << ", \"showTrackNumbers\": " << (d.showTrackNumbers ? "true" : "false")
            << ", \"addYearToAlbums\": " << (d.addYearToAlbums ? "true" : "false")
            << ", \"yearPosition\": " << d.yearPosition << ", \"timeDisplay\": " << d.timeDisplay
            << '}';
        first = false;
    }
    out << (first ? "]" : "\n  ]") << "\n}\n";
}

} // namespace tg::preview
