// The tile sheet: the player (standing, blinking, walking), four glimmet, wall, ledge, spikes, shield
// and time bonus. Frame numbers are the cell kinds of the arena.
#include <algorithm>
#include <cmath>

#include "art.h"

namespace glimmet::tools {
namespace {

constexpr float Pi = 3.14159265f;

const Colour Body = Col(0xFF8A2A);
const Colour Belly = Col(0xFFD9A0);
const Colour Feet = Col(0xD0501E);

struct Pose {
    float bob = 0;    // body moved down by this many pixels
    float squash = 0; // extra width, less height
    float sway = 0;   // antenna tip sideways
    float footA = 0;  // front foot forward (+) / back (-)
    float footB = 0;
    float liftA = 0, liftB = 0;
    bool blink = false;
};

void Sparkle(Canvas& c, float x, float y, float s, Colour col) {
    StarGlint(c, x, y, s, 0.28f, col);
}

// Flonder: a round orange critter with a glowing feeler, facing right, feet on the bottom row.
Image Player(const Pose& p) {
    Canvas c = MakeCanvas(32, 32);
    float cy = 18.2f + p.bob, rx = 10.6f + p.squash, ry = 9.4f - p.squash;
    // Feeler first, so the body overlaps its root.
    float tipX = 12.5f + p.sway, tipY = 3.6f + p.bob * 0.5f;
    Line(c, 15.5f, cy - ry + 1.5f, (15.5f + tipX) / 2 - 1.2f, (cy - ry + tipY) / 2, 1.3f, Flat(Feet));
    Line(c, (15.5f + tipX) / 2 - 1.2f, (cy - ry + tipY) / 2, tipX, tipY, 1.3f, Flat(Feet));
    Disc(c, tipX, tipY, 2.3f, Ball(tipX, tipY, 2.3f, Col(0xFFF060)));
    // Feet.
    Ellipse(c, 11.5f + p.footB, 28.6f - p.liftB, 3.6f, 2.2f,
            Ball(11.5f + p.footB, 28.0f - p.liftB, 3.6f, Feet));
    Ellipse(c, 20.5f + p.footA, 28.6f - p.liftA, 3.8f, 2.2f,
            Ball(20.5f + p.footA, 28.0f - p.liftA, 3.8f, Feet));
    // Body and belly.
    Ellipse(c, 16, cy, rx, ry, Ball(14.5f, cy - 2, rx + 2, Body));
    Ellipse(c, 18.5f, cy + 3.5f, rx * 0.6f, ry * 0.5f, Ball(17.5f, cy + 2.5f, rx * 0.7f, Belly));
    // Eyes look right.
    for (float ex : {15.2f, 21.4f}) {
        float ey = cy - 3.2f;
        if (p.blink) {
            Line(c, ex - 2.2f, ey + 0.6f, ex + 2.2f, ey + 0.6f, 1.1f, Flat(Ink()));
            continue;
        }
        Ellipse(c, ex, ey, 2.5f, 3.0f, Flat(Snow()));
        Disc(c, ex + 0.9f, ey + 0.5f, 1.45f, Flat(Ink()));
        Disc(c, ex + 0.4f, ey - 0.5f, 0.55f, Flat(Col(0xFFFFFF)));
    }
    // Cheek.
    Ellipse(c, 24.6f, cy + 1.0f, 1.4f, 0.9f, Flat(Col(0xFF5E5E)));
    Outline(c, 1.0f, Ink());
    return Resolve(c);
}

// A cut gem on the floor of its cell, with glints. `shape` picks the cut.
Image Glimmet(int shape, Colour base, float glintX, float glintY) {
    Canvas c = MakeCanvas(32, 32);
    Colour hi = Mix(base, Col(0xFFFFFF), 0.55f), lo = Scale(base, 0.68f), mid = Scale(base, 0.88f);
    const float cx = 16, cy = 19, k = 1.22f; // gems are drawn a little larger than designed
    auto G = [=](float dx, float dy) { return Pt{cx + dx * k, cy + dy * k}; };
    if (shape == 0) { // brilliant: crown and pavilion
        Poly(c, {G(-10, -3), G(-6, -9), G(6, -9), G(10, -3)}, Flat(hi));
        Poly(c, {G(-10, -3), G(10, -3), G(0, 10)}, Flat(mid));
        Poly(c, {G(-3, -3), G(10, -3), G(0, 10)}, Flat(lo));
        Poly(c, {G(-3, -9), G(3, -9), G(4, -3), G(-4, -3)}, Flat(Mix(hi, Snow(), 0.5f)));
    } else if (shape == 1) { // tall crystal
        Poly(c, {G(0, -13), G(6, -6), G(6, 6), G(0, 10), G(-6, 6), G(-6, -6)}, Flat(mid));
        Poly(c, {G(0, -13), G(6, -6), G(6, 6), G(0, 10)}, Flat(lo));
        Poly(c, {G(0, -13), G(-6, -6), G(-2, -4), G(0, -9)}, Flat(hi));
        Line(c, G(-2.5f, -4).x, G(-2.5f, -4).y, G(-2.5f, 5).x, G(-2.5f, 5).y, 1.6f, Flat(hi));
    } else if (shape == 2) { // round pearl-cut
        Disc(c, cx, cy, 9 * k, Ball(cx, cy, 9 * k, base));
        Poly(c, {G(-4, -4), G(4, -4), G(4, 4), G(-4, 4)}, Flat(Mix(base, Snow(), 0.3f)));
        Poly(c, {G(0, -4), G(4, 0), G(0, 4), G(-4, 0)}, Flat(hi));
    } else { // emerald cut: octagon with a table
        Poly(c, {G(-6, -9), G(6, -9), G(10, -5), G(10, 5), G(6, 9), G(-6, 9), G(-10, 5), G(-10, -5)},
             Flat(lo));
        Poly(c, {G(-6, -9), G(6, -9), G(10, -5), G(-10, -5)}, Flat(hi));
        Poly(c, {G(-10, -5), G(-6, -9), G(-6, 9), G(-10, 5)}, Flat(mid));
        Box(c, G(-5, -4).x, G(-5, -4).y, G(6, 5).x, G(6, 5).y, Flat(mid));
        Box(c, G(-5, -4).x, G(-5, -4).y, G(6, -2).x, G(6, -2).y, Flat(hi));
    }
    Outline(c, 1.0f, Ink());
    Sparkle(c, glintX, glintY, 4.2f, Col(0xFFFFFF));
    Sparkle(c, 32 - glintX, glintY + 10, 2.0f, Col(0xFFF8C0));
    return Resolve(c);
}

// A stone block: lit (bright ice) or unlit (dark slate); the same shape, so a lit ledge matches the walls.
Image Block(bool lit) {
    Canvas c = MakeCanvas(32, 32);
    Colour base = lit ? Col(0xB8E4FF) : Col(0x7A5A44);
    Colour light = lit ? Col(0xFFFFFF) : Col(0x9A7A5C);
    Colour dark = lit ? Col(0x5A9AD8) : Col(0x4A3426);
    Box(c, 0, 0, 32, 32, [=](float x, float y) {
        float edge = std::min({x, y, 32 - x, 32 - y});
        if (edge < 3) return (x < 32 - y && (y < 3 || x < 3)) ? light : dark;
        float n = 0.5f + 0.5f * std::sin(x * 0.7f + y * 0.3f) * std::sin(y * 0.55f - x * 0.2f);
        return Mix(base, light, 0.12f * n);
    });
    // A crystal vein across the face: glowing when lit, a dull crack when not.
    Colour vein = lit ? Col(0xFFFFFF) : Col(0x4A3426);
    Line(c, 7, 9, 13, 14, 1.3f, Flat(vein));
    Line(c, 13, 14, 12, 21, 1.3f, Flat(vein));
    Line(c, 13, 14, 22, 17, 1.3f, Flat(vein));
    if (lit) {
        Sparkle(c, 22.5f, 9.5f, 3.2f, Col(0xFFFFFF));
    } else {
        Box(c, 21, 8, 24, 11, Flat(Col(0x5A4030))); // the glint's dark socket
    }
    return Resolve(c);
}

Image Spikes(bool red) {
    Canvas c = MakeCanvas(32, 32);
    Colour steel = Col(0xC8D2E6), tip = red ? Col(0xFF4040) : Col(0xFFFFFF);
    int n = red ? 4 : 3;
    float w = 28.0f / static_cast<float>(n);
    for (int i = 0; i < n; ++i) {
        float x0 = 2 + w * static_cast<float>(i), xm = x0 + w / 2, x1 = x0 + w;
        float top = red ? 9.0f : 5.0f;
        Poly(c, {{x0, 28}, {xm, top}, {x1, 28}}, [=](float x, float y) {
            Colour s = x < xm ? Mix(steel, Col(0xFFFFFF), 0.4f) : Scale(steel, 0.7f);
            return y < top + 6 ? Mix(s, tip, 0.8f) : s;
        });
    }
    Bevel(c, 1, 27, 31, 31, 1.0f, Col(0x7A8098));
    Outline(c, 1.0f, Ink());
    return Resolve(c);
}

// A soap-bubble shield: a ring with a bright crescent, clear inside so that, drawn three times as
// large around the player, the player shows through.
Image Shield() {
    Canvas c = MakeCanvas(32, 32);
    float cx = 16, cy = 16, r = 13.5f;
    Fill(
        c, 0, 0, 32, 32,
        [=](float x, float y) {
            float d = std::hypot(x - cx, y - cy);
            return d <= r && d >= r - 2.2f;
        },
        [=](float x, float y) {
            float a = std::atan2(y - cy, x - cx);
            float t = 0.5f + 0.5f * std::sin(a * 2 + 1.0f);
            return Mix(Col(0x60D8FF), Col(0xE070FF), t);
        });
    Fill(
        c, 0, 0, 32, 32,
        [=](float x, float y) {
            float d = std::hypot(x - cx, y - cy);
            float a = std::atan2(y - cy, x - cx);
            return d <= r - 3.6f && d >= r - 5.6f && a < -1.8f && a > -2.9f;
        },
        Flat(Col(0xFFFFFF)));
    Sparkle(c, 21, 10, 2.6f, Col(0xFFFFFF));
    Disc(c, 11, 22, 1.1f, Flat(Col(0xCFF4FF)));
    return Resolve(c);
}

Image TimeBonus() {
    Canvas c = MakeCanvas(32, 32);
    float cx = 16, cy = 19, r = 10;
    Box(c, 14, 4, 18, 8, Flat(Col(0xFFD040)));
    Box(c, 12, 3, 20, 5, Flat(Col(0xFFE080)));
    Line(c, 24, 8, 26.5f, 10.5f, 2.2f, Flat(Col(0xFFD040)));
    Disc(c, cx, cy, r, Ball(cx, cy, r, Col(0x40D060)));
    Disc(c, cx, cy, r - 2.5f, Flat(Snow()));
    for (int k = 0; k < 12; ++k) {
        float a = static_cast<float>(k) * Pi / 6;
        Disc(c, cx + std::cos(a) * (r - 4), cy + std::sin(a) * (r - 4), k % 3 == 0 ? 0.9f : 0.5f,
             Flat(Col(0x2A6040)));
    }
    Line(c, cx, cy, cx, cy - 5.5f, 1.4f, Flat(Ink()));
    Line(c, cx, cy, cx + 4, cy + 1.5f, 1.4f, Flat(Col(0xE03030)));
    Disc(c, cx, cy, 1.2f, Flat(Ink()));
    Outline(c, 1.0f, Ink());
    // "+" badge: more time.
    Disc(c, 25, 25, 4.2f, Ball(25, 25, 4.2f, Col(0x30E050)));
    Box(c, 22.8f, 24.3f, 27.2f, 25.7f, Flat(Col(0xFFFFFF)));
    Box(c, 24.3f, 22.8f, 25.7f, 27.2f, Flat(Col(0xFFFFFF)));
    return Resolve(c);
}

} // namespace

Image TileSheet() {
    Image sheet = MakeImage(320, 320);
    for (int k = 0; k < 6; ++k) { // standing: a slow breath and a swaying feeler
        float ph = static_cast<float>(k) / 6 * 2 * Pi;
        Pose p;
        p.squash = 0.45f * std::sin(ph);
        p.bob = 0.45f * std::sin(ph);
        p.sway = 1.2f * std::sin(ph + 0.8f);
        PutFrame(sheet, k, 10, Player(p));
    }
    Pose blink;
    blink.blink = true;
    PutFrame(sheet, 6, 10, Player(blink));
    for (int k = 0; k < 4; ++k) { // walking: feet swap, body bobs, feeler trails behind
        float ph = static_cast<float>(k) / 4 * 2 * Pi;
        Pose p;
        p.footA = 3.0f * std::sin(ph);
        p.footB = -3.0f * std::sin(ph);
        p.liftA = std::max(0.0f, 2.0f * std::cos(ph));
        p.liftB = std::max(0.0f, -2.0f * std::cos(ph));
        p.bob = -0.8f * std::fabs(std::cos(ph));
        p.sway = -2.2f;
        PutFrame(sheet, 10 + k, 10, Player(p));
    }
    PutFrame(sheet, 14, 10, Glimmet(0, Col(0xFFC820), 23, 12));
    PutFrame(sheet, 15, 10, Glimmet(1, Col(0x40E0FF), 10, 10));
    PutFrame(sheet, 16, 10, Glimmet(2, Col(0xFF50C8), 21, 13));
    PutFrame(sheet, 17, 10, Glimmet(3, Col(0x40E080), 9, 13));
    PutFrame(sheet, 20, 10, Block(true));
    PutFrame(sheet, 21, 10, Block(false));
    PutFrame(sheet, 30, 10, Spikes(false));
    PutFrame(sheet, 31, 10, Shield());
    PutFrame(sheet, 32, 10, Spikes(true));
    PutFrame(sheet, 33, 10, TimeBonus());
    return sheet;
}

void PutFrame(Image& strip, int k, int across, const Image& frame) {
    Blit(strip, frame, (k % across) * frame.w, (k / across) * frame.h);
}

} // namespace glimmet::tools
