#include "prefs/prefs_state.h"

#include "platform/dialog.h"
#include "platform/window.h"

#include <algorithm>

namespace tg {

namespace {
PrefsState& instance() {
    static PrefsState state;
    return state;
}
} // namespace

PrefsState& prefs() {
    return instance();
}

void resetPrefs() {
    instance() = PrefsState{};
}

void startPrefsDialog(HWND dialog) {
    std::erase_if(instance().endingDialogs,
                  [dialog](HWND ended) { return ended == dialog || !platform::isWindow(ended); });
}

void endPrefsDialog(HWND dialog, INT_PTR result) {
    instance().endingDialogs.push_back(dialog);
    platform::endDialog(dialog, result);
}

bool takesCommands(HWND dialog) {
    const PrefsState& state = instance();
    return !state.filling && std::find(state.endingDialogs.begin(), state.endingDialogs.end(),
                                       dialog) == state.endingDialogs.end();
}

} // namespace tg
