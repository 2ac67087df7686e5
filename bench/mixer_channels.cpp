// What the mixer costs: how many channels, each playing a sound at a rate other than 1 with volume and
// pan changing every buffer, one core mixes in real time, and the share of a core that the 236 channels
// of the sound-effect ring plus the five music voices take. Plain arithmetic, no audio device.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/mixer.h"

namespace {

using glimmet::MixChannel;
using glimmet::MixRate;

constexpr int BufferFrames = 1024;

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Milliseconds to mix one second of sound with count channels, the best of three runs.
double MixSecond(int count, const std::vector<float>& sound) {
    double best = 1e9;
    for (int run = 0; run < 3; run++) {
        std::vector<MixChannel> channels(static_cast<size_t>(count));
        for (int i = 0; i < count; i++) {
            MixChannel& c = channels[static_cast<size_t>(i)];
            c.samples = sound.data();
            c.frames = static_cast<long>(sound.size() / 2);
            c.active = true;
            c.paused = false;
            c.rate = 0.5f + static_cast<float>(i % 7) * 0.25f;
        }
        std::vector<float> out(BufferFrames * 2);
        double start = NowMs();
        for (int done = 0; done < MixRate; done += BufferFrames) {
            for (int i = 0; i < count; i++) {
                MixChannel& c = channels[static_cast<size_t>(i)];
                c.volume =
                    static_cast<float>((done / BufferFrames + i) % 10) / 10.0f; // a new gain each buffer
                c.pan = static_cast<float>(i % 3) - 1.0f;
                if (!c.active) c.active = true, c.pos = 0; // keep every channel sounding
            }
            glimmet::MixChannels(channels.data(), count, out.data(), BufferFrames);
        }
        best = std::min(best, NowMs() - start);
    }
    return best;
}

} // namespace

int main() {
    std::vector<float> sound(static_cast<size_t>(MixRate) * 2); // one second of stereo sound
    for (size_t i = 0; i < sound.size(); i++) sound[i] = static_cast<float>((i * 37) % 200) / 100.0f - 1.0f;
    std::printf("Mixing one second of sound (%d Hz stereo float, buffers of %d frames):\n", MixRate,
                BufferFrames);
    for (int count : {1, 16, 64, 241}) {
        double ms = MixSecond(count, sound);
        std::printf("  %4d channels  %8.2f ms  (%5.2f %% of a core, %.1f us per channel-second)\n", count, ms,
                    ms / 10.0, ms * 1000.0 / count);
    }
    double perChannel = MixSecond(64, sound) / 64;
    std::printf("One core mixes about %.0f such channels in real time.\n", 1000.0 / perChannel);
    return 0;
}
