// The preferences dialogs' own state: the guard that silences their command
// notifications while they fill their controls, and what a dialog keeps for
// the length of its run. One instance, reset between tests.
#pragma once

#include "model/menu_definition.h"
#include "platform/types.h"

#include <optional>
#include <vector>

namespace tg {

struct PrefsState {
    // Set while a dialog fills its controls: the notifications that filling
    // sends are not the user's, and change nothing.
    bool filling = false;
    // A Preferences dialog is open; the library asking again does not stack a second.
    bool preferencesOpen = false;
    // The edited definition as the Menu configuration dialog found it.
    std::optional<MenuDefinition> savedDefinition;
    // Dialogs told to end. While user32 closes one, the control that had the
    // focus still reports losing it: that report is not the user's, and acting
    // on it would undo what OK or Cancel just did.
    std::vector<HWND> endingDialogs;
};

PrefsState& prefs();
void resetPrefs();

// At WM_INITDIALOG: the dialog takes commands (it may have the handle of one
// that ended before).
void startPrefsDialog(HWND dialog);
// Ends the dialog; its command notifications are ignored from here on.
void endPrefsDialog(HWND dialog, INT_PTR result);
// Whether a command notification of the dialog is the user's: not while a
// dialog fills its controls, nor once this one is ending.
bool takesCommands(HWND dialog);

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
