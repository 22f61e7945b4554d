// A minimal PNG writer: 8-bit RGB, no compression (zlib stored blocks), so a
// screenshot needs no library beyond the standard one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tg::testplayer {

// rgb holds width * height pixels, rows top first, three bytes each.
std::vector<std::uint8_t> encodePng(int width, int height, const std::vector<std::uint8_t>& rgb);
// False when the size does not match or the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);

} // namespace tg::testplayer
