// Writes the arena the game builds from a level picture, after the decoration pass and before the
// random start, as a map picture (one pixel per cell, coloured by kind) and as text (one character
// per cell kind, the game's own arena alphabet), so a designer sees what the passes made of it.
//
// Usage: arena_map LEV.png MAP.png MAP.txt

#include <cstdio>
#include <fstream>

#include "arena_picture.h"
#include "game/level.h"

int main(int argc, char** argv) {
    using namespace glimmet;
    if (argc != 4) {
        std::fprintf(stderr, "usage: arena_map LEV.png MAP.png MAP.txt\n");
        return 2;
    }
    BuildLevelFromPicture(argv[1]);
    int status = 0;
    if (!tools::WritePng(argv[2], tools::ArenaPicture(), false)) {
        std::fprintf(stderr, "arena_map: cannot write %s\n", argv[2]);
        status = 1;
    }
    std::ofstream text(argv[3], std::ios::binary);
    text << ArenaText(0, 0, LevelSize, LevelSize);
    if (!text) {
        std::fprintf(stderr, "arena_map: cannot write %s\n", argv[3]);
        status = 1;
    }
    return status;
}
