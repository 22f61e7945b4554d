#include "plugin/host_messages.h"

#include "model/text.h"
#include "platform/text_encoding.h"
#include "platform/utf8.h"
#include "platform/window.h"
#include "plugin/host_handles.h"
#include "plugin/host_record_layouts.h"
#include "plugin/wide_calls.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

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

// A wide answer as UTF-8 in the operation's own buffer, which, like the
// player's text, lives until the same operation is asked again.
const char* fromWide(LRESULT answer, std::string& buffer) {
    const auto* text = reinterpret_cast<const WideChar*>(answer);
    if (text == nullptr) return nullptr;
    buffer = wideToUtf8(text);
    return buffer.c_str();
}

const char* entryText(int index, LPARAM ansi, LPARAM wide, std::string& buffer) {
    if (!wideCalls())
        return reinterpret_cast<const char*>(toMain(static_cast<WPARAM>(index), ansi));
    return fromWide(toMain(static_cast<WPARAM>(index), wide), buffer);
}

// UTF-8 into a fixed ANSI field, cut between characters.
template <std::size_t N> void copyUtf8(char (&field)[N], std::u16string_view wide) {
    const std::string text = wideToUtf8(wide);
    const std::size_t length = platform::utf8CutLength(text, N - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
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
    static std::string buffer;
    return entryText(index, HOST_GET_ENTRY_FILE, HOST_GET_ENTRY_FILE_WIDE, buffer);
}

const char* getEntryTitle(int index) {
    static std::string buffer;
    return entryText(index, HOST_GET_ENTRY_TITLE, HOST_GET_ENTRY_TITLE_WIDE, buffer);
}

HWND getPlaylistWindow() {
    return reinterpret_cast<HWND>(toMain(1, HOST_GET_PLAYLIST_WINDOW));
}

HMENU getMainMenu() {
    return reinterpret_cast<HMENU>(toMain(0, HOST_GET_MAIN_MENU));
}

const char* getIniDir() {
    if (!wideCalls()) return reinterpret_cast<const char*>(toMain(0, HOST_GET_INI_DIR));
    static std::string buffer;
    return fromWide(toMain(0, HOST_GET_INI_DIR_WIDE), buffer);
}

int registerMessage(const char* name) {
    if (name == nullptr) return 0;
    return static_cast<int>(toMain(reinterpret_cast<WPARAM>(name), HOST_REGISTER_MESSAGE));
}

void addFile(const char* path) {
    if (path == nullptr) return;
    // The player copies cbData bytes, so the terminator must be counted.
    if (!wideCalls()) {
        copyData(playerWindow(), HOST_ADD_FILE, path, static_cast<DWORD>(std::strlen(path) + 1));
        return;
    }
    const std::u16string wide = utf8ToWide(path);
    copyData(playerWindow(), HOST_ADD_FILE_WIDE, wide.c_str(),
             static_cast<DWORD>((wide.size() + 1) * sizeof(WideChar)));
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
    if (!wideCalls()) {
        send(playlistWindow, WM_USER, PLAYLIST_GET_ENTRY_INFO, reinterpret_cast<LPARAM>(info));
        return;
    }
    WideEntryInfoRecord wide{};
    wide.index = info->index;
    send(playlistWindow, WM_USER, PLAYLIST_GET_ENTRY_INFO_WIDE, reinterpret_cast<LPARAM>(&wide));
    // The player may fill a field to its last unit without a terminator.
    copyUtf8(info->title, boundedWide(wide.title, std::size(wide.title)));
    copyUtf8(info->length, boundedWide(wide.length, std::size(wide.length)));
}

bool fitsInsertRecord(const char* file) {
    if (file == nullptr) return false;
    if (wideCalls()) return utf8ToWide(file).size() < std::size(WideInsertFileRecord{}.file);
    return strnlen(file, sizeof InsertFileRecord::file) < sizeof InsertFileRecord::file;
}

void playlistInsertFile(HWND playlistWindow, const char* file, int index) {
    if (!fitsInsertRecord(file)) return;
    if (wideCalls()) {
        WideInsertFileRecord record{};
        const std::u16string wide = utf8ToWide(file);
        std::copy(wide.begin(), wide.end(), record.file);
        record.index = index;
        copyData(playlistWindow, PLAYLIST_INSERT_FILE_WIDE, &record, sizeof record);
        return;
    }
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
