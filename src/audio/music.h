#pragma once
// The music player: five voices (drums A and B, bass, melody, accompaniment) step through lines picked
// from a pattern file (patterns.h), a chord line transposing the three pitched ones, and voices drop in
// and out from one chord progression to the next. The game never starts a song, so the step returns
// at once while MusicOn is 0; the samples are loaded all the same.

#include <array>
#include <string>

namespace glimmet {

// Sample handles: 1..8 drum kit A, 11..18 drum kit B, 21..28 bass, 31..38 lead, 41..48 accompaniment.
extern std::array<int, 50> MusicSound;
// The drum digits (rows 0 and 1) and note rates (rows 2..4, 0 = rest) of each voice for the 64 steps
// of the current bar: voice v at StepGrid[70 * v + step].
extern std::array<float, 1300> StepGrid;

// Instruments 1 bass, 2 lead (the melody voice), 3 accompaniment, each with two slots 2i and 2i + 1
// in the tables of ten.
extern std::array<int, 5> VariantCount; // the highest variant number whose file was found
extern std::array<int, 5> CurVariant;   // the variant sounding in this progression
extern std::array<int, 10> VariantPair; // the two variants chosen for the song
extern std::array<float, 10> Decay;     // the two per-frame decay rates of the level
extern std::array<int, 10> DecaySel;    // slot i: which of the two rates (0 or 1) this progression uses

// Per voice (slots 0..4 used).
extern std::array<int, 20> VoiceMute;     // 1: silent in this progression
extern std::array<int, 20> VoiceMuteNext; // the same for the next progression
extern std::array<int, 20>
    VoiceEntry; // 1: a voice entering next comes in for the last chord, 2: the last 8 steps
extern std::array<float, 20> VoiceLevel; // the decaying level of a pitched voice's note

// The song.
extern int MusicOn; // 0 stopped, 1 playing
extern int SongSeed;
extern int MusicTick;         // the clock reading at which the next step is due
extern int StepMs;            // milliseconds per step
extern int Step;              // 0..63 within the bar
extern int Bar;               // 1.. within the chord progression
extern int Phrase;            // every bar of the song
extern int FillMode;          // 0; 1 during the last chord of the progression; 2 during its last 8 steps
extern float Spread;          // how far apart the voices are panned
extern std::string ChordLine; // the current progression, one chord per 16 steps
extern std::array<std::string, 5> VoiceLine; // by voice: drums A, drums B, bass, melody, accompaniment

void InitializeMusic(); // no song playing, no pattern lines (the samples belong to the asset loading)

void LoadInstruments(); // from the music/ folder of the current (game) folder

// Plays "music/" + name + ".ini"; seed -1 takes one from the clock; a step lasts pace / 2 ms.
void StartSong(const std::string& name, int seed, int pace);
void StopSong(); // silences and empties the channel slots 0..19
void SetSpread(float spread);
void NewPhrase(); // at the song's start and at the end of every bar
// Seeds the shared generator with SongSeed * 1024 + Bar + Phrase + salt (wrapping in 32 bits), so every
// pick depends only on the song's seed and where the song is.
void SeedFromSong(int salt);
void MusicStep(); // once per frame

} // namespace glimmet
