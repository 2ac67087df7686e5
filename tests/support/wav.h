#pragma once
// PCM WAV files made by hand for tests.

#include <string>

namespace glimmet::test {

// The bytes of a PCM WAV file of `frames` frames: samples alternate between two levels (8-bit samples
// unsigned, 16-bit signed), interleaved by channel.
std::string Wav(int rate, int channels, int bits, int frames);

// Writes a mono 16-bit WAV of `frames` samples of silence at 22050 samples a second.
void WriteSilentWav(const std::string& name, int frames);

} // namespace glimmet::test
