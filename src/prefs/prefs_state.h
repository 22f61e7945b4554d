// The preferences dialogs' own state: the guard that silences their command
// notifications while they fill their controls, and what a dialog keeps for
// the length of its run. One instance, reset between tests.
#pragma once

#include "model/menu_definition.h"

#include <optional>

namespace tg {

struct PrefsState {
    // Set while a dialog fills its controls: the notifications that filling
    // sends are not the user's, and change nothing.
    bool filling = false;
    // A Preferences dialog is open; the library asking again does not stack a second.
    bool preferencesOpen = false;
    // The edited definition as the Menu configuration dialog found it.
    std::optional<MenuDefinition> savedDefinition;
};

PrefsState& prefs();
void resetPrefs();

// Sets the guard for its lifetime and puts back what was there before.
class FillingGuard {
public:
    FillingGuard() : previous_(prefs().filling) { prefs().filling = true; }
    ~FillingGuard() { prefs().filling = previous_; }
    FillingGuard(const FillingGuard&) = delete;
    FillingGuard& operator=(const FillingGuard&) = delete;

private:
    bool previous_;
};

} // namespace tg
