#include "plugin/plugin_state.h"

#include "actions/plugin_playlist.h"
#include "menus/multi_level_order.h"
#include "model/model_state.h"
#include "plugin/descriptor.h"
#include "plugin/frame_state.h"
#include "plugin/record_layout.h"
#include "plugin/wide_calls.h"
#include "prefs/prefs_state.h"

namespace tg {

void resetPluginState() {
    resetModel();
    resetPrefs();
    resetPluginPlaylistState();
    resetFrame();
    resetMultiLevelOrderState();
    resetRecordLayout();
    resetWideCalls();
    // The player writes these before init; a process that booted one must not
    // hand its dead windows to the next.
    LibraryPluginDescriptor& d = descriptor();
    d.hostWindow = nullptr;
    d.libraryWindow = nullptr;
    d.moduleInstance = nullptr;
}

} // namespace tg
