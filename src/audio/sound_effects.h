#pragma once
// Numbered sound effects (1..200, from 001.wav .. 200.wav) played fire-and-forget on a ring of
// channel slots, so that effects overlap and the oldest is cut off only when the ring comes round.

#include <array>

namespace glimmet {

extern std::array<int, 201> SfxSound; // sound handles, slot n from the file n in three digits
// Channel handles by role: 0..4 music voices, 20..255 the sound-effect ring, 256 the start-up sound.
extern std::array<int, 260> ChanSlot;
extern int NextSfxSlot;
void InitializeSoundEffects(); // no sounds, no channels, the ring starting at slot 20

// The loudness of a sound from the sound (or music) volume and the master volume, both in percent,
// times the caller's volume; always 0..1 whatever the settings hold.
float MixVolume(int partVolume, int masterVolume, float volume);

void PlaySfx(int id, float rate, float volume, float pan);

} // namespace glimmet
