#pragma once
// Sound synthesis for the data tools and the WAV files it writes.
//
// WAV files written here: RIFF "WAVE" with a 16-byte "fmt " chunk (PCM, 16 bits; the game data's sounds
// with 1 channel at 22050 samples per second) and one "data" chunk; little-endian, nothing else, so
// equal sounds give equal bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace glimmet::tools {

constexpr int SampleRate = 22050;

using Wave = std::vector<float>; // -1..1

bool WriteWav(const std::string& path, const Wave& w); // mono at SampleRate
// Samples interleaved by channel (left then right for two), clamped to -1..1.
bool WriteWav(const std::string& path, const std::vector<float>& samples, int channels, int rate);
// Reads back what WriteWav writes (any PCM 16-bit mono file); false on anything else.
bool ReadWav(const std::string& path, Wave& w, int& rate);

enum class Osc { Square, Saw, Triangle, Sine, Noise };

struct Voice {
    Osc osc = Osc::Square;
    float f0 = 440, f1 = 440; // pitch slides exponentially from f0 to f1 over `slide` seconds
    float slide = 0;
    float duty = 0.5f;                // square wave duty cycle
    float vibratoHz = 0, vibrato = 0; // vibrato rate and depth (fraction of the pitch)
    float attack = 0.005f, decay = 0.1f, sustain = 0.6f, release = 0.1f; // seconds, level
    float length = 0.3f;                                                 // seconds before the release starts
    float volume = 0.5f;
    float lowpass = 0; // one-pole cut-off in Hz, 0 for none
    float start = 0;   // seconds from the start of the sound
    float phase = 0;   // where the wave starts, as a fraction of its period
};

Wave Silence(float seconds);
void Add(Wave& w, const Voice& v, uint32_t seed = 1); // grows w as needed
void Crush(Wave& w, int levels);                      // fewer amplitude steps, for a gritty sound
// A small room: softened echoes at uneven delays over `seconds`, dying away from `level`; the wave
// grows by `seconds`, so a short hit leaves a tail instead of dead silence.
void Room(Wave& w, float seconds, float level);
// Fades the first and last few milliseconds and scales the loudest sample to `peak`.
void Finish(Wave& w, float peak = 0.8f);

} // namespace glimmet::tools
