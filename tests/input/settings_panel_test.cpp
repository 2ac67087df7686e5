// The settings panel over plain frames and over the pause menu: scripted keys, mouse and virtual
// joysticks, checked through the settings, the bindings, the setup file and the draw log. The display
// is 800 x 600 under SDL's dummy driver, so the panel is laid out in a 1280 x 960 drawing area; mouse
// positions are multiples of 8, which map exactly onto the window's pixels and back.
#include "input/settings_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/setup_file.h"
#include "audio/sound_effects.h"
#include "base/state.h"
#include "display/assets.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/pause_menu.h"
#include "display/toolkit.h"
#include "input/controls.h"
#include "platform/area.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/draw.h"
#include "platform/draw_log.h"
#include "platform/files.h"
#include "platform/font.h"
#include "platform/input.h"
#include "platform/input_script.h"
#include "platform/keys.h"
#include "platform/pixmap.h"
#include "support/screen.h"
#include "support/wav.h"

namespace glimmet {
namespace {

// Where things are on the fully open panel (PanelY 20) in the 1280 x 960 area.
struct Spot {
    int x, y;
};
constexpr Spot WindowedRow{32, 64};
constexpr Spot ResolutionRow{32, 104};
constexpr Spot ApplyButton{24, 288};
constexpr Spot AudioRow{1008, 56};
constexpr Spot FirstJoystick{1008, 256};
constexpr int SliderY[3] = {96, 144, 200}; // master, sounds, music

// Top-left corner of the lower button's cell of player 1 and of player 2.
constexpr Spot JumpCell1{440, 90};
constexpr Spot JumpCell2{440, 240};
Spot Inside(Spot cell) {
    return {cell.x + 24, cell.y + 24};
}

class Panel : public testing::Test {
  protected:
    void SetUp() override {
        // A plain icon strip, so the panel's pictures have their real size and place.
        Pixmap strip = CreatePixmap(64 * 16, 16);
        std::fill(strip.pixels.begin(), strip.pixels.end(), Argb(255, 255, 255, 255));
        ASSERT_TRUE(SavePixmapPng(strip, "../Common/icons.png", 1));
        run.OpenScreen();
        ASSERT_NE(Icons, 0);
        LastFrameTime = Millis();
        OverlayOn = 0;
        JoystickCensus();
    }
    void TearDown() override {
        ResetInput();
        JoystickCensus();
        MouseMode = 0;
    }

    static void Frame() { ShowFrame(0); }
    static void Frames(int n) {
        for (int i = 0; i < n; i++) Frame();
    }
    static void TapKey(int code) {
        PressKey(code, AtOnce());
        ReleaseKey(code, AtOnce());
    }
    static void OpenPanel() {
        TapKey(KeyTab);
        for (int i = 0; i < 12 && PanelY < 20; i++) Frame();
        ASSERT_EQ(PanelY, 20);
    }
    // The mouse is sampled at the end of a frame, for the next one.
    static void Hover(Spot spot) {
        MoveMouseTo(static_cast<float>(spot.x), static_cast<float>(spot.y), AtOnce());
        Frame();
    }
    static void Click(Spot spot, int button = 1) {
        Hover(spot);
        PressMouse(button, AtOnce());
        ReleaseMouse(button, AtOnce());
        Frame();
    }

