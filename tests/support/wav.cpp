#include "support/wav.h"

#include <cstdint>

#include "support/temp_dir.h"

namespace glimmet::test {

void WriteSilentWav(const std::string& name, int frames) {
    auto le = [](uint32_t v, int bytes) {
        std::string s;
        for (int i = 0; i < bytes; i++) s += static_cast<char>((v >> (8 * i)) & 255);
        return s;
    };
    uint32_t data = static_cast<uint32_t>(frames) * 2;
    WriteBytes(name, "RIFF" + le(36 + data, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(22050, 4) +
                         le(44100, 4) + le(2, 2) + le(16, 2) + "data" + le(data, 4) +
                         std::string(data, '\0'));
}

} // namespace glimmet::test
