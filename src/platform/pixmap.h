#pragma once
// Pixel images held on the CPU: PNG pictures loaded as 32-bit ARGB, read and written pixel by pixel,
// and saved as PNG (screenshots). Images drawn on the display (image.h) are loaded through the same
// reader.

#include <cstdint>
#include <string>
#include <vector>

namespace glimmet {

// Rows top to bottom, each pixel 0xAARRGGBB. An empty pixmap (0 x 0) stands for a missing picture.
struct Pixmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

Pixmap CreatePixmap(int width, int height); // all pixels 0 (transparent black); empty for a size <= 0
Pixmap LoadPixmap(const std::string& file); // empty when the file is missing, damaged or not a PNG
bool PixmapEmpty(const Pixmap& pixmap);

uint32_t ReadPixel(const Pixmap& pixmap, int x, int y);       // 0 outside the pixmap
void WritePixel(Pixmap& pixmap, int x, int y, uint32_t argb); // ignored outside the pixmap
bool SavePixmapPng(const Pixmap& pixmap, const std::string& file, int zlibLevel); // false on any failure

constexpr uint32_t Argb(int a, int r, int g, int b) {
    return (static_cast<uint32_t>(a & 255) << 24) | (static_cast<uint32_t>(r & 255) << 16) |
           (static_cast<uint32_t>(g & 255) << 8) | static_cast<uint32_t>(b & 255);
}
constexpr int AlphaOf(uint32_t argb) {
    return static_cast<int>(argb >> 24);
}
constexpr int RedOf(uint32_t argb) {
    return static_cast<int>((argb >> 16) & 255);
}
constexpr int GreenOf(uint32_t argb) {
    return static_cast<int>((argb >> 8) & 255);
}
constexpr int BlueOf(uint32_t argb) {
    return static_cast<int>(argb & 255);
}

} // namespace glimmet
