#include "image.h"

#include <algorithm>
#include <filesystem>

namespace glimmet::tools {

Image MakeImage(int w, int h) {
    Image img;
    img.w = std::max(w, 0);
    img.h = std::max(h, 0);
    img.px.assign(static_cast<size_t>(img.w) * img.h, 0);
    return img;
}

uint32_t PixelAt(const Image& img, int x, int y) {
    if (x < 0 || y < 0 || x >= img.w || y >= img.h) return 0;
    return img.px[static_cast<size_t>(y) * img.w + x];
}

void PutPixel(Image& img, int x, int y, uint32_t rgb) {
    if (x < 0 || y < 0 || x >= img.w || y >= img.h) return;
    img.px[static_cast<size_t>(y) * img.w + x] = rgb & 0xFFFFFF;
}

void Blit(Image& dst, const Image& src, int x, int y) {
    for (int j = 0; j < src.h; ++j)
        for (int i = 0; i < src.w; ++i) PutPixel(dst, x + i, y + j, PixelAt(src, i, j));
}

void BlitMasked(Image& dst, const Image& src, int x, int y) {
    for (int j = 0; j < src.h; ++j)
        for (int i = 0; i < src.w; ++i) {
            uint32_t c = PixelAt(src, i, j);
            if (c != 0) PutPixel(dst, x + i, y + j, c);
        }
}

uint32_t Rgb(int r, int g, int b) {
    r = std::clamp(r, 0, 255);
    g = std::clamp(g, 0, 255);
    b = std::clamp(b, 0, 255);
    return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

// The files go through the game's own PNG codec, so the tools and the game read pictures alike.
bool WritePng(const std::string& path, const Image& img, bool masked) {
    Pixmap out = CreatePixmap(img.w, img.h);
    if (PixmapEmpty(out)) return false;
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            uint32_t c = PixelAt(img, x, y);
            WritePixel(out, x, y, Argb((masked && c == 0) ? 0 : 255, RedOf(c), GreenOf(c), BlueOf(c)));
        }
    return SavePixmapPng(out, path, 9);
}

bool ReadPng(const std::string& path, Image& img) {
    img = Image{};
    Pixmap in = LoadPixmap(path);
    if (PixmapEmpty(in)) return false;
    img = MakeImage(in.width, in.height);
    img.alpha.assign(img.px.size(), 255);
    for (size_t i = 0; i < in.pixels.size(); ++i) {
        img.px[i] = in.pixels[i] & 0xFFFFFF;
        img.alpha[i] = static_cast<uint8_t>(AlphaOf(in.pixels[i]));
    }
    return true;
}

bool MakeFolders(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

} // namespace glimmet::tools
