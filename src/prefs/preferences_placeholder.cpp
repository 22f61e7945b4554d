// Stands in for the Preferences dialog until it is built: returns at once, as
// a dialog the user cancelled would. The dialog's own file replaces this one.
// (A weak definition would let both stand, but mingw's linker does not resolve
// weak definitions from an archive, so this file is deleted instead.)
#include "prefs/preferences_dialog.h"

namespace tg {

void runPreferencesDialog(HWND) {}

} // namespace tg
