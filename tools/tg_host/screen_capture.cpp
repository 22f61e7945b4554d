#include "screen_capture.h"

#include "png_writer.h"

#include <cstdint>
#include <vector>

namespace tg::testplayer {

std::string saveScreenPng(const std::string& path, const RECT* area) {
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT wanted = area ? *area : screen;
    RECT clipped;
    if (!IntersectRect(&clipped, &wanted, &screen)) return "the area lies outside the screen";
    const int width = clipped.right - clipped.left;
    const int height = clipped.bottom - clipped.top;

    HDC screenDc = GetDC(nullptr);
    HDC memoryDc = CreateCompatibleDC(screenDc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows top first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::string error;
    if (!bitmap || !bits) {
        error = "cannot make a bitmap of " + std::to_string(width) + "x" + std::to_string(height);
    } else {
        HGDIOBJ old = SelectObject(memoryDc, bitmap);
        if (!BitBlt(memoryDc, 0, 0, width, height, screenDc, clipped.left, clipped.top, SRCCOPY))
            error = "BitBlt failed (error " + std::to_string(GetLastError()) + ")";
        SelectObject(memoryDc, old);
        GdiFlush();
        if (error.empty()) {
            const auto* pixels = static_cast<const std::uint8_t*>(bits); // B, G, R, unused
            std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
            for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i) {
                rgb[i * 3] = pixels[i * 4 + 2];
                rgb[i * 3 + 1] = pixels[i * 4 + 1];
                rgb[i * 3 + 2] = pixels[i * 4];
            }
            if (!writePng(path, width, height, rgb)) error = "cannot write " + path;
        }
        DeleteObject(bitmap);
    }
    DeleteDC(memoryDc);
    ReleaseDC(nullptr, screenDc);
    return error;
}

} // namespace tg::testplayer
