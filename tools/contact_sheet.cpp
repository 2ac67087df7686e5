// Puts every made picture on one sheet for a person to look over: the title screen's art layered as
// the title screen draws it, one room of the arena as the game draws it, every frame of every strip,
// the level picture, the logos and the backdrop.
// Usage: contact_sheet FILES_FOLDER OUT.png
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "game/level.h"
#include "image.h"

namespace glimmet::tools {
namespace {

struct Rgbf {
    float r, g, b;
};

Rgbf Get(const Image& img, int x, int y) {
    uint32_t c = PixelAt(img, x, y);
    return {static_cast<float>(RedOf(c)), static_cast<float>(GreenOf(c)), static_cast<float>(BlueOf(c))};
}

void Blend(Image& dst, int x, int y, Rgbf c, float alpha) {
    if (x < 0 || y < 0 || x >= dst.w || y >= dst.h) return;
    Rgbf d = Get(dst, x, y);
    PutPixel(dst, x, y,
             Rgb(static_cast<int>(d.r + (c.r - d.r) * alpha), static_cast<int>(d.g + (c.g - d.g) * alpha),
                 static_cast<int>(d.b + (c.b - d.b) * alpha)));
}

// Draws frame `frame` (fw x fh, strips laid left to right, top to bottom) scaled by `scale` with its
// top-left at (x, y); black is transparent. Smooth scaling blends the four nearest texels as a
// filtered image would (masked texels count as transparent).
void Draw(Image& dst, const Image& src, int frame, int fw, int fh, float x, float y, float scale, bool smooth,
          float alpha, Rgbf tint = {255, 255, 255}) {
    int across = std::max(1, src.w / fw);
    int fx = (frame % across) * fw, fy = (frame / across) * fh;
    int w = static_cast<int>(static_cast<float>(fw) * scale),
        h = static_cast<int>(static_cast<float>(fh) * scale);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            int dx = static_cast<int>(x) + i, dy = static_cast<int>(y) + j;
            if (dx < 0 || dy < 0 || dx >= dst.w || dy >= dst.h) continue;
            float u = (static_cast<float>(i) + 0.5f) / scale, v = (static_cast<float>(j) + 0.5f) / scale;
            Rgbf c{0, 0, 0};
            float cover = 0;
            if (!smooth) {
                int tx = std::min(fw - 1, static_cast<int>(u)), ty = std::min(fh - 1, static_cast<int>(v));
                if (PixelAt(src, fx + tx, fy + ty) == 0) continue;
                c = Get(src, fx + tx, fy + ty);
                cover = 1;
            } else {
                float su = u - 0.5f, sv = v - 0.5f;
                int u0 = static_cast<int>(std::floor(su)), v0 = static_cast<int>(std::floor(sv));
                float au = su - static_cast<float>(u0), av = sv - static_cast<float>(v0);
                for (int k = 0; k < 4; ++k) {
                    int tu = std::clamp(u0 + (k & 1), 0, fw - 1), tv = std::clamp(v0 + (k >> 1), 0, fh - 1);
                    float wgt = ((k & 1) ? au : 1 - au) * ((k >> 1) ? av : 1 - av);
                    if (PixelAt(src, fx + tu, fy + tv) == 0) continue;
                    Rgbf t = Get(src, fx + tu, fy + tv);
                    c.r += t.r * wgt;
                    c.g += t.g * wgt;
                    c.b += t.b * wgt;
                    cover += wgt;
                }
                if (cover <= 0) continue;
                c = {c.r / cover, c.g / cover, c.b / cover};
            }
            c = {c.r * tint.r / 255, c.g * tint.g / 255, c.b * tint.b / 255};
            Blend(dst, dx, dy, c, alpha * std::min(1.0f, cover));
        }
}

void Fill(Image& dst, int x, int y, int w, int h, Rgbf top, Rgbf bottom) {
    for (int j = 0; j < h; ++j) {
        float t = static_cast<float>(j) / static_cast<float>(std::max(1, h - 1));
        Rgbf c{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t,
               top.b + (bottom.b - top.b) * t};
        for (int i = 0; i < w; ++i)
            PutPixel(dst, x + i, y + j,
                     Rgb(static_cast<int>(c.r), static_cast<int>(c.g), static_cast<int>(c.b)));
    }
}

// The title screen at 1280 x 960 with the mouse in the middle and the art slid in.
void TitleScreen(Image& sheet, int ox, int oy, const Image& menu, const Image& logo) {
    const float W = 1280, H = 960, mx = W / 2, my = H / 2;
    Fill(sheet, ox, oy, 1280, 960, {20, 24, 70}, {60, 30, 110});
    struct Layer {
        int frame;
        float scale, x, y;
    };
    const Layer layers[] = {
        {0, 24, mx / 256 + W / 2 - 32 * 24, my / 150 + H / 2 - 32 * 24},
        {1, 14, 0, my / 20 + H / 2 - 28 * 14},
        {2, 14, mx / 100 + W / 2 - 38 * 14, my / 50 + H - 72 * 14},
    };
    for (const Layer& l : layers) {
        Draw(sheet, menu, l.frame, 64, 64, static_cast<float>(ox) + std::trunc(l.x),
             static_cast<float>(oy) + std::trunc(l.y), l.scale, false, 1.0f);
        Draw(sheet, menu, l.frame, 64, 64, static_cast<float>(ox) + std::trunc(l.x),
             static_cast<float>(oy) + std::trunc(l.y), l.scale, true, 0.4f);
    }
    float sx = (W - 335) / 2;
    Draw(sheet, logo, 0, logo.w, logo.h, static_cast<float>(ox) + sx - static_cast<float>(logo.w) / 2,
         static_cast<float>(oy) + H / 2 - static_cast<float>(logo.h), 1, true, 1.0f);
}

// One room of the arena around the designed start, drawn as the game draws it: the backdrop tinted,
// shadows, the cells at twice their size, the player and a shield bubble.
void GameRoom(Image& sheet, int ox, int oy, const Image& gfx, const Image& wall, const Image& lev) {
    BuildArena([&lev](int x, int y) { return PixelAt(lev, x, y); });
    int camX = PlayerTX / 18 * 18, camY = PlayerTY / 13 * 13;
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i)
            Draw(sheet, wall, 0, 512, 512, static_cast<float>(ox + i * 512), static_cast<float>(oy + j * 512),
                 1, false, 1.0f, {150, 150, 255});
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 18; ++i)
            for (int j = 0; j < 13; ++j) {
                int k = ArenaCell(camX + i, camY + j);
                if (k <= 0) continue;
                float x = static_cast<float>(ox + i * 64), y = static_cast<float>(oy + j * 64);
                if (pass == 0)
                    Draw(sheet, gfx, k, 32, 32, x + 4, y + 4, 2, true, 0.4f, {0, 0, 0});
                else
                    Draw(sheet, gfx, k, 32, 32, x, y, 2, true, 1.0f);
            }
    float px = static_cast<float>(ox + (PlayerTX - camX) * 64),
          py = static_cast<float>(oy + (PlayerTY - camY) * 64);
    Draw(sheet, gfx, 0, 32, 32, px, py, 2, true, 1.0f);
    Draw(sheet, gfx, 31, 32, 32, px - 16, py - 16, 3, true, 0.8f);
    Draw(sheet, gfx, 11, 32, 32, px + 192, py, 2, true, 1.0f);
}

