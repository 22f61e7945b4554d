// The menu recorder of the test DLL; empty in the shipped one.
#include "platform/win32/menu_recording.h"

#if defined(TG_RECORD_MENUS)

#include "platform/win32/windows_include.h"

#include <algorithm>
#include <vector>

namespace {

// Menus are made on the player's user-interface thread, and the tests ask
// for the counts there too, so no lock is needed.
struct Recorder {
    std::vector<HMENU> handles; // each handle once, even when Windows hands it out again
    int created = 0;
};

Recorder& recorder() {
    static Recorder instance;
    return instance;
}

} // namespace

namespace tg::platform {

HMENU recordCreatedMenu(HMENU menu) {
    if (menu == nullptr) return menu;
    Recorder& r = recorder();
    ++r.created;
    if (std::find(r.handles.begin(), r.handles.end(), menu) == r.handles.end())
        r.handles.push_back(menu);
    return menu;
}

} // namespace tg::platform

extern "C" int tgRecordedMenusAlive() {
    Recorder& r = recorder();
    return static_cast<int>(
        std::count_if(r.handles.begin(), r.handles.end(), [](HMENU m) { return IsMenu(m) != 0; }));
}

extern "C" int tgRecordedMenusCreated() {
    Recorder& r = recorder();
    return r.created;
}

#endif
