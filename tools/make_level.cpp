// Expands the arena description (tools/level/arena.txt) into the level picture "lev.png".
//
// Arena description, a text file read line by line; '#' starts a comment line, blank lines are skipped:
//   map                 the next 32 lines are the block map: 32 characters each, one per block of
//                       16 x 16 cells, so the map covers the 512 x 512 arena
//     #  rock           solid; its corners are rounded where it meets open blocks
//     .  open           nothing: the ledge pass fills open space with ledges
//     _  floor          a two-row floor along the bottom of the block
//     =  hall           a two-row ceiling and a two-row floor
//     T  tower          walls on both sides with doors at the bottom, floors every third row with a
//                       gap that alternates sides, so the tower is climbed floor by floor
//     S  shaft          thick side walls and small alternating steps round a narrow drop
//     ~  island         a floating platform in open space
//   gems X Y N          N glimmet in a row from cell (X, Y) to the right
//   start X Y           the designed start (one cell; the last one counts)
//   wall X Y W H        a white rectangle;   floor X Y W H  a sky-blue one;   clear X Y W H  an empty one
// The outer four rows and columns are always wall, so nothing leaves the arena. Rock is white with a
// sky-blue skin on top; floors are sky blue; glimmet yellow; the start green; everything else black.
//
// Usage: make_level DESCRIPTION OUTPUT.png

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "image.h"

namespace glimmet::tools {
namespace {

constexpr int Size = 512;
constexpr int Block = 16;
constexpr int Blocks = Size / Block;

const uint32_t White = 0xFFFFFF;
const uint32_t Sky = 0x00B2FC;
const uint32_t Yellow = 0xFFFF00;
const uint32_t Green = 0x00FF00;

struct Description {
    std::vector<std::string> map;
    std::vector<std::vector<std::string>> commands;
};

bool ReadDescription(const std::string& path, Description& d) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    int mapLeft = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (mapLeft > 0) {
            line.resize(Blocks, '.');
            d.map.push_back(line);
            --mapLeft;
            continue;
        }
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::vector<std::string> cmd;
        for (std::string w; words >> w;) cmd.push_back(w);
        if (cmd.empty()) continue;
        if (cmd[0] == "map")
            mapLeft = Blocks;
        else
            d.commands.push_back(cmd);
    }
    while (d.map.size() < static_cast<size_t>(Blocks)) d.map.push_back(std::string(Blocks, '.'));
    return true;
}

char BlockAt(const Description& d, int bx, int by) {
    if (bx < 0 || by < 0 || bx >= Blocks || by >= Blocks) return '#';
    return d.map[static_cast<size_t>(by)][static_cast<size_t>(bx)];
}

void FillRect(Image& img, int x, int y, int w, int h, uint32_t c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) PutPixel(img, i, j, c);
}

// Rock as a cell mask, then rounded: cells of rock close to open space on two sides (inner and outer
// corners) are cut or filled by a morphological opening and closing with a disc.
std::vector<char> RoundedRock(const Description& d) {
    std::vector<char> rock(static_cast<size_t>(Size) * Size);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x)
            rock[static_cast<size_t>(y) * Size + x] = BlockAt(d, x / Block, y / Block) == '#';
    const int r = 5;
    auto at = [](const std::vector<char>& m, int x, int y, char outside) {
        if (x < 0 || y < 0 || x >= Size || y >= Size) return outside;
        return m[static_cast<size_t>(y) * Size + x];
    };
    // Erode or dilate by the disc: a cell keeps `want` only when every cell of the disc has it.
    auto morph = [&](const std::vector<char>& m, char want) {
        std::vector<char> out(m.size());
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x) {
                bool all = true;
                for (int j = -r; j <= r && all; ++j)
                    for (int i = -r; i <= r && all; ++i)
                        if (i * i + j * j <= r * r && at(m, x + i, y + j, 1) != want) all = false;
                out[static_cast<size_t>(y) * Size + x] = all ? want : !want;
            }
        return out;
    };
    // Opening (erode, dilate) rounds the outer corners; closing (dilate, erode) the inner ones.
    std::vector<char> m = morph(morph(rock, 1), 0);
    return morph(morph(m, 0), 1);
}

