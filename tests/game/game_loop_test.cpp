// The game frame by frame on small hand-made arenas (camera, movement, jump, touches, clock, top
// line), and whole games through PlayGame with the real level: quit from the pause menu, and a game
// that runs out of time, each ending with a record in the saved score file.
#include "game/game_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "base/state.h"
#include "display/assets.h"
#include "display/frame.h"
#include "game/level.h"
#include "game/score_popups.h"
#include "platform/area.h"
#include "platform/clock.h"
#include "platform/draw_log.h"
#include "platform/input.h"
#include "platform/input_script.h"
#include "platform/keys.h"
#include "scores/score_file.h"
#include "support/screen.h"

namespace glimmet {
namespace {

using namespace test;

void CopyGameFile(const std::string& name) {
    WriteBytes(name, ReadBytes(std::string(GLIMMET_RUN_DIR) + "/Files/291/" + name));
}

class Game : public testing::Test {
  protected:
    void SetUp() override {
        CopyGameFile("gfx.png");
        CopyGameFile("wall.png");
        run.OpenScreen();
        ASSERT_NE(TileSheet, 0);
    }
    void TearDown() override {
        PlayState = 0;
        PlayerName = "Player";
        std::fill(Arena.begin(), Arena.end(), 0);
    }

    // An empty arena with a floor under row `row` from column 0 to 99, the player standing at
    // (col, row) and the view already on the player's room.
    void FloorArena(int col, int row) {
        std::fill(Arena.begin(), Arena.end(), 0);
        for (int x = 0; x < 100; ++x) SetArenaCell(x, row + 1, CellWall);
        PlayerTX = col;
        PlayerTY = row;
        PlayerOX = 0;
        PlayerOY = 0;
        GameScore = 0;
        InitializeGame();
        CamX = col / RoomW * RoomW;
        CamY = row / RoomH * RoomH;
    }

    // One game frame with exactly these keys held.
    void Step(std::set<int> keys = {}) {
        for (int key : {KeyArrowLeft, KeyArrowRight, KeyArrowUp, KeyZ}) {
            if (keys.count(key) != 0 && !held.count(key)) PressKey(key, AtOnce());
            if (keys.count(key) == 0 && held.count(key)) ReleaseKey(key, AtOnce());
        }
        held = keys;
        PollInput();
        GameFrame();
        ShowFrame(0);
    }

