#pragma once
// Small WAV files written by hand, for tests that load sounds.

#include <string>

namespace glimmet::test {

// A mono 16-bit WAV of `frames` samples of silence at 22050 samples a second.
void WriteSilentWav(const std::string& name, int frames);

} // namespace glimmet::test
