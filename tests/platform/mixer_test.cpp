// The mixer's arithmetic, called without a device.
#include "platform/mixer.h"

#include <gtest/gtest.h>

#include <vector>

namespace glimmet {
namespace {

// A stereo sound of the given length holding one value on both sides.
std::vector<float> Constant(long frames, float value) {
    return std::vector<float>(2 * static_cast<size_t>(frames), value);
}

MixChannel Playing(const std::vector<float>& sound) {
    MixChannel channel;
    channel.samples = sound.data();
    channel.frames = static_cast<long>(sound.size() / 2);
    channel.active = true;
    channel.paused = false;
    return channel;
}

int SoundingFrames(const std::vector<float>& out) {
    int count = 0;
    for (size_t i = 0; i < out.size(); i += 2)
        if (out[i] != 0 || out[i + 1] != 0) count++;
    return count;
}

TEST(PlatformMixer, RateChangesTheLength) {
    struct Case {
        float rate;
        int frames;
    };
    const auto sound = Constant(1000, 0.5f);
    for (Case c : {Case{1, 1000}, Case{2, 500}, Case{4, 250}, Case{0.5f, 2000}, Case{0.25f, 4000}}) {
        MixChannel channel = Playing(sound);
        channel.rate = c.rate;
        std::vector<float> out(2 * 8192);
        MixChannels(&channel, 1, out.data(), 8192);
        EXPECT_EQ(SoundingFrames(out), c.frames) << "rate " << c.rate;
        EXPECT_FALSE(channel.active);
    }
}

TEST(PlatformMixer, ResamplingReadsBetweenFrames) {
    const std::vector<float> sound = {0, 0, 1, -1};
    MixChannel channel = Playing(sound);
    channel.rate = 0.5f;
    std::vector<float> out(2 * 6);
    MixChannels(&channel, 1, out.data(), 6);
    const float left[] = {0, 0.5f, 1, 1, 0, 0};
    for (int i = 0; i < 6; i++) {
        EXPECT_FLOAT_EQ(out[2 * i], left[i]) << i;
        EXPECT_FLOAT_EQ(out[2 * i + 1], -left[i]) << i;
    }
}

TEST(PlatformMixer, VolumeAndPanSetTheGains) {
    struct Case {
        float volume, pan, left, right;
    };
    const Case cases[] = {
        {1, 0, 0.5f, 0.5f},     {0.5f, 0, 0.25f, 0.25f},      {0, 0, 0, 0}, {1, -1, 0.5f, 0}, {1, 1, 0, 0.5f},
        {1, 0.5f, 0.25f, 0.5f}, {0.5f, -0.5f, 0.25f, 0.125f},
    };
    const auto sound = Constant(64, 0.5f);
    for (const Case& c : cases) {
        MixChannel channel = Playing(sound);
        channel.volume = c.volume;
        channel.pan = c.pan;
        std::vector<float> out(2 * 64);
        MixChannels(&channel, 1, out.data(), 64);
        for (int i = 0; i < 64; i++) {
            ASSERT_FLOAT_EQ(out[2 * i], c.left) << "volume " << c.volume << " pan " << c.pan;
            ASSERT_FLOAT_EQ(out[2 * i + 1], c.right) << "volume " << c.volume << " pan " << c.pan;
        }
    }
}

TEST(PlatformMixer, SumIsClampedOnceAtTheOutput) {
    const auto loud = Constant(16, 0.8f);
    const auto negative = Constant(16, -0.8f);
    MixChannel three[] = {Playing(loud), Playing(loud), Playing(negative)};
    std::vector<float> out(2 * 16);
    MixChannels(three, 3, out.data(), 16);
    EXPECT_FLOAT_EQ(out[0], 0.8f) << "0.8 + 0.8 - 0.8, not clamped along the way";
    MixChannel two[] = {Playing(loud), Playing(loud)};
    MixChannels(two, 2, out.data(), 16);
    EXPECT_FLOAT_EQ(out[0], 1.0f);
    MixChannel low[] = {Playing(negative), Playing(negative)};
    MixChannels(low, 2, out.data(), 16);
    EXPECT_FLOAT_EQ(out[1], -1.0f);
}

TEST(PlatformMixer, VolumeChangesSlideAcrossABuffer) {
    const auto sound = Constant(10000, 1.0f);
    MixChannel channel = Playing(sound);
    std::vector<float> out(2 * 100);
    MixChannels(&channel, 1, out.data(), 100);
    EXPECT_FLOAT_EQ(out[0], 1.0f) << "a new sound starts at its set volume";
    channel.volume = 0;
    MixChannels(&channel, 1, out.data(), 100);
    EXPECT_NEAR(out[0], 0.99f, 1e-5);
    for (int i = 1; i < 100; i++) EXPECT_LT(out[2 * i], out[2 * i - 2]);
    EXPECT_FLOAT_EQ(out[198], 0.0f);
    MixChannels(&channel, 1, out.data(), 100);
    EXPECT_FLOAT_EQ(out[0], 0.0f);
}

TEST(PlatformMixer, PausedInactiveAndBrokenChannelsAreSilent) {
    const auto sound = Constant(100, 0.5f);
    MixChannel paused = Playing(sound);
    paused.paused = true;
    MixChannel stopped = Playing(sound);
    stopped.active = false;
    MixChannel empty;
    empty.active = true;
    empty.paused = false;
    MixChannel channels[] = {paused, stopped, empty};
    std::vector<float> out(2 * 50, 7.0f);
    MixChannels(channels, 3, out.data(), 50);
    EXPECT_EQ(SoundingFrames(out), 0);
    EXPECT_DOUBLE_EQ(channels[0].pos, 0);
    EXPECT_TRUE(channels[0].active);
    EXPECT_FALSE(channels[2].active);
}

} // namespace
} // namespace glimmet
