// A small library of the texts that break careless menu code: quotes, "The "
// prefixes, double spaces, "&", "/", "->", parentheses, long values, empty
// fields, case twins, accents, and numbers at their limits.
#pragma once

#include "player/track.h"

#include <cstdint>
#include <vector>

namespace tg::menucases {

std::vector<player::Track> hostileLibrary(std::uint64_t seed);

} // namespace tg::menucases
