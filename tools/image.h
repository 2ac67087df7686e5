#pragma once
// Pictures in memory and on disk for the data tools.
//
// PNG files written here are 8-bit RGBA, non-interlaced, with no time or text chunks, so the same
// pixels always give the same bytes. Black (0, 0, 0) is the game's mask colour: the writer gives
// exactly-black pixels alpha 0 and every other pixel alpha 255, so the files also look right in an
// ordinary viewer; pictures that are not masked (the level) are written fully opaque. Reading and
// writing go through the game's own PNG codec (platform/pixmap.h), so the reader takes what the game takes.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/pixmap.h"

namespace glimmet::tools {

struct Image {
    int w = 0;
    int h = 0;
    std::vector<uint32_t> px;   // 0xRRGGBB, row by row; 0 is the mask colour
    std::vector<uint8_t> alpha; // as read from a file (255 where it had none); empty when drawn
};

Image MakeImage(int w, int h);
uint32_t PixelAt(const Image& img, int x, int y);            // 0 outside the picture
void PutPixel(Image& img, int x, int y, uint32_t rgb);       // ignored outside the picture
void Blit(Image& dst, const Image& src, int x, int y);       // copies every pixel, black included
void BlitMasked(Image& dst, const Image& src, int x, int y); // skips black pixels

uint32_t Rgb(int r, int g, int b); // clamps each channel to 0..255; RedOf, GreenOf, BlueOf read it back

bool WritePng(const std::string& path, const Image& img, bool masked = true);
bool ReadPng(const std::string& path, Image& img); // false (and an empty image) on any failure

// Creates the folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& path);

} // namespace glimmet::tools
