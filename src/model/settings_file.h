// The versioned settings file "<ini dir>\Plugins\ml_tg.ini".
#pragma once

#include <string>

namespace tg {

inline constexpr int kSettingsVersion = 9;

// Replaces the definitions and options by the file's, or creates the first-run
// menus and writes them when there is no file.
void readSettings();
// Writes the options and definitions; never leaves a half-written file.
void writeSettings();

// The file's Windows path, "" when the host gives no settings directory.
std::string settingsFilePath();

} // namespace tg
