#include "audio/sound_effects.h"

#include <algorithm>

#include "base/state.h"
#include "platform/audio.h"

namespace glimmet {

std::array<int, 201> SfxSound{};
std::array<int, 260> ChanSlot{};
int NextSfxSlot = 20;

void InitializeSoundEffects() {
    SfxSound.fill(0);
    ChanSlot.fill(0);
    NextSfxSlot = 20;
}

float MixVolume(int partVolume, int masterVolume, float volume) {
    float loudness =
        static_cast<float>(partVolume) * static_cast<float>(masterVolume) / 100.0f / 100.0f * volume;
    return std::clamp(loudness, 0.0f, 1.0f);
}

void PlaySfx(int id, float rate, float volume, float pan) {
    if (Setting[SettingSoundVolume] <= 0) return;
    if (id < 1 || id > 200 || SfxSound[static_cast<size_t>(id)] == 0) return;
    NextSfxSlot++;
    if (NextSfxSlot >= 256) NextSfxSlot = 20;
    volume = std::clamp(volume, 0.0f, 1.0f);
    rate = std::clamp(rate, 0.25f, 4.0f);
    pan = std::clamp(pan, -1.0f, 1.0f);
    int& slot = ChanSlot[static_cast<size_t>(NextSfxSlot)];
    if (slot != 0 && ChannelPlaying(slot)) {
        StopChannel(slot);
        FreeChannel(slot);
        slot = 0;
    }
    if (slot == 0) slot = AllocateChannel();
    QueueSound(slot, SfxSound[static_cast<size_t>(id)]);
    SetChannelVolume(slot, MixVolume(Setting[SettingSoundVolume], Setting[SettingMasterVolume], volume));
    SetChannelPan(slot, pan);
    SetChannelRate(slot, rate);
    ResumeChannel(slot);
}

} // namespace glimmet
