// Random track descriptions for property tests: texts built from pieces that
// exercise the label and order rules ("The ", "&", "/", parentheses, spaces,
// digits, case twins, bytes above 127), missing fields and odd numbers.
#pragma once

#include "support/track_samples.h"

#include <random>

namespace tg::test {

std::string randomText(std::mt19937& rng);
TrackValues randomTrack(std::mt19937& rng);

} // namespace tg::test
