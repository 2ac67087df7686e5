#include "platform/mixer.h"

#include <algorithm>

namespace glimmet {

void PanGains(float volume, float pan, float& left, float& right) {
    left = volume * std::min(1.0f, 1.0f - pan);
    right = volume * std::min(1.0f, 1.0f + pan);
}

namespace {

void MixOne(MixChannel& channel, float* out, int frames) {
    float targetL = 0, targetR = 0;
    PanGains(channel.volume, channel.pan, targetL, targetR);
    float startL = channel.fresh ? targetL : channel.gainL;
    float startR = channel.fresh ? targetR : channel.gainR;
    channel.gainL = targetL;
    channel.gainR = targetR;
    channel.fresh = false;
    const float* s = channel.samples;
    const long last = channel.frames - 1;
    const float step = 1.0f / static_cast<float>(frames);
    // A rate outside 0.25..4 (or not a number) would stall or skip the sound; the setters clamp it too.
    const double rate = channel.rate >= 0.25f && channel.rate <= 4.0f ? channel.rate : 1.0;
    for (int i = 0; i < frames; i++) {
        if (channel.pos >= static_cast<double>(channel.frames)) {
            channel.active = false;
            return;
        }
        long at = static_cast<long>(channel.pos);
        long next = std::min(at + 1, last);
        auto frac = static_cast<float>(channel.pos - static_cast<double>(at));
        float left = s[2 * at] + (s[2 * next] - s[2 * at]) * frac;
        float right = s[2 * at + 1] + (s[2 * next + 1] - s[2 * at + 1]) * frac;
        float t = static_cast<float>(i + 1) * step;
        out[2 * i] += left * (startL + (targetL - startL) * t);
        out[2 * i + 1] += right * (startR + (targetR - startR) * t);
        channel.pos += rate;
    }
    if (channel.pos >= static_cast<double>(channel.frames)) channel.active = false;
}

} // namespace

void MixChannels(MixChannel* channels, int count, float* out, int frames) {
    if (frames <= 0) return;
    std::fill(out, out + 2 * static_cast<long>(frames), 0.0f);
    for (int c = 0; c < count; c++) {
        MixChannel& channel = channels[c];
        if (!channel.active || channel.paused) continue;
        if (channel.samples == nullptr || channel.frames <= 0 || !(channel.pos >= 0)) {
            channel.active = false;
            continue;
        }
        MixOne(channel, out, frames);
    }
    for (long i = 0; i < 2 * static_cast<long>(frames); i++) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

} // namespace glimmet
