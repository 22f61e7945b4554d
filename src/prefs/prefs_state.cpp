#include "prefs/prefs_state.h"

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

} // namespace tg
