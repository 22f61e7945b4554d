#include "platform/text_encoding.h"

#include <atomic>

namespace tg::platform {

namespace {
std::atomic<bool> utf8{false};
} // namespace

void setUtf8Texts(bool on) {
    utf8 = on;
}
bool utf8Texts() {
    return utf8;
}

} // namespace tg::platform
