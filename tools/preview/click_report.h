// What a click did: the player's messages, its playlist and the play-next queue.
#pragma once

#include "player/player.h"

#include <ostream>
#include <string>
#include <vector>

namespace tg::preview {

struct MessageBoxNote {
    std::string caption;
    std::string text;
};

struct ClickReport {
    std::vector<std::string> trail;    // labels from the main menu to the clicked item
    std::string action;                // empty for a left click, else the context-menu entry
    std::vector<std::string> messages; // the player's log lines, menu-loop traffic left out
    std::vector<MessageBoxNote> messageBoxes;
    bool menusStayOpen = false;
    std::vector<player::PlaylistEntry> playlist;
    int current = -1;
    bool playing = false;
    // The file the player started last; after a TG Play it may no longer stand
    // in the playlist (its temporary entry is gone again).
    std::string nowPlaying;
    std::vector<std::string> queue; // head first
};

// Where the player's log and the message boxes stood before a click.
struct ClickSnapshot {
    std::size_t logLines = 0;
    std::size_t messageBoxes = 0;
};
ClickSnapshot clickSnapshot();
// What happened since the snapshot; the trail and the action are the caller's to fill.
ClickReport collectClickReport(const ClickSnapshot& before, bool menusStayOpen);

// The menu loop's own traffic, which the player's procedure also sees: opening,
// selecting and closing menus are the preview's doing, not the plug-in's.
bool isMenuLoopMessage(const std::string& logLine);

// "3:05", "1:02:03"; "?" for an unknown length.
std::string lengthText(int seconds);

void printClickReport(std::ostream& out, const ClickReport& report);
void printClickReportJson(std::ostream& out, const ClickReport& report);

} // namespace tg::preview
