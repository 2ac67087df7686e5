#pragma once
// The game: one run through the arena against the clock, started from the title screen.

#include <array>

namespace glimmet {

// The best results of the level, slots 1..30; created once the display is open.
extern std::array<int, 31> LevelBest;
void CreateLevelBest();

// Plays one game and returns when it is over and the result has been recorded.
void PlayGame();

} // namespace glimmet
