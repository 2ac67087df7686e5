#pragma once
// The game's pictures, each drawn by code from a few shapes, in one consistent palette: dark navy
// outlines, light from the upper left, warm player, cool ice-blue stone.

#include "image.h"
#include "paint.h"

namespace glimmet::tools {

// Palette shared by every picture.
inline Colour Ink() {
    return Col(0x1C1440);
} // outlines
inline Colour Snow() {
    return Col(0xF4F8FF);
}

Image TileSheet();     // gfx.png: 10 x 10 frames of 32 x 32
Image IconStrip();     // icons.png: 8 x 8 frames of 16 x 16
Image MenuArt();       // menu.png: 4 frames of 64 x 64 in a row
Image BadgeStrip();    // badges.png: 4 x 4 frames of 64 x 64
Image Backdrop();      // wall.png: 512 x 512, repeats without seams
Image TitleLogo();     // the game's title
Image FrameworkLogo(); // the framework's logo
Image SiteLogo();      // the site logo

// Frame k of a strip of frames fw x fh laid out `across` per row.
void PutFrame(Image& strip, int k, int across, const Image& frame);

// Blocky lettering: upper-case letters, digits and a few signs, drawn as rounded pixels.
void Lettering(Canvas& c, const char* text, float x, float y, float unit, const Paint& p);
float LetteringWidth(const char* text, float unit);

} // namespace glimmet::tools
