#include <gtest/gtest.h>

#include "base/state.h"
#include "display/frame.h"
#include "display/pause_menu.h"
#include "input/controls.h"
#include "platform/area.h"
#include "platform/clock.h"
#include "platform/draw_log.h"
#include "platform/input_script.h"
#include "platform/keys.h"
#include "support/screen.h"

namespace glimmet {
namespace {

using namespace test;

// The pause menu runs its own frames; input is scripted by frame number from the moment it opens.
class PauseMenuRun : public testing::Test {
  protected:
    void SetUp() override {
        run.OpenScreen();
        PlayState = 2;
    }
    void TearDown() override { PlayState = 0; }

    test::ScreenRun run;
};

TEST_F(PauseMenuRun, EscapeHeldAtOpeningWaitsForItsReleaseThenContinues) {
    PressKey(KeyEscape, AtOnce());
    ReleaseKey(KeyEscape, AtTime(Millis() + 300)); // held while the game's frame ended
    Tap(KeyEscape, 5);
    EXPECT_EQ(PauseMenu(), 1);
    EXPECT_GE(FramesSinceMark(), 5);
}

TEST_F(PauseMenuRun, UpFromContinueSelectsQuitAndEscapeQuits) {
    Tap(KeyArrowUp, 3);
    Tap(KeyEscape, 8);
    EXPECT_EQ(PauseMenu(), 99);
}

TEST_F(PauseMenuRun, DownWrapsFromQuitBackToContinue) {
    Tap(KeyArrowDown, 3); // Quit
    Tap(KeyArrowDown, 9); // Continue again
    Tap(KeySpace, 15);    // choose
    EXPECT_EQ(PauseMenu(), 1);
}

TEST_F(PauseMenuRun, ChoiceHeldFromTheGameMustBeReleasedFirst) {
    PressKey(KeySpace, AtOnce()); // Space held from the game
    ReleaseKey(KeySpace, AtFrame(FrameMark() + 10));
    Tap(KeySpace, 15);
    EXPECT_EQ(PauseMenu(), 1);
    EXPECT_GE(FramesSinceMark(), 15);
}

TEST_F(PauseMenuRun, HoldingDownMovesOnlyOnce) {
    Hold(KeyArrowDown, 3, 30); // held for many frames: Quit, not round to Continue
    Tap(KeySpace, 35);
    EXPECT_EQ(PauseMenu(), 99);
}

TEST_F(PauseMenuRun, SecondPlayersControlsWorkTheMenu) {
    KeyBind[BindSlot(0, 2)] = 87;  // W: player 2 up
    KeyBind[BindSlot(10, 2)] = 81; // Q: player 2 button
    Tap(KeyW, 3);
    Tap(KeyQ, 8);
    EXPECT_EQ(PauseMenu(), 99);
}

TEST_F(PauseMenuRun, ShowsTheItemsOverTheFrozenGame) {
    RecordDraws(true);
    Tap(KeySpace, 2);
    PauseMenu();
    EXPECT_TRUE(TextDrawn("Continue"));
    EXPECT_TRUE(TextDrawn("Quit"));
    const DrawRecord* chosen = FindTextDraw("Continue");
    EXPECT_EQ(chosen->b, 0);                       // the selected item is yellow
    EXPECT_EQ(CountTextDraws(GameTitle) % 180, 0); // 180 faint copies of the title a frame
}

TEST_F(PauseMenuRun, TimeInTheMenuIsNotPlayTime) {
    PlayState = 1;
    GameStartTime = Millis();
    PressKey(KeyEscape, AtOnce());
    ReleaseKey(KeyEscape, AtTime(Millis() + 100));
    Tap(KeySpace, 30);
    int before = Millis();
    EXPECT_EQ(ShowFrame(0), 1);
    EXPECT_EQ(PlayState, 1);
    EXPECT_GE(GameStartTime - before, 30 * 14); // moved on by the time spent in the menu
}

} // namespace
} // namespace glimmet
