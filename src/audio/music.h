#pragma once
// The music player's instruments and its per-frame step. The game never starts a song, so the step
// returns at once while MusicOn is 0; the samples are loaded all the same.

#include <array>

namespace glimmet {

// Sample handles: 1..8 drum kit A, 11..18 drum kit B, 21..28 bass, 31..38 lead, 41..48 accompaniment.
extern std::array<int, 50> MusicSound;
extern std::array<int, 5> VariantCount; // instruments 1 bass, 2 lead, 3 accompaniment: highest variant found
extern int MusicOn;

void InitializeMusic(); // no song playing (the samples belong to the asset loading)

void LoadInstruments(); // from the music/ folder of the current (game) folder
void MusicStep();       // once per frame

} // namespace glimmet
