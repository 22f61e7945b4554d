// The descriptor's three callbacks: start-up, shut-down and the media
// library's notifications.
#pragma once

#include "platform/types.h"

namespace tg {

int pluginInit();
void pluginQuit();
INT_PTR pluginHandleMessage(int type, INT_PTR param1, INT_PTR param2, INT_PTR param3);

} // namespace tg
