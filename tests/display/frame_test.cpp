#include <gtest/gtest.h>

#include "base/state.h"
#include "display/assets.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "input/settings_panel.h"
#include "platform/area.h"
#include "platform/clock.h"
#include "platform/draw_log.h"
#include "platform/files.h"
#include "platform/input_script.h"
#include "platform/keys.h"
#include "scores/score_file.h"
#include "support/screen.h"

namespace glimmet {
namespace {

using FrameStep = test::ScreenTest;

TEST(FrameRate, SmoothingFormula) {
    EXPECT_EQ(NextFps(60, 20), 56); // (50 + 120) / 3
    EXPECT_EQ(NextFps(0, 16), 20);
    EXPECT_EQ(NextFps(60, 0), 373); // a zero-length frame counts as 1 ms, never a division by zero
}

TEST_F(FrameStep, PacesToSixtyFramesASecond) {
    int start = Millis();
    for (int i = 0; i < 60; i++) ShowFrame(0);
    int elapsed = Millis() - start;
    EXPECT_GE(elapsed, 60 * 14);
    EXPECT_LE(elapsed, 60 * 17);
    EXPECT_GE(Fps, 54);
    EXPECT_LE(Fps, 66);
}

// The present costs presentMs of virtual time; after a few frames to learn that cost, every frame
// should last the wanted number of milliseconds.
TEST_F(FrameStep, PacingLeavesRoomForASlowPresent) {
    struct Case {
        int presentMs, lowestFrame, highestFrame;
    };
    const Case cases[] = {
        {0, 15, 15}, // nothing after the wait: the 2 ms margin ends the frame 1/60 s - 2 ms after the last
        {3, 16, 17}, // an X window's present: still 1/60 s
        {6, 16, 17},
        {14, 23, 23}, // the margin stops at 8 ms: a present this slow stretches the frame
    };
    for (const Case& c : cases) {
        SetPresentCost(c.presentMs);
        for (int i = 0; i < 30; i++) ShowFrame(0);
        int start = Millis();
        for (int i = 0; i < 60; i++) {
            ShowFrame(0);
            EXPECT_GE(FrameTime, c.lowestFrame) << "present " << c.presentMs << " ms";
            EXPECT_LE(FrameTime, c.highestFrame) << "present " << c.presentMs << " ms";
        }
        if (c.presentMs > 0 && c.presentMs <= 6) {
            EXPECT_LE(Millis() - start, 60 * 17);
            EXPECT_GE(Fps,
                      56); // 17 ms frames: 1000 / 17 = 58, which the truncating smoothing nears from below
            EXPECT_LE(Fps, 62);
        }
    }
    EXPECT_FLOAT_EQ(PacingMargin(true), MaxPacingMargin);
}

TEST_F(FrameStep, MarginFollowsTheWorkAfterTheWaitWithinItsBounds) {
    EXPECT_FLOAT_EQ(PacingMargin(true), MinPacingMargin);
    for (int i = 0; i < 40; i++) NoteAfterWaitWork(true, 5);
    EXPECT_NEAR(PacingMargin(true), 5, 0.01);
    EXPECT_FLOAT_EQ(PacingMargin(false), MinPacingMargin); // skipped frames learn their own work
    NoteAfterWaitWork(true, 500); // one stall moves the margin only a quarter of the way, and not past 8
    EXPECT_FLOAT_EQ(PacingMargin(true), MaxPacingMargin);
    for (int i = 0; i < 40; i++) NoteAfterWaitWork(true, 0);
    EXPECT_FLOAT_EQ(PacingMargin(true), MinPacingMargin);
}

TEST_F(FrameStep, FrameskipPacesPresentedAndSkippedFramesApart) {
    Setting[SettingFrameskip] = 1;
    SetPresentCost(5);
    for (int i = 0; i < 30; i++) ShowFrame(0);
    for (int i = 0; i < 20; i++) {
        bool presents = SkipDraw == 0;
        ShowFrame(0);
        if (presents) {
            EXPECT_GE(FrameTime, 16);
            EXPECT_LE(FrameTime, 17);
        } else {
            EXPECT_EQ(FrameTime, 15);
        }
    }
}

TEST_F(FrameStep, FirstFrameAfterALongPauseWaitsOnlyOnce) {
    SetPresentCost(6);
    for (int i = 0; i < 30; i++) ShowFrame(0); // a large margin learnt
    AdvanceClock(3000);
    int start = Millis();
    ShowFrame(0);
    EXPECT_EQ(Millis() - start, 1 + 6);
}

TEST_F(FrameStep, FrameskipPresentsEverySecondFrame) {
    Setting[SettingFrameskip] = 1;
    SkipDraw = 0;
    long before = PresentCount();
    for (int i = 0; i < 10; i++) ShowFrame(0);
    EXPECT_EQ(PresentCount() - before, 5);
    Setting[SettingFrameskip] = 0;
    for (int i = 0; i < 10; i++) ShowFrame(0);
    EXPECT_EQ(PresentCount() - before, 15);
}

TEST_F(FrameStep, OverlayShowsTheBudgets) {
    OverlayOn = 1;
    DrawLimit[1] = 1000;
    DrawLimit[2] = 500;
    DrawCount[1] = 12;
    DrawCount[2] = 0;
    RecordDraws(true);
    ShowFrame(0);
    EXPECT_TRUE(TextDrawn("Drawn Images : 12/1000")) << DrawLogText();
    EXPECT_TRUE(TextDrawn("Drawn Glow : 0/500"));
    EXPECT_TRUE(TextDrawn("Hit F12 to remove this"));
    PressKey(KeyF12, AtOnce());
    ReleaseKey(KeyF12, AtOnce());
    ShowFrame(0);
    EXPECT_EQ(OverlayOn, 0);
    RecordDraws(true);
    ShowFrame(0);
    EXPECT_FALSE(TextDrawn("Hit F12 to remove this"));
}

TEST_F(FrameStep, PointerOnlyWhenAskedOrWithTheSettingsPanel) {
    RecordDraws(true);
    ShowFrame(0);
    EXPECT_EQ(CountImageDraws(IconsSmooth, 63), 0);
    MoveMouseTo(100, 200, AtOnce());
    ShowFrame(1);
    EXPECT_EQ(MouseXPos, 100);
    EXPECT_EQ(MouseYPos, 200);
}

TEST_F(FrameStep, TabTogglesThePanelAndWritesTheSetupEachTime) {
    for (int press = 1; press <= 2; press++) {
        DeleteFile("../Setup.ini");
        PressKey(KeyTab, AtOnce());
        ReleaseKey(KeyTab, AtOnce());
        ShowFrame(0);
        EXPECT_EQ(SettingsOpen, press % 2);
        EXPECT_TRUE(FileExists("../Setup.ini"));
    }
    for (int i = 0; i < 12; i++) ShowFrame(0);
    EXPECT_EQ(PanelY, -300);
}

TEST_F(FrameStep, EscapeOutsideAGameDoesNothing) {
    PlayState = 0;
    PressKey(KeyEscape, AtOnce());
    EXPECT_EQ(ShowFrame(0), 0);
    EXPECT_EQ(PlayState, 0);
}

TEST_F(FrameStep, AltF4AndWindowCloseEndTheProgramAfterSavingFiles) {
    ScoreList.clear();
    PressKey(KeyLeftAlt, AtOnce());
    PressKey(KeyF4, AtOnce());
    EXPECT_EQ(test::UntilProcessEnd([] { ShowFrame(0); }), 0);
    EXPECT_TRUE(FileExists(run.FilesPath() + "/Setup.ini"));
    EXPECT_TRUE(FileExists(run.FilesPath() + "/291/nuscores.dat"));
    EXPECT_EQ(run.Log().back(), "Play again, soon!!");
}

TEST_F(FrameStep, WindowCloseEndsTheProgram) {
    RequestClose(AtOnce());
    EXPECT_EQ(test::UntilProcessEnd([] { ShowFrame(0); }), 0);
}

} // namespace
} // namespace glimmet
