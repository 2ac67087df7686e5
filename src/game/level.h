#pragma once
// The arena: one hand-drawn level picture turned into a table of cells, completed by generated ledges
// and pick-ups from a fixed seed, plus the random start position of each game.
//
// Level picture: at least 512 x 512 pixels, pixel (x, y) gives the cell at column x, row y. Alpha is
// ignored. A pixel is read as a reference colour when every channel is within 15 of it:
//   white (255, 255, 255) and sky blue (0, 178, 252)  wall or floor (20)
//   yellow (255, 255, 0)                               a glimmet, look drawn at random (14..17)
//   green (0, 255, 0)                                  empty; the designed start position
//   anything else                                      empty
// BuildArena takes the pixels through a reader so that tools and tests can feed it from anywhere.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace glimmet {

constexpr int ArenaW = 600;    // columns of the table (row stride)
constexpr int ArenaH = 600;    // rows of the table
constexpr int LevelSize = 512; // columns and rows 0..511 come from the picture; the rest stays 0

// Cell kinds; each is also the frame of the tile sheet that draws the cell.
constexpr int CellEmpty = 0;
constexpr int CellGlimmet = 14; // 14..17: four looks of a glimmet
constexpr int CellWall = 20;
constexpr int CellLedge = 21; // unlit ledge; becomes CellWall when touched
constexpr int CellSpike = 30; // spikes, first look
constexpr int CellShield = 31;
constexpr int CellSpike2 = 32; // spikes, second look
constexpr int CellTimeBonus = 33;

constexpr int32_t LevelSeed = 37171650;

// ArenaW x ArenaH cells, cell (c, r) at r * ArenaW + c; created once at its final size.
extern std::vector<int32_t> Arena;

// The player's cell and pixel offset within it (a cell is drawn 64 pixels wide and high).
extern int PlayerTX;
extern int PlayerTY;
extern int PlayerOX;
extern int PlayerOY;

bool ColourNear(int R, int G, int B, int r, int g, int b);
bool IsSolid(int kind);

int ArenaCell(int x, int y);               // 0 for any cell outside the table
void SetArenaCell(int x, int y, int kind); // ignored outside the table

// The arena as text, one character per cell: '#' wall, '-' unlit ledge, 'a'..'d' the four glimmet
// looks, '^' and 'v' the two spike looks, 'o' shield, '+' time bonus, '.' empty, '?' anything else.
char ArenaCellChar(int kind);
std::string ArenaText(int x0, int y0, int w, int h); // h lines of w characters, each ended by '\n'

// Pixel (x, y) of the level picture as 0xRRGGBB; higher bits are ignored.
using LevelPixelReader = std::function<uint32_t(int x, int y)>;

// The three generation passes, in the order BuildArena runs them. Each draws from the shared
// generator in a fixed order, so the layout depends on the seed and on every yellow pixel before it.
void ReadLevelPicture(const LevelPixelReader& pixel); // sets PlayerTX/TY on the last green pixel
void AddLedges();
void AddDecorations();

// Seeds the generator with LevelSeed, resets the pixel offsets and runs the three passes.
void BuildArena(const LevelPixelReader& pixel);

// Seeds the generator with seed, picks a random start among the floor cells of the start window
// (the designed start stands when none is picked) and clears the space around it.
void PickStart(int32_t seed);
// Empties the start cell, the cells four to either side of it and the two rows above them; the row
// below is kept, so the player starts standing on a floor.
void ClearStart();

// The arena of a level picture file, as far as the decoration pass. A picture smaller than 512 x 512
// reads as black where it has no pixel; a missing or damaged one leaves the arena empty. Either is
// said in the debug log.
void BuildLevelFromPicture(const std::string& file);

// The arena for a new game: the level picture "lev.png" of the current folder built, then a start picked with
// a seed from the clock.
void LoadLevel();

} // namespace glimmet
