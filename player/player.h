// The simulated player: a portable model of the player side of the host
// messages, with its main window, playlist window and library window.
//
// The windows are made through the platform seam on first use; their
// procedures hand every message to the one Player instance. The main window's
// procedure is the one a plug-in subclasses. Everything is synchronous and
// deterministic: playback is plain data (playing or not, the current entry,
// the files started), and the player keeps a log of what it received and what
// it sent, one text line each.
#pragma once

#include "platform/types.h"
#include "player/library_file.h"
#include "player/media_library.h"
#include "player/track.h"
#include "plugin/descriptor.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tg::player {

struct PlaylistEntry {
    std::string file;
    std::string title;
    std::int32_t length = -1; // seconds; -1 when not known
};

struct SendToEntry {
    std::string label;
    INT_PTR context = 0;
    INT_PTR id = 0;
};

class Player;

// Answers of a broken or lying player, for tests that the plug-in survives
// them. Everything is off in a fresh player. The library's own faults (null
// record fields, lying result counts) are MediaLibrary::faultMode().
struct PlaylistFaults {
    bool nullEntryFiles = false; // HOST_GET_ENTRY_FILE answers null
    bool nullEntryTitles =
        false; // HOST_GET_ENTRY_TITLE null, PLAYLIST_GET_ENTRY_INFO 0 and no text
    std::optional<LRESULT> listLength; // HOST_GET_LIST_LENGTH answers this, whatever the list holds
    // Runs once, at entry read number changeAtRead (from 1) after a
    // HOST_GET_LIST_LENGTH answer: the list changes under the reader
    // (changePlaylist tells the plug-in), and texts handed out before go.
    std::function<void(Player&)> changeAfterLength;
    int changeAtRead = 1;
    // PLAYLIST_GET_ENTRY_INFO_WIDE fills a text to the field's end, leaving no terminator.
    bool unterminatedEntryInfo = false;
};

// Files a folder given to HOST_ADD_FILE expands to, by extension.
inline constexpr const char* kAudioExtensions[] = {"mp3", "mp2",  "mpeg", "mpg", "avi", "ogg",
                                                   "wav", "flac", "m4a",  "wma", "aac"};

// Ids HOST_REGISTER_MESSAGE hands out start here, like RegisterWindowMessage's.
inline constexpr int kFirstRegisteredId = 0xC000;

class Player {
public:
    Player() = default;
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // ---- Windows and the main menu (made on first use) ----
    HWND mainWindow();
    HWND playlistWindow();
    HWND libraryWindow();
    // The player's main menu: the usual popups, "Skins" in the middle, and
    // three popups whose first items carry 40188, 40045 and 40048.
    HMENU mainMenu();

    // ---- Media library ----
    MediaLibrary& library() { return library_; }
    void setTracks(std::vector<Track> tracks) { library_.setTracks(std::move(tracks)); }
    LoadResult loadLibrary(const std::string& nativePath);
    int liveQueryResults() const { return library_.liveQueryResults(); }
    int liveFileInfoRecords() const { return library_.liveFileInfoRecords(); }
    // The record the library hands out and reads: TG_PLAYER_LAYOUT decides for
    // a fresh player (see MediaLibrary); a test may choose.
    RecordLayout recordLayout() const { return library_.recordLayout(); }
    void setRecordLayout(RecordLayout layout) { library_.setRecordLayout(layout); }

    // ---- Playlist and playback ----
    const std::vector<PlaylistEntry>& playlist() const { return entries_; }
    int currentIndex() const { return current_; }
    bool playing() const { return playing_; }
    // Every file started, oldest first.
    const std::deque<std::string>& startedFiles() const { return started_; }
    // Set up a playlist without telling anyone (a test's or the preview's starting state).
    void setPlaylist(std::vector<PlaylistEntry> entries, int current = -1);
    // The user changes the list: as setPlaylist, then HOST_PLAYLIST_MODIFIED.
    void changePlaylist(std::vector<PlaylistEntry> entries, int current = -1);
    // Loads an .m3u file strictly; relative entries are joined to windowsFolder
    // when it is given. All or nothing; no notification.
    LoadResult loadPlaylist(const std::string& nativePath, const std::string& windowsFolder = {});
    // An entry for a file: title and length from the library when it holds the file.
    PlaylistEntry entryFor(const std::string& file) const;

    // ---- Settings directory ----
    // A Windows path; the folder and its "Plugins" subfolder are created. An
    // empty path makes HOST_GET_INI_DIR answer null.
    bool setIniDir(const std::string& windowsPath);
    const std::string& iniDir() const { return iniDir_; }
    // A current player answers the wide calls; an old one (the default here)
    // answers none of them, HOST_GET_INI_DIR_WIDE included.
    void offerWideCalls(bool offered) { wideCalls_ = offered; }
    bool offersWideCalls() const { return wideCalls_; }
    // Writes a file below the settings directory ("Winamp.bm", "Plugins\gen_ml.ini").
    bool writeIniFile(const std::string& relativePath, const std::string& content);
    // Writes the bookmark files as the player keeps them: "Winamp.bm" in the code
    // page and, for a current player, "Winamp.bm8" in UTF-8. pairs is UTF-8.
    bool writeBookmarks(const std::string& pairs);

