// The main window's messages, decoded with the plug-in's own numbers and records.
#include "player/player.h"

#include "platform/utf8.h"
#include "platform/window.h"
#include "player/ansi_text.h"
#include "plugin/host_contract.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace tg::player {

namespace {

std::string hex(UINT value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 12; shift >= 0; shift -= 4) text += digits[(value >> shift) & 0xF];
    return text;
}

const char* windowMessageName(UINT message) {
    switch (message) {
    case WM_INITMENUPOPUP: return "WM_INITMENUPOPUP";
    case WM_MENUSELECT: return "WM_MENUSELECT";
    case WM_UNINITMENUPOPUP: return "WM_UNINITMENUPOPUP";
    case WM_MENUCOMMAND: return "WM_MENUCOMMAND";
    case WM_CANCELMODE: return "WM_CANCELMODE";
    case WM_HOTKEY: return "WM_HOTKEY";
    case WM_DESTROY: return "WM_DESTROY";
    case WM_CLOSE: return "WM_CLOSE";
    default: return nullptr;
    }
}

// "m:ss" or "h:mm:ss"; empty when not known.
std::string lengthText(std::int32_t seconds) {
    if (seconds < 0) return {};
    const int s = seconds;
    std::string text = s >= 3600
                           ? std::to_string(s / 3600) + ":" + (s % 3600 / 60 < 10 ? "0" : "") +
                                 std::to_string(s % 3600 / 60)
                           : std::to_string(s / 60);
    text += (s % 60 < 10 ? ":0" : ":") + std::to_string(s % 60);
    return text;
}

} // namespace

LRESULT Player::onMainMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_USER: return onMainUser(wParam, lParam);
    case WM_COPYDATA: return onCopyData(window, lParam);
    case WM_COMMAND: return onCommand(wParam);
    case HOST_TRAY_NOTIFY:
        record("HOST_TRAY_NOTIFY " +
               std::to_string(static_cast<short>(loWord(static_cast<UINT_PTR>(lParam)))));
        return 0;
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return platform::defWindowProc(window, message, wParam, lParam);
    default: break;
    }
    // System messages of a real window (painting, sizing) stay out of the log;
    // application messages do not.
    if (const char* name = windowMessageName(message))
        record(name);
    else if (message >= WM_USER)
        record("message " + hex(message));
    return platform::defWindowProc(window, message, wParam, lParam);
}

