// Keys from a terminal, one byte per read: nothing waits in a stream buffer,
// so polling the descriptor tells whether more of an escape sequence follows.
#pragma once

#include <array>
#include <streambuf>

namespace tg::preview {

class UnbufferedInput : public std::streambuf {
public:
    explicit UnbufferedInput(int descriptor) : descriptor_(descriptor) {}

protected:
    int_type underflow() override;

private:
    int descriptor_;
    std::array<char, 1> byte_{};
};

} // namespace tg::preview
