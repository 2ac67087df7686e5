#pragma once
// Images on the display: single pictures and animation strips loaded from PNG files, drawn under the
// drawing state of draw.h, and tested for pixel-exact overlap.
//
// An image is an int handle; 0 is the empty image, which is what a missing or damaged file gives: it
// draws nothing, has size 0 and overlaps nothing. A strip is cut into frames of a fixed size, left to
// right and top to bottom, numbered from 0. Every image keeps its pixels on the CPU as well as in one
// texture holding all its frames. Images belong to the open display (CloseDisplay frees them).

#include <cstdint>
#include <string>

#include "platform/pixmap.h"

namespace glimmet {

constexpr int ImageMasked = 1;   // black (0, 0, 0) pixels are transparent
constexpr int ImageFiltered = 2; // smoothed (linear) when scaled

// With centre handles on, images loaded from now on are drawn and turned about their centre; with it
// off, about their top-left corner.
void SetCentreHandles(bool on);

int LoadImage(const std::string& file, int flags);
// Frames of frameW x frameH from the picture, starting at frame first; count is cut down to the frames
// the picture holds. Returns 0 when the file is unusable or holds no such frame.
int LoadAnimImage(const std::string& file, int frameW, int frameH, int first, int count, int flags);
int ImageFromPixmap(const Pixmap& pixmap, int flags); // one frame, a copy of the pixmap
int CreateImage(int width, int height, int flags);    // one frame, transparent black
void FreeImage(int image);

int ImageWidth(int image); // of one frame; 0 for the empty image
int ImageHeight(int image);
int ImageFrames(int image);
uint32_t ImagePixel(int image, int frame, int x, int y); // ARGB after masking; 0 outside

// Copies the display's last drawn frame at (x, y), in display pixels, into frame 0 of the image.
void GrabImage(int image, int x, int y);

// Draws a frame with its handle at (x, y). A draw is never skipped for an alpha of 0.
void DrawImage(int image, float x, float y, int frame);

// Whether the two frames, drawn with their handles at (xA, yA) and (xB, yB) under the current scale and
// rotation, share a point covered by a non-transparent pixel of each.
bool ImagesOverlap(int imageA, int frameA, float xA, float yA, int imageB, int frameB, float xB, float yB);

} // namespace glimmet