LRESULT Player::onMainUser(WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (lParam) {
    case HOST_CLEAR_PLAYLIST:
        record("HOST_CLEAR_PLAYLIST");
        clearPlaylist();
        return 0;
    case HOST_SET_PLAYLIST_POS:
        record("HOST_SET_PLAYLIST_POS " + std::to_string(index));
        setPosition(index);
        return 0;
    case HOST_GET_LIST_LENGTH:
        record("HOST_GET_LIST_LENGTH");
        if (readsSinceLength_ < 0) readsSinceLength_ = 0;
        return faultMode_.listLength.value_or(static_cast<LRESULT>(entries_.size()));
    case HOST_GET_LIST_POS: record("HOST_GET_LIST_POS"); return current_;
    case HOST_GET_ENTRY_FILE:
    case HOST_GET_ENTRY_TITLE: {
        const bool file = lParam == HOST_GET_ENTRY_FILE;
        record(std::string(file ? "HOST_GET_ENTRY_FILE " : "HOST_GET_ENTRY_TITLE ") +
               std::to_string(index));
        beforeEntryRead();
        if (index < 0 || index >= static_cast<int>(entries_.size())) return 0;
        if (file ? faultMode_.nullEntryFiles : faultMode_.nullEntryTitles) return 0;
        return reinterpret_cast<LRESULT>(entryText(index, !file));
    }
    case HOST_GET_ENTRY_FILE_WIDE:
    case HOST_GET_ENTRY_TITLE_WIDE: {
        const bool file = lParam == HOST_GET_ENTRY_FILE_WIDE;
        record(std::string(file ? "HOST_GET_ENTRY_FILE_WIDE " : "HOST_GET_ENTRY_TITLE_WIDE ") +
               std::to_string(index));
        if (!wideCalls_) return 0;
        beforeEntryRead();
        if (index < 0 || index >= static_cast<int>(entries_.size())) return 0;
        if (file ? faultMode_.nullEntryFiles : faultMode_.nullEntryTitles) return 0;
        const PlaylistEntry& entry = entries_[static_cast<std::size_t>(index)];
        // Valid until the next such request, as a player's answer buffer is.
        std::u16string& answer = file ? entryFileWide_ : entryTitleWide_;
        answer = utf8ToWide(file ? entry.file : entry.title);
        return reinterpret_cast<LRESULT>(answer.c_str());
    }
    case HOST_GET_PLAYLIST_WINDOW:
        record("HOST_GET_PLAYLIST_WINDOW " + std::to_string(wParam));
        // wParam names the window asked for; only the playlist editor (1) exists here.
        return wParam == 1 ? reinterpret_cast<LRESULT>(playlistWindow()) : 0;
    case HOST_GET_MAIN_MENU:
        record("HOST_GET_MAIN_MENU " + std::to_string(wParam));
        return wParam == 0 ? reinterpret_cast<LRESULT>(mainMenu()) : 0;
    case HOST_GET_INI_DIR:
        record("HOST_GET_INI_DIR");
        if (iniDir_.empty()) return 0;
        iniDirAnsi_ = toAnsi(iniDir_);
        return reinterpret_cast<LRESULT>(iniDirAnsi_.c_str());
    case HOST_GET_INI_DIR_WIDE:
        record("HOST_GET_INI_DIR_WIDE");
        if (!wideCalls_ || iniDir_.empty()) return 0;
        iniDirWide_ = utf8ToWide(iniDir_);
        return reinterpret_cast<LRESULT>(iniDirWide_.c_str());
    case HOST_REGISTER_MESSAGE: {
        const char* name = reinterpret_cast<const char*>(wParam);
        if (!name) {
            fault("HOST_REGISTER_MESSAGE without a name");
            return 0;
        }
        const int id = registerName(name);
        record(std::string("HOST_REGISTER_MESSAGE ") + name + " -> " + std::to_string(id));
        return id;
    }
    case HOST_NEXT_ENTRY_QUERY:
        record("HOST_NEXT_ENTRY_QUERY");
        return -1; // no preference: the player goes on in its own order
    case HOST_PLAYLIST_MODIFIED:
    case HOST_PLAYING_FILE:
    case HOST_PLAYING_FILE_WIDE:
    case HOST_TAGS_UPDATED:
    case HOST_TAGS_UPDATED_WIDE:
        return 0; // the player's own notifications, passed on by a subclass
    default: record("WM_USER lParam=" + std::to_string(lParam) + " (unknown)"); return 0;
    }
}

