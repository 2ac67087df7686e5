#include "paint.h"

#include <algorithm>
#include <cmath>

namespace glimmet::tools {

Colour Col(int rgb) {
    return {static_cast<float>((rgb >> 16) & 0xFF), static_cast<float>((rgb >> 8) & 0xFF),
            static_cast<float>(rgb & 0xFF)};
}

Colour Mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(Colour c, float f) {
    return {c.r * f, c.g * f, c.b * f};
}

Canvas MakeCanvas(int w, int h, int ss) {
    Canvas c;
    c.w = w;
    c.h = h;
    c.ss = ss;
    size_t n = static_cast<size_t>(w) * ss * static_cast<size_t>(h) * ss;
    c.col.assign(n, Colour{});
    c.on.assign(n, 0);
    return c;
}

namespace {

template <typename F> void ForSamples(Canvas& c, float x0, float y0, float x1, float y1, F f) {
    int sw = c.w * c.ss, sh = c.h * c.ss;
    int i0 = std::max(0, static_cast<int>(std::floor(x0 * c.ss)));
    int j0 = std::max(0, static_cast<int>(std::floor(y0 * c.ss)));
    int i1 = std::min(sw - 1, static_cast<int>(std::ceil(x1 * c.ss)));
    int j1 = std::min(sh - 1, static_cast<int>(std::ceil(y1 * c.ss)));
    for (int j = j0; j <= j1; ++j)
        for (int i = i0; i <= i1; ++i) {
            float x = (static_cast<float>(i) + 0.5f) / static_cast<float>(c.ss);
            float y = (static_cast<float>(j) + 0.5f) / static_cast<float>(c.ss);
            f(static_cast<size_t>(j) * sw + i, x, y);
        }
}

uint32_t Hash(uint32_t x, uint32_t y, uint32_t seed) {
    uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

} // namespace

void Fill(Canvas& c, float x0, float y0, float x1, float y1, const Shape& inside, const Paint& paint) {
    ForSamples(c, x0, y0, x1, y1, [&](size_t k, float x, float y) {
        if (!inside(x, y)) return;
        c.col[k] = paint(x, y);
        c.on[k] = 1;
    });
}

void Erase(Canvas& c, float x0, float y0, float x1, float y1, const Shape& inside) {
    ForSamples(c, x0, y0, x1, y1, [&](size_t k, float x, float y) {
        if (inside(x, y)) c.on[k] = 0;
    });
}

Paint Flat(Colour c) {
    return [c](float, float) { return c; };
}

Paint VGrad(Colour top, Colour bottom, float y0, float y1) {
    return [=](float, float y) { return Mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f)); };
}

Paint Ball(float cx, float cy, float r, Colour base) {
    return [=](float x, float y) {
        float nx = (x - cx) / r, ny = (y - cy) / r;
        float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
        float lx = -0.45f, ly = -0.6f, lz = 0.66f;
        float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
        float specular = std::pow(diffuse, 18.0f);
        Colour c = Scale(base, 0.42f + 0.72f * diffuse);
        return Mix(c, Col(0xFFFFFF), 0.75f * specular);
    };
}

void Disc(Canvas& c, float cx, float cy, float r, const Paint& p) {
    Fill(
        c, cx - r, cy - r, cx + r, cy + r,
        [=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; }, p);
}

void Ellipse(Canvas& c, float cx, float cy, float rx, float ry, const Paint& p) {
    Fill(
        c, cx - rx, cy - ry, cx + rx, cy + ry,
        [=](float x, float y) {
            float u = (x - cx) / rx, v = (y - cy) / ry;
            return u * u + v * v <= 1.0f;
        },
        p);
}

void Box(Canvas& c, float x0, float y0, float x1, float y1, const Paint& p) {
    Fill(
        c, x0, y0, x1, y1, [=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, p);
}

void RoundBox(Canvas& c, float x0, float y0, float x1, float y1, float r, const Paint& p) {
    Fill(
        c, x0, y0, x1, y1,
        [=](float x, float y) {
            float dx = std::max({x0 + r - x, 0.0f, x - (x1 - r)});
            float dy = std::max({y0 + r - y, 0.0f, y - (y1 - r)});
            return x >= x0 && x < x1 && y >= y0 && y < y1 && dx * dx + dy * dy <= r * r;
        },
        p);
}

void Line(Canvas& c, float x0, float y0, float x1, float y1, float width, const Paint& p) {
    float r = width / 2;
    Fill(
        c, std::min(x0, x1) - r, std::min(y0, y1) - r, std::max(x0, x1) + r, std::max(y0, y1) + r,
        [=](float x, float y) {
            float dx = x1 - x0, dy = y1 - y0;
            float len2 = dx * dx + dy * dy;
            float t = len2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0f, 1.0f) : 0.0f;
            float ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
            return ex * ex + ey * ey <= r * r;
        },
        p);
}

void StarGlint(Canvas& c, float x, float y, float s, float waist, Colour col) {
    float w = s * waist;
    Poly(c,
         {{x, y - s},
          {x + w, y - w},
          {x + s, y},
          {x + w, y + w},
          {x, y + s},
          {x - w, y + w},
          {x - s, y},
          {x - w, y - w}},
         Flat(col));
}

