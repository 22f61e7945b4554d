#include "plugin/host_messages.h"

#include "model/text.h"
#include "platform/window.h"
#include "plugin/host_handles.h"
#include "plugin/host_record_layouts.h"

#include <cstring>

namespace tg {

const char* extendedField(const TrackRecord& record, const char* name) {
    if (record.extendedFields == nullptr || name == nullptr) return nullptr;
    for (char** entry = record.extendedFields; *entry != nullptr; ++entry) {
        const char* field = *entry;
        const std::size_t length = std::strlen(field);
        if (equalIgnoringCase(std::string_view(field, length), name)) return field + length + 1;
    }
    return nullptr;
}

namespace {

int held(const void* items, std::int32_t count, std::int32_t allocated) {
    if (items == nullptr || count <= 0) return 0;
    // A library that reports no allocation is taken at its count.
    return allocated > 0 && allocated < count ? allocated : count;
}

} // namespace

int heldRecords(const QueryRecord& result) {
    return held(result.items, result.count, result.allocated);
}

int heldRecords(const TrackList& list) {
    return held(list.items, list.count, list.allocated);
}

int heldRecords(const WideTrackList& list) {
    return held(list.items, list.count, list.allocated);
}

namespace host {

namespace {

// A window the player never gave (null) gets no message: SendMessage would fail
// and answer 0 anyway, and the simulated platform would report the misuse.
LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == nullptr) return 0;
    return platform::sendMessage(window, message, wParam, lParam);
}

LRESULT toMain(WPARAM wParam, LPARAM code) {
    return send(playerWindow(), WM_USER, wParam, code);
}

LRESULT toLibrary(const void* record, LPARAM code) {
    if (record == nullptr) return 0; // the library dereferences the record
    return send(libraryWindow(), ML_MESSAGE, reinterpret_cast<WPARAM>(const_cast<void*>(record)),
                code);
}

LRESULT copyData(HWND window, UINT_PTR kind, const void* data, DWORD size) {
    platform::CopyData copy;
    copy.dwData = kind;
    copy.cbData = size;
    copy.lpData = const_cast<void*>(data);
    return send(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

void command(WPARAM id) {
    send(playerWindow(), WM_COMMAND, id, 0);
}

} // namespace

void clearPlaylist() {
    toMain(0, HOST_CLEAR_PLAYLIST);
}

void setPlaylistPos(int index) {
    toMain(static_cast<WPARAM>(index), HOST_SET_PLAYLIST_POS);
}

int getListLength() {
    const LRESULT length = toMain(0, HOST_GET_LIST_LENGTH);
    if (length < 0) return 0;
    return length > kMaxPlaylistEntries ? kMaxPlaylistEntries : static_cast<int>(length);
}

int getListPos() {
    return static_cast<int>(toMain(0, HOST_GET_LIST_POS));
}

const char* getEntryFile(int index) {
    return reinterpret_cast<const char*>(toMain(static_cast<WPARAM>(index), HOST_GET_ENTRY_FILE));
}

const char* getEntryTitle(int index) {
    return reinterpret_cast<const char*>(toMain(static_cast<WPARAM>(index), HOST_GET_ENTRY_TITLE));
}

HWND getPlaylistWindow() {
    return reinterpret_cast<HWND>(toMain(1, HOST_GET_PLAYLIST_WINDOW));
}

HMENU getMainMenu() {
    return reinterpret_cast<HMENU>(toMain(0, HOST_GET_MAIN_MENU));
}

const char* getIniDir() {
    return reinterpret_cast<const char*>(toMain(0, HOST_GET_INI_DIR));
}

const WideChar* getIniDirWide() {
    return reinterpret_cast<const WideChar*>(toMain(0, HOST_GET_INI_DIR_WIDE));
}

int registerMessage(const char* name) {
    if (name == nullptr) return 0;
    return static_cast<int>(toMain(reinterpret_cast<WPARAM>(name), HOST_REGISTER_MESSAGE));
}

void addFile(const char* path) {
    if (path == nullptr) return;
    // The player copies cbData bytes, so the terminator must be counted.
    copyData(playerWindow(), HOST_ADD_FILE, path, static_cast<DWORD>(std::strlen(path) + 1));
}

void cmdPlay() {
    command(HOST_CMD_PLAY);
}
void cmdStop() {
    command(HOST_CMD_STOP);
}
void cmdNext() {
    command(HOST_CMD_NEXT);
}

int playlistGetCurrentIndex(HWND playlistWindow) {
    return static_cast<int>(send(playlistWindow, WM_USER, PLAYLIST_GET_CURRENT_INDEX, 0));
}

void playlistDeleteEntry(HWND playlistWindow, int index) {
    send(playlistWindow, WM_USER, PLAYLIST_DELETE_ENTRY, static_cast<LPARAM>(index));
}

void playlistGetEntryInfo(HWND playlistWindow, EntryInfoRecord* info) {
    if (info == nullptr) return;
    // The player fills only what it knows; the rest must read as empty text.
    std::memset(info->title, 0, sizeof info->title);
    std::memset(info->length, 0, sizeof info->length);
    send(playlistWindow, WM_USER, PLAYLIST_GET_ENTRY_INFO, reinterpret_cast<LPARAM>(info));
}

bool fitsInsertRecord(const char* file) {
    return file != nullptr &&
           strnlen(file, sizeof InsertFileRecord::file) < sizeof InsertFileRecord::file;
}

void playlistInsertFile(HWND playlistWindow, const char* file, int index) {
    if (!fitsInsertRecord(file)) return;
    InsertFileRecord record{};
    copyText(record.file, file);
    record.index = index;
    copyData(playlistWindow, PLAYLIST_INSERT_FILE, &record, sizeof record);
}

LRESULT libraryMessage(void* record, LPARAM code) {
    return toLibrary(record, code);
}

void mlGetFileInfo(void* playerRecord) {
    toLibrary(playerRecord, ML_GET_FILE_INFO);
}

void mlFreeFileInfo(void* playerRecord) {
    toLibrary(playerRecord, ML_FREE_FILE_INFO);
}

} // namespace host
} // namespace tg
