#include "model/menu_definition.h"

#include "model/text.h"

namespace tg {

const char levelNames[kLevelNameCount][kLevelNameSize] = {
    "Artist",       "Album",  "Title",        "Genre",        "Year",
    "First Letter", "Range",  "Track Number", "Artist/Album", "Artist/Title",
    "Album/Title",  "Rating", "Play Count",   "Bitrate",      "Filename",
};

const char* levelName(std::int32_t level) {
    return (level >= 0 && level < kLevelNameCount) ? levelNames[level] : "";
}

LevelType MenuDefinition::levelKind(int depth) const {
    if (depth >= 0 && depth < levelCount()) return levels[depth];
    return LevelType::PastLastLevel;
}

void applySourceDefaults(MenuDefinition& d, SourceType t) {
    d.showAsSubmenu = true;
    d.query[0] = '\0';
    copyText(d.fileTypes, kDefaultFileTypes);
    d.addYearToAlbums = true;
    d.yearPosition = 0;
    d.showTrackNumbers = true;
    d.timeDisplay = 1;
    d.sourceType = t;
    d.popupMenu = nullptr;
    using L = LevelType;
    switch (t) {
    case SourceType::PlaylistTags:
        d.clickAction = ClickAction::PlayTg;
        d.levels = {L::Artist, L::Album, L::Title};
        break;
    case SourceType::MediaLibrary:
        d.clickAction = ClickAction::Play;
        d.levels = {L::Range, L::Artist, L::Album, L::Title};
        break;
    case SourceType::Directory:
        d.clickAction = ClickAction::Play;
        d.levels.clear();
        break;
    case SourceType::PlaylistRaw:
        d.clickAction = ClickAction::PlayTg;
        d.levels = {L::Range, L::PlaylistEntries};
        break;
    case SourceType::Bookmarks: // the click action is the user's to pick
        d.levels.clear();
        break;
    default: d.levels.clear(); break;
    }
}

bool changeSourceType(MenuDefinition& d, SourceType t) {
    if (d.sourceType == t) return false;
    applySourceDefaults(d, t);
    return true;
}

} // namespace tg
