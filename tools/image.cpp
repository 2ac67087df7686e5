#include "image.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
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

int RedOf(uint32_t rgb) {
    return static_cast<int>((rgb >> 16) & 0xFF);
}
int GreenOf(uint32_t rgb) {
    return static_cast<int>((rgb >> 8) & 0xFF);
}
int BlueOf(uint32_t rgb) {
    return static_cast<int>(rgb & 0xFF);
}

bool WritePng(const std::string& path, const Image& img, bool masked) {
    if (img.w <= 0 || img.h <= 0) return false;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    std::vector<png_byte> row(static_cast<size_t>(img.w) * 4);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(img.w), static_cast<png_uint_32>(img.h), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            uint32_t c = PixelAt(img, x, y);
            png_byte* p = &row[static_cast<size_t>(x) * 4];
            p[0] = static_cast<png_byte>(RedOf(c));
            p[1] = static_cast<png_byte>(GreenOf(c));
            p[2] = static_cast<png_byte>(BlueOf(c));
            p[3] = (masked && c == 0) ? 0 : 255;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

bool ReadPng(const std::string& path, Image& img) {
    img = Image{};
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        return false;
    }
    // Everything with a destructor exists before setjmp, so a libpng error jumps over nothing.
    std::vector<png_byte> row;
    std::vector<png_byte*> rows;
    Image out;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    int w = static_cast<int>(png_get_image_width(png, info));
    int h = static_cast<int>(png_get_image_height(png, info));
    if (w <= 0 || h <= 0 || w > 16384 || h > 16384 ||
        png_get_rowbytes(png, info) != static_cast<size_t>(w) * 4)
        png_error(png, "unsupported picture");
    out = MakeImage(w, h);
    out.alpha.assign(out.px.size(), 255);
    row.resize(static_cast<size_t>(w) * h * 4);
    rows.resize(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) rows[static_cast<size_t>(y)] = &row[static_cast<size_t>(y) * w * 4];
    (void)passes; // png_read_image runs every pass itself
    png_read_image(png, rows.data());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const png_byte* p = &row[(static_cast<size_t>(y) * w + x) * 4];
            out.px[static_cast<size_t>(y) * w + x] = Rgb(p[0], p[1], p[2]);
            out.alpha[static_cast<size_t>(y) * w + x] = p[3];
        }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    img = std::move(out);
    return true;
}

bool MakeFolders(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

} // namespace glimmet::tools
