#include "plugin/frame_state.h"

namespace tg {

namespace {
FrameState& instance() {
    static FrameState state;
    return state;
}
} // namespace

FrameState& frame() {
    return instance();
}

void resetFrame() {
    instance() = FrameState{};
}

} // namespace tg