LRESULT Player::onCopyData(HWND window, LPARAM lParam) {
    const auto* copy = reinterpret_cast<const platform::CopyData*>(lParam);
    if (!copy) {
        fault("WM_COPYDATA without its record");
        return 0;
    }
    const bool toPlaylist = window == playlistWindow_;
    if (!toPlaylist && copy->dwData == HOST_ADD_FILE) {
        const char* data = static_cast<const char*>(copy->lpData);
        if (!data || copy->cbData == 0) {
            fault("HOST_ADD_FILE without a path");
            return 0;
        }
        // Never read past cbData, whatever the text claims.
        const std::size_t length = strnlen(data, copy->cbData);
        if (length == copy->cbData)
            fault("HOST_ADD_FILE path not terminated within cbData");
        else if (length + 1 != copy->cbData)
            fault("HOST_ADD_FILE cbData " + std::to_string(copy->cbData) + " for a path of " +
                  std::to_string(length) + " characters");
        const std::string path = fromAnsi(std::string_view(data, length));
        record("HOST_ADD_FILE " + path);
        appendEntries(expandAddedPath(path));
        return 1;
    }
    if (!toPlaylist && copy->dwData == HOST_ADD_FILE_WIDE && wideCalls_) {
        const auto* data = static_cast<const WideChar*>(copy->lpData);
        const std::size_t units = copy->cbData / sizeof(WideChar);
        if (!data || units == 0) {
            fault("HOST_ADD_FILE_WIDE without a path");
            return 0;
        }
        const std::u16string_view text = boundedWide(data, units);
        if (text.size() == units)
            fault("HOST_ADD_FILE_WIDE path not terminated within cbData");
        else if ((text.size() + 1) * sizeof(WideChar) != copy->cbData)
            fault("HOST_ADD_FILE_WIDE cbData " + std::to_string(copy->cbData) + " for a path of " +
                  std::to_string(text.size()) + " units");
        const std::string path = wideToUtf8(text);
        record("HOST_ADD_FILE_WIDE " + path);
        appendEntries(expandAddedPath(path));
        return 1;
    }
    if (toPlaylist && copy->dwData == PLAYLIST_INSERT_FILE_WIDE && wideCalls_) {
        const auto* insert = static_cast<const WideInsertFileRecord*>(copy->lpData);
        if (!insert || copy->cbData < sizeof(WideInsertFileRecord)) {
            fault("PLAYLIST_INSERT_FILE_WIDE with cbData " + std::to_string(copy->cbData) +
                  ", not " + std::to_string(sizeof(WideInsertFileRecord)));
            return 0;
        }
        const std::u16string_view text = boundedWide(insert->file, std::size(insert->file));
        if (text.size() == std::size(insert->file)) {
            fault("PLAYLIST_INSERT_FILE_WIDE file not terminated");
            return 0;
        }
        const std::string file = wideToUtf8(text);
        record("PLAYLIST_INSERT_FILE_WIDE " + std::to_string(insert->index) + " " + file);
        insertEntry(insert->index, entryFor(file));
        return 1;
    }
    if (toPlaylist && copy->dwData == PLAYLIST_INSERT_FILE) {
        const auto* insert = static_cast<const InsertFileRecord*>(copy->lpData);
        if (!insert || copy->cbData < sizeof(InsertFileRecord)) {
            fault("PLAYLIST_INSERT_FILE with cbData " + std::to_string(copy->cbData) + ", not " +
                  std::to_string(sizeof(InsertFileRecord)));
            return 0;
        }
        const std::size_t length = strnlen(insert->file, sizeof insert->file);
        if (length == sizeof insert->file) {
            fault("PLAYLIST_INSERT_FILE file not terminated");
            return 0;
        }
        const std::string file = fromAnsi(std::string_view(insert->file, length));
        record("PLAYLIST_INSERT_FILE " + std::to_string(insert->index) + " " + file);
        insertEntry(insert->index, entryFor(file));
        return 1;
    }
    record("WM_COPYDATA dwData=" + std::to_string(copy->dwData) + " (unknown)");
    return 0;
}

LRESULT Player::onCommand(WPARAM wParam) {
    switch (loWord(wParam)) {
    case HOST_CMD_PLAY:
        record("HOST_CMD_PLAY");
        play();
        return 0;
    case HOST_CMD_STOP:
        record("HOST_CMD_STOP");
        stop();
        return 0;
    case HOST_CMD_NEXT:
        record("HOST_CMD_NEXT");
        next();
        return 0;
    default: record("WM_COMMAND " + std::to_string(loWord(wParam))); return 0;
    }
}

