// Setting the simulated player up for a test: the sample files, a scratch
// settings directory on a mapped drive, and raw sends of the player's messages.
#pragma once

#include "platform/types.h"

#include <string>

namespace tg::test {

// <source>/samples/<relative>, a native path.
std::string samplePath(const std::string& relative);

// Loads samples/library.tsv into the player; fails the test on an error.
void loadSampleLibrary();
// Maps the drive letter to samples/tree.
void mapSampleTree(char letter = 'M');
// Settings directory <letter>:\Settings (map the drive first, with a TempDrive)
// holding the sample bookmark file and Plugins\gen_ml.ini.
void installSampleSettings(char letter);

// WM_USER to the player's main window with lParam code, as the plug-in sends it.
LRESULT sendToPlayer(WPARAM wParam, LPARAM code);
LRESULT sendCommand(WPARAM id);
LRESULT addFile(const std::string& path);

} // namespace tg::test
