#include <gtest/gtest.h>

#include "app/program.h"
#include "audio/sound_effects.h"
#include "platform/audio.h"
#include "support/temp_dir.h"
#include "support/wav.h"

namespace glimmet {
namespace {

class SoundEffects : public testing::Test {
  protected:
    void SetUp() override {
        CreateTables();
        test::WriteSilentWav("001.wav", 22050);
        SfxSound[1] = LoadSound("001.wav");
        ASSERT_NE(SfxSound[1], 0);
    }
    test::TempDir dir;
};

TEST_F(SoundEffects, RingStartsAtTwentyOneAndWrapsToTwentyOnThe236thEffect) {
    PlaySfx(1, 1, 1, 0);
    EXPECT_NE(ChanSlot[21], 0);
    EXPECT_EQ(ChanSlot[20], 0);
    for (int i = 2; i <= 235; i++) PlaySfx(1, 1, 1, 0);
    EXPECT_EQ(NextSfxSlot, 255);
    EXPECT_EQ(ChanSlot[20], 0);
    PlaySfx(1, 1, 1, 0); // the 236th
    EXPECT_EQ(NextSfxSlot, 20);
    EXPECT_NE(ChanSlot[20], 0);
    int first = ChanSlot[21];
    EXPECT_TRUE(ChannelPlaying(first));
    PlaySfx(1, 1, 1, 0); // the 237th cuts the first effect, still playing
    EXPECT_EQ(NextSfxSlot, 21);
    EXPECT_TRUE(ChannelPlaying(ChanSlot[21]));
}

TEST_F(SoundEffects, SilentSettingsAndMissingSounds) {
    Setting[SettingSoundVolume] = 0;
    PlaySfx(1, 1, 1, 0);
    EXPECT_EQ(NextSfxSlot, 20); // nothing touched
    Setting[SettingSoundVolume] = 50;
    PlaySfx(2, 1, 1, 0); // no such sound
    PlaySfx(0, 1, 1, 0);
    PlaySfx(201, 1, 1, 0);
    EXPECT_EQ(NextSfxSlot, 20);
    Setting[SettingMasterVolume] = 0;
    PlaySfx(1, 1, 1, 0); // master 0: started all the same, at volume 0
    EXPECT_TRUE(ChannelPlaying(ChanSlot[21]));
}

TEST_F(SoundEffects, LoudnessStaysWithinZeroAndOne) {
    EXPECT_FLOAT_EQ(MixVolume(50, 50, 1), 0.25f);
    EXPECT_FLOAT_EQ(MixVolume(100, 100, 1.5f), 1);
    EXPECT_FLOAT_EQ(MixVolume(400, 300, 1), 1); // a hand-edited setup file
    EXPECT_FLOAT_EQ(MixVolume(50, -80, 1), 0);
    EXPECT_FLOAT_EQ(MixVolume(100, 50, 0.5f), 0.25f);
}

} // namespace
} // namespace glimmet
