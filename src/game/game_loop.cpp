#include "game/game_loop.h"

namespace glimmet {

std::array<int, 31> LevelBest{};

void CreateLevelBest() {
    LevelBest.fill(0);
}

// The game itself is not written yet: starting one returns straight to the title screen.
void PlayGame() {}

} // namespace glimmet
