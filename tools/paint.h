#pragma once
// Painting sprites for the data tools: shapes are filled on a supersampled surface, then outlined and
// resolved to pixels. A pixel is opaque when at least half of its samples are covered, and takes the
// mean colour of the covered ones, so edges stay crisp for the mask yet colours blend smoothly.
// Opaque pixels never come out exactly black, since black is the mask colour.

#include <cstdint>
#include <functional>
#include <vector>

#include "image.h"

namespace glimmet::tools {

struct Colour {
    float r = 0, g = 0, b = 0; // 0..255
};

Colour Col(int rgb);                     // from 0xRRGGBB
Colour Mix(Colour a, Colour b, float t); // t = 0 gives a, 1 gives b
Colour Scale(Colour c, float f);         // brightness factor

struct Canvas {
    int w = 0, h = 0, ss = 4;
    std::vector<Colour> col; // w * ss by h * ss samples
    std::vector<uint8_t> on;
};

Canvas MakeCanvas(int w, int h, int ss = 4);

using Shape = std::function<bool(float x, float y)>; // in pixels of the resolved picture
using Paint = std::function<Colour(float x, float y)>;

// Fills the samples inside the box (x0, y0)-(x1, y1) for which inside holds.
void Fill(Canvas& c, float x0, float y0, float x1, float y1, const Shape& inside, const Paint& paint);
void Erase(Canvas& c, float x0, float y0, float x1, float y1, const Shape& inside);

Paint Flat(Colour c);
Paint VGrad(Colour top, Colour bottom, float y0, float y1);
// A lit sphere: light from the upper left, a soft shadow side and a small highlight.
Paint Ball(float cx, float cy, float r, Colour base);

void Disc(Canvas& c, float cx, float cy, float r, const Paint& p);
void Ellipse(Canvas& c, float cx, float cy, float rx, float ry, const Paint& p);
void Box(Canvas& c, float x0, float y0, float x1, float y1, const Paint& p);
void RoundBox(Canvas& c, float x0, float y0, float x1, float y1, float r, const Paint& p);
void Line(Canvas& c, float x0, float y0, float x1, float y1, float width, const Paint& p);
struct Pt {
    float x, y;
};
void Poly(Canvas& c, const std::vector<Pt>& pts, const Paint& p);
// A four-pointed star of radius s centred on (x, y); waist is how far (as a share of s) its inner
// corners stand from the centre along each diagonal axis.
void StarGlint(Canvas& c, float x, float y, float s, float waist, Colour col);
// A box whose top and left edges are lighter and bottom and right edges darker.
void Bevel(Canvas& c, float x0, float y0, float x1, float y1, float edge, Colour base);

// Adds an outline of the given width (in pixels) around everything painted so far.
void Outline(Canvas& c, float width, Colour colour);

Image Resolve(const Canvas& c);

// Value noise that repeats every `period` units on both axes; 0..1.
float TileNoise(float x, float y, int period, uint32_t seed);

} // namespace glimmet::tools
