// No exception may leave the plug-in for the player or Windows: it would unwind
// through frames that know nothing of it. Every function they call runs its
// body through guarded, and a failure answers as if the plug-in had not
// claimed the call.
#pragma once

#include <utility>

namespace tg {

template <typename Result, typename Body> Result guarded(Result unclaimed, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return unclaimed;
    }
}

// A step that answers nothing; true when it ran to its end.
template <typename Body> bool guarded(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace tg
