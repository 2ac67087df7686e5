#include "game/level.h"

#include <algorithm>
#include <cstdlib>

#include "app/debug_log.h"
#include "base/random.h"
#include "platform/clock.h"
#include "platform/pixmap.h"

namespace glimmet {

std::vector<int32_t> Arena(static_cast<size_t>(ArenaW) * ArenaH, 0);
int PlayerTX = 0;
int PlayerTY = 0;
int PlayerOX = 0;
int PlayerOY = 0;

namespace {

bool InTable(int x, int y) {
    return x >= 0 && x < ArenaW && y >= 0 && y < ArenaH;
}

bool PixelNear(uint32_t rgb, int R, int G, int B) {
    int r = static_cast<int>((rgb >> 16) & 0xFF);
    int g = static_cast<int>((rgb >> 8) & 0xFF);
    int b = static_cast<int>(rgb & 0xFF);
    return ColourNear(R, G, B, r, g, b);
}

// A 9 x 6 block with top-left cell (x, y) is free when none of its cells holds anything.
bool BlockFree(int x, int y) {
    for (int i = x; i <= x + 8; ++i)
        for (int j = y; j <= y + 5; ++j)
            if (ArenaCell(i, j) > 0) return false;
    return true;
}

} // namespace

bool ColourNear(int R, int G, int B, int r, int g, int b) {
    return std::abs(r - R) < 16 && std::abs(g - G) < 16 && std::abs(b - B) < 16;
}

bool IsSolid(int kind) {
    return kind >= 20 && kind <= 29;
}

int ArenaCell(int x, int y) {
    if (!InTable(x, y)) return 0;
    return Arena[static_cast<size_t>(y) * ArenaW + x];
}

char ArenaCellChar(int kind) {
    if (kind == CellWall) return '#';
    if (kind == CellLedge) return '-';
    if (kind >= CellGlimmet && kind <= CellGlimmet + 3) return static_cast<char>('a' + (kind - CellGlimmet));
    if (kind == CellSpike) return '^';
    if (kind == CellSpike2) return 'v';
    if (kind == CellShield) return 'o';
    if (kind == CellTimeBonus) return '+';
    if (kind == CellEmpty) return '.';
    return '?';
}

std::string ArenaText(int x0, int y0, int w, int h) {
    std::string text;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) text += ArenaCellChar(ArenaCell(x, y));
        text += '\n';
    }
    return text;
}

void SetArenaCell(int x, int y, int kind) {
    if (!InTable(x, y)) return;
    Arena[static_cast<size_t>(y) * ArenaW + x] = kind;
}

// Column by column, top to bottom; the four colour tests are independent and made in this order.
void ReadLevelPicture(const LevelPixelReader& pixel) {
    for (int x = 0; x < LevelSize; ++x) {
        for (int y = 0; y < LevelSize; ++y) {
            SetArenaCell(x, y, CellEmpty);
            uint32_t rgb = pixel(x, y);
            if (PixelNear(rgb, 255, 255, 255)) SetArenaCell(x, y, CellWall);
            if (PixelNear(rgb, 0, 178, 252)) SetArenaCell(x, y, CellWall);
            if (PixelNear(rgb, 255, 255, 0)) {
                int look = RandInt(CellGlimmet, CellGlimmet + 3);
                SetArenaCell(x, y, look);
            }
            if (PixelNear(rgb, 0, 255, 0)) {
                SetArenaCell(x, y, CellEmpty);
                PlayerTX = x;
                PlayerTY = y;
            }
        }
    }
}

// Every free 9 x 6 block gets a five-cell ledge at a random place inside it. Both draws happen at
// every position, free or not, and later blocks see the ledges already laid, which leaves a loose
// lattice in open space.
void AddLedges() {
    for (int x = 2; x <= 500; ++x) {
        for (int y = 2; y <= 500; ++y) {
            int a = RandInt(1, 3);
            int b = RandInt(1, 3);
            if (!BlockFree(x, y)) continue;
            for (int i = x + a; i <= x + a + 4; ++i) SetArenaCell(i, y + b, CellLedge);
        }
    }
}

// Glimmet and items stand only on wall floors (kind 20), never on the generated ledges.
void AddDecorations() {
    for (int x = 2; x <= 509; ++x) {
        for (int y = 2; y <= 509; ++y) {
            int p = RandInt(0, 5);
            int d = RandInt(0, 6);
            int g = RandInt(CellGlimmet, CellGlimmet + 3);
            int f = RandInt(CellSpike, CellTimeBonus);
            if (f == CellShield) {
                int keep = RandInt(1, 10);
                if (keep < 6) f = CellSpike;
            }
            if (f == CellTimeBonus) {
                int keep = RandInt(1, 10);
                if (keep < 9) f = CellSpike;
            }
            bool onFloor = ArenaCell(x, y + 1) == CellWall;
            if (onFloor && d < 2 && ArenaCell(x, y) == CellEmpty && p < 2) SetArenaCell(x, y, g);
            if (onFloor && d < 4 && ArenaCell(x, y) == CellEmpty && p < 2) SetArenaCell(x, y, f);
        }
    }
}

void BuildArena(const LevelPixelReader& pixel) {
    PlayerOX = 0;
    PlayerOY = 0;
    SeedRandom(LevelSeed);
    ReadLevelPicture(pixel);
    AddLedges();
    AddDecorations();
}

void PickStart(int32_t seed) {
    SeedRandom(seed);
    for (int x = 2; x <= 509; ++x) {
        for (int y = 2; y <= 509; ++y) {
            bool candidate = y > 40 && y < 80 && ArenaCell(x, y + 1) == CellWall &&
                             ArenaCell(x, y) == CellEmpty && x > 160 && x < 352;
            if (!candidate) continue;
            int pick = RandInt(0, 200);
            if (pick < 8) {
                PlayerTX = x;
                PlayerTY = y;
            }
        }
    }
    ClearStart();
}

void ClearStart() {
    for (int x = PlayerTX - 4; x <= PlayerTX + 4; ++x)
        for (int y = PlayerTY - 2; y <= PlayerTY; ++y) SetArenaCell(x, y, CellEmpty);
}

void BuildLevelFromPicture(const std::string& file) {
    Pixmap picture = LoadPixmap(file);
    if (PixmapEmpty(picture)) {
        // Nothing to build on: no ledge lattice either, so the player falls until the clock ends.
        LogLine("Level picture " + file + " is missing or unreadable: the arena is empty");
        std::fill(Arena.begin(), Arena.end(), 0);
        PlayerOX = 0;
        PlayerOY = 0;
        return;
    }
    if (picture.width < LevelSize || picture.height < LevelSize)
        LogLine("Level picture " + file + " is " + std::to_string(picture.width) + " x " +
                std::to_string(picture.height) + ", smaller than 512 x 512: the rest has no walls");
    // ReadPixel gives 0 (black, an empty cell) outside the picture.
    BuildArena([&picture](int x, int y) { return ReadPixel(picture, x, y); });
}

void LoadLevel() {
    BuildLevelFromPicture("lev.png");
    PickStart(static_cast<int32_t>(Millis()));
}

} // namespace glimmet
