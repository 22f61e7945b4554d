// A test build of the adapter (TG_RECORD_MENUS) keeps every menu handle it
// creates, so an end-to-end test can count the ones still alive: Wine answers
// 0 to GetGuiResources, so menus cannot be counted from outside the DLL.
#pragma once

#include "platform/types.h"

namespace tg::platform {

#if defined(TG_RECORD_MENUS)
HMENU recordCreatedMenu(HMENU menu);
#else
inline HMENU recordCreatedMenu(HMENU menu) {
    return menu;
}
#endif

} // namespace tg::platform

#if defined(TG_RECORD_MENUS)
// Exported by the test DLL only (tests/wine/ml_tg_test.def).
extern "C" int tgRecordedMenusAlive();   // recorded handles that are still menus
extern "C" int tgRecordedMenusCreated(); // handles recorded since the DLL was loaded
#endif