void DrawTower(Image& img, int x0, int y0, int bx, int by) {
    FillRect(img, x0, y0, 2, Block, White);
    FillRect(img, x0 + 14, y0, 2, Block, White);
    for (int row = 1, k = bx + by; row < Block; row += 3, ++k) {
        FillRect(img, x0 + 2, y0 + row, 12, 1, Sky);
        int gap = (k % 2 == 0) ? x0 + 2 : x0 + 10; // the way up alternates sides
        FillRect(img, gap, y0 + row, 4, 1, 0);
    }
    FillRect(img, x0, y0 + 11, 2, 2, 0); // doors at the bottom on both sides
    FillRect(img, x0 + 14, y0 + 11, 2, 2, 0);
}

void DrawShaft(Image& img, int x0, int y0) {
    FillRect(img, x0, y0, 4, Block, White);
    FillRect(img, x0 + 12, y0, 4, Block, White);
    for (int row = 2, k = 0; row < Block; row += 3, ++k) {
        int sx = (k % 2 == 0) ? x0 + 4 : x0 + 9;
        FillRect(img, sx, y0 + row, 3, 1, Sky);
    }
}

void DrawBlocks(Image& img, const Description& d) {
    std::vector<char> rock = RoundedRock(d);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x)
            if (rock[static_cast<size_t>(y) * Size + x]) {
                bool skin = y > 0 && !rock[static_cast<size_t>(y - 1) * Size + x];
                PutPixel(img, x, y, skin ? Sky : White);
            }
    for (int by = 0; by < Blocks; ++by)
        for (int bx = 0; bx < Blocks; ++bx) {
            int x0 = bx * Block, y0 = by * Block;
            switch (BlockAt(d, bx, by)) {
            case '_':
                FillRect(img, x0, y0 + 14, Block, 2, Sky);
                break;
            case '=':
                FillRect(img, x0, y0, Block, 2, White);
                FillRect(img, x0, y0 + 14, Block, 2, Sky);
                break;
            case 'T':
                DrawTower(img, x0, y0, bx, by);
                break;
            case 'S':
                DrawShaft(img, x0, y0);
                break;
            case '~':
                FillRect(img, x0 + 3, y0 + 8, 10, 2, Sky);
                break;
            default:
                break;
            }
        }
}

int Num(const std::vector<std::string>& cmd, size_t i) {
    return i < cmd.size() ? std::atoi(cmd[i].c_str()) : 0;
}

void RunCommands(Image& img, const Description& d) {
    for (const auto& cmd : d.commands) {
        const std::string& op = cmd[0];
        if (op == "gems")
            FillRect(img, Num(cmd, 1), Num(cmd, 2), Num(cmd, 3), 1, Yellow);
        else if (op == "start")
            PutPixel(img, Num(cmd, 1), Num(cmd, 2), Green);
        else if (op == "wall")
            FillRect(img, Num(cmd, 1), Num(cmd, 2), Num(cmd, 3), Num(cmd, 4), White);
        else if (op == "floor")
            FillRect(img, Num(cmd, 1), Num(cmd, 2), Num(cmd, 3), Num(cmd, 4), Sky);
        else if (op == "clear")
            FillRect(img, Num(cmd, 1), Num(cmd, 2), Num(cmd, 3), Num(cmd, 4), 0);
        else
            std::fprintf(stderr, "make_level: unknown command '%s' ignored\n", op.c_str());
    }
}

} // namespace
} // namespace glimmet::tools

int main(int argc, char** argv) {
    using namespace glimmet::tools;
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_level DESCRIPTION OUTPUT.png\n");
        return 2;
    }
    Description d;
    if (!ReadDescription(argv[1], d)) {
        std::fprintf(stderr, "make_level: cannot read %s\n", argv[1]);
        return 1;
    }
    Image img = MakeImage(Size, Size);
    DrawBlocks(img, d);
    RunCommands(img, d);
    FillRect(img, 0, 0, Size, 4, White);
    FillRect(img, 0, Size - 4, Size, 4, White);
    FillRect(img, 0, 0, 4, Size, White);
    FillRect(img, Size - 4, 0, 4, Size, White);
    if (!WritePng(argv[2], img, false)) {
        std::fprintf(stderr, "make_level: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
