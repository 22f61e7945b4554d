#include "plugin/wide_calls.h"

#include "platform/text_encoding.h"
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
    platform::setUtf8Texts(offered);
}

void resetWideCalls() {
    offered = false;
    platform::setUtf8Texts(false);
}

} // namespace tg
