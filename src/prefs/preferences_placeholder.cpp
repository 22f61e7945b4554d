// Stands in for the Preferences dialog until it is built: a weak definition, so
// the real one replaces it without any other change.
#include "prefs/preferences_dialog.h"

namespace tg {

__attribute__((weak)) void runPreferencesDialog(HWND) {}

} // namespace tg
