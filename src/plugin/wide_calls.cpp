#include "plugin/wide_calls.h"

#include "platform/text_encoding.h"
#include "platform/window.h"
#include "plugin/host_contract.h"
#include "plugin/host_handles.h"

namespace tg {

namespace {
bool offered = false;
} // namespace

bool wideCalls() {
    return offered;
}

void detectWideCalls() {
    // Asked directly: the operations in host_messages depend on the answer.
    const HWND player = playerWindow();
    offered =
        player != nullptr && platform::sendMessage(player, WM_USER, 0, HOST_GET_INI_DIR_WIDE) != 0;
    platform::setUtf8Texts(offered);
}

void resetWideCalls() {
    offered = false;
    platform::setUtf8Texts(false);
}

} // namespace tg
