#pragma once
// Score popups: points rise from the player as a small coloured number that fades over two seconds.

#include <vector>

namespace glimmet {

struct ore {
    int n = 0;   // the points shown
    float x = 0; // centre of the text
    float y = 0; // rises by 0.25 a frame
    int t = 0;   // frames left to live
    int r = 0, g = 0, b = 0;
};

extern int GameScore;            // the current game's score
extern std::vector<ore> OreList; // live popups, oldest first
void InitializeScorePopups();

void AddOre(int n, int x, int y, int r, int g, int b); // adds n to GameScore and starts a popup
void DrawOres();                                       // ages, moves and draws; once per frame

} // namespace glimmet