    test::ScreenRun run;
};

// Whether the text was drawn centred on (x, y) at the scale it was drawn with, give or take the halves
// dropped by the alignment.
bool TextCentredOn(const std::string& text, int x, int y) {
    for (const DrawRecord& d : DrawLog) {
        if (d.kind != DrawKind::Text || d.text != text) continue;
        SetFont(d.font);
        if (std::abs(d.x + static_cast<float>(TextWidth(text)) * d.scaleX / 2 - static_cast<float>(x)) <= 1 &&
            std::abs(d.y + static_cast<float>(TextHeight(text)) * d.scaleY / 2 - static_cast<float>(y)) <= 1)
            return true;
    }
    return false;
}

// Whether the cell at (x, y) shows the icon frame at scale 3, filling the 48 x 48 cell.
bool CellPictureIs(Spot cell, int frame) {
    for (const DrawRecord& d : DrawLog)
        if (d.kind == DrawKind::Image && d.image == Icons && d.frame == frame && d.scaleX == 3 &&
            d.x == static_cast<float>(cell.x + 24) && d.y == static_cast<float>(cell.y + 24))
            return true;
    return false;
}

TEST_F(Panel, SlidesDownInTenFramesAndBackInTen) {
    RecordDraws(true);
    Frame();
    EXPECT_FALSE(TextDrawn("Graphics")) << "nothing drawn while hidden";
    TapKey(KeyTab);
    for (int frame = 1; frame <= 10; frame++) {
        Frame();
        EXPECT_EQ(PanelY, std::min(-300 + 32 * frame, 20));
    }
    EXPECT_TRUE(TextDrawn("Graphics"));
    TapKey(KeyTab);
    Frames(10);
    EXPECT_EQ(PanelY, -300);
    RecordDraws(true);
    Frame();
    EXPECT_EQ(CountDraws(DrawKind::Text), 0) << DrawLogText();
}

TEST_F(Panel, RowsReactWhileSlidingButCellsCaptureOnlyWhenFullyOpen) {
    SettingsOpen = 1;
    PanelY = -44;
    Setting[SettingFullscreen] = 0;
    PressKey(KeyA, AtOnce());
    // The next step puts the panel at -12: the windowed row at y 18..50, the jump cell at y 58..106.
    MouseXPos = 32;
    MouseYPos = 34;
    PressMouse(1, AtOnce());
    SettingsPanel();
    EXPECT_EQ(PanelY, -12);
    EXPECT_EQ(Setting[SettingFullscreen], 1) << "the row reacts while the panel slides";
    PanelY = -44;
    MouseXPos = JumpCell1.x + 24;
    MouseYPos = -12 + 70 + 24;
    SettingsPanel();
    EXPECT_EQ(KeyBind[BindSlot(ButtonLower, 1)], KeyZ) << "no capture at -12 with the mouse on the cell";
    MouseXPos = Inside(JumpCell1).x;
    MouseYPos = Inside(JumpCell1).y;
    SettingsPanel();
    EXPECT_EQ(PanelY, 20);
    EXPECT_EQ(KeyBind[BindSlot(ButtonLower, 1)], KeyA);
}

TEST_F(Panel, HoveredCellBindsTheKeyHeldAndBackspaceUnbinds) {
    const int slot = BindSlot(ButtonLower, 1);
    OpenPanel();
    Hover(Inside(JumpCell1));
    PressKey(KeyA, AtOnce());
    Frame();
    EXPECT_EQ(KeyBind[slot], KeyA) << "bound in the same frame";
    ReleaseKey(KeyA, AtOnce());
    PressKey(KeyBackspace, AtOnce());
    Frame();
    EXPECT_EQ(KeyBind[slot], 0);
    ReleaseKey(KeyBackspace, AtOnce());
    for (int hotKey : {KeyF11, KeyF12}) {
        PressKey(hotKey, AtOnce());
        PressKey(KeyQ, AtOnce());
        Frame();
        EXPECT_EQ(KeyBind[slot], 0) << hotKey << " held: nothing binds";
        ReleaseKey(hotKey, AtOnce());
        ReleaseKey(KeyQ, AtOnce());
        Frame();
    }
    RecordDraws(true);
    Frame();
    EXPECT_TRUE(TextCentredOn("?!", JumpCell1.x + 24, JumpCell1.y + 24)) << "the unbound mark";

    // Tab over the cell closes the panel first, and writes the unbinding to the setup file.
    PressKey(KeyTab, AtOnce());
    Frames(3);
    EXPECT_EQ(SettingsOpen, 0);
    EXPECT_EQ(KeyBind[slot], 0) << "Tab is not bound";
    ReleaseKey(KeyTab, AtOnce());
    SetDefaultBindings();
    ChangeDir(run.FilesPath());
    LoadSetup();
    ChangeDir("291");
    EXPECT_EQ(KeyBind[slot], 0) << "stays unbound after a restart";
}

TEST_F(Panel, StickInputsBindTheirCodesAndShowTheirPictures) {
    int port = AttachTestJoystick("Pad", 8, true);
    ASSERT_GE(port, 0);
    JoystickCensus();
    const int base = 50 * (port + 1) + 250;
    const int slot = BindSlot(ButtonLower, 2);
    struct Case {
        const char* what;
        int axis;      // -1: none
        float reading; // axis value or hat turn
        int hat;       // 1: the reading is the hat's
        int button;    // -1: none
        int code;      // 0: nothing binds
        int frame;
        const char* name;
        bool atCorner;
    };
    const Case cases[] = {
        {"Y up", 1, -0.5f, 0, -1, base + 0, 9, "Y-", true},
        {"X right", 0, 0.5f, 0, -1, base + 3, 9, "X+", true},
        {"U slightly", 3, 0.25f, 0, -1, 0, 3, "?!", false},
        {"hat right", -1, 0.25f, 1, -1, base + 25, 8, "Right", true},
        {"hat down", -1, 0.5f, 1, -1, base + 28, 8, "Down", true},
        {"hat diagonal", -1, 0.125f, 1, -1, 0, 3, "?!", false},
        {"button 3", -1, 0, 0, 3, base + 33, 10, "3", false},
    };
    OpenPanel();
    Hover(Inside(JumpCell2));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KeyBind[static_cast<size_t>(slot)] = 0;
        if (c.axis >= 0) SetJoyAxis(port, c.axis, c.reading, AtOnce());
        if (c.hat == 1) SetJoyHat(port, c.reading, AtOnce());
        if (c.button >= 0) PressJoyButton(port, c.button, AtOnce());
        Frame();
        EXPECT_EQ(KeyBind[static_cast<size_t>(slot)], c.code);
        if (c.axis >= 0) SetJoyAxis(port, c.axis, 0, AtOnce());
        if (c.hat == 1) SetJoyHat(port, -1, AtOnce());
        if (c.button >= 0) ReleaseJoyButton(port, c.button, AtOnce());
        RecordDraws(true);
        Frame();
        EXPECT_TRUE(CellPictureIs(JumpCell2, c.frame)) << DrawLogText();
        Spot label = c.atCorner ? JumpCell2 : Spot{JumpCell2.x + 24, JumpCell2.y + 24};
        EXPECT_TRUE(TextCentredOn(c.name, label.x, label.y));
    }
}

TEST_F(Panel, PlayerOnesJumpOnAStickButtonWorksAndSurvivesARestart) {
    int port = AttachTestJoystick("Pad", 8, false);
    ASSERT_GE(port, 0);
    JoystickCensus();
    const int code = 50 * (port + 1) + 250 + 30 + 2;
    OpenPanel();
    Hover(Inside(JumpCell1));
    PressJoyButton(port, 2, AtOnce());
    Frame();
    ReleaseJoyButton(port, 2, AtOnce());
    Hover({700, 700}); // away from every cell
    TapKey(KeyTab);    // closes the panel and writes the setup file
    Frames(12);
    EXPECT_EQ(KeyBind[BindSlot(ButtonLower, 1)], code);
    EXPECT_FALSE(ControlDown(ButtonLower, 1));
    PressKey(KeyZ, AtOnce());
    EXPECT_FALSE(ControlDown(ButtonLower, 1)) << "the old key no longer jumps";
    ReleaseKey(KeyZ, AtOnce());
    PressJoyButton(port, 2, AtOnce());
    EXPECT_TRUE(ControlDown(ButtonLower, 1));
    ReleaseJoyButton(port, 2, AtOnce());
    EXPECT_FALSE(ControlDown(ButtonLower, 1));

    SetDefaultBindings();
    ChangeDir(run.FilesPath());
    LoadSetup();
    ChangeDir("291");
    EXPECT_EQ(KeyBind[BindSlot(ButtonLower, 1)], code);
}

TEST_F(Panel, SlidersSnapToTheirEndsAndTheNextSoundUsesTheVolume) {
    test::WriteBytes("001.wav", test::Wav(22050, 1, 16, 2205));
    SfxSound[1] = LoadSound("001.wav");
    ASSERT_NE(SfxSound[1], 0);
    const int slots[3] = {SettingMasterVolume, SettingSoundVolume, SettingMusicVolume};
    struct Case {
        int x, volume;
    };
    const Case cases[] = {{1000, 0}, {1040, 42}, {1048, 50}, {1096, 100}};
    OpenPanel();
    for (int s = 0; s < 3; s++) {
        for (const Case& c : cases) {
            Hover({c.x, SliderY[s]});
            PressMouse(1, AtOnce());
            Frame();
            ReleaseMouse(1, AtOnce());
            EXPECT_EQ(Setting[static_cast<size_t>(slots[s])], c.volume) << "slider " << s << " at " << c.x;
        }
    }
    // The sound volume at 0 silences the next effect; at 50 it plays.
    Hover({1000, SliderY[1]});
    PressMouse(1, AtOnce());
    Frame();
    ReleaseMouse(1, AtOnce());
    int ring = NextSfxSlot;
    PlaySfx(1, 1, 1, 0);
    EXPECT_EQ(NextSfxSlot, ring);
    Hover({1048, SliderY[1]});
    PressMouse(1, AtOnce());
    Frame();
    ReleaseMouse(1, AtOnce());
    PlaySfx(1, 1, 1, 0);
    EXPECT_TRUE(ChannelPlaying(ChanSlot[static_cast<size_t>(NextSfxSlot)]));
    // Without the button held the slider does not move.
    Hover({1096, SliderY[1]});
    Frame();
    EXPECT_EQ(Setting[SettingSoundVolume], 50);
}

TEST_F(Panel, ResolutionStepsWrapThroughTheModeList) {
    ModeCount = 3;
    ModeW[1] = 800, ModeH[1] = 600;
    ModeW[2] = 1024, ModeH[2] = 768;
    ModeW[3] = 1280, ModeH[3] = 720;
    Setting[SettingModeIndex] = 3;
    OpenPanel();
    Click(ResolutionRow);
    EXPECT_EQ(Setting[SettingModeIndex], 1) << "from the last mode to the first";
    EXPECT_EQ(Setting[SettingWidth], 800);
    EXPECT_EQ(Setting[SettingHeight], 600);
    Click(ResolutionRow, 2);
    EXPECT_EQ(Setting[SettingModeIndex], 3) << "from the first back to the last";
    EXPECT_EQ(Setting[SettingWidth], 1280);
    EXPECT_EQ(Setting[SettingHeight], 720);
    TapKey(KeyArrowLeft);
    Frame();
    EXPECT_EQ(Setting[SettingModeIndex], 2);
    TapKey(KeyArrowUp);
    Frame();
    EXPECT_EQ(Setting[SettingModeIndex], 3);
    RecordDraws(true);
    Frame();
    EXPECT_TRUE(TextDrawn("1280x720"));
    EXPECT_TRUE(TextDrawn("Small (Bit blurry)"));

    Setting[SettingModeIndex] = 7; // left over from a longer list
    Click(ResolutionRow);
    EXPECT_EQ(Setting[SettingModeIndex], 1);

    ModeCount = 0;
    Setting[SettingModeIndex] = 2;
    Click(ResolutionRow);
    Click(ResolutionRow, 2);
    EXPECT_EQ(Setting[SettingModeIndex], 2) << "an empty list steps nowhere";
    EXPECT_EQ(Setting[SettingWidth], 800);
}

TEST_F(Panel, ChoiceRowsStepThroughTheirOptions) {
    Setting[SettingBackend] = 2;
    OpenPanel();
    Click(WindowedRow);
    EXPECT_EQ(Setting[SettingFullscreen], 1);
    Click(WindowedRow);
    EXPECT_EQ(Setting[SettingFullscreen], 0);
    Click({32, 208}); // the back-end row
    EXPECT_EQ(Setting[SettingBackend], 0) << "three options wrap";
    RecordDraws(true);
    Frame();
    EXPECT_TRUE(TextDrawn("OpenGL"));
    EXPECT_TRUE(TextDrawn("Optimum"));
    EXPECT_TRUE(TextDrawn("Windowed"));
    EXPECT_TRUE(TextDrawn("Draw all Frames"));
}

TEST_F(Panel, AudioDriverRowNamesTheDriverAndWraps) {
    const std::vector<std::string> offered = AudioDriverNames;
    AudioDriverNames = {"one", "two", "three", "four", "five"};
    Setting[SettingAudioDriver] = 4;
    OpenPanel();
    RecordDraws(true);
    Frame();
    EXPECT_TRUE(TextDrawn("five"));
    EXPECT_TRUE(TextDrawn("Audio Driver"));
    EXPECT_TRUE(TextDrawn("Changes require a Restart"));
    Click(AudioRow);
    EXPECT_EQ(Setting[SettingAudioDriver], 0);
    Click(AudioRow);
    EXPECT_EQ(Setting[SettingAudioDriver], 1);

    AudioDriverNames.clear();
    RecordDraws(true);
    Click(AudioRow);
    EXPECT_EQ(Setting[SettingAudioDriver], 0);
    EXPECT_TRUE(TextDrawn("AUDIO"));
    AudioDriverNames = offered;
}

TEST_F(Panel, JoystickNameSwitchesTheStickOffAndOn) {
    int port = AttachTestJoystick("Pad", 4, false);
    ASSERT_GE(port, 0);
    JoystickCensus();
    const int j = port + 1;
    KeyBind[BindSlot(ButtonLower, 1)] = 50 * j + 250 + 31;
    PressJoyButton(port, 1, AtOnce());
    EXPECT_TRUE(ControlDown(ButtonLower, 1));
    OpenPanel();
    Click(FirstJoystick);
    EXPECT_EQ(JoyPresent[static_cast<size_t>(j)], 0);
    EXPECT_FALSE(ControlDown(ButtonLower, 1)) << "a switched-off stick holds nothing";
    RecordDraws(true);
    Frame();
    ASSERT_TRUE(TextDrawn("Pad"));
    EXPECT_FLOAT_EQ(FindTextDraw("Pad")->alpha, 0.2f) << "dimmed";
    Click(FirstJoystick);
    EXPECT_EQ(JoyPresent[static_cast<size_t>(j)], 1);
    EXPECT_TRUE(ControlDown(ButtonLower, 1));
    RecordDraws(true);
    PressJoyButton(port, 0, AtOnce());
    Frame();
    EXPECT_EQ(FindTextDraw("Pad")->r, 255) << "yellow while button 0 is down";
}

// The drawn width of a text record, at its scale.
float DrawnWidth(const DrawRecord& d) {
    SetFont(d.font);
    return static_cast<float>(TextWidth(d.text)) * d.scaleX;
}

TEST_F(Panel, LongTextsStayInsideTheirPlaces) {
    const std::string name = "Extremely Long Joystick Name From The Driver With Every Detail Of Its Maker";
    ASSERT_GE(AttachTestJoystick(name, 4, false), 0);
    JoystickCensus();
    KeyBind[BindSlot(ButtonLower, 1)] = 174; // "Volume Down"
    OpenPanel();
    RecordDraws(true);
    Frame();
    const DrawRecord* stick = nullptr;
    for (const DrawRecord& d : DrawLog)
        if (d.kind == DrawKind::Text && d.x == 1000 && d.y == 250) stick = &d;
    ASSERT_NE(stick, nullptr) << DrawLogText();
    EXPECT_EQ(name.rfind(stick->text, 0), 0u) << "the joystick's name is cut: " << stick->text;
    EXPECT_LT(stick->text.size(), name.size());
    EXPECT_LE(stick->x + DrawnWidth(*stick), static_cast<float>(ScreenW));

    const DrawRecord* restart = FindTextDraw("Changes require a Restart");
    ASSERT_NE(restart, nullptr);
    EXPECT_LE(restart->x + DrawnWidth(*restart), static_cast<float>(ScreenW));

    const DrawRecord* key = FindTextDraw("Volume Down");
    ASSERT_NE(key, nullptr);
    EXPECT_LE(DrawnWidth(*key), 48.0f) << "a key name fits its cell";
    EXPECT_TRUE(TextCentredOn("Volume Down", JumpCell1.x + 24, JumpCell1.y + 24));
}

TEST_F(Panel, MouseModeLeavesTheMiddleColumnEmpty) {
    OpenPanel();
    RecordDraws(true);
    Frame();
    EXPECT_EQ(CountImageDraws(Icons, 3), 4 * 8) << "eight key cells for each of four players";
    EXPECT_TRUE(TextDrawn("Z"));
    MouseMode = 1;
    RecordDraws(true);
    Frame();
    EXPECT_EQ(CountImageDraws(Icons, 3), 0);
    EXPECT_FALSE(TextDrawn("?!"));
    EXPECT_FALSE(TextDrawn("Z"));
}

TEST_F(Panel, ApplyWritesTheSetupAndReopensTheDisplay) {
    ASSERT_EQ(ModeCount, 1); // the dummy driver offers 1024 x 768 only
    ASSERT_EQ(DisplayW, 800);
    OpenPanel();
    Click(ResolutionRow);
    EXPECT_EQ(Setting[SettingWidth], 1024);
    EXPECT_EQ(Setting[SettingHeight], 768);
    SetImageDrawCost(0.05); // the engine test that runs again ends after two batches
    Click(ApplyButton);
    SetImageDrawCost(0);
    Setting[SettingFrameskip] = 0;
    EXPECT_EQ(SettingsOpen, 0);
    EXPECT_EQ(DisplayW, 1024);
    EXPECT_EQ(Area.windowW, 1024);
    EXPECT_EQ(Area.windowH, 768);
    EXPECT_EQ(ScreenW, 1280);
    EXPECT_NE(Icons, 0);

    auto setup = ReadTextLines(run.FilesPath() + "/Setup.ini");
    ASSERT_TRUE(setup);
    EXPECT_NE(std::find(setup->begin(), setup->end(), "Width=1024"), setup->end());
    EXPECT_NE(std::find(setup->begin(), setup->end(), "Height=768"), setup->end());
    std::vector<std::string> log = run.Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), "Applying Graphical Settings"), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "\tChanged Graphics Mode ingame."), 1);
    EXPECT_FALSE(FileExists("crash.dat"));

    Frames(12);
    EXPECT_EQ(PanelY, -300);
}

