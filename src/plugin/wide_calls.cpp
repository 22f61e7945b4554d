#include "plugin/wide_calls.h"

#include "plugin/host_messages.h"

namespace tg {

namespace {
bool offered = false;
} // namespace

bool wideCalls() {
    return offered;
}

void detectWideCalls() {
    offered = host::getIniDirWide() != nullptr;
}

void resetWideCalls() {
    offered = false;
}

} // namespace tg