void Poly(Canvas& c, const std::vector<Pt>& pts, const Paint& p) {
    if (pts.size() < 3) return;
    float x0 = pts[0].x, x1 = pts[0].x, y0 = pts[0].y, y1 = pts[0].y;
    for (const Pt& q : pts) {
        x0 = std::min(x0, q.x);
        x1 = std::max(x1, q.x);
        y0 = std::min(y0, q.y);
        y1 = std::max(y1, q.y);
    }
    Fill(
        c, x0, y0, x1, y1,
        [&pts](float x, float y) {
            bool in = false;
            for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                const Pt& a = pts[i];
                const Pt& b = pts[j];
                if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
            }
            return in;
        },
        p);
}

void Bevel(Canvas& c, float x0, float y0, float x1, float y1, float edge, Colour base) {
    Colour light = Mix(base, Col(0xFFFFFF), 0.45f), dark = Scale(base, 0.6f);
    Box(c, x0, y0, x1, y1, [=](float x, float y) {
        float l = x - x0, t = y - y0, r = x1 - x, b = y1 - y;
        float m = std::min({l, t, r, b});
        if (m >= edge) return base;
        if (m == t || m == l) return light;
        return dark;
    });
}

// A two-pass chamfer distance (in samples) to the nearest painted sample; samples within the width
// become outline.
void Outline(Canvas& c, float width, Colour colour) {
    int sw = c.w * c.ss, sh = c.h * c.ss;
    const int big = 1 << 28;
    std::vector<int> d(c.on.size());
    for (size_t k = 0; k < d.size(); ++k) d[k] = c.on[k] ? 0 : big;
    auto at = [&](int i, int j) -> int& { return d[static_cast<size_t>(j) * sw + i]; };
    for (int j = 0; j < sh; ++j)
        for (int i = 0; i < sw; ++i) {
            int& v = at(i, j);
            if (i > 0) v = std::min(v, at(i - 1, j) + 5);
            if (j > 0) v = std::min(v, at(i, j - 1) + 5);
            if (i > 0 && j > 0) v = std::min(v, at(i - 1, j - 1) + 7);
            if (i + 1 < sw && j > 0) v = std::min(v, at(i + 1, j - 1) + 7);
        }
    for (int j = sh - 1; j >= 0; --j)
        for (int i = sw - 1; i >= 0; --i) {
            int& v = at(i, j);
            if (i + 1 < sw) v = std::min(v, at(i + 1, j) + 5);
            if (j + 1 < sh) v = std::min(v, at(i, j + 1) + 5);
            if (i + 1 < sw && j + 1 < sh) v = std::min(v, at(i + 1, j + 1) + 7);
            if (i > 0 && j + 1 < sh) v = std::min(v, at(i - 1, j + 1) + 7);
        }
    int limit = static_cast<int>(std::lround(width * static_cast<float>(c.ss) * 5.0f));
    for (size_t k = 0; k < d.size(); ++k)
        if (!c.on[k] && d[k] <= limit) {
            c.on[k] = 1;
            c.col[k] = colour;
        }
}

Image Resolve(const Canvas& c) {
    Image img = MakeImage(c.w, c.h);
    int sw = c.w * c.ss;
    int half = (c.ss * c.ss + 1) / 2;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            int n = 0;
            float r = 0, g = 0, b = 0;
            for (int j = 0; j < c.ss; ++j)
                for (int i = 0; i < c.ss; ++i) {
                    size_t k = static_cast<size_t>(y * c.ss + j) * sw + static_cast<size_t>(x * c.ss + i);
                    if (!c.on[k]) continue;
                    ++n;
                    r += c.col[k].r;
                    g += c.col[k].g;
                    b += c.col[k].b;
                }
            if (n < half) continue;
            uint32_t rgb = Rgb(static_cast<int>(std::lround(r / n)), static_cast<int>(std::lround(g / n)),
                               static_cast<int>(std::lround(b / n)));
            if (rgb == 0) rgb = Rgb(1, 1, 1);
            PutPixel(img, x, y, rgb);
        }
    return img;
}

float TileNoise(float x, float y, int period, uint32_t seed) {
    auto lattice = [&](int i, int j) {
        int pi = ((i % period) + period) % period, pj = ((j % period) + period) % period;
        return static_cast<float>(Hash(static_cast<uint32_t>(pi), static_cast<uint32_t>(pj), seed) & 0xFFFF) /
               65535.0f;
    };
    int i = static_cast<int>(std::floor(x)), j = static_cast<int>(std::floor(y));
    float fx = x - static_cast<float>(i), fy = y - static_cast<float>(j);
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float a = lattice(i, j), b = lattice(i + 1, j), c = lattice(i, j + 1), d = lattice(i + 1, j + 1);
    return a + (b - a) * sx + (c - a) * sy + (a - b - c + d) * sx * sy;
}

} // namespace glimmet::tools