bool Load(const std::string& path, Image& img) {
    if (ReadPng(path, img)) return true;
    std::fprintf(stderr, "contact_sheet: cannot read %s\n", path.c_str());
    img = MakeImage(16, 16);
    return false;
}

} // namespace
} // namespace glimmet::tools

int main(int argc, char** argv) {
    using namespace glimmet::tools;
    if (argc != 3) {
        std::fprintf(stderr, "usage: contact_sheet FILES_FOLDER OUT.png\n");
        return 2;
    }
    std::string files = argv[1];
    Image gfx, icons, menu, badges, wall, lev, title, framework, site;
    // Load every picture even when one fails, so the sheet shows all that exist.
    const std::pair<const char*, Image*> pictures[] = {
        {"/291/gfx.png", &gfx},       {"/Common/icons.png", &icons},    {"/291/menu.png", &menu},
        {"/291/badges.png", &badges}, {"/291/wall.png", &wall},         {"/291/lev.png", &lev},
        {"/291/logo.png", &title},    {"/Common/logo.png", &framework}, {"/Common/Brindle.png", &site}};
    bool ok = true;
    for (const auto& [name, picture] : pictures) ok = Load(files + name, *picture) && ok;
    Image sheet = MakeImage(2000, 2460);
    Fill(sheet, 0, 0, sheet.w, sheet.h, {48, 48, 64}, {48, 48, 64});
    // Each scene is drawn on its own picture, so nothing spills over its neighbours.
    Image screen = MakeImage(1280, 960);
    TitleScreen(screen, 0, 0, menu, title);
    Blit(sheet, screen, 0, 0);
    Image room = MakeImage(1152, 832);
    GameRoom(room, 0, 0, gfx, wall, lev);
    Blit(sheet, room, 0, 980);
    auto strip = [&sheet](const Image& img, int x, int y, float scale) {
        Draw(sheet, img, 0, img.w, img.h, static_cast<float>(x), static_cast<float>(y), scale, false, 1.0f);
    };
    strip(gfx, 1300, 0, 2);
    strip(icons, 1300, 660, 2.5f);
    strip(lev, 1300, 1000, 1);
    strip(badges, 1300, 1530, 1);
    strip(menu, 1580, 1530, 1.5f);
    strip(title, 0, 1830, 1);
    strip(framework, 660, 1830, 1);
    strip(site, 660, 1940, 1);
    strip(wall, 1040, 1830, 1);
    strip(menu, 1580, 1640, 0.75f);
    if (!WritePng(argv[2], sheet, false)) {
        std::fprintf(stderr, "contact_sheet: cannot write %s\n", argv[2]);
        return 1;
    }
    return ok ? 0 : 1;
}
