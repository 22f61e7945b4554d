// The whole plug-in over a player that answers wrongly on purpose: one menu of
// each source (a song-variable library menu among them), a playlist of four
// library files and one foreign file with the second entry playing, and the
// user's moves through them: opening each menu, clicking, handing the queue
// to the player.
#pragma once

#include "support/message_sequence.h"
#include "support/plugin_harness.h"

#include <string>
#include <vector>

namespace tg::test {

// The playlist every scene starts with, in order.
extern const std::vector<std::string> kSceneFiles;

class FaultScene {
public:
    // Menus "Tags" (Artist, Title), "Library" (Artist, Title), "Now" (titles of
    // the playing artist), "Raw" (ranges, entries) and "Marks" (three bookmarks).
    // Every click queues, except in "Now" (enqueue). A current player answers
    // the wide calls.
    explicit FaultScene(bool currentPlayer = false);

    PluginHarness harness;
    player::Player& player() const { return harness.player(); }

    // The texts of a menu's root popup (opened from the target popup), or of
    // the first submenu in it; everything closes afterwards.
    Texts root(const char* menu);
    Texts firstSubmenu(const char* menu);
    // The menu tree of a root popup, opened and closed again.
    std::string tree(const char* menu);
    // Left-clicks the root item whose text contains part; false when none does.
    bool clickRoot(const char* menu, const std::string& part);
    // The entries of every range of "Raw", in order.
    Texts rawEntries();
    // Left-clicks the first entry item of "Raw" holding part; false when none does.
    bool clickRawEntry(const std::string& part);

    // "Next" in the player, then the 200 ms after which a temporary entry goes.
    void next();
    Texts queued() const { return queuedFiles(); }
    Texts playlistFiles() const;
    std::string lastStarted() const;
};

// Whether any of the texts contains part.
bool holds(const Texts& texts, const std::string& part);

} // namespace tg::test