LRESULT Player::onPlaylistMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) return onCopyData(window, lParam);
    if (message != WM_USER) return platform::defWindowProc(window, message, wParam, lParam);
    switch (wParam) {
    case PLAYLIST_GET_CURRENT_INDEX: record("PLAYLIST_GET_CURRENT_INDEX"); return current_;
    case PLAYLIST_DELETE_ENTRY:
        record("PLAYLIST_DELETE_ENTRY " + std::to_string(lParam));
        deleteEntry(static_cast<int>(lParam));
        return 0;
    case PLAYLIST_GET_ENTRY_INFO: return getEntryInfo(reinterpret_cast<EntryInfoRecord*>(lParam));
    case PLAYLIST_GET_ENTRY_INFO_WIDE:
        if (!wideCalls_) break;
        return getEntryInfoWide(reinterpret_cast<WideEntryInfoRecord*>(lParam));
    default: break;
    }
    record("playlist WM_USER wParam=" + std::to_string(wParam) + " (unknown)");
    return 0;
}

LRESULT Player::getEntryInfo(EntryInfoRecord* info) {
    if (!info) {
        fault("PLAYLIST_GET_ENTRY_INFO without a record");
        return 0;
    }
    record("PLAYLIST_GET_ENTRY_INFO " + std::to_string(info->index));
    beforeEntryRead();
    if (info->index < 0 || info->index >= static_cast<int>(entries_.size())) return 0;
    if (faultMode_.nullEntryTitles) return 0;
    const std::string title = toAnsi(entries_[static_cast<std::size_t>(info->index)].title);
    const std::size_t titleLength = std::min(title.size(), sizeof info->title - 1);
    std::memcpy(info->title, title.data(), titleLength);
    info->title[titleLength] = '\0';
    info->length[0] = '\0';
    const std::string text = lengthText(entries_[static_cast<std::size_t>(info->index)].length);
    const std::size_t n = std::min(text.size(), sizeof info->length - 1);
    std::memcpy(info->length, text.data(), n);
    info->length[n] = '\0';
    return 1;
}

LRESULT Player::getEntryInfoWide(WideEntryInfoRecord* info) {
    if (!info) {
        fault("PLAYLIST_GET_ENTRY_INFO_WIDE without a record");
        return 0;
    }
    record("PLAYLIST_GET_ENTRY_INFO_WIDE " + std::to_string(info->index));
    beforeEntryRead();
    if (info->index < 0 || info->index >= static_cast<int>(entries_.size())) return 0;
    if (faultMode_.nullEntryTitles) return 0;
    const PlaylistEntry& entry = entries_[static_cast<std::size_t>(info->index)];
    // A full field keeps no terminator when the player is told to fill it to the end.
    const std::size_t reserve = faultMode_.unterminatedEntryInfo ? 0 : 1;
    const auto fill = [reserve](WideChar* field, std::size_t capacity, const std::string& utf8) {
        const std::u16string text = utf8ToWide(utf8);
        const std::size_t n = std::min(text.size(), capacity - reserve);
        std::copy_n(text.begin(), n, field);
        if (n < capacity) field[n] = 0;
    };
    fill(info->title, std::size(info->title), entry.title);
    fill(info->length, std::size(info->length), lengthText(entry.length));
    return 1;
}

const char* Player::entryText(int index, bool title) {
    const PlaylistEntry& entry = entries_[static_cast<std::size_t>(index)];
    const std::string& text = title ? entry.title : entry.file;
    if (isAscii(text)) return text.c_str();
    return entryAnsi_.try_emplace({index, title}, toAnsi(text)).first->second.c_str();
}

void Player::beforeEntryRead() {
    if (readsSinceLength_ < 0 || !faultMode_.changeAfterLength) return;
    if (++readsSinceLength_ < faultMode_.changeAtRead) return;
    readsSinceLength_ = -1;
    // Taken first: the change may make the plug-in read entries again.
    const std::function<void(Player&)> change = std::move(faultMode_.changeAfterLength);
    faultMode_.changeAfterLength = nullptr;
    change(*this);
}

} // namespace tg::player
