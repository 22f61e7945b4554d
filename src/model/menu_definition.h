// A user-defined track menu and the enumerations that describe it.
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <vector>

namespace tg {

enum class SourceType : std::int32_t {
    PlaylistTags = 0,
    MediaLibrary = 1,
    Directory = 2,
    PlaylistRaw = 3,
    Bookmarks = 4,
};

// Values 0-14 index the level-name table; 16 marks the raw playlist entries.
// PastLastLevel is the kind of a popup at or beyond a definition's last level
// (every popup of a Directory or Bookmarks menu); never stored in levels.
enum class LevelType : std::int32_t {
    Artist = 0,
    Album = 1,
    Title = 2,
    Genre = 3,
    Year = 4,
    FirstLetter = 5,
    Range = 6,
    TrackNumber = 7,
    ArtistAlbum = 8,
    ArtistTitle = 9,
    AlbumTitle = 10,
    Rating = 11,
    PlayCount = 12,
    Bitrate = 13,
    Filename = 14,
    PlaylistEntries = 16,
    PastLastLevel = 18,
};

// The levels of the level-name table: the ones a record's values come from tags.
inline constexpr bool isTagLevel(LevelType kind) {
    return kind >= LevelType::Artist && kind <= LevelType::Filename;
}

// Levels whose values are numbers: grouped, ordered and asked for as numbers.
inline constexpr bool isNumberKind(LevelType kind) {
    switch (kind) {
    case LevelType::Year:
    case LevelType::TrackNumber:
    case LevelType::Rating:
    case LevelType::PlayCount:
    case LevelType::Bitrate: return true;
    default: return false;
    }
}

inline constexpr int kLevelNameCount = 15;
inline constexpr int kLevelNameSize = 15;
// 15 slots of 15 bytes; the name of value v is levelNames[v].
extern const char levelNames[kLevelNameCount][kLevelNameSize];
// The name of a level value, "" for values outside the table (16 included).
const char* levelName(std::int32_t level);
inline const char* levelName(LevelType level) {
    return levelName(static_cast<std::int32_t>(level));
}

enum class ClickAction : std::int32_t {
    Play = 0,
    Enqueue = 1,
    EnqueueAndPlay = 2,
    PlayTg = 3,
    EnqueueTg = 4,
};

inline constexpr char kDefaultFileTypes[] = "mp3;mpeg;mpg;avi;ogg;wav";

struct MenuDefinition {
    char name[256] = {};
    char query[256] = {};
    char fileTypes[256] = {};
    bool showAsSubmenu = true;
    bool showTrackNumbers = true;
    bool addYearToAlbums = true;
    std::int32_t timeDisplay = 1;  // 0 none, 1 every level, 2 title items only
    std::int32_t yearPosition = 0; // 0 before the album name, 1 after it
    SourceType sourceType = SourceType::PlaylistTags;
    ClickAction clickAction = ClickAction::Play;
    std::vector<LevelType> levels; // outermost first; levelCount is its size

    // Run-time only, never saved.
    std::int32_t usesSongVariables = 0;
    std::int32_t firstBuiltItem = 0;
    HMENU popupMenu = nullptr;

    std::int32_t levelCount() const { return static_cast<std::int32_t>(levels.size()); }
    // The level at a depth, or PastLastLevel at or beyond the last one.
    LevelType levelKind(int depth) const;
};

void applySourceDefaults(MenuDefinition& definition, SourceType sourceType);
// The user picked a source type: a different one resets the definition to that
// type's defaults (the name stays), the one it already has changes nothing.
// Returns whether anything changed.
bool changeSourceType(MenuDefinition& definition, SourceType sourceType);

} // namespace tg
