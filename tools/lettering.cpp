// Blocky lettering for the logos: glyphs of 5 x 7 cells, each cell a square whose outer corners are
// rounded, so stems join smoothly and the letters stay clean at any size.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "art.h"

namespace glimmet::tools {
namespace {

struct Glyph {
    char c;
    const char* rows[7];
};

const Glyph Glyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'\'', {"#", "#", ".", ".", ".", ".", "."}},
    {'.', {".", ".", ".", ".", ".", ".", "#"}},
    {' ', {"..", "..", "..", "..", "..", "..", ".."}},
};

const Glyph* Find(char c) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const Glyph& g : Glyphs)
        if (g.c == c) return &g;
    return nullptr;
}

int GlyphWidth(const Glyph& g) {
    return static_cast<int>(std::strlen(g.rows[0]));
}

bool On(const Glyph& g, int i, int j) {
    if (j < 0 || j >= 7 || i < 0 || i >= GlyphWidth(g)) return false;
    return g.rows[j][i] == '#';
}

} // namespace

float LetteringWidth(const char* text, float unit) {
    float w = 0;
    for (const char* p = text; *p; ++p)
        if (const Glyph* g = Find(*p)) w += static_cast<float>(GlyphWidth(*g) + 1) * unit;
    return std::max(0.0f, w - unit);
}

void Lettering(Canvas& c, const char* text, float x, float y, float unit, const Paint& p) {
    const float k = 0.45f; // corner rounding, in cells
    for (const char* q = text; *q; ++q) {
        const Glyph* g = Find(*q);
        if (!g) continue;
        float gx = x;
        Fill(
            c, gx, y, gx + static_cast<float>(GlyphWidth(*g)) * unit, y + 7 * unit,
            [g, gx, y, unit, k](float px, float py) {
                float u = (px - gx) / unit, v = (py - y) / unit;
                int i = static_cast<int>(std::floor(u)), j = static_cast<int>(std::floor(v));
                if (!On(*g, i, j)) return false;
                float fu = u - static_cast<float>(i), fv = v - static_cast<float>(j);
                int hx = fu < k ? -1 : (fu > 1 - k ? 1 : 0), hy = fv < k ? -1 : (fv > 1 - k ? 1 : 0);
                if (hx == 0 || hy == 0 || On(*g, i + hx, j) || On(*g, i, j + hy) || On(*g, i + hx, j + hy))
                    return true;
                // An outer corner: round it off.
                float cu = hx < 0 ? k : 1 - k, cv = hy < 0 ? k : 1 - k;
                return (fu - cu) * (fu - cu) + (fv - cv) * (fv - cv) <= k * k;
            },
            p);
        x += static_cast<float>(GlyphWidth(*g) + 1) * unit;
    }
}

} // namespace glimmet::tools
