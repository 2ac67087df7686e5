// Sounds from real WAV files and channels, without a device and with SDL's dummy device.
#include "platform/audio.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/mixer.h"
#include "platform/sanitizer.h"
#include "support/temp_dir.h"
#include "support/wav.h"

namespace glimmet {
namespace {

using test::Wav;

// The process's address space in bytes: the first figure of /proc/self/statm, in pages.
long long AddressSpaceInUse() {
    std::ifstream statm("/proc/self/statm");
    long long pages = 0;
    statm >> pages;
    return pages * sysconf(_SC_PAGESIZE);
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

// A damaged header must give the empty sound rather than ask for gigabytes to convert it: sample rates
// no recording has (the fixture claims 1 Hz), and sounds longer than five minutes.
TEST_F(PlatformAudio, ImpossibleRatesAndLengthsGiveTheEmptySound) {
    EXPECT_EQ(LoadSound(GLIMMET_FIXTURES "/rate_1hz.wav"), 0);
    struct Case {
        int rate;
        int frames;
        bool usable;
    };
    const Case cases[] = {{5, 3050, false},     {999, 100, false},     {1000, 100, true},
                          {384000, 3840, true}, {384001, 3840, false}, {8000, 8000 * 301, false},
                          {22050, 22050, true}};
    for (const Case& c : cases) {
        test::WriteBytes("c.wav", Wav(c.rate, 1, 8, c.frames));
        int sound = LoadSound("c.wav");
        EXPECT_EQ(sound > 0, c.usable) << c.rate << " Hz, " << c.frames << " frames";
        FreeSound(sound);
    }
}

// SDL reserves the size that a WAV's data chunk declares before reading it. A chunk that claims 4 GB
// in a small file loads as what the file holds, and without that reservation: the load runs in a
// child process whose address space has room for the sound but not for the claim.
TEST_F(PlatformAudio, DataChunkClaimingMoreThanTheFileLoadsWhatItHolds) {
    std::string wav = Wav(MixRate, 2, 16, 441);
    const std::string claim = "\xF0\xFF\xFF\xFF";
    wav.replace(40, 4, claim);
    test::WriteBytes("claims.wav", wav);
    int sound = LoadSound("claims.wav");
    EXPECT_EQ(SoundFrames(sound), 441);
    FreeSound(sound);
    if (UnderAddressSanitizer()) GTEST_SKIP() << "the sanitizer needs an unlimited address space";
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            rlimit limit{};
            getrlimit(RLIMIT_AS, &limit);
            limit.rlim_cur = static_cast<rlim_t>(AddressSpaceInUse()) + (1u << 30);
            setrlimit(RLIMIT_AS, &limit);
            int loaded = LoadSound("claims.wav");
            std::exit(SoundFrames(loaded) == 441 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
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