    ScreenRun run;
    std::set<int> held;
};

TEST_F(Game, ViewSlidesFromTheStartCellAndThePlayerWaitsForIt) {
    FloorArena(30, 20);
    CamX = PlayerTX; // as a new game starts: the view on the player's own cell
    CamY = PlayerTY;
    for (int frame = 1; frame <= 11; ++frame) {
        Step({KeyArrowRight});
        EXPECT_EQ(CamX, 30 - frame);
        EXPECT_EQ(CamY, std::max(20 - frame, 13));
        EXPECT_EQ(PlayerOX, 0) << "frame " << frame;
    }
    Step({KeyArrowRight}); // the view arrives at (18, 13) and the player moves in the same frame
    EXPECT_EQ(CamX, 18);
    EXPECT_EQ(PlayerOX, 8);
}

TEST_F(Game, LeavingTheRoomSidewaysFreezesThePlayerWhileTheViewMoves) {
    FloorArena(35, 20);
    int frozen = 0;
    for (int frame = 1; frame <= 40 && CamX != 36; ++frame) {
        int tx = PlayerTX, ox = PlayerOX, cam = CamX;
        Step({KeyArrowRight});
        if (PlayerTX == tx && PlayerOX == ox) {
            ++frozen;
            EXPECT_EQ(CamX, cam + 1) << "one cell a frame";
        }
    }
    EXPECT_EQ(CamX, 36);
    EXPECT_EQ(frozen, 17) << "the 18th frame of the slide already moves";
}

TEST_F(Game, FallingIntoTheRoomBelowFreezesUpToThirteenFrames) {
    FloorArena(20, 20);
    SetArenaCell(20, 21, CellEmpty); // a hole down to a floor in the room below
    for (int x = 0; x < 40; ++x) SetArenaCell(x, 30, CellWall);
    int frozen = 0; // frames in which the view moved and the player did not
    for (int frame = 1; frame <= 60 && !(CamY == 26 && PlayerTY >= 26); ++frame) {
        int ty = PlayerTY, oy = PlayerOY, cam = CamY;
        Step();
        if (CamY != cam && PlayerTY == ty && PlayerOY == oy) ++frozen;
    }
    EXPECT_EQ(CamY, 26);
    EXPECT_EQ(frozen, 12) << "the 13th frame of the slide already moves";
}

TEST_F(Game, LeftAndRightTogetherStandStillFacingRightAndWalking) {
    FloorArena(20, 20);
    Step({KeyArrowLeft});
    EXPECT_EQ(Facing, -1);
    PlayerOX = 0;
    RecordDraws(true);
    Step({KeyArrowLeft, KeyArrowRight});
    Step({KeyArrowLeft, KeyArrowRight});
    EXPECT_EQ(PlayerOX, 0);
    EXPECT_EQ(Facing, 1);
    int walking = 0;
    for (int f = 10; f <= 13; ++f) walking += CountImageDraws(TileSheet, f);
    EXPECT_GE(walking, 1);
    RecordDraws(false);
}

TEST_F(Game, JumpHeldFromTheTitleWaitsForItsRelease) {
    FloorArena(20, 20);
    for (int i = 0; i < 10; ++i) {
        Step({KeyZ});
        EXPECT_EQ(FallSpeed, 5) << "standing: landed, then gravity";
    }
    Step();
    Step({KeyArrowUp});
    EXPECT_EQ(FallSpeed, -128);
    Step();
    int rising = FallSpeed;
    Step({KeyZ}); // pressed again while rising: nothing
    EXPECT_EQ(FallSpeed, rising + 5);
}

TEST_F(Game, JumpWorksWithinFourteenFramesOfTheLastFloor) {
    for (int offFloor : {1, 7, 14, 15, 20}) {
        SCOPED_TRACE(offFloor);
        FloorArena(20, 20);
        Step();
        Step(); // standing: the latch is free
        SetArenaCell(20, 21, CellEmpty);
        for (int i = 1; i < offFloor; ++i) Step();
        Step({KeyArrowUp});
        EXPECT_EQ(FallSpeed == -128, offFloor <= 14);
    }
}

TEST_F(Game, HealthZeroSurvivesAndTheNextHitEndsEvenAfterAGlimmet) {
    FloorArena(20, 20);
    Health = 20;
    SetArenaCell(20, 20, CellSpike);
    Step();
    EXPECT_EQ(Health, 0);
    EXPECT_EQ(EndReason, 0);
    EXPECT_EQ(ArenaCell(20, 20), CellEmpty);
    SetArenaCell(20, 20, CellGlimmet);
    Step();
    EXPECT_EQ(Health, 1);
    EXPECT_EQ(GameScore, 50);
    SetArenaCell(20, 20, CellSpike2);
    Step();
    EXPECT_EQ(Health, 0);
    EXPECT_EQ(EndReason, 1);
}

TEST_F(Game, ShieldTurnsSpikesIntoPointsAndLedgesLightUp) {
    FloorArena(20, 20);
    SetArenaCell(20, 20, CellShield);
    Step();
    EXPECT_EQ(ShieldTime, 359) << "set to 360, then the bubble's first frame";
    SetArenaCell(20, 20, CellSpike);
    RecordDraws(true);
    Step();
    EXPECT_EQ(Health, 100);
    EXPECT_EQ(GameScore, 150);
    EXPECT_EQ(CountImageDraws(TileSheet, CellShield), 1) << "the bubble";
    RecordDraws(false);
    SetArenaCell(20, 21, CellLedge);
    Step();
    EXPECT_EQ(ArenaCell(20, 21), CellWall);
    EXPECT_EQ(GameScore, 170);
}

TEST_F(Game, ClockRunsNinetySecondsAndATimeBonusReArmsTheBeeps) {
    FloorArena(20, 20);
    RecordDraws(true);
    Step();
    EXPECT_TRUE(TextDrawn("1:29"));
    EXPECT_TRUE(TextDrawn("00000000"));
    RecordDraws(false);
    int frames = 1;
    bool bonusTaken = false;
    while (EndReason == 0 && frames < 6000) {
        Step();
        ++frames;
        if (Clock == 100 && !bonusTaken) {
            bonusTaken = true;
            EXPECT_EQ(WarnAt, 60) << "beeps at 299, 239, 179 and 119";
            SetArenaCell(20, 20, CellTimeBonus);
            Step();
            ++frames;
            EXPECT_EQ(Clock, 699); // lifted to 700, then counted down
            Step();
            ++frames;
            EXPECT_EQ(WarnAt, 300);
            frames -= 600; // count the game as if no bonus had been taken
        }
    }
    EXPECT_EQ(frames, 5401);
}

TEST_F(Game, ScoreShowsItsLastEightDigits) {
    FloorArena(20, 20);
    GameScore = 123456789;
    RecordDraws(true);
    Step();
    EXPECT_TRUE(TextDrawn("23456789"));
    RecordDraws(false);
}

TEST_F(Game, MissingLevelPictureGivesAnEmptyArenaAndALogLine) {
    SetArenaCell(5, 5, CellWall);
    LoadLevel();
    int filled = 0;
    for (int32_t cell : Arena) filled += cell != 0;
    EXPECT_EQ(filled, 0);
    EXPECT_EQ(PlayerOX, 0);
    auto log = run.Log();
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& l) { return l.find("lev.png") != std::string::npos; }),
              1);
}

