// The test player's automation: a small script acted out like a user would,
// from a thread of its own while the player's thread runs the menus.
//
// One command per line; "#" starts a comment line. ITEM is an item's text up
// to a tab, or "#N" for the item at position N. "The open menu" is the one
// most recently opened by the script.
//
//   menu [X Y]           open the player's main menu (at a screen point)
//   open ITEM            move onto ITEM of the open menu; wait for its submenu
//   click ITEM           left click on ITEM   (also right-click, middle-click)
//   click-at X Y         left click at a screen point
//   wait-menu            wait for a menu the script did not open (context menu, hotkey)
//   expect ITEM          fail unless the open menu has ITEM
//   print                print the open menu's items
//   menus                print every menu on screen, topmost first
//   keys KEY...          press keys together: Ctrl, Alt, Shift, Win, Esc, A-Z, 0-9, F1-F12
//   screenshot FILE      save the open menus and the window as a PNG; prints its path
//   close                WM_CANCELMODE to the player; wait until no menu is open
//   wait-closed          wait until no menu is open
//   log                  print the player's log (clear-log empties it)
//   start-timing         from now on, time each popup's opening (QueryPerformanceCounter)
//   timings              print the openings timed since the last timings: the
//                        whole WM_INITMENUPOPUP, the player's share answering
//                        the library's messages, the plug-in's, and the menus
//                        and items now below the popup
//
// The first failing command ends the script.
#pragma once

#include "host_app.h"
#include "host_control.h"

#include <cstdio>
#include <string>
#include <vector>

namespace tg::testplayer {

// One command line: the first word, and the rest of the line without the
// spaces around it (item texts keep their inner spaces).
struct ScriptLine {
    int number = 0;
    std::string command;
    std::string argument;
};
// Comment lines and blank lines are dropped; a CR before the line end is ignored.
std::vector<ScriptLine> parseScript(const std::string& text);

// Runs the lines against the player (app lives on host's thread); messages go
// to out. True when every line passed.
bool runScript(const std::vector<ScriptLine>& lines, const HostControl& host, HostApp& app,
               std::FILE* out);

} // namespace tg::testplayer
