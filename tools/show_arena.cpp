// Builds the arena from a level picture with the game's own level code and shows it: a summary of
// the cell kinds, an optional character map of a window of cells, and an optional preview picture
// with one pixel per cell.
//
// Usage: show_arena LEV.png [--preview OUT.png] [--map X Y W H]
// Map characters: the game's own arena alphabet (ArenaCellChar in game/level.h), with '@' marking
// the designed start.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "arena_picture.h"
#include "game/level.h"
#include "image.h"

namespace glimmet::tools {
namespace {

void PrintSummary() {
    int counts[CellTimeBonus + 1] = {};
    for (int y = 0; y < LevelSize; ++y)
        for (int x = 0; x < LevelSize; ++x) {
            int k = ArenaCell(x, y);
            if (k >= 0 && k <= CellTimeBonus) ++counts[k];
        }
    int gems = 0;
    for (int look = 0; look < 4; ++look) gems += counts[CellGlimmet + look];
    std::printf("walls %d, ledges %d, glimmet %d, spikes %d, shields %d, time bonuses %d\n", counts[CellWall],
                counts[CellLedge], gems, counts[CellSpike] + counts[CellSpike2], counts[CellShield],
                counts[CellTimeBonus]);
    std::printf("designed start: column %d, row %d\n", PlayerTX, PlayerTY);
}

void PrintMap(int x0, int y0, int w, int h, int sx, int sy) {
    std::string map = ArenaText(x0, y0, w, h);
    if (sx >= x0 && sx < x0 + w && sy >= y0 && sy < y0 + h)
        map[static_cast<size_t>(sy - y0) * static_cast<size_t>(w + 1) + static_cast<size_t>(sx - x0)] = '@';
    std::fputs(map.c_str(), stdout);
}

} // namespace
} // namespace glimmet::tools

int main(int argc, char** argv) {
    using namespace glimmet;
    using namespace glimmet::tools;
    if (argc < 2) {
        std::fprintf(stderr, "usage: show_arena LEV.png [--preview OUT.png] [--map X Y W H]\n");
        return 2;
    }
    Image lev;
    if (!ReadPng(argv[1], lev)) {
        std::fprintf(stderr, "show_arena: cannot read %s\n", argv[1]);
        return 1;
    }
    BuildArena([&lev](int x, int y) { return PixelAt(lev, x, y); });
    int sx = PlayerTX, sy = PlayerTY;
    PrintSummary();
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--preview") == 0 && i + 1 < argc) {
            Image out = ArenaPicture();
            PutPixel(out, sx, sy, Rgb(0, 255, 0));
            if (!WritePng(argv[i + 1], out))
                std::fprintf(stderr, "show_arena: cannot write %s\n", argv[i + 1]);
            ++i;
        } else if (std::strcmp(argv[i], "--map") == 0 && i + 4 < argc) {
            PrintMap(std::atoi(argv[i + 1]), std::atoi(argv[i + 2]), std::atoi(argv[i + 3]),
                     std::atoi(argv[i + 4]), sx, sy);
            i += 4;
        }
    }
    return 0;
}
