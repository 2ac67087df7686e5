#include "game/score_popups.h"

#include <string>

#include "display/assets.h"
#include "display/toolkit.h"
#include "platform/font.h"

namespace glimmet {

int GameScore = 0;
std::vector<ore> OreList;

void InitializeScorePopups() {
    GameScore = 0;
    OreList.clear();
}

void AddOre(int n, int x, int y, int r, int g, int b) {
    GameScore += n;
    OreList.push_back(ore{n, static_cast<float>(x), static_cast<float>(y), 120, r, g, b});
}

void DrawOres() {
    SetFont(NamedFont[3]);
    ResetDraw();
    for (auto it = OreList.begin(); it != OreList.end();) {
        ore& o = *it;
        o.t--;
        o.y -= 0.25f;
        SetCol(static_cast<float>(o.r), static_cast<float>(o.g), static_cast<float>(o.b),
               static_cast<float>(o.t) / 120.0f);
        DrawTxt(static_cast<int>(o.x), static_cast<int>(o.y), std::to_string(o.n), 1, 1);
        it = o.t <= 0 ? OreList.erase(it) : it + 1;
    }
}

} // namespace glimmet
