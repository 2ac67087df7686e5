#include "arena_picture.h"

#include "game/level.h"

namespace glimmet::tools {

uint32_t CellColour(int k) {
    if (k == CellWall) return Rgb(200, 210, 230);
    if (k == CellLedge) return Rgb(120, 90, 60);
    if (k >= CellGlimmet && k <= CellGlimmet + 3) return Rgb(255, 240, 40);
    if (k == CellSpike || k == CellSpike2) return Rgb(230, 40, 40);
    if (k == CellShield) return Rgb(60, 220, 255);
    if (k == CellTimeBonus) return Rgb(60, 255, 90);
    return Rgb(16, 16, 40);
}

Image ArenaPicture() {
    Image out = MakeImage(LevelSize, LevelSize);
    for (int y = 0; y < LevelSize; ++y)
        for (int x = 0; x < LevelSize; ++x) PutPixel(out, x, y, CellColour(ArenaCell(x, y)));
    return out;
}

} // namespace glimmet::tools
