// The framework's icon strip: 64 frames of 16 x 16. Icons are light grey and white so that the colour
// a screen draws them with tints them; outlines are dark navy.
//   0 sprite of the engine test        7 point of the score timeline
//   3 key cap   8 joystick hat   9 joystick axis   10 joystick button
//   11 4:3 screen   12 widescreen   13 windowed   14 fullscreen
//   18, 19, 20 the three option marks (one, two, three pips)
//   21, 22 left and right half of a slider bar   23 slider knob
//   24..29 the six audio drivers (a speaker with one to six pips)
//   63 the mouse pointer, its tip in the top-left corner
#include <cmath>

#include "art.h"

namespace glimmet::tools {
namespace {

const Colour Light = Col(0xE4EAF4);
const Colour Mid = Col(0xA8B4CC);
const Colour Accent = Col(0x7CD8FF);

Canvas Icon() {
    return MakeCanvas(16, 16, 8);
}

Image Done(Canvas& c) {
    Outline(c, 1.0f, Ink());
    return Resolve(c);
}

Image Star() {
    Canvas c = Icon();
    std::vector<Pt> pts;
    for (int k = 0; k < 10; ++k) {
        float a = -1.5708f + static_cast<float>(k) * 0.6283f;
        float r = k % 2 == 0 ? 6.8f : 2.9f;
        pts.push_back({8 + r * std::cos(a), 8.4f + r * std::sin(a)});
    }
    Poly(c, pts, VGrad(Snow(), Col(0xFFD040), 2, 14));
    return Done(c);
}

Image TimelinePoint() {
    Canvas c = Icon();
    Disc(c, 8, 8, 4.5f, Ball(8, 8, 4.5f, Snow()));
    return Done(c);
}

Image KeyCap() {
    Canvas c = Icon();
    RoundBox(c, 1.5f, 2, 14.5f, 14.5f, 2.5f, Flat(Mid));
    RoundBox(c, 3, 3, 13, 11.5f, 2, VGrad(Snow(), Light, 3, 11.5f));
    return Done(c);
}

Image Hat() {
    Canvas c = Icon();
    Box(c, 5.5f, 1.5f, 10.5f, 14.5f, Flat(Light));
    Box(c, 1.5f, 5.5f, 14.5f, 10.5f, Flat(Light));
    Disc(c, 8, 8, 1.6f, Flat(Mid));
    Poly(c, {{8, 2.5f}, {9.8f, 4.6f}, {6.2f, 4.6f}}, Flat(Accent));
    Poly(c, {{8, 13.5f}, {9.8f, 11.4f}, {6.2f, 11.4f}}, Flat(Mid));
    Poly(c, {{2.5f, 8}, {4.6f, 6.2f}, {4.6f, 9.8f}}, Flat(Mid));
    Poly(c, {{13.5f, 8}, {11.4f, 6.2f}, {11.4f, 9.8f}}, Flat(Mid));
    return Done(c);
}

Image Axis() {
    Canvas c = Icon();
    Ellipse(c, 8, 12.5f, 6, 2.2f, Flat(Mid));
    Line(c, 8, 12, 10.5f, 5.5f, 1.8f, Flat(Light));
    Disc(c, 10.8f, 4.6f, 3, Ball(10.8f, 4.6f, 3, Col(0xFF6A5A)));
    return Done(c);
}

Image Button() {
    Canvas c = Icon();
    Ellipse(c, 8, 10, 6.5f, 4, Flat(Mid));
    Ellipse(c, 8, 8, 6, 4, Ball(7, 6.5f, 6.5f, Light));
    return Done(c);
}

Image Screen(float w, float h) {
    Canvas c = Icon();
    float x0 = 8 - w / 2, y0 = 7 - h / 2;
    RoundBox(c, x0, y0, x0 + w, y0 + h, 1, Flat(Light));
    Box(c, x0 + 1.2f, y0 + 1.2f, x0 + w - 1.2f, y0 + h - 1.2f, VGrad(Accent, Col(0x3A70C0), y0, y0 + h));
    Box(c, 6.5f, y0 + h, 9.5f, y0 + h + 1.5f, Flat(Mid));
    Box(c, 4.5f, y0 + h + 1.5f, 11.5f, y0 + h + 2.5f, Flat(Mid));
    return Done(c);
}

Image Windowed() {
    Canvas c = Icon();
    Box(c, 1.5f, 2.5f, 14.5f, 13.5f, Flat(Light));
    Box(c, 1.5f, 2.5f, 14.5f, 5, Flat(Accent));
    Box(c, 3, 6.2f, 13, 12.2f, Flat(Mid));
    Disc(c, 12.6f, 3.7f, 0.7f, Flat(Col(0xFF5050)));
    return Done(c);
}

Image Fullscreen() {
    Canvas c = Icon();
    Box(c, 3.5f, 3.5f, 12.5f, 12.5f, Flat(Mid));
    for (int k = 0; k < 4; ++k) {
        float sx = k % 2 == 0 ? 1.5f : 14.5f, sy = k < 2 ? 1.5f : 14.5f;
        float dx = k % 2 == 0 ? 1 : -1, dy = k < 2 ? 1 : -1;
        Poly(c, {{sx, sy}, {sx + dx * 5, sy}, {sx, sy + dy * 5}}, Flat(Light));
    }
    return Done(c);
}

void Pips(Canvas& c, int n, float cx, float cy, float r) {
    for (int i = 0; i < n; ++i) {
        float a = -1.5708f + static_cast<float>(i) * 6.2832f / static_cast<float>(n);
        float d = n == 1 ? 0.0f : r;
        Disc(c, cx + d * std::cos(a), cy + d * std::sin(a), n > 3 ? 1.1f : 1.5f, Flat(Ink()));
    }
}

Image OptionMark(int n) {
    Canvas c = Icon();
    Disc(c, 8, 8, 6.5f, Ball(8, 8, 6.5f, Light));
    Pips(c, n, 8, 8, 2.9f);
    return Done(c);
}

Image SliderHalf(bool left) {
    Canvas c = Icon();
    if (left) {
        RoundBox(c, 1, 5.5f, 24, 10.5f, 2.5f, VGrad(Snow(), Accent, 5.5f, 10.5f));
    } else {
        RoundBox(c, -8, 5.5f, 15, 10.5f, 2.5f, VGrad(Mid, Col(0x6A7490), 5.5f, 10.5f));
    }
    Outline(c, 1.0f, Ink());
    return Resolve(c);
}

Image Knob() {
    Canvas c = Icon();
    Disc(c, 8, 8, 5.5f, Ball(8, 8, 5.5f, Snow()));
    Disc(c, 8, 8, 1.4f, Flat(Accent));
    return Done(c);
}

Image AudioDriver(int n) {
    Canvas c = Icon();
    Box(c, 1.5f, 5.5f, 4.5f, 10.5f, Flat(Mid));
    Poly(c, {{4, 5.5f}, {8, 2}, {8, 14}, {4, 10.5f}}, Flat(Light));
    Outline(c, 1.0f, Ink());
    // One to six pips beside the speaker, in two columns.
    for (int i = 0; i < n; ++i) {
        float x = 11 + static_cast<float>(i / 3) * 3.2f, y = 4 + static_cast<float>(i % 3) * 4;
        Disc(c, x, y, 1.35f, Flat(Accent));
    }
    return Resolve(c);
}

// The pointer: its tip is pixel (0, 0), which the frame's top-left corner marks.
Image Pointer() {
    Canvas c = Icon();
    Poly(c, {{1, 1}, {1, 13.2f}, {4.1f, 10.2f}, {6.6f, 15}, {8.6f, 14}, {6.2f, 9.4f}, {10.4f, 9.4f}},
         VGrad(Snow(), Light, 1, 14));
    Outline(c, 1.0f, Ink());
    Image img = Resolve(c);
    PutPixel(img, 0, 0, Rgb(0x1C, 0x14, 0x40)); // the hot spot is always opaque
    return img;
}

} // namespace

Image IconStrip() {
    Image strip = MakeImage(128, 128);
    PutFrame(strip, 0, 8, Star());
    PutFrame(strip, 3, 8, KeyCap());
    PutFrame(strip, 7, 8, TimelinePoint());
    PutFrame(strip, 8, 8, Hat());
    PutFrame(strip, 9, 8, Axis());
    PutFrame(strip, 10, 8, Button());
    PutFrame(strip, 11, 8, Screen(12, 9));
    PutFrame(strip, 12, 8, Screen(15, 8));
    PutFrame(strip, 13, 8, Windowed());
    PutFrame(strip, 14, 8, Fullscreen());
    for (int n = 1; n <= 3; ++n) PutFrame(strip, 17 + n, 8, OptionMark(n));
    PutFrame(strip, 21, 8, SliderHalf(true));
    PutFrame(strip, 22, 8, SliderHalf(false));
    PutFrame(strip, 23, 8, Knob());
    for (int n = 1; n <= 6; ++n) PutFrame(strip, 23 + n, 8, AudioDriver(n));
    PutFrame(strip, 63, 8, Pointer());
    return strip;
}

} // namespace glimmet::tools