    // ---- The loaded plug-in ----
    // Writes the three handles into the descriptor and calls init.
    int attachPlugin(LibraryPluginDescriptor* descriptor, HINSTANCE module = nullptr);
    void detachPlugin(); // calls quit
    LibraryPluginDescriptor* plugin() const { return plugin_; }
    const std::vector<SendToEntry>& sendToItems() const { return sendTo_; }
    // MLMSG_SEND_TO_BUILD: the send-to menu is built afresh, so earlier entries go.
    INT_PTR buildSendToMenu(INT_PTR context = 0);
    // MLMSG_SEND_TO_SELECT with these files (library records where the library
    // holds them), as the library offers a selection: first as a wide list, and
    // only when that is not answered 1 as a TrackList. The last answer.
    INT_PTR selectSendTo(std::int32_t id, const std::vector<std::string>& files);
    // The same, finding the id by the entry's label; 0 when there is no such entry.
    INT_PTR chooseSendTo(const std::string& label, const std::vector<std::string>& files);
    INT_PTR openConfig(HWND parent = nullptr); // MLMSG_CONFIG

    // ---- What the player sends by itself ----
    LRESULT sendTrayNotify(int mouseMessage);
    // After a tag edit of file: the wide notification current players send, or
    // the older one that none sends any more.
    void notifyTagsUpdated(const std::string& file = "C:\\edited.mp3", bool wide = true);
    void next(); // as HOST_CMD_NEXT

    // ---- Registered names ----
    int registeredId(const std::string& name) const; // 0 when never registered

    // ---- Log and faults ----
    const std::vector<std::string>& log() const { return log_; }
    void clearLog() { log_.clear(); }
    void setLogging(bool on) { logging_ = on; }
    // Messages a correct plug-in never sends (null records, unterminated
    // texts, records the library never handed out, an answer outside the
    // playlist). Taking them clears the list.
    std::vector<std::string> takeFaults();
    // Wrong answers given on purpose (not faults of the plug-in).
    PlaylistFaults& faultMode() { return faultMode_; }

    // ---- The window procedures' entry points ----
    LRESULT onMainMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onPlaylistMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onLibraryMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void record(std::string line);
    void fault(std::string what);
    LRESULT sendToMain(UINT message, WPARAM wParam, LPARAM lParam);

    // Playback.
    void clearPlaylist();
    void appendEntries(std::vector<PlaylistEntry> entries);
    void insertEntry(int index, PlaylistEntry entry);
    void deleteEntry(int index);
    void setPosition(int index);
    void play();
    void stop();
    void startEntry(int index);
    void playlistChanged();
    std::vector<PlaylistEntry> expandAddedPath(const std::string& path);

    // Message decoding.
    LRESULT onMainUser(WPARAM wParam, LPARAM lParam);
    LRESULT onCopyData(HWND window, LPARAM lParam);
    LRESULT onCommand(WPARAM wParam);
    LRESULT sendToHost(const SendToHostRecord* request);
    LRESULT addSendToItem(const SendToItemRecord* item);
    LRESULT addSendToItemWide(const WideSendToItemRecord* item);
    LRESULT sendWideToHost(const SendToHostRecord& request);
    // Plays or enqueues what a send-to list held; message names it in the log.
    LRESULT playSent(const std::vector<Track>& tracks, std::int32_t mode,
                     const std::string& message);
    LRESULT getEntryInfo(EntryInfoRecord* info);
    LRESULT getEntryInfoWide(WideEntryInfoRecord* info);
    int registerName(const char* name);
    void beforeEntryRead();

    HWND mainWindow_ = nullptr;
    HWND playlistWindow_ = nullptr;
    HWND libraryWindow_ = nullptr;
    HMENU mainMenu_ = nullptr;

    MediaLibrary library_;
    std::vector<PlaylistEntry> entries_;
    int current_ = -1;
    bool playing_ = false;
    std::deque<std::string> started_;        // stable texts, UTF-8
    std::deque<std::string> startedAnsi_;    // and for HOST_PLAYING_FILE
    std::deque<std::u16string> startedWide_; // and for HOST_PLAYING_FILE_WIDE
    std::u16string entryFileWide_;           // the last wide entry answers
    std::u16string entryTitleWide_;
    // The ANSI entry texts handed out since the list last changed, by index
    // (false: the file, true: the title).
    std::map<std::pair<int, bool>, std::string> entryAnsi_;
    // The entry's text as an ANSI caller gets it, valid until the list changes.
    const char* entryText(int index, bool title);

    std::string iniDir_;
    std::string iniDirAnsi_;    // kept beside iniDir_ for the ANSI answer
    std::u16string iniDirWide_; // and for the wide one
    bool wideCalls_ = false;
    std::map<std::string, int> registered_; // folded name -> id
    LibraryPluginDescriptor* plugin_ = nullptr;
    std::vector<SendToEntry> sendTo_;

    std::vector<std::string> log_;
    bool logging_ = true;
    std::vector<std::string> faults_;
    PlaylistFaults faultMode_;
    int readsSinceLength_ = -1; // -1: no length answered since the last change
};

Player& player();
// A fresh player. Call after the platform was reset: the old windows and menu
// are not touched, since they went with the platform.
void resetPlayer();

} // namespace tg::player
