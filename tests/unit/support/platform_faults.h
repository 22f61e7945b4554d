// For tests that provoke a platform fault on purpose: takes the faults now, so
// the test main does not fail the test for them, and tells how many mention a word.
#pragma once

#include "platform/sim/inspect.h"

#include <string>

namespace tg::test {

inline int takeFaultsMentioning(const std::string& word) {
    int count = 0;
    for (const std::string& fault : platform::sim::takeFaults())
        if (fault.find(word) != std::string::npos) ++count;
    return count;
}

} // namespace tg::test
