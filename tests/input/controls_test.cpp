// Input codes, bindings and key names, with scripted keys and virtual joysticks.
#include "input/controls.h"

#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/input_script.h"
#include "platform/keys.h"

namespace glimmet {
namespace {

class InputControls : public testing::Test {
  protected:
    void SetUp() override {
        ResetInput();
        SetDefaultBindings();
        JoystickCensus();
    }
    void TearDown() override {
        ResetInput();
        JoystickCensus();
    }

    // Attaches a stick and takes the census; returns its joystick number j (port + 1).
    int Stick(bool hat = true, int buttons = 20) {
        int port = AttachTestJoystick("Pad", buttons, hat);
        EXPECT_GE(port, 0);
        JoystickCensus();
        return port + 1;
    }
    static int Base(int j) { return 50 * j + 250; }
};

TEST_F(InputControls, KeyNames) {
    struct Case {
        int code;
        const char* name;
    };
    const Case cases[] = {
        {0, "None"},
        {-7, "None"},
        {1, "Left Mousebutton"},
        {3, "Middle Mousebutton"},
        {8, "Backspace"},
        {13, "Return"},
        {27, "Escape"},
        {32, "Space"},
        {33, "Page Up"},
        {44, "Screen"},
        {48, "0"},
        {57, "9"},
        {65, "A"},
        {90, "Z"},
        {91, "Sys Left"},
        {96, "0"},
        {105, "9"},
        {106, "*"},
        {111, "/"},
        {112, "F1"},
        {123, "F12"},
        {160, "LShift"},
        {165, "RAlt"},
        {175, "Volume Up"},
        {186, ";"},
        {192, "'"},
        {220, "\\"},
        {222, "#"},
        {223, "`"},
        {226, "\\"},
        {93, "13"},
        {21, "-9"},
        {60, "R-"},
        {300, "Y-"},
        {311, "R+"},
        {320, "Up"},
        {323, "Left"},
        {325, "Right"},
        {328, "Down"},
        {331, "1"},
        {349, "19"},
        {312, "-18"},
        {499, "19"},
        {500, "Y-"},
    };
    for (const Case& c : cases) EXPECT_EQ(KeyName(c.code), c.name) << c.code;
}

TEST_F(InputControls, KeysBelowTenAndKey255NeverHold) {
    for (int code : {8, 9, 13, 27, 90, 226}) ASSERT_TRUE(PressKey(code, AtOnce()));
    EXPECT_FALSE(InputDown(9)) << "Tab";
    EXPECT_FALSE(InputDown(8)) << "Backspace";
    EXPECT_FALSE(InputDown(0));
    EXPECT_FALSE(InputDown(-1));
    EXPECT_TRUE(InputDown(13));
    EXPECT_TRUE(InputDown(27));
    EXPECT_TRUE(InputDown(226));
    EXPECT_FALSE(InputDown(255));
}

TEST_F(InputControls, ControlDownReadsTheBinding) {
    PressKey(KeyZ, AtOnce());
    EXPECT_TRUE(ControlDown(10, 1));
    EXPECT_FALSE(ControlDown(11, 1));
    EXPECT_FALSE(ControlDown(10, 2)) << "unbound";
    KeyBind[BindSlot(10, 2)] = 90;
    EXPECT_TRUE(ControlDown(10, 2));
    EXPECT_FALSE(ControlDown(0, 6)) << "beyond the table";
    EXPECT_FALSE(ControlDown(-5, 1));
}

TEST_F(InputControls, CensusReadsRestPositionsAndHat) {
    int port = AttachTestJoystick("Rest Pad", 6, true);
    ASSERT_GE(port, 0);
    SetJoyAxis(port, 1, 0.1f, AtOnce());
    SetJoyAxis(port, 5, -0.5f, AtOnce());
    int hatless = AttachTestJoystick("Hatless", 3, false);
    JoystickCensus();
    int j = port + 1;
    EXPECT_GE(JoyCount, 2);
    EXPECT_EQ(JoyName[j], "Rest Pad");
    EXPECT_EQ(JoyButtons[j], 63);
    EXPECT_NEAR(JoyRestY[j], 0.1, 1e-4);
    EXPECT_NEAR(JoyRestR[j], -0.5, 1e-4);
    EXPECT_DOUBLE_EQ(JoyRestX[j], 0);
    EXPECT_EQ(JoyPresent[j], 1);
    EXPECT_EQ(JoyHasHat[j], 1);
    EXPECT_EQ(JoyHasHat[hatless + 1], 0);
}

TEST_F(InputControls, CensusTakesAtMostFourSticks) {
    for (int i = 0; i < 5; i++) AttachTestJoystick("Pad", 2, true);
    JoystickCensus();
    EXPECT_EQ(JoyCount, 4);
    EXPECT_EQ(JoyPresent[0], 0);
}

TEST_F(InputControls, AxesCompareStrictlyWithTheRestPosition) {
    int port = AttachTestJoystick("Pad", 4, true);
    SetJoyAxis(port, 1, 0.1f, AtOnce());
    JoystickCensus();
    int j = port + 1;
    SetJoyAxis(port, 1, -0.19f, AtOnce());
    EXPECT_FALSE(InputDown(Base(j) + 0)) << "Y- at -0.19";
    SetJoyAxis(port, 1, -0.21f, AtOnce());
    EXPECT_TRUE(InputDown(Base(j) + 0)) << "Y- at -0.21";
    EXPECT_FALSE(InputDown(Base(j) + 1));
    SetJoyAxis(port, 0, 0.31f, AtOnce());
    EXPECT_TRUE(InputDown(Base(j) + 3)) << "X+";
    EXPECT_FALSE(InputDown(Base(j) + 2));
    SetJoyAxis(port, 3, -0.5f, AtOnce());
    EXPECT_TRUE(InputDown(Base(j) + 6)) << "U-";
}

TEST_F(InputControls, DiagonalHatHoldsTwoDirections) {
    int j = Stick();
    SetJoyHat(j - 1, 0.375f, AtOnce());
    EXPECT_TRUE(InputDown(Base(j) + 25)) << "Right";
    EXPECT_TRUE(InputDown(Base(j) + 28)) << "Down";
    EXPECT_FALSE(InputDown(Base(j) + 20));
    EXPECT_FALSE(InputDown(Base(j) + 23));
    SetJoyHat(j - 1, -1, AtOnce());
    for (int d : {20, 23, 25, 28}) EXPECT_FALSE(InputDown(Base(j) + d)) << d;
}

TEST_F(InputControls, HatRanges) {
    struct Case {
        double hat;
        bool up, right, down, left;
        int exact;
    };
    const Case cases[] = {
        {-1, false, false, false, false, 0},   {0, true, false, false, false, 20},
        {0.125, true, true, false, false, 0},  {0.25, false, true, false, false, 25},
        {0.3, false, true, false, false, 0},   {0.375, false, true, true, false, 0},
        {0.5, false, false, true, false, 28},  {0.625, false, false, true, true, 0},
        {0.75, false, false, false, true, 23}, {0.875, true, false, false, true, 0},
        {0.2, false, true, false, false, 0},   {0.1, true, false, false, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HatHolds(20, c.hat), c.up) << c.hat;
        EXPECT_EQ(HatHolds(25, c.hat), c.right) << c.hat;
        EXPECT_EQ(HatHolds(28, c.hat), c.down) << c.hat;
        EXPECT_EQ(HatHolds(23, c.hat), c.left) << c.hat;
        EXPECT_EQ(HatExactInput(c.hat), c.exact) << c.hat;
    }
    EXPECT_FALSE(HatHolds(21, 0.0));
}

TEST_F(InputControls, StickWithoutHatHasNoHatInputs) {
    int j = Stick(false);
    EXPECT_EQ(JoyHasHat[j], 0);
    EXPECT_FALSE(InputDown(Base(j) + 20)) << "its reading of 0 is not up";
    EXPECT_EQ(ScanInput(), 0);
}

TEST_F(InputControls, SticksSwitchedOffOrAbsentNeverHold) {
    int j = Stick();
    PressJoyButton(j - 1, 1, AtOnce());
    EXPECT_TRUE(InputDown(Base(j) + 31));
    JoyPresent[j] = 0;
    EXPECT_FALSE(InputDown(Base(j) + 31));
    EXPECT_EQ(ScanInput(), 0);
    JoyPresent[j] = 1;
    JoyPresent[2] = 0;
    for (int code = 350; code < 400; code++) EXPECT_FALSE(InputDown(code)) << code;
    for (int code : {500, 531, 999, 300 + 12, 300 + 21, 300 + 29}) EXPECT_FALSE(InputDown(code)) << code;
}

TEST_F(InputControls, ScanInputTakesTheLowestKeyAndIgnoresWhileF11OrF12) {
    PressKey(KeyA, AtOnce());
    PressKey(KeyArrowUp, AtOnce());
    EXPECT_EQ(ScanInput(), 38);
    PressKey(KeyF12, AtOnce());
    EXPECT_EQ(ScanInput(), 0);
    ReleaseKey(KeyF12, AtOnce());
    PressKey(KeyF11, AtOnce());
    EXPECT_EQ(ScanInput(), 0);
    ReleaseKey(KeyF11, AtOnce());
    EXPECT_EQ(ScanInput(), 38);
}

TEST_F(InputControls, ScanInputOrderOnAStick) {
    int j = Stick();
    EXPECT_EQ(ScanInput(), 0);
    PressJoyButton(j - 1, 2, AtOnce());
    EXPECT_EQ(ScanInput(), Base(j) + 32);
    SetJoyHat(j - 1, 0.25f, AtOnce());
    EXPECT_EQ(ScanInput(), Base(j) + 25) << "hat before buttons";
    SetJoyHat(j - 1, 0.125f, AtOnce());
    EXPECT_EQ(ScanInput(), Base(j) + 32) << "a diagonal is not captured";
    SetJoyAxis(j - 1, 0, 0.9f, AtOnce());
    EXPECT_EQ(ScanInput(), Base(j) + 3) << "axes first";
    SetJoyAxis(j - 1, 1, -0.9f, AtOnce());
    EXPECT_EQ(ScanInput(), Base(j) + 0) << "Y- before X+";
    PressKey(KeyZ, AtOnce());
    EXPECT_EQ(ScanInput(), 90) << "keys before sticks";
}

TEST_F(InputControls, ScanInputSkipsButtonNineteenAndUp) {
    int j = Stick(true, 24);
    PressJoyButton(j - 1, 19, AtOnce());
    PressJoyButton(j - 1, 23, AtOnce());
    EXPECT_EQ(ScanInput(), 0);
    EXPECT_TRUE(InputDown(Base(j) + 49)) << "button 19 still tests as held when bound";
    PressJoyButton(j - 1, 18, AtOnce());
    EXPECT_EQ(ScanInput(), Base(j) + 48);
}

TEST_F(InputControls, ScanInputTriesButtonsBelowTheMaskOnly) {
    int j = Stick(true, 2);
    PressJoyButton(j - 1, 1, AtOnce());
    EXPECT_EQ(ScanInput(), Base(j) + 31);
    JoyButtons[j] = 1; // as if the stick had one button
    EXPECT_EQ(ScanInput(), 0);
}

} // namespace
} // namespace glimmet
