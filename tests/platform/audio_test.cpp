// Sounds from real WAV files and channels, without a device and with SDL's dummy device.
#include "platform/audio.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/mixer.h"
#include "support/temp_dir.h"

namespace glimmet {
namespace {

void Put(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A PCM WAV file: 8-bit samples are unsigned, 16-bit signed; samples interleaved by channel.
std::string Wav(int rate, int channels, int bits, int frames) {
    std::string data;
    for (int i = 0; i < frames * channels; i++)
        Put(data, bits == 8 ? 128 + (i % 2 ? 20 : -20) : (i % 2 ? 3000 : -3000), bits / 8);
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

class PlatformAudio : public testing::Test {
  protected:
    void SetUp() override { CloseAudio(); }
    void TearDown() override { CloseAudio(); }

    // A sound of exactly `ms` milliseconds at the mix rate.
    int SoundOf(int ms) {
        test::WriteBytes("s.wav", Wav(MixRate, 2, 16, MixRate / 1000 * ms));
        int sound = LoadSound("s.wav");
        EXPECT_GT(sound, 0);
        return sound;
    }

    test::TempDir dir;
};

TEST_F(PlatformAudio, WavFilesAreConvertedToTheMixFormat) {
    test::WriteBytes("stereo.wav", Wav(MixRate, 2, 16, 441));
    test::WriteBytes("mono8.wav", Wav(22050, 1, 8, 1000));
    int stereo = LoadSound("stereo.wav");
    int mono = LoadSound("mono8.wav");
    ASSERT_GT(stereo, 0);
    ASSERT_GT(mono, 0);
    EXPECT_NE(stereo, mono);
    EXPECT_EQ(SoundFrames(stereo), 441);
    EXPECT_NEAR(SoundFrames(mono), 2000, 8) << "resampled to twice as many frames";
    FreeSound(stereo);
    EXPECT_EQ(SoundFrames(stereo), 0);
    FreeSound(mono);
}

TEST_F(PlatformAudio, MissingOrDamagedFilesGiveTheEmptySound) {
    test::WriteBytes("empty.wav", "");
    test::WriteBytes("text.wav", "not a sound at all");
    std::string cut = Wav(MixRate, 2, 16, 100).substr(0, 30);
    test::WriteBytes("cut.wav", cut);
    for (const char* name : {"missing.wav", "empty.wav", "text.wav", "cut.wav"})
        EXPECT_EQ(LoadSound(name), 0) << name;
    int channel = AllocateChannel();
    QueueSound(channel, 0);
    ResumeChannel(channel);
    EXPECT_FALSE(ChannelPlaying(channel)) << "the empty sound plays nothing";
    EXPECT_EQ(SoundFrames(0), 0);
    FreeChannel(channel);
}

TEST_F(PlatformAudio, WithoutADeviceASoundPlaysForItsLengthOnTheClock) {
    int sound = SoundOf(100);
    int channel = AllocateChannel();
    QueueSound(channel, sound);
    EXPECT_TRUE(ChannelPlaying(channel)) << "queued and paused counts as playing";
    AdvanceClock(500);
    EXPECT_TRUE(ChannelPlaying(channel)) << "paused: does not advance";
    ResumeChannel(channel);
    AdvanceClock(99);
    EXPECT_TRUE(ChannelPlaying(channel));
    AdvanceClock(1);
    EXPECT_FALSE(ChannelPlaying(channel));

    QueueSound(channel, sound);
    SetChannelRate(channel, 2);
    ResumeChannel(channel);
    AdvanceClock(49);
    EXPECT_TRUE(ChannelPlaying(channel));
    AdvanceClock(1);
    EXPECT_FALSE(ChannelPlaying(channel)) << "rate 2 halves the length";

    QueueSound(channel, sound);
    SetChannelRate(channel, 100); // clamped to 4
    ResumeChannel(channel);
    AdvanceClock(25);
    EXPECT_FALSE(ChannelPlaying(channel));
    FreeChannel(channel);
    FreeSound(sound);
}

TEST_F(PlatformAudio, StopAndFreeEndPlayback) {
    int sound = SoundOf(100);
    int a = AllocateChannel();
    int b = AllocateChannel();
    EXPECT_NE(a, b);
    QueueSound(a, sound);
    QueueSound(b, sound);
    ResumeChannel(a);
    StopChannel(a);
    EXPECT_FALSE(ChannelPlaying(a));
    EXPECT_TRUE(ChannelPlaying(b));
    FreeSound(sound);
    EXPECT_FALSE(ChannelPlaying(b)) << "freeing a sound stops its channels";
    FreeChannel(a);
    FreeChannel(b);
    EXPECT_FALSE(ChannelPlaying(a));
    for (int bad : {0, -1, 100000}) {
        QueueSound(bad, sound);
        ResumeChannel(bad);
        EXPECT_FALSE(ChannelPlaying(bad));
    }
}

TEST_F(PlatformAudio, ChannelsRunningOutAreReusedIdleOnesFirst) {
    int sound = SoundOf(1000);
    std::vector<int> channels;
    for (int i = 0; i < 600; i++) {
        int channel = AllocateChannel();
        ASSERT_GT(channel, 0);
        QueueSound(channel, sound);
        if (i == 100) StopChannel(channel); // the only idle one once all are taken
        channels.push_back(channel);
    }
    EXPECT_EQ(channels[512], channels[100]) << "the idle channel is reused before a playing one";
    EXPECT_EQ(channels[513], channels[0]) << "then the one used longest ago";
    for (int channel : channels) FreeChannel(channel);
    FreeSound(sound);
}

TEST_F(PlatformAudio, DummyDeviceOpensAndCallsKeepWorkingAfterClose) {
    ASSERT_TRUE(OpenAudio());
    EXPECT_TRUE(AudioDeviceOpen());
    EXPECT_EQ(AudioDeviceDriver(), "dummy");
    EXPECT_TRUE(OpenAudio()) << "a second open keeps the device";
    int sound = SoundOf(1000);
    int channel = AllocateChannel();
    QueueSound(channel, sound);
    SetChannelVolume(channel, 0.5f);
    SetChannelPan(channel, -1);
    ResumeChannel(channel);
    EXPECT_TRUE(ChannelPlaying(channel));
    CloseAudio();
    EXPECT_FALSE(AudioDeviceOpen());
    EXPECT_EQ(AudioDeviceDriver(), "");
    EXPECT_TRUE(ChannelPlaying(channel)) << "goes on silently";
    AdvanceClock(1000);
    EXPECT_FALSE(ChannelPlaying(channel));
    FreeChannel(channel);
    FreeSound(sound);
}

// SDL's disk driver writes the device's stream to a file: the mix arrives as mixed, in stereo float.
TEST_F(PlatformAudio, DeviceReceivesTheMix) {
    const char* previous = std::getenv("SDL_AUDIODRIVER");
    std::string keep = previous != nullptr ? previous : "";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (dir.path() + "/out.raw").c_str(), 1);
    bool opened = OpenAudio();
    if (previous != nullptr)
        setenv("SDL_AUDIODRIVER", keep.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    ASSERT_TRUE(opened);
    ASSERT_EQ(AudioDeviceDriver(), "disk");
    test::WriteBytes("tone.wav", Wav(MixRate, 2, 16, 2000)); // left -3000, right +3000
    int sound = LoadSound("tone.wav");
    int channel = AllocateChannel();
    QueueSound(channel, sound);
    SetChannelVolume(channel, 0.5f);
    SetChannelPan(channel, -1);
    ResumeChannel(channel);
    for (int i = 0; i < 500 && ChannelPlaying(channel); i++)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(ChannelPlaying(channel));
    CloseAudio();
    std::string raw = test::ReadBytes("out.raw");
    std::vector<float> out(raw.size() / sizeof(float));
    std::memcpy(out.data(), raw.data(), out.size() * sizeof(float));
    int sounding = 0;
    for (size_t i = 0; i + 1 < out.size(); i += 2) {
        if (out[i] == 0 && out[i + 1] == 0) continue;
        sounding++;
        EXPECT_NEAR(out[i], -3000.0f / 32768.0f * 0.5f, 1e-4);
        EXPECT_EQ(out[i + 1], 0.0f);
    }
    EXPECT_EQ(sounding, 2000);
    FreeChannel(channel);
    FreeSound(sound);
}

TEST_F(PlatformAudio, ChannelsReadBackAndCaptureMixesThemByTheClock) {
    int sound = SoundOf(100);
    int channel = AllocateChannel();
    EXPECT_FALSE(ReadChannel(0).playing);
    StartCapture();
    AdvanceClock(20); // silence before the sound starts
    QueueSound(channel, sound);
    SetChannelVolume(channel, 0.5f);
    SetChannelPan(channel, 1);
    SetChannelRate(channel, 2);
    ResumeChannel(channel);
    ChannelView view = ReadChannel(channel);
    EXPECT_EQ(view.sound, sound);
    EXPECT_FLOAT_EQ(view.volume, 0.5f);
    EXPECT_FLOAT_EQ(view.pan, 1);
    EXPECT_FLOAT_EQ(view.rate, 2);
    EXPECT_EQ(view.position, 0);
    EXPECT_TRUE(view.playing);
    AdvanceClock(10);
    EXPECT_NEAR(ReadChannel(channel).position, 2 * MixRate / 100, 1);
    AdvanceClock(70); // at rate 2 the 100 ms sound ends after 50 ms
    EXPECT_FALSE(ReadChannel(channel).playing);
    std::vector<float> mix = TakeCapture();
    ASSERT_EQ(mix.size(), 2u * MixRate / 10); // 100 ms of stereo frames
    int sounding = 0;
    for (size_t i = 0; i < mix.size(); i += 2) {
        EXPECT_EQ(mix[i], 0.0f) << "panned right";
        if (mix[i + 1] == 0) continue;
        sounding++;
        EXPECT_NEAR(mix[i + 1], 3000.0f / 32768.0f * 0.5f, 1e-4);
    }
    EXPECT_EQ(sounding, SoundFrames(sound) / 2); // all of it, at twice the speed
    EXPECT_TRUE(TakeCapture().empty()) << "capturing has ended";
    FreeChannel(channel);
    FreeSound(sound);
}

} // namespace
} // namespace glimmet
