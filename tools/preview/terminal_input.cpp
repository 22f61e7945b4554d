#include "terminal_input.h"

#include <cerrno>
#include <unistd.h>

namespace tg::preview {

UnbufferedInput::int_type UnbufferedInput::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    for (;;) {
        const ssize_t got = ::read(descriptor_, byte_.data(), 1);
        if (got == 1) break;
        if (got < 0 && errno == EINTR) continue;
        return traits_type::eof();
    }
    setg(byte_.data(), byte_.data(), byte_.data() + 1);
    return traits_type::to_int_type(byte_[0]);
}

} // namespace tg::preview
