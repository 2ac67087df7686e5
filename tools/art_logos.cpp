// The three logos: the game's title, the framework's film-reel mark and the site's tabby lettering.
#include <algorithm>
#include <cmath>

#include "art.h"

namespace glimmet::tools {
namespace {

void Glint(Canvas& c, float x, float y, float s) {
    StarGlint(c, x, y, s, 0.22f, Col(0xFFFFFF));
}

// Letters with a light upper half and a darker lower half, as if lit from above.
Paint Shiny(Colour top, Colour bottom, float y0, float y1) {
    return [=](float, float y) {
        float t = std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f);
        Colour c = t < 0.5f ? Mix(Col(0xFFFFFF), top, 0.35f + t * 1.3f) : Mix(top, bottom, (t - 0.5f) * 2);
        return c;
    };
}

} // namespace

Image TitleLogo() {
    Canvas c = MakeCanvas(640, 240, 3);
    const char* line1 = "Flonder's";
    const char* line2 = "Glimmet";
    float u1 = 9, u2 = 15;
    float x1 = (640 - LetteringWidth(line1, u1)) / 2, y1 = 22;
    float x2 = (640 - LetteringWidth(line2, u2)) / 2, y2 = 100;
    // Shadow first, offset down and right, then the letters over it.
    Lettering(c, line1, x1 + 5, y1 + 6, u1, Flat(Col(0x3A2070)));
    Lettering(c, line2, x2 + 7, y2 + 8, u2, Flat(Col(0x3A2070)));
    Lettering(c, line1, x1, y1, u1, Shiny(Col(0x80D8FF), Col(0x2A70D0), y1, y1 + 7 * u1));
    Lettering(c, line2, x2, y2, u2, Shiny(Col(0xFFD040), Col(0xF06A10), y2, y2 + 7 * u2));
    Outline(c, 4, Ink());
    Glint(c, x2 + 2.5f * u2, y2 + 0.8f * u2, 16);
    Glint(c, x2 + LetteringWidth(line2, u2) - 1.5f * u2, y2 + 5.5f * u2, 12);
    Glint(c, x2 + 14 * u2, y2 + 1.5f * u2, 9);
    Glint(c, x1 + LetteringWidth(line1, u1) + 10, y1 + 8, 10);
    return Resolve(c);
}

Image FrameworkLogo() {
    Canvas c = MakeCanvas(352, 96, 3);
    // A film reel: a disc with five holes, and a strip of film running off it.
    float cx = 48, cy = 48, r = 36;
    Box(c, 48, 70, 344, 88, Flat(Col(0x303040)));
    for (int k = 0; k < 18; ++k)
        Box(c, 56 + static_cast<float>(k) * 16, 74, 64 + static_cast<float>(k) * 16, 78, Flat(Col(0xE0E0F0)));
    Disc(c, cx, cy, r, Ball(cx, cy, r, Col(0xD04040)));
    Erase(c, 0, 0, 96, 96, [=](float x, float y) {
        for (int k = 0; k < 5; ++k) {
            float a = -1.5708f + static_cast<float>(k) * 1.2566f;
            float hx = cx + 21 * std::cos(a), hy = cy + 21 * std::sin(a);
            if ((x - hx) * (x - hx) + (y - hy) * (y - hy) < 64) return true;
        }
        return false;
    });
    Disc(c, cx, cy, 7, Flat(Col(0xF0F0F0)));
    Lettering(c, "REELWORKS", 98, 22, 4.6f, Shiny(Col(0xF0F0FF), Col(0x9090B0), 22, 54));
    Outline(c, 2.5f, Ink());
    return Resolve(c);
}

Image SiteLogo() {
    Canvas c = MakeCanvas(288, 96, 3);
    float u = 6.4f, w = LetteringWidth("BRINDLE", u);
    float x = (288 - w) / 2, y = 26;
    // Tabby stripes across warm amber letters.
    Lettering(c, "BRINDLE", x, y, u, [=](float px, float py) {
        float stripe = std::sin((px * 0.9f + py * 0.5f) * 0.16f);
        Colour base = Mix(Col(0xF8B850), Col(0xB86420), std::clamp((py - y) / (7 * u), 0.0f, 1.0f));
        return stripe > 0.55f ? Scale(base, 0.62f) : base;
    });
    Outline(c, 3, Ink());
    return Resolve(c);
}

} // namespace glimmet::tools