TEST_F(Panel, TabAndThePanelWorkOverThePauseMenu) {
    PlayState = 1;
    GameStartTime = Millis();
    Setting[SettingFullscreen] = 0;
    const long start = PresentCount();
    PressKey(KeyEscape, AtOnce());
    ReleaseKey(KeyEscape, AtTime(Millis() + 100));
    PressKey(KeyTab, AtFrame(start + 5));
    ReleaseKey(KeyTab, AtFrame(start + 6));
    MoveMouseTo(static_cast<float>(WindowedRow.x), static_cast<float>(WindowedRow.y), AtFrame(start + 20));
    PressMouse(1, AtFrame(start + 22));
    ReleaseMouse(1, AtFrame(start + 23));
    PressKey(KeyEscape, AtFrame(start + 30));
    ReleaseKey(KeyEscape, AtTime(Millis() + 100 + 40 * 15)); // after the press at frame 30
    RecordDraws(true);
    EXPECT_EQ(ShowFrame(0), 1);
    EXPECT_EQ(SettingsOpen, 1);
    EXPECT_EQ(PanelY, 20);
    EXPECT_EQ(Setting[SettingFullscreen], 1);
    EXPECT_TRUE(TextDrawn("Graphics"));
    EXPECT_TRUE(TextDrawn("Continue"));
    PlayState = 0;
}

} // namespace
} // namespace glimmet
