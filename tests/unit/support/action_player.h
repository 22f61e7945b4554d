// The simulated player set up for actions on chosen items: the plug-in's
// windows in the descriptor, the queue answering the player as the plug-in's
// window procedure does, and a log of what the action sent and what the player
// did in answer. The queue's own traffic while it answers the player (its
// hand-over, its lookup of a started file) stays out of the log: the queue's
// tests cover it.
#pragma once

#include "model/model_state.h"
#include "player/player.h"
#include "support/message_sequence.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace tg::test {

// One at a time: it subclasses the player's main window.
class ActionPlayer {
public:
    ActionPlayer();
    ~ActionPlayer();
    ActionPlayer(const ActionPlayer&) = delete;
    ActionPlayer& operator=(const ActionPlayer&) = delete;

    // The player's log since the last call, which clears it.
    static Texts takeLog();
    // The plug-in playlist, head first.
    static Texts queue() { return queuedFiles(); }
    static void setQueue(std::initializer_list<const char*> files);
    // The plug-in playlist as it stood when HOST_CMD_NEXT reached the player.
    const Texts& queueAtNext() const { return queueAtNext_; }
    bool nextSent() const { return nextSent_; }
    void forgetNext() {
        nextSent_ = false;
        queueAtNext_.clear();
    }
    static Texts hostFiles();
    static void setHostPlaylist(std::initializer_list<const char*> files, int current);
    // Lets a removal worker started by a hand-over finish its 200 ms.
    static void settleWorkers();

    // HOST_CMD_NEXT is about to reach the player.
    void noteNext();

private:
    Texts queueAtNext_;
    bool nextSent_ = false;
};

// Settings folder <letter>:\Settings (map the drive first) holding the sample
// bookmark file.
void installSampleBookmarks(char letter);

// One record of a walk down a definition's menus, with its chosen value.
LevelSelection chosen(const char* value, LevelType kind = LevelType::Artist,
                      const char* secondValue = "");

// A library track with the fields the action tests sort by.
player::Track track(const char* file, const char* artist, const char* album, const char* title,
                    int number);

} // namespace tg::test
