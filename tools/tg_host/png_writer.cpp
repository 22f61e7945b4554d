#include "png_writer.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace tg::testplayer {

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void putBigEndian(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void putChunk(Bytes& out, const char (&type)[5], const Bytes& data) {
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian(out, crc32(out.data() + typeAt, out.size() - typeAt));
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes zlibStored(const Bytes& raw) {
    Bytes out{0x78, 0x01};
    constexpr std::size_t kBlock = 65535;
    std::size_t at = 0;
    do {
        const std::size_t size = std::min(kBlock, raw.size() - at);
        const bool last = at + size == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(size));
        out.push_back(static_cast<std::uint8_t>(size >> 8));
        out.push_back(static_cast<std::uint8_t>(~size));
        out.push_back(static_cast<std::uint8_t>(~size >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + size));
        at += size;
    } while (at < raw.size());
    std::uint32_t a = 1, b = 0; // Adler-32
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBigEndian(out, (b << 16) | a);
    return out;
}

} // namespace

Bytes encodePng(int width, int height, const Bytes& rgb) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    Bytes raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // filter: none
        const auto row =
            rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(y));
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    Bytes header;
    putBigEndian(header, static_cast<std::uint32_t>(width));
    putBigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(),
                  {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, no filter set, no interlace

    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", zlibStored(raw));
    putChunk(png, "IEND", {});
    return png;
}

bool writePng(const std::string& path, int width, int height, const Bytes& rgb) {
    if (width <= 0 || height <= 0 ||
        rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3)
        return false;
    const Bytes png = encodePng(width, height, rgb);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out);
}

} // namespace tg::testplayer
