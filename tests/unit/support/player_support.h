// Setting the simulated player up for a test: the sample files, a scratch
// settings directory on a mapped drive, and raw sends of the player's messages.
#pragma once

#include "platform/types.h"
#include "player/track.h"

#include <string>
#include <vector>

namespace tg::test {

// <source>/samples/<relative>, a native path.
std::string samplePath(const std::string& relative);

// A fresh native folder, mapped to a drive letter for the test's lifetime and
// removed at the end.
class ScratchDrive {
public:
    explicit ScratchDrive(char letter = 'S');
    ~ScratchDrive();
    ScratchDrive(const ScratchDrive&) = delete;
    ScratchDrive& operator=(const ScratchDrive&) = delete;

    const std::string& native() const { return native_; }
    std::string windows(const std::string& relative = {}) const; // "S:\relative"

private:
    char letter_;
    std::string native_;
};

// Loads samples/library.tsv into the player; fails the test on an error.
void loadSampleLibrary();
// Maps the drive letter to samples/tree.
void mapSampleTree(char letter = 'M');
// Settings directory <drive>:\Settings holding the sample bookmark file and
// Plugins\gen_ml.ini.
void installSampleSettings(const ScratchDrive& drive);

// The plug-in learns the player's record layout now, from two of its tracks
// as its first answer of two would teach it, and the player's log forgets the
// lookups: for tests whose exact log starts later. The descriptor must hold
// the player's windows.
void learnPlayerRecordLayout();

// A text as the plug-in holds it once the player handed it over: whole from a
// player found to speak UTF-16, else in the code page with '?' for each
// character that lacks. Call after the plug-in started.
std::string pluginText(const std::string& utf8);
std::vector<player::Track> pluginTracks(std::vector<player::Track> tracks);

// WM_USER to the player's main window with lParam code, as the plug-in sends it.
LRESULT sendToPlayer(WPARAM wParam, LPARAM code);
LRESULT sendCommand(WPARAM id);
LRESULT addFile(const std::string& path);

} // namespace tg::test
