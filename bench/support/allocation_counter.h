// Heap allocations made by this process, counted where they are made: every
// operator new and every malloc / calloc / realloc the code calls directly.
#pragma once

#include <cstdint>

namespace tg::bench {

std::uint64_t allocationCount();

} // namespace tg::bench
