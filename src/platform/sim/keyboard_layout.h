// A US keyboard layout: virtual keys to scan codes and the names Windows gives
// the keys, for mapVirtualKey and getKeyNameText.
#pragma once

#include "platform/types.h"

namespace tg::platform::sim::detail {

UINT scanCodeOfKey(UINT virtualKey); // 0 when the layout has no such key
UINT keyOfScanCode(UINT scanCode);   // left and right keys not told apart; 0 when none
const char* keyName(UINT scanCode, bool extended); // null when the key has no name

} // namespace tg::platform::sim::detail
