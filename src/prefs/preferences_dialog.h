// The Preferences dialog, run modally for the media library's configuration.
#pragma once

#include "platform/types.h"

namespace tg {

void runPreferencesDialog(HWND parent);

} // namespace tg
