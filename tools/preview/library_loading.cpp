#include "library_loading.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <streambuf>
#include <string>

namespace tg::preview {

namespace {

// A read-only stream buffer over a file that reports how many bytes it has
// handed out so far.
class CountingBuffer : public std::streambuf {
public:
    CountingBuffer(std::filebuf& file, std::function<void(std::uintmax_t)> onRead)
        : file_(file), onRead_(std::move(onRead)) {}

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        const std::streamsize got = file_.sgetn(buffer_.data(), buffer_.size());
        if (got <= 0) return traits_type::eof();
        read_ += static_cast<std::uintmax_t>(got);
        onRead_(read_);
        setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
        return traits_type::to_int_type(*gptr());
    }

private:
    std::filebuf& file_;
    std::function<void(std::uintmax_t)> onRead_;
    std::array<char, 1 << 16> buffer_{};
    std::uintmax_t read_ = 0;
};

std::string megabytes(std::uintmax_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

} // namespace

player::LoadResult loadLibraryWithProgress(const std::filesystem::path& file,
                                           std::ostream& progress, bool terminal,
                                           std::vector<player::Track>& tracks) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size < kLargeLibraryBytes) return player::loadLibraryFile(file.string(), tracks);

    std::filebuf raw;
    if (raw.open(file, std::ios::in | std::ios::binary) == nullptr)
        return {false, file.string() + ": cannot open"};
    const std::string name = file.filename().string();
    const auto started = std::chrono::steady_clock::now();
    int shownPercent = -1;
    if (!terminal) progress << "loading library " << name << " (" << megabytes(size) << ")...\n";
    CountingBuffer counting(raw, [&](std::uintmax_t read) {
        if (!terminal) return;
        const int percent = static_cast<int>(read * 100 / size);
        if (percent == shownPercent) return;
        shownPercent = percent;
        progress << "\rloading library " << name << " (" << megabytes(size) << "): " << percent
                 << "%" << std::flush;
    });
    std::istream in(&counting);
    player::LoadResult result = player::readLibrary(in, file.string(), tracks);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    char done[96];
    std::snprintf(done, sizeof done, "%zu tracks in %.1f s", tracks.size(), seconds);
    if (terminal) progress << '\r';
    if (result.ok)
        progress << "loaded library " << name << ": " << done << '\n';
    else
        progress << "loading library " << name << " failed\n";
    return result;
}

} // namespace tg::preview
