// The one way the Win32 adapter includes <windows.h>: the project's own Win32
// names first (they are the same types), then the system headers, whose macros
// then shadow the constants with equal values.
#pragma once

#include "platform/types.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
