// Pictures of the screen for people reading a test run.
#pragma once

#include "platform/win32/windows_include.h"

#include <string>

namespace tg::testplayer {

// Saves the given screen area (clipped to the screen) as a PNG; the whole
// screen when area is null. Returns an error text, empty on success.
std::string saveScreenPng(const std::string& path, const RECT* area = nullptr);

} // namespace tg::testplayer
