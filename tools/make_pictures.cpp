// Draws every picture of the game data.
// Usage: make_pictures COMMON_FOLDER GAME_FOLDER
#include <cstdio>
#include <string>

#include "art.h"

int main(int argc, char** argv) {
    using namespace glimmet::tools;
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_pictures COMMON_FOLDER GAME_FOLDER\n");
        return 2;
    }
    std::string common = argv[1], game = argv[2];
    if (!MakeFolders(common) || !MakeFolders(game)) {
        std::fprintf(stderr, "make_pictures: cannot make the folders\n");
        return 1;
    }
    struct Out {
        std::string path;
        Image (*draw)();
    };
    const Out outs[] = {
        {game + "/gfx.png", TileSheet},        {common + "/icons.png", IconStrip},
        {common + "/logo.png", FrameworkLogo}, {common + "/Brindle.png", SiteLogo},
        {game + "/logo.png", TitleLogo},       {game + "/menu.png", MenuArt},
        {game + "/badges.png", BadgeStrip},    {game + "/wall.png", Backdrop},
    };
    int status = 0;
    for (const Out& o : outs) {
        if (!WritePng(o.path, o.draw())) {
            std::fprintf(stderr, "make_pictures: cannot write %s\n", o.path.c_str());
            status = 1;
        }
    }
    return status;
}
