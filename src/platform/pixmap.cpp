// PNG files through libpng. Reading uses libpng's simplified interface, which turns any PNG (palette,
// grey, 16-bit, interlaced, with or without transparency) into 8-bit RGBA and reports damage as a
// plain failure. Writing uses the full interface because only it sets the zlib level; its errors come
// back through setjmp, so the function that calls setjmp holds nothing with a destructor.
#include "platform/pixmap.h"

#include <csetjmp>
#include <cstdio>
#include <png.h>

namespace glimmet {

namespace {

// Larger pictures are refused rather than allocated: no picture of ours comes near this.
constexpr long long MaxPixels = 64LL * 1024 * 1024;

void PngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void PngWarning(png_structp, png_const_charp) {}

// Writes prepared RGBA rows. Only plain data lives in this frame, so the longjmp of an error is safe.
bool WritePngRows(std::FILE* file, int width, int height, png_bytep* rows, int level) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, level);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

Pixmap CreatePixmap(int width, int height) {
    Pixmap pixmap;
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > MaxPixels) return pixmap;
    pixmap.width = width;
    pixmap.height = height;
    pixmap.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    return pixmap;
}

Pixmap LoadPixmap(const std::string& file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) return Pixmap{};
    image.format = PNG_FORMAT_RGBA;
    long long count = static_cast<long long>(image.width) * image.height;
    if (image.width == 0 || image.height == 0 || count > MaxPixels) {
        png_image_free(&image);
        return Pixmap{};
    }
    std::vector<png_byte> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return Pixmap{};
    }
    Pixmap pixmap = CreatePixmap(static_cast<int>(image.width), static_cast<int>(image.height));
    for (size_t i = 0; i < pixmap.pixels.size(); i++) {
        const png_byte* p = &rgba[i * 4];
        pixmap.pixels[i] = Argb(p[3], p[0], p[1], p[2]);
    }
    return pixmap;
}

bool PixmapEmpty(const Pixmap& pixmap) {
    return pixmap.width <= 0 || pixmap.height <= 0;
}

uint32_t ReadPixel(const Pixmap& pixmap, int x, int y) {
    if (x < 0 || y < 0 || x >= pixmap.width || y >= pixmap.height) return 0;
    return pixmap.pixels[static_cast<size_t>(y) * static_cast<size_t>(pixmap.width) + static_cast<size_t>(x)];
}

void WritePixel(Pixmap& pixmap, int x, int y, uint32_t argb) {
    if (x < 0 || y < 0 || x >= pixmap.width || y >= pixmap.height) return;
    pixmap.pixels[static_cast<size_t>(y) * static_cast<size_t>(pixmap.width) + static_cast<size_t>(x)] = argb;
}

bool SavePixmapPng(const Pixmap& pixmap, const std::string& file, int zlibLevel) {
    if (PixmapEmpty(pixmap)) return false;
    std::vector<png_byte> rgba(pixmap.pixels.size() * 4);
    for (size_t i = 0; i < pixmap.pixels.size(); i++) {
        uint32_t p = pixmap.pixels[i];
        rgba[i * 4 + 0] = static_cast<png_byte>(RedOf(p));
        rgba[i * 4 + 1] = static_cast<png_byte>(GreenOf(p));
        rgba[i * 4 + 2] = static_cast<png_byte>(BlueOf(p));
        rgba[i * 4 + 3] = static_cast<png_byte>(AlphaOf(p));
    }
    std::vector<png_bytep> rows(static_cast<size_t>(pixmap.height));
    for (size_t y = 0; y < rows.size(); y++) rows[y] = &rgba[y * static_cast<size_t>(pixmap.width) * 4];

    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) return false;
    int level = zlibLevel < 0 ? 0 : zlibLevel > 9 ? 9 : zlibLevel;
    bool written = WritePngRows(out, pixmap.width, pixmap.height, rows.data(), level);
    bool closed = std::fclose(out) == 0;
    if (!written || !closed) std::remove(file.c_str());
    return written && closed;
}

} // namespace glimmet
