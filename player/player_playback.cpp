// The playlist and playback: every change of the list is reported with
// HOST_PLAYLIST_MODIFIED, every start of a file with HOST_PLAYING_FILE, and
// "next" asks the main window's procedure (a plug-in's first) which entry to take.
#include "player/player.h"

#include "platform/utf8.h"
#include "player/ansi_text.h"
#include "plugin/host_contract.h"

namespace tg::player {

void Player::playlistChanged() {
    entryAnsi_.clear(); // the texts handed out go with the old list
    record("send HOST_PLAYLIST_MODIFIED");
    sendToMain(WM_USER, 0, HOST_PLAYLIST_MODIFIED);
}

void Player::clearPlaylist() {
    entries_.clear();
    current_ = -1;
    playlistChanged();
}

void Player::appendEntries(std::vector<PlaylistEntry> entries) {
    if (entries.empty()) return;
    for (PlaylistEntry& entry : entries) entries_.push_back(std::move(entry));
    playlistChanged();
}

void Player::insertEntry(int index, PlaylistEntry entry) {
    const int count = static_cast<int>(entries_.size());
    if (index < 0 || index > count) {
        record("insert position " + std::to_string(index) + " outside the playlist: appended");
        index = count;
    }
    entries_.insert(entries_.begin() + index, std::move(entry));
    if (current_ >= index) ++current_; // the current entry stays current
    playlistChanged();
}

void Player::deleteEntry(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) {
        record("no entry " + std::to_string(index) + " to delete");
        return;
    }
    entries_.erase(entries_.begin() + index);
    // Deleting the current entry leaves the position just before it, so that
    // "next" goes on with the entry that followed it.
    if (current_ >= index) --current_;
    playlistChanged();
}

void Player::setPosition(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) {
        record("position " + std::to_string(index) + " outside the playlist: ignored");
        return;
    }
    current_ = index;
}

void Player::startEntry(int index) {
    current_ = index;
    playing_ = true;
    // The text handed out stays valid for the player's lifetime.
    started_.push_back(entries_[static_cast<std::size_t>(index)].file);
    const std::string& file = started_.back();
    startedAnsi_.push_back(toAnsi(file));
    record("send HOST_PLAYING_FILE " + file);
    sendToMain(WM_USER, reinterpret_cast<WPARAM>(startedAnsi_.back().c_str()), HOST_PLAYING_FILE);
    if (!wideCalls_) return;
    // A current player tells the start twice; the wide form names every file.
    startedWide_.push_back(utf8ToWide(file));
    record("send HOST_PLAYING_FILE_WIDE " + file);
    sendToMain(WM_USER, reinterpret_cast<WPARAM>(startedWide_.back().c_str()),
               HOST_PLAYING_FILE_WIDE);
}

void Player::play() {
    if (entries_.empty()) {
        record("nothing to play");
        return;
    }
    startEntry(current_ < 0 ? 0 : current_);
}

void Player::stop() {
    playing_ = false;
}

void Player::next() {
    // Asked even with an empty list: a plug-in may insert the entry it answers.
    record("send HOST_NEXT_ENTRY_QUERY");
    const LRESULT answer = sendToMain(WM_USER, 0, HOST_NEXT_ENTRY_QUERY);
    record("HOST_NEXT_ENTRY_QUERY answered " + std::to_string(answer));
    const int count = static_cast<int>(entries_.size());
    if (answer >= 0 && answer < count) {
        startEntry(static_cast<int>(answer));
        return;
    }
    if (answer >= count)
        fault("HOST_NEXT_ENTRY_QUERY answered " + std::to_string(answer) + " for a playlist of " +
              std::to_string(count));
    if (count == 0) {
        record("nothing to play");
        return;
    }
    startEntry(current_ + 1 < count ? current_ + 1 : 0);
}

} // namespace tg::player