class WholeGame : public Game {
  protected:
    void SetUp() override {
        CopyGameFile("lev.png");
        Game::SetUp();
        PlayState = 1;
    }
    // Return pressed on the name entry screen, `frame` frames from the mark. The screen waits for its
    // release without presenting, so the release goes by the clock, far beyond any game.
    void ConfirmNameAt(long frame) {
        PressKey(KeyReturn, AtFrame(FrameMark() + frame));
        ReleaseKey(KeyReturn, AtTime(Millis() + 200000));
    }
    // The score file read back as the next start would read it.
    std::vector<Scores> SavedRecords() {
        std::vector<Scores> inMemory = ScoreList;
        ScoreList.clear();
        LoadScores();
        std::vector<Scores> saved = ScoreList;
        ScoreList = inMemory;
        return saved;
    }
};

TEST_F(WholeGame, QuitFromThePauseMenuEndsWithAQuitRecordOnDisk) {
    Tap(KeyEscape, 5);
    Hold(KeyArrowUp, 12, 15);
    // The quitting Escape is let go by the clock, after the end picture: the name entry waits for it
    // without presenting frames.
    PressKey(KeyEscape, AtFrame(FrameMark() + 20));
    ReleaseKey(KeyEscape, AtTime(Millis() + 2500));
    ConfirmNameAt(60);
    RecordDraws(true);
    PlayGame();
    EXPECT_EQ(PlayState, 0);
    EXPECT_EQ(EndReason, 99);
    EXPECT_EQ(CountTextDraws("Game Over"), 49 + 25 + 1);
    ASSERT_EQ(ScoreList.size(), 1u);
    EXPECT_EQ(ScoreList[0].Quit, 1);
    EXPECT_EQ(ScoreList[0].Name, "Player");
    auto saved = SavedRecords();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].Quit, 1);
    EXPECT_EQ(saved[0].Score, ScoreList[0].Score);
    RecordDraws(false);
}

TEST_F(WholeGame, AGameLeftAloneEndsOnTheClockAndIsSaved) {
    ConfirmNameAt(5420);
    PlayGame();
    EXPECT_EQ(EndReason, 1);
    EXPECT_EQ(Clock, 0);
    ASSERT_EQ(ScoreList.size(), 1u);
    EXPECT_EQ(ScoreList[0].Quit, 0);
    EXPECT_EQ(ScoreList[0].Score, GameScore);
    EXPECT_EQ(SavedRecords().size(), 1u);
}

} // namespace
} // namespace glimmet
