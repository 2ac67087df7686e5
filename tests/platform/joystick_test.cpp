// Joysticks read through SDL's virtual joysticks, set by the input script.
#include "platform/joystick.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/input.h"
#include "platform/input_script.h"

namespace glimmet {
namespace {

class PlatformJoystick : public testing::Test {
  protected:
    void SetUp() override { ResetInput(); }
    void TearDown() override { ResetInput(); }
};

TEST_F(PlatformJoystick, CountNameAndButtonMask) {
    int before = JoystickCount();
    int port = AttachTestJoystick("Test Pad", 10, true);
    ASSERT_GE(port, 0);
    EXPECT_EQ(JoystickCount(), before + 1);
    EXPECT_EQ(JoystickName(port), "Test Pad");
    EXPECT_EQ(JoystickButtonMask(port), 1023);
    int none = AttachTestJoystick("No Buttons", 0, false);
    EXPECT_EQ(JoystickButtonMask(none), 0);
    int many = AttachTestJoystick("Many Buttons", 32, false);
    EXPECT_EQ(JoystickButtonMask(many), 0x7FFFFFFF) << "at most 31 buttons are counted";
    DetachTestJoysticks();
    EXPECT_EQ(JoystickCount(), before);
    EXPECT_EQ(JoystickName(port + 5), "");
}

TEST_F(PlatformJoystick, AxesReadFromMinusOneToOne) {
    int port = AttachTestJoystick("Pad", 4, true);
    ASSERT_GE(port, 0);
    for (int axis = 0; axis < 6; axis++) EXPECT_DOUBLE_EQ(JoystickAxis(port, axis), 0.0);
    SetJoyAxis(port, 0, -1.0f, AtOnce());
    SetJoyAxis(port, 1, 0.5f, AtOnce());
    SetJoyAxis(port, 5, 1.0f, AtOnce());
    EXPECT_DOUBLE_EQ(JoystickAxis(port, 0), -1.0);
    EXPECT_NEAR(JoystickAxis(port, 1), 0.5, 1e-4);
    EXPECT_DOUBLE_EQ(JoystickAxis(port, 5), 1.0);
    EXPECT_DOUBLE_EQ(JoystickAxis(port, 6), 0.0) << "a missing axis reads 0";
    EXPECT_DOUBLE_EQ(JoystickAxis(port, -1), 0.0);
}

TEST_F(PlatformJoystick, HatReadsAFractionOfATurn) {
    int port = AttachTestJoystick("Pad", 4, true);
    ASSERT_GE(port, 0);
    EXPECT_DOUBLE_EQ(JoystickHat(port), -1.0);
    const double turns[] = {0, 0.125, 0.25, 0.375, 0.5, 0.625, 0.75, 0.875, -1};
    for (double turn : turns) {
        SetJoyHat(port, static_cast<float>(turn), AtOnce());
        EXPECT_DOUBLE_EQ(JoystickHat(port), turn);
    }
}

TEST_F(PlatformJoystick, StickWithoutHatNeverReadsCentred) {
    int port = AttachTestJoystick("Hatless", 2, false);
    ASSERT_GE(port, 0);
    EXPECT_DOUBLE_EQ(JoystickHat(port), 0.0);
    EXPECT_DOUBLE_EQ(JoystickHat(port + 7), 0.0) << "nor does a missing stick";
}

TEST_F(PlatformJoystick, ButtonsFollowPressAndRelease) {
    int port = AttachTestJoystick("Pad", 4, false);
    ASSERT_GE(port, 0);
    long start = 0;
    PressJoyButton(port, 3, AtFrame(start));
    EXPECT_TRUE(JoystickButton(port, 3));
    EXPECT_FALSE(JoystickButton(port, 2));
    EXPECT_FALSE(JoystickButton(port, 4)) << "beyond the stick's buttons";
    ReleaseJoyButton(port, 3, AtOnce());
    EXPECT_FALSE(JoystickButton(port, 3));
}

TEST_F(PlatformJoystick, SurvivesTheJoystickSubsystemShuttingDown) {
    int port = AttachTestJoystick("Pad", 4, true);
    ASSERT_GE(port, 0);
    PressJoyButton(port, 1, AtOnce());
    EXPECT_TRUE(JoystickButton(port, 1));
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK); // closes every stick behind our back
    EXPECT_FALSE(JoystickButton(port, 1));
    EXPECT_EQ(JoystickName(port), "");
    DetachTestJoysticks();
    int again = AttachTestJoystick("Pad", 4, true);
    ASSERT_GE(again, 0);
    PressJoyButton(again, 2, AtOnce());
    EXPECT_TRUE(JoystickButton(again, 2));
}

} // namespace
} // namespace glimmet
