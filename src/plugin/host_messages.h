// The plug-in's operations on the player's messages and records (their
// numbers and layouts are in host_contract.h).
#pragma once

#include "plugin/host_contract.h"

namespace tg {

// The value of an extended field ("RATING", "PLAYCOUNT", "BITRATE"): the first
// entry whose name equals name ignoring case; null when the record has none.
const char* extendedField(const TrackRecord& record, const char* name);

// The records a result or list holds: its count, but never more than it
// allocated when it tells, and never below 0; 0 without items. A count past
// the storage is a broken answer, and reading it would run past the array.
int heldRecords(const QueryRecord& result);
int heldRecords(const TrackList& list);
int heldRecords(const WideTrackList& list);

// More entries than any playlist the player keeps: a longer answer is a broken
// count, and believing it would hold the player's thread for hours.
inline constexpr int kMaxPlaylistEntries = 1 << 20;

// ---- Operations --------------------------------------------------------------
// One per message; each goes to the window the player expects it on. The main
// and library windows come from the plug-in's descriptor.
namespace host {

void clearPlaylist();
void setPlaylistPos(int index);
int getListLength(); // 0 .. kMaxPlaylistEntries, whatever the player answers
int getListPos();
// Texts from the player are UTF-8 when it offers the wide calls, its code page
// otherwise; each lives until the same operation is asked again, or null.
const char* getEntryFile(int index);
const char* getEntryTitle(int index);
HWND getPlaylistWindow();
HMENU getMainMenu();
const char* getIniDir();
int registerMessage(const char* name);
void addFile(const char* path);
void cmdPlay();
void cmdStop();
void cmdNext();

int playlistGetCurrentIndex(HWND playlistWindow);
void playlistDeleteEntry(HWND playlistWindow, int index);
void playlistGetEntryInfo(HWND playlistWindow, EntryInfoRecord* info);
// Whether the file name fits the insert record (in UTF-16 units for the wide one).
bool fitsInsertRecord(const char* file);
// Sends nothing for a name that does not fit: a cut one would name another file.
void playlistInsertFile(HWND playlistWindow, const char* file, int index);

// With the player's wide calls (wide_calls.h) these operations use the wide
// twins, converting texts between the plug-in's UTF-8 and UTF-16 here.
//
// The library's records arrive and leave in the player's layout (see
// record_layout.h); these operations hand the plug-in TrackRecord arrays and
// take them, converting where the player's record differs. Their first
// answers of two records or more probe that layout.

// A record in the player's layout holding only a file name: the library fills
// what it knows (answering 0 either way) and ML_FREE_FILE_INFO on the same
// record frees the texts it wrote. See FileInfo (file_info.h).
void mlGetFileInfo(void* playerRecord);
void mlFreeFileInfo(void* playerRecord);
// list: the plug-in's records, sent in the player's layout.
void mlSendToHost(TrackList* list, std::int32_t mode);
void mlAddSendToItem(const char* label, INT_PTR context, INT_PTR id);
// The answers' items are the plug-in's records until mlFreeQueryResults hands
// the player's own array back to it.
void mlRunQuery(QueryRecord* query);
void mlRunFilenameQuery(QueryRecord* query);
int mlFreeQueryResults(QueryRecord* query);

// The library's message on a record as it is, unconverted.
LRESULT libraryMessage(void* record, LPARAM code);

// ML_RUN_FILENAME_QUERY for file: whether the answer's record carries exactly
// that name. The answer goes back at once.
bool libraryHoldsFile(const char* file);
// Probes the player's layout on an array it handed out (see record_layout.h).
void learnRecordLayout(const void* items, int held);
// Before a record of the player is read when no array of two has shown its
// layout: the library is asked, once, for two of its tracks.
void settleRecordLayout();

} // namespace host
} // namespace tg
