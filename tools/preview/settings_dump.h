// The options and menus the plug-in read from its settings file.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace tg::preview {

struct SettingsOrigin {
    std::string file;      // the file's Windows path
    bool firstRun = false; // there was none: the first-run menus were made and written
};

// "Ctrl+Alt+T" for a stored hotkey code (key in bits 0-7, Shift 0x100, Ctrl
// 0x200, Alt 0x400, Win 0x800); "none" for 0.
std::string hotkeyText(std::int32_t code);

// The model as it stands: every option by name, then each menu with its fields.
void printSettings(std::ostream& out, const SettingsOrigin& origin);
void printSettingsJson(std::ostream& out, const SettingsOrigin& origin);

} // namespace tg::preview
