#include "audio/music.h"

#include <string>

#include "platform/audio.h"
#include "platform/files.h"
#include "scores/fields.h"

namespace glimmet {

std::array<int, 50> MusicSound{};
std::array<int, 5> VariantCount{};
int MusicOn = 0;

void InitializeMusic() {
    MusicOn = 0;
}

namespace {

void LoadInto(int slot, const std::string& file) {
    FreeSound(MusicSound[static_cast<size_t>(slot)]);
    MusicSound[static_cast<size_t>(slot)] = LoadSound(file);
}

} // namespace

void LoadInstruments() {
    for (int n = 1; n <= 8; n++) {
        LoadInto(n, "music/d1-" + std::to_string(n) + ".wav");
        LoadInto(10 + n, "music/d3-" + std::to_string(n) + ".wav");
    }
    const char* const names[4] = {"", "music/bass", "music/lead", "music/accompany"};
    for (int instrument = 1; instrument <= 3; instrument++) {
        for (int n = 1; n <= 8; n++) {
            std::string file = names[instrument] + PadNumber(n, 2) + ".wav";
            if (!FileExists(file)) continue;
            VariantCount[static_cast<size_t>(instrument)] = n;
            LoadInto(instrument * 10 + 10 + n, file);
        }
    }
}

void MusicStep() {
    if (MusicOn == 0) return;
}

} // namespace glimmet
