#include "support/wav.h"

#include <cstdint>

#include "support/temp_dir.h"

namespace glimmet::test {

namespace {

void Put(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string WavFile(int rate, int channels, int bits, const std::string& data) {
    std::string wav = "RIFF";
    Put(wav, static_cast<uint32_t>(36 + data.size()), 4);
    wav += "WAVEfmt ";
    Put(wav, 16, 4);
    Put(wav, 1, 2); // PCM
    Put(wav, static_cast<uint32_t>(channels), 2);
    Put(wav, static_cast<uint32_t>(rate), 4);
    Put(wav, static_cast<uint32_t>(rate * channels * bits / 8), 4);
    Put(wav, static_cast<uint32_t>(channels * bits / 8), 2);
    Put(wav, static_cast<uint32_t>(bits), 2);
    wav += "data";
    Put(wav, static_cast<uint32_t>(data.size()), 4);
    return wav + data;
}

} // namespace

std::string Wav(int rate, int channels, int bits, int frames) {
    std::string data;
    for (int i = 0; i < frames * channels; i++)
        Put(data, static_cast<uint32_t>(bits == 8 ? 128 + (i % 2 ? 20 : -20) : (i % 2 ? 3000 : -3000)),
            bits / 8);
    return WavFile(rate, channels, bits, data);
}

void WriteSilentWav(const std::string& name, int frames) {
    WriteBytes(name, WavFile(22050, 1, 16, std::string(static_cast<size_t>(frames) * 2, '\0')));
}

} // namespace glimmet::test
