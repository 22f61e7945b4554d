// The player's side of the contract: its message numbers and record layouts,
// as data only. The simulated player (player/) decodes these same definitions;
// the plug-in's operations on them are in host_messages.h.
//
// The player and its media library are reached only through window messages
// to three windows: the main window, the playlist window and the library
// window.
#pragma once

#include "platform/types.h"

#include <cstdint>

namespace tg {

// ---- Message numbers ---------------------------------------------------------
// WM_USER to the main window, told apart by lParam.
inline constexpr LPARAM HOST_CLEAR_PLAYLIST = 101;
inline constexpr LPARAM HOST_SET_PLAYLIST_POS = 121;
inline constexpr LPARAM HOST_GET_LIST_LENGTH = 124;
inline constexpr LPARAM HOST_GET_LIST_POS = 125;
inline constexpr LPARAM HOST_GET_ENTRY_FILE = 211;
inline constexpr LPARAM HOST_GET_ENTRY_TITLE = 212;
inline constexpr LPARAM HOST_GET_PLAYLIST_WINDOW = 260;
inline constexpr LPARAM HOST_GET_MAIN_MENU = 281;
inline constexpr LPARAM HOST_GET_INI_DIR = 335;
inline constexpr LPARAM HOST_REGISTER_MESSAGE = 65536;
// WM_COPYDATA to the main window, dwData.
inline constexpr UINT_PTR HOST_ADD_FILE = 100;
// WM_COMMAND to the main window, wParam.
inline constexpr WPARAM HOST_CMD_PLAY = 40045;
inline constexpr WPARAM HOST_CMD_STOP = 40047;
inline constexpr WPARAM HOST_CMD_NEXT = 40048;

// WM_USER to the playlist window, told apart by wParam.
inline constexpr WPARAM PLAYLIST_GET_CURRENT_INDEX = 100;
inline constexpr WPARAM PLAYLIST_DELETE_ENTRY = 104;
inline constexpr WPARAM PLAYLIST_GET_ENTRY_INFO = 200;
// WM_COPYDATA to the playlist window, dwData.
inline constexpr UINT_PTR PLAYLIST_INSERT_FILE = 106;

// The library window's message, told apart by lParam.
inline constexpr UINT ML_MESSAGE = 5120;
inline constexpr LPARAM ML_GET_FILE_INFO = 512;
inline constexpr LPARAM ML_FREE_FILE_INFO = 513;
inline constexpr LPARAM ML_SEND_TO_HOST = 770;
inline constexpr LPARAM ML_ADD_SEND_TO_ITEM = 1024;
inline constexpr LPARAM ML_RUN_QUERY = 1792;
inline constexpr LPARAM ML_RUN_FILENAME_QUERY = 1794;
inline constexpr LPARAM ML_FREE_QUERY_RESULTS = 1797;

// From the player to the main window: WM_USER with these lParam values.
inline constexpr LPARAM HOST_NEXT_ENTRY_QUERY = 636;
inline constexpr LPARAM HOST_PLAYLIST_MODIFIED = 3002;
inline constexpr LPARAM HOST_PLAYING_FILE = 3003; // wParam: the file name
inline constexpr LPARAM HOST_TAGS_UPDATED = 3004;
inline constexpr LPARAM HOST_TAGS_UPDATED_WIDE =
    3005; // wParam: the wide path; all current players send
// The tray icon's message; lParam 520 is a middle-button release.
inline constexpr UINT HOST_TRAY_NOTIFY = 1025;
inline constexpr int HOST_TRAY_MIDDLE_UP = 520;

// From the library to the plug-in's descriptor callback (its type argument).
inline constexpr int MLMSG_SEND_TO_BUILD = 0x300;
inline constexpr int MLMSG_SEND_TO_SELECT = 0x301;
inline constexpr int MLMSG_CONFIG = 0x400;
// Kinds of a send-to selection: a TrackList, or its wide twin the library offers first.
inline constexpr INT_PTR kSelectionTrackList = 0;
inline constexpr INT_PTR kSelectionWideTrackList = 6;

inline constexpr std::int32_t kSendToPlay = 2;
inline constexpr std::int32_t kSendToEnqueue = 3;

// ---- The wide calls ----------------------------------------------------------
// A player that answers HOST_GET_INI_DIR_WIDE with a text offers the UTF-16
// twin of every call above; one that does not speaks ANSI only.
inline constexpr LPARAM HOST_GET_ENTRY_TITLE_WIDE = 213;
inline constexpr LPARAM HOST_GET_ENTRY_FILE_WIDE = 214;
inline constexpr LPARAM HOST_GET_INI_DIR_WIDE = 1335;
inline constexpr UINT_PTR HOST_ADD_FILE_WIDE = 1100;       // WM_COPYDATA, bytes with terminator
inline constexpr LPARAM HOST_PLAYING_FILE_WIDE = 13003;    // wParam: the wide path
inline constexpr UINT_PTR PLAYLIST_INSERT_FILE_WIDE = 114; // WM_COPYDATA to the playlist window
inline constexpr WPARAM PLAYLIST_GET_ENTRY_INFO_WIDE = 201;
inline constexpr LPARAM ML_GET_FILE_INFO_WIDE = 514;
inline constexpr LPARAM ML_FREE_FILE_INFO_WIDE = 515;
inline constexpr LPARAM ML_ADD_SEND_TO_ITEM_WIDE = 1025;
inline constexpr LPARAM ML_RUN_QUERY_WIDE = 5888;
inline constexpr LPARAM ML_RUN_FILENAME_QUERY_WIDE = 5890;
inline constexpr LPARAM ML_FREE_QUERY_RESULTS_WIDE = 5893;
// SendToHostRecord::kind of a list of wide records.
inline constexpr std::int32_t kSendToWideTrackList = 6;

// ---- Records -----------------------------------------------------------------
// Field types as the player's SDK gives them: every text or array is a pointer,
// a send-to item's context and id are pointer-sized, counts and numbers are
// 32-bit. One definition thus gives the x86 layouts and the x64 ones.

// The library's track record.
struct TrackRecord {
    char* filename;
    char* title;
    char* album;
    char* artist;
    char* comment;
    char* genre;
    std::int32_t year;
    std::int32_t trackNumber; // 0 or below when unknown
    std::int32_t length;      // seconds
    // Null-terminated array of entries "NAME\0value", or null.
    char** extendedFields;
};

// The track record of the player's 5.9 source: the file's extension (a text)
// after the title moves every later field by one pointer.
struct TrackRecordWithExtension {
    char* filename;
    char* title;
    char* extension;
    char* album;
    char* artist;
    char* comment;
    char* genre;
    std::int32_t year;
    std::int32_t trackNumber;
    std::int32_t length;
    char** extendedFields;
};

// Which of the two records a player's library hands out and reads. As the
// player sends and reads them, the items of the lists and results below are
// arrays of its record whatever their declared type; the operations of
// host_messages.h give the plug-in TrackRecord arrays.
enum class RecordLayout {
    Classic,       // TrackRecord: the published SDKs (to 5.66)
    WithExtension, // TrackRecordWithExtension
};

struct TrackList {
    TrackRecord* items;
    std::int32_t count;
    std::int32_t allocated;
};

struct QueryRecord {
    char* query;
    std::int32_t maxResults; // 0: no limit
    TrackRecord* items;
    std::int32_t count;
    std::int32_t allocated;
};

struct EntryInfoRecord { // PLAYLIST_GET_ENTRY_INFO
    std::int32_t index;
    char title[256];
    char length[16];
};

struct InsertFileRecord { // PLAYLIST_INSERT_FILE
    char file[260];
    std::int32_t index;
};

struct SendToHostRecord { // ML_SEND_TO_HOST
    std::int32_t kind;    // always 0
    TrackList* list;
    std::int32_t mode; // kSendToPlay or kSendToEnqueue
};

struct SendToItemRecord { // ML_ADD_SEND_TO_ITEM
    char* label;
    INT_PTR context;
    INT_PTR id;
};

// ---- Wide records ------------------------------------------------------------
// The player's wide texts are UTF-16 whatever the compiler's wchar_t.
using WideChar = char16_t;

struct WideExtendedField { // a list of these ends at a null key
    WideChar* key;
    WideChar* value;
};

// The library's wide track record: 128 bytes on x86, as the SDK promises.
struct WideTrackRecord {
    WideChar* filename;
    WideChar* title;
    WideChar* album;
    WideChar* artist;
    WideChar* comment;
    WideChar* genre;
    WideChar* albumArtist;
    WideChar* replayGainAlbum;
    WideChar* replayGainTrack;
    WideChar* publisher;
    WideChar* composer;
    std::int32_t year;
    std::int32_t trackNumber;
    std::int32_t tracks;
    std::int32_t length;
    std::int32_t rating;
    std::int32_t playCount;
    alignas(8) std::int64_t lastPlayed;
    alignas(8) std::int64_t lastUpdated;
    alignas(8) std::int64_t fileTime;
    std::int32_t fileSize; // kilobytes
    std::int32_t bitrate;
    std::int32_t type;
    std::int32_t disc;
    std::int32_t discs;
    std::int32_t bpm;
    WideExtendedField* extendedFields;
    WideChar* category;
};

// The wide record of the player's 5.9 source: the extension after the title;
// the padding before the times absorbs it on x86, so the size stays 128.
struct WideTrackRecordWithExtension {
    WideChar* filename;
    WideChar* title;
    WideChar* extension;
    WideChar* album;
    WideChar* artist;
    WideChar* comment;
    WideChar* genre;
    WideChar* albumArtist;
    WideChar* replayGainAlbum;
    WideChar* replayGainTrack;
    WideChar* publisher;
    WideChar* composer;
    std::int32_t year;
    std::int32_t trackNumber;
    std::int32_t tracks;
    std::int32_t length;
    std::int32_t rating;
    std::int32_t playCount;
    alignas(8) std::int64_t lastPlayed;
    alignas(8) std::int64_t lastUpdated;
    alignas(8) std::int64_t fileTime;
    std::int32_t fileSize;
    std::int32_t bitrate;
    std::int32_t type;
    std::int32_t disc;
    std::int32_t discs;
    std::int32_t bpm;
    WideExtendedField* extendedFields;
    WideChar* category;
};

struct WideTrackList {
    WideTrackRecord* items;
    std::int32_t count;
    std::int32_t allocated;
};

struct WideQueryRecord {
    WideChar* query;
    std::int32_t maxResults; // 0: no limit
    WideTrackRecord* items;
    std::int32_t count;
    std::int32_t allocated;
};

struct WideEntryInfoRecord { // PLAYLIST_GET_ENTRY_INFO_WIDE
    std::int32_t index;
    WideChar title[256];
    WideChar length[16];
};

struct WideInsertFileRecord { // PLAYLIST_INSERT_FILE_WIDE
    WideChar file[260];
    std::int32_t index;
};

struct WideSendToItemRecord { // ML_ADD_SEND_TO_ITEM_WIDE
    WideChar* label;
    INT_PTR context;
    INT_PTR id;
};

} // namespace tg
