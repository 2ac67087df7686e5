// The title screen's landscape (menu.png), the badge strip and the backdrop tile.
//
// Menu art: three layers the title screen draws huge (frame 0 at 24 times, frames 1 and 2 at 14
// times) over the moving backdrop, so they are built of a few large, smooth shapes with clear
// outlines: frame 0 far mountains under a moon, frame 1 a pine-topped cliff on the left, frame 2 the
// crystal ground in front; frame 3 is a spare cloud.
#include <algorithm>
#include <cmath>

#include "art.h"

namespace glimmet::tools {
namespace {

constexpr float Pi = 3.14159265f;

Image FarMountains() {
    Canvas c = MakeCanvas(64, 64, 6);
    // Moon with two craters.
    Disc(c, 46, 19, 6.5f, Ball(46, 19, 6.5f, Col(0xFFF2C0)));
    Disc(c, 44, 17, 1.4f, Flat(Col(0xE8D8A0)));
    Disc(c, 48.5f, 21.5f, 1.0f, Flat(Col(0xE8D8A0)));
    // Two ranges, the far one paler.
    std::vector<Pt> far = {{0, 64},  {0, 38},  {8, 31},  {15, 36}, {24, 27}, {33, 35},
                           {40, 30}, {50, 37}, {58, 31}, {64, 35}, {64, 64}};
    Poly(c, far, VGrad(Col(0x8C84D8), Col(0x4A3E98), 27, 52));
    std::vector<Pt> snow = {{24, 27}, {27.5f, 30.5f}, {25.5f, 30}, {24, 31.5f}, {22, 29.6f}, {20.5f, 30.6f}};
    Poly(c, snow, Flat(Col(0xF0F0FF)));
    Poly(c, {{8, 31}, {10.5f, 33.2f}, {8.5f, 33}, {6.8f, 34.3f}, {5.6f, 33.4f}}, Flat(Col(0xF0F0FF)));
    Poly(c, {{58, 31}, {60.5f, 33}, {58.5f, 32.8f}, {56.5f, 34}, {55.2f, 33.2f}}, Flat(Col(0xF0F0FF)));
    std::vector<Pt> nearRange = {{0, 64},  {0, 46},  {11, 39}, {19, 45}, {29, 40},
                                 {38, 47}, {47, 41}, {56, 46}, {64, 42}, {64, 64}};
    Poly(c, nearRange, VGrad(Col(0x5A4CB0), Col(0x2E2468), 39, 58));
    Outline(c, 0.5f, Col(0x1C1440));
    return Resolve(c);
}

Image Cliff() {
    Canvas c = MakeCanvas(64, 64, 6);
    std::vector<Pt> rock = {{0, 64},  {0, 30},  {6, 28},  {14, 31}, {22, 36},
                            {27, 44}, {31, 52}, {36, 58}, {44, 62}, {50, 64}};
    Poly(c, rock, [](float x, float y) {
        Colour top = Col(0x3E9A6A), deep = Col(0x1E4A50);
        float t = std::clamp((y - 28) / 30, 0.0f, 1.0f);
        Colour g = Mix(top, deep, t);
        return std::sin(x * 0.9f + y * 0.4f) > 0.8f ? Scale(g, 0.88f) : g;
    });
    // Pines: stacked triangles on trunks.
    const float pines[][3] = {{5, 28, 1.0f}, {12, 30.5f, 0.8f}, {19, 34, 0.65f}};
    for (const auto& p : pines) {
        float x = p[0], y = p[1], s = p[2];
        Box(c, x - 0.8f * s, y - 3 * s, x + 0.8f * s, y + 0.5f, Flat(Col(0x5A3420)));
        for (int k = 0; k < 3; ++k) {
            float ty = y - 3 * s - static_cast<float>(k) * 3.4f * s, w = (5.0f - static_cast<float>(k)) * s;
            Poly(c, {{x - w, ty}, {x, ty - 5.5f * s}, {x + w, ty}},
                 VGrad(Col(0x58C080), Col(0x1E6A48), ty - 5.5f * s, ty));
        }
    }
    // A little crystal cluster glowing in the rock.
    Poly(c, {{24, 50}, {25.5f, 43}, {27, 50}}, VGrad(Col(0xC0F4FF), Col(0x40A0F0), 43, 50));
    Poly(c, {{26.5f, 51}, {29, 45.5f}, {30, 52}}, VGrad(Col(0xFFC0F0), Col(0xD050C0), 45, 52));
    Outline(c, 0.5f, Col(0x1C1440));
    return Resolve(c);
}

// A floating island of crystal rock, kept inside the frame so that no edge of the layer shows.
Image CrystalGround() {
    Canvas c = MakeCanvas(64, 64, 6);
    Fill(
        c, 2, 42, 62, 63,
        [](float x, float y) {
            float top = 46.0f + 1.6f * std::sin(x * 0.2f) + 0.8f * std::sin(x * 0.53f + 1);
            float u = (x - 32) / 29;
            float bottom =
                49.0f + 12.0f * std::sqrt(std::max(0.0f, 1 - u * u)) - 2.0f * std::fabs(std::sin(x * 0.35f));
            return x > 3 && x < 61 && y >= top && y <= bottom;
        },
        [](float x, float y) {
            Colour c = y < 49.5f ? Col(0xA070E0)
                                 : Mix(Col(0x6A44B0), Col(0x2E1E60), std::clamp((y - 49) / 12, 0.0f, 1.0f));
            return std::sin(x * 0.8f - y * 0.6f) > 0.85f ? Scale(c, 0.85f) : c;
        });
    // Crystal spires on the island: tall at both ends, small ones between, the middle left open.
    struct Spire {
        float x, base, top, w;
        int colour;
    };
    const Spire spires[] = {{8, 48, 28, 3.0f, 0x60D8FF},     {13, 48, 36, 2.3f, 0xFF70D0},
                            {17.5f, 48, 41, 1.7f, 0xFFD040}, {57, 48, 30, 2.8f, 0x70F0A0},
                            {52, 48, 38, 2.2f, 0x60D8FF},    {47.5f, 48, 42, 1.6f, 0xFF70D0},
                            {28, 47, 43, 1.3f, 0xFFD040},    {36, 47, 44, 1.1f, 0x60D8FF}};
    for (const Spire& s : spires) {
        Colour base = Col(s.colour);
        Poly(c,
             {{s.x - s.w, s.base},
              {s.x - s.w, s.top + s.w * 1.6f},
              {s.x, s.top},
              {s.x + s.w, s.top + s.w * 1.6f},
              {s.x + s.w, s.base}},
             [=](float x, float) { return x < s.x ? Mix(base, Col(0xFFFFFF), 0.45f) : Scale(base, 0.75f); });
    }
    Outline(c, 0.5f, Col(0x1C1440));
    return Resolve(c);
}

Image Cloud() {
    Canvas c = MakeCanvas(64, 64, 6);
    const float puffs[][3] = {{20, 36, 9}, {31, 30, 11}, {43, 35, 9}, {32, 39, 10}};
    for (const auto& p : puffs) Disc(c, p[0], p[1], p[2], VGrad(Col(0xFFFFFF), Col(0xB8C0E8), 20, 48));
    Outline(c, 0.5f, Col(0x1C1440));
    return Resolve(c);
}

// A medal: a ring in gold or silver round a coloured face with a symbol.
Image Medal(int symbol, bool gold) {
    Canvas c = MakeCanvas(64, 64, 4);
    Colour ring = gold ? Col(0xFFC83A) : Col(0xD0D8E8);
    const int faces[] = {0x3A6AD8, 0xD83A6A, 0x3AB86A, 0x8A3AD8, 0xD8803A, 0x2AA8C8, 0xC83A3A, 0x5A5AA8};
    Colour face = Col(faces[symbol % 8]);
    // Ribbon tails behind the medal.
    Poly(c, {{20, 40}, {14, 62}, {22, 57}, {28, 62}, {32, 44}}, Flat(Scale(face, 0.8f)));
    Poly(c, {{44, 40}, {50, 62}, {42, 57}, {36, 62}, {32, 44}}, Flat(Scale(face, 0.65f)));
    Disc(c, 32, 28, 24, Ball(32, 28, 24, ring));
    Disc(c, 32, 28, 18, VGrad(Mix(face, Col(0xFFFFFF), 0.25f), Scale(face, 0.7f), 10, 46));
    Colour sym = Col(0xFFFFFF);
    float cx = 32, cy = 28;
    switch (symbol) {
    case 0: { // star
        std::vector<Pt> pts;
        for (int k = 0; k < 10; ++k) {
            float a = -Pi / 2 + static_cast<float>(k) * Pi / 5;
            float r = k % 2 == 0 ? 12.0f : 5.0f;
            pts.push_back({cx + r * std::cos(a), cy + 1 + r * std::sin(a)});
        }
        Poly(c, pts, Flat(sym));
        break;
    }
    case 1: // heart
        Disc(c, cx - 5, cy - 3, 6, Flat(sym));
        Disc(c, cx + 5, cy - 3, 6, Flat(sym));
        Poly(c, {{cx - 10.6f, cy - 1}, {cx + 10.6f, cy - 1}, {cx, cy + 11}}, Flat(sym));
        break;
    case 2: // gem
        Poly(c, {{cx - 10, cy - 3}, {cx - 5, cy - 9}, {cx + 5, cy - 9}, {cx + 10, cy - 3}, {cx, cy + 10}},
             Flat(sym));
        Poly(c, {{cx - 10, cy - 3}, {cx + 10, cy - 3}, {cx, cy + 10}}, Flat(Col(0xD8E8FF)));
        break;
    case 3: // bolt
        Poly(c,
             {{cx + 3, cy - 12},
              {cx - 7, cy + 2},
              {cx - 1, cy + 2},
              {cx - 4, cy + 12},
              {cx + 7, cy - 2},
              {cx + 1, cy - 2}},
             Flat(sym));
        break;
    case 4: // clock
        Disc(c, cx, cy, 10, Flat(sym));
        Line(c, cx, cy, cx, cy - 7, 2.2f, Flat(Col(0x303050)));
        Line(c, cx, cy, cx + 5, cy + 2, 2.2f, Flat(Col(0x303050)));
        break;
    case 5: // crown
        Poly(c,
             {{cx - 11, cy + 7},
              {cx - 11, cy - 7},
              {cx - 5, cy},
              {cx, cy - 10},
              {cx + 5, cy},
              {cx + 11, cy - 7},
              {cx + 11, cy + 7}},
             Flat(sym));
        break;
    case 6: // shield
        Poly(c, {{cx - 10, cy - 9}, {cx + 10, cy - 9}, {cx + 10, cy}, {cx, cy + 11}, {cx - 10, cy}},
             Flat(sym));
        Box(c, cx - 1.5f, cy - 7, cx + 1.5f, cy + 7, Flat(Scale(face, 0.9f)));
        break;
    default: // arrow up
        Poly(c,
             {{cx, cy - 12},
              {cx + 10, cy - 1},
              {cx + 4, cy - 1},
              {cx + 4, cy + 10},
              {cx - 4, cy + 10},
              {cx - 4, cy - 1},
              {cx - 10, cy - 1}},
             Flat(sym));
        break;
    }
    Outline(c, 1.5f, Ink());
    return Resolve(c);
}

// Tileable cobbles: a Voronoi pattern whose feature points repeat every 512 pixels, with mortar
// between stones, a lit upper-left edge on each stone and a grain of repeating noise.
struct Feature {
    float x, y, tone;
};

uint32_t Mix32(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    return h ^ (h >> 16);
}

} // namespace

Image MenuArt() {
    Image strip = MakeImage(256, 64);
    PutFrame(strip, 0, 4, FarMountains());
    PutFrame(strip, 1, 4, Cliff());
    PutFrame(strip, 2, 4, CrystalGround());
    PutFrame(strip, 3, 4, Cloud());
    return strip;
}

Image BadgeStrip() {
    Image strip = MakeImage(256, 256);
    for (int k = 0; k < 16; ++k) PutFrame(strip, k, 4, Medal(k % 8, k < 8));
    return strip;
}

Image Backdrop() {
    const int size = 512, grid = 8, cell = size / grid;
    std::vector<Feature> features;
    for (int j = 0; j < grid; ++j)
        for (int i = 0; i < grid; ++i) {
            uint32_t h = Mix32(static_cast<uint32_t>(j * grid + i) + 7777u);
            float fx = static_cast<float>(h & 0xFF) / 255.0f,
                  fy = static_cast<float>((h >> 8) & 0xFF) / 255.0f;
            float tone = static_cast<float>((h >> 16) & 0xFF) / 255.0f;
            features.push_back({(static_cast<float>(i) + 0.15f + 0.7f * fx) * cell,
                                (static_cast<float>(j) + 0.15f + 0.7f * fy) * cell, tone});
        }
    Image img = MakeImage(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            float d1 = 1e9f, d2 = 1e9f;
            const Feature* best = nullptr;
            float bx = 0, by = 0;
            int ci = x / cell, cj = y / cell;
            for (int dj = -2; dj <= 2; ++dj)
                for (int di = -2; di <= 2; ++di) {
                    int i = ci + di, j = cj + dj;
                    int wi = (i % grid + grid) % grid, wj = (j % grid + grid) % grid;
                    const Feature& f = features[static_cast<size_t>(wj * grid + wi)];
                    float fx = f.x + static_cast<float>((i - wi) * cell),
                          fy = f.y + static_cast<float>((j - wj) * cell);
                    float d = std::hypot(px - fx, py - fy);
                    if (d < d1) {
                        d2 = d1;
                        d1 = d;
                        best = &f;
                        bx = fx;
                        by = fy;
                    } else if (d < d2) {
                        d2 = d;
                    }
                }
            float edge = (d2 - d1) / 2; // distance to the border with the nearest other stone
            float grain = TileNoise(px / 8, py / 8, size / 8, 11) * 0.6f +
                          TileNoise(px / 32, py / 32, size / 32, 12) * 0.4f;
            Colour stone = Mix(Col(0x464A66), Col(0x55587A), best->tone);
            stone = Scale(stone, 0.9f + 0.16f * grain);
            // Light from the upper left on the rim of each stone.
            float lx = (px - bx) / std::max(d1, 1.0f), ly = (py - by) / std::max(d1, 1.0f);
            float rim = std::clamp(1.0f - edge / 9.0f, 0.0f, 1.0f);
            float lit = -(lx * 0.6f + ly * 0.8f);
            stone = Scale(stone, 1.0f + 0.22f * rim * lit);
            Colour c = edge < 1.6f ? Col(0x2C2E46) : stone;
            PutPixel(img, x, y,
                     Rgb(static_cast<int>(c.r), static_cast<int>(c.g), static_cast<int>(c.b)) | 0x010101);
        }
    return img;
}

} // namespace glimmet::tools
