#include <gtest/gtest.h>

#include "app/program.h"
#include "display/frame.h"
#include "display/pause_menu.h"
#include "input/controls.h"
#include "platform/area.h"
#include "platform/clock.h"
#include "platform/draw_log.h"
#include "platform/input_script.h"
#include "support/screen.h"

namespace glimmet {
namespace {

// The pause menu runs its own frames; input is scripted by frame number from the moment it opens.
class PauseMenuRun : public testing::Test {
  protected:
    void SetUp() override {
        run.OpenScreen();
        LastFrameTime = Millis();
        PlayState = 2;
        start = PresentCount();
    }
    void TearDown() override { PlayState = 0; }

    // Pressed once the frame is presented and released about two frames (15 ms each) later. The
    // release goes by the clock: the menu waits for Escape's release without presenting frames.
    // Leave a few frames between taps, so that every menu input is up before the next press.
    void Tap(int code, long frame) {
        PressKey(code, AtFrame(start + frame));
        ReleaseKey(code, AtTime(Millis() + static_cast<int>(frame + 2) * 15));
    }
    long Frames() const { return PresentCount() - start; }

    test::ScreenRun run;
    long start = 0;
};

TEST_F(PauseMenuRun, EscapeHeldAtOpeningWaitsForItsReleaseThenContinues) {
    PressKey(27, AtOnce());
    ReleaseKey(27, AtTime(Millis() + 300)); // held while the game's frame ended
    Tap(27, 5);
    EXPECT_EQ(PauseMenu(), 1);
    EXPECT_GE(Frames(), 5);
}

TEST_F(PauseMenuRun, UpFromContinueSelectsQuitAndEscapeQuits) {
    Tap(38, 3);
    Tap(27, 8);
    EXPECT_EQ(PauseMenu(), 99);
}

TEST_F(PauseMenuRun, DownWrapsFromQuitBackToContinue) {
    Tap(40, 3);  // Quit
    Tap(40, 9);  // Continue again
    Tap(32, 15); // choose
    EXPECT_EQ(PauseMenu(), 1);
}

TEST_F(PauseMenuRun, ChoiceHeldFromTheGameMustBeReleasedFirst) {
    PressKey(32, AtOnce()); // Space held from the game
    ReleaseKey(32, AtFrame(start + 10));
    Tap(32, 15);
    EXPECT_EQ(PauseMenu(), 1);
    EXPECT_GE(Frames(), 15);
}

TEST_F(PauseMenuRun, HoldingDownMovesOnlyOnce) {
    PressKey(40, AtFrame(start + 3));
    ReleaseKey(40, AtFrame(start + 30)); // held for many frames: Quit, not round to Continue
    Tap(32, 35);
    EXPECT_EQ(PauseMenu(), 99);
}

TEST_F(PauseMenuRun, SecondPlayersControlsWorkTheMenu) {
    KeyBind[BindSlot(0, 2)] = 87;  // W: player 2 up
    KeyBind[BindSlot(10, 2)] = 81; // Q: player 2 button
    Tap(87, 3);
    Tap(81, 8);
    EXPECT_EQ(PauseMenu(), 99);
}

TEST_F(PauseMenuRun, ShowsTheItemsOverTheFrozenGame) {
    RecordDraws(true);
    Tap(32, 2);
    PauseMenu();
    EXPECT_TRUE(TextDrawn("Continue"));
    EXPECT_TRUE(TextDrawn("Quit"));
    const DrawRecord* chosen = FindTextDraw("Continue");
    EXPECT_EQ(chosen->b, 0); // the selected item is yellow
    int titles = 0;
    for (const DrawRecord& d : DrawLog)
        if (d.kind == DrawKind::Text && d.text == GameTitle) titles++;
    EXPECT_EQ(titles % 180, 0); // 180 faint copies of the title a frame
}

TEST_F(PauseMenuRun, TimeInTheMenuIsNotPlayTime) {
    PlayState = 1;
    GameStartTime = Millis();
    PressKey(27, AtOnce());
    ReleaseKey(27, AtTime(Millis() + 100));
    Tap(32, 30);
    int before = Millis();
    EXPECT_EQ(ShowFrame(0), 1);
    EXPECT_EQ(PlayState, 1);
    EXPECT_GE(GameStartTime - before, 30 * 14); // moved on by the time spent in the menu
}

} // namespace
} // namespace glimmet
