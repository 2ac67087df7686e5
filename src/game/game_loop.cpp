#include "game/game_loop.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "audio/sound_effects.h"
#include "base/random.h"
#include "base/state.h"
#include "display/assets.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "game/level.h"
#include "game/score_popups.h"
#include "input/controls.h"
#include "platform/area.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/draw.h"
#include "platform/font.h"
#include "platform/image.h"
#include "scores/dates.h"
#include "scores/name_entry.h"

namespace glimmet {

std::array<int, 31> LevelBest{};

void CreateLevelBest() {
    LevelBest.fill(0);
}

int GameBadges = 0;
int Clock = GameFrames;
int Health = 100;
int ShieldTime = 0;
int WarnAt = 300;
int FrameCount = 0;
int BlinkArmed = 0;
int WalkTime = 0;
int GroundTime = 0;
int JumpLatch = 1;
int Facing = 1;
int FallSpeed = 0;
int CamX = 0;
int CamY = 0;
int EndReason = 0;

namespace {

constexpr int ShieldFrames = 360;
constexpr int SpikeDamage = 20;

// Floor division, so that the room of a cell left of or above the arena is still the one it lies in.
int RoomStart(int cell, int size) {
    int q = cell / size;
    if (cell % size != 0 && cell < 0) --q;
    return q * size;
}

// Top-left pixel of the room view, so that the 1152 x 832 room is centred.
int ViewLeft() {
    return ScreenW / 2 - 576;
}
int ViewTop() {
    return ScreenH / 2 - 416;
}

bool JumpHeld() {
    return ControlDown(PadUp, 1) || ControlDown(ButtonLower, 1);
}

// The beep sounds once a second through the last five seconds; a clock lifted above 300 re-arms it.
void WarningBeep() {
    if (Clock > 300) WarnAt = 300;
    if (Clock < WarnAt) {
        PlaySfx(6, 1, 1, 0);
        WarnAt -= 60;
    }
}

void DrawBackground() {
    ResetDraw();
    SetCol(150, 150, 255);
    for (int i = 0; i <= 3; ++i)
        for (int j = 0; j <= 2; ++j) DrawImg(WallImage, i * 512, j * 512, 0, 1);
}

// The view jumps one cell a frame toward the player's room.
void MoveCamera() {
    int tx = RoomStart(PlayerTX, RoomW);
    int ty = RoomStart(PlayerTY, RoomH);
    if (CamX < tx) ++CamX;
    if (CamY < ty) ++CamY;
    if (CamX > tx) --CamX;
    if (CamY > ty) --CamY;
}

bool CameraArrived() {
    return CamX == RoomStart(PlayerTX, RoomW) && CamY == RoomStart(PlayerTY, RoomH);
}

void DrawShadows() {
    SetCol(0, 0, 0, 0.4f);
    SetScl(2, 2);
    for (int i = 0; i <= RoomW; ++i)
        for (int j = 0; j <= RoomH; ++j) {
            int k = ArenaCell(CamX + i, CamY + j);
            if (k > 0)
                DrawImg(TileSheet, i * CellPixels + ViewLeft() + 4, j * CellPixels + ViewTop() + 4, k, 2);
        }
}

// What touching a cell of kind k does; k is the kind before any change.
void TouchCell(int x, int y, int k, int px, int py) {
    if (k == CellLedge) {
        SetArenaCell(x, y, CellWall);
        AddOre(20, px + 32, py, 255, 255, 0);
        PlaySfx(1, 1, 1, 0);
    }
    if (k >= 11 && k <= 19) {
        SetArenaCell(x, y, CellEmpty);
        Health += 1;
        AddOre(50, px + 32, py, 255, 255, 0);
        PlaySfx(2, static_cast<float>(RandReal(0.7, 1.3)), 0.6f, 0);
    }
    bool spikes = k == CellSpike || k == CellSpike2;
    if (spikes && ShieldTime == 0) {
        SetArenaCell(x, y, CellEmpty);
        Health -= SpikeDamage;
        PlaySfx(3, 1, 1, 0);
    }
    if (spikes && ShieldTime > 0) {
        SetArenaCell(x, y, CellEmpty);
        AddOre(150, px + 32, py, 255, 255, 0);
        PlaySfx(4, 1, 1, 0);
    }
    if (k == CellShield) {
        SetArenaCell(x, y, CellEmpty);
        ShieldTime = ShieldFrames;
        PlaySfx(4, 1, 1, 0);
    }
    if (k == CellTimeBonus) {
        SetArenaCell(x, y, CellEmpty);
        Clock += 600;
        PlaySfx(5, 1, 1, 0);
    }
}

// The room and a dimmed rim of its neighbours; cells near the player are tested for a touch even when
// the budget leaves them undrawn.
void DrawCellsAndTouch(int px, int py) {
    ResetDraw();
    SetScl(2, 2);
    for (int i = -8; i <= 24; ++i)
        for (int j = -3; j <= 16; ++j) {
            int x = CamX + i;
            int y = CamY + j;
            int k = ArenaCell(x, y);
            if (k <= 0) continue;
            int sx = i * CellPixels + ViewLeft();
            int sy = j * CellPixels + ViewTop();
            bool inRoom = i >= 0 && i < RoomW && j >= 0 && j < RoomH;
            SetCol(255, 255, 255, inRoom ? 1.0f : 0.75f);
            DrawImg(TileSheet, sx, sy, k, 1);
            if (std::abs(sx - px) >= 128 || std::abs(sy - py) >= 128) continue;
            float feetY = static_cast<float>(py + FallSpeed / 16 + 1);
            if (ImagesOverlap(TileSheet, k, static_cast<float>(sx), static_cast<float>(sy), TileSheet, 0,
                              static_cast<float>(px), feetY))
                TouchCell(x, y, k, px, py);
        }
}

// Standing cycle 0..5 with an occasional blink (6), walking cycle 10..13.
int PlayerFrame() {
    int f = (FrameCount % 36) / 6;
    if (f == 5 && RandInt(0, 20) == 1) BlinkArmed = 1;
    if (f == 0 && BlinkArmed == 1) f = 6;
    if (f == 1) BlinkArmed = 0;
    if (WalkTime > 0) {
        --WalkTime;
        f = (FrameCount % 24) / 6 + 10;
    }
    return f;
}

void DrawPlayer(int px, int py) {
    ResetDraw();
    SetScl(2, 2);
    int f = PlayerFrame();
    if (Facing == 1) {
        DrawImg(TileSheet, px, py, f, 1);
    } else {
        SetScl(-2, 2); // mirrored about the left edge, so drawn one cell further right
        DrawImg(TileSheet, px + CellPixels, py, f, 1);
    }
}

void DrawShield(int px, int py) {
    if (ShieldTime <= 0) return;
    SetScl(3, 3);
    SetCol(255, 255, 255, ShieldTime < 120 ? 0.5f : 0.8f);
    DrawImg(TileSheet, px - 16, py - 16, CellShield, 1);
    --ShieldTime;
}

void MovePlayer() {
    bool leftSolid = IsSolid(ArenaCell(PlayerTX - 1, PlayerTY));
    bool rightSolid = IsSolid(ArenaCell(PlayerTX + 1, PlayerTY));
    bool aboveSolid = IsSolid(ArenaCell(PlayerTX, PlayerTY - 1));
    bool belowSolid = IsSolid(ArenaCell(PlayerTX, PlayerTY + 1));
    if (ControlDown(PadLeft, 1) && (!leftSolid || PlayerOX > 4)) {
        PlayerOX -= 8;
        WalkTime = 4;
        Facing = -1;
    }
    if (ControlDown(PadRight, 1) && (!rightSolid || PlayerOX < -4)) {
        PlayerOX += 8;
        WalkTime = 4;
        Facing = 1;
    }
    if (PlayerOX <= -32) {
        PlayerOX += 64;
        --PlayerTX;
    }
    if (PlayerOX > 32) {
        PlayerOX -= 64;
        ++PlayerTX;
    }
    // Solidity is read for the cell the player stood in at the start of the frame.
    if (FallSpeed > 0 && (!belowSolid || PlayerOY < 0)) {
        PlayerOY += FallSpeed / 8;
        WalkTime = 2;
    }
    if (FallSpeed < 0 && (!aboveSolid || PlayerOY > -8)) {
        PlayerOY += FallSpeed / 8;
        WalkTime = 2;
    }
    if (belowSolid && PlayerOY > -9 && PlayerOY < 12 && FallSpeed >= 0) {
        PlayerOY = 0;
        FallSpeed = 0;
        GroundTime = 16;
    }
    if (belowSolid && PlayerOY > 10 && PlayerOY < 32 && FallSpeed >= 0) {
        PlayerOY -= 6; // pushed up out of a floor it sank into
        GroundTime = 16;
    }
    if (PlayerOY > 32) {
        PlayerOY -= 64;
        ++PlayerTY;
    }
    if (PlayerOY < -32) {
        PlayerOY += 64;
        --PlayerTY;
    }
    FallSpeed = std::min(FallSpeed + 5, 128);
    if (GroundTime > 0) --GroundTime;
    if (GroundTime > 0 && FallSpeed >= 0 && JumpHeld() && JumpLatch == 0) {
        FallSpeed = -128;
        JumpLatch = 1;
    }
    if (!JumpHeld()) JumpLatch = 0;
}

std::string ScoreText(int score) {
    std::string text = "00000000" + std::to_string(score);
    return text.substr(text.size() - 8);
}

std::string ClockText(int clock) {
    int seconds = (clock / 60) % 60;
    return std::to_string(clock / 3600) + ":" + (seconds < 10 ? "0" : "") + std::to_string(seconds);
}

void CountDownAndDrawTopLine() {
    ResetDraw();
    UseFont(1, 5);
    --Clock;
    if (Clock < 0) {
        Clock = 0;
        EndReason = 1;
    }
    SetCol(100, 255, 255, 0.6f);
    DrawTxt(static_cast<int>(ScreenW * 0.3), 30, ScoreText(GameScore), 1, 1);
    DrawTxt(static_cast<int>(ScreenW * 0.7), 30, ClockText(Clock), 1, 1);
}

void DrawHealth() {
    if (Health > 100) Health = 100;
    if (Health < 0) {
        Health = 0;
        EndReason = 1;
    }
    SetCol(0, 0, 0, 0.4f);
    DrawRect(static_cast<float>(ScreenW / 2 - 402), static_cast<float>(ScreenH - 32), 804, 24);
    SetCol(255, 255, 0, 0.4f);
    DrawRect(static_cast<float>(ScreenW / 2 - 400), static_cast<float>(ScreenH - 30),
             static_cast<float>(Health * 8), 20);
}

void DrawGameOverAt(int dx, int dy) {
    DrawTxt(ScreenW / 2 + dx, ScreenH / 2 + dy, "Game Over", 1, 1);
}

} // namespace

void InitializeGame() {
    GameBadges = 0;
    Clock = GameFrames;
    Health = 100;
    ShieldTime = 0;
    WarnAt = 300;
    FrameCount = 0;
    BlinkArmed = 0;
    WalkTime = 0;
    GroundTime = 0;
    JumpLatch = 1;
    Facing = 1;
    FallSpeed = 0;
    CamX = PlayerTX;
    CamY = PlayerTY;
    EndReason = 0;
}

void BeginGame() {
    GameScore = 0;
    GameBadges = 0;
    for (size_t i = 1; i <= 30; ++i) LevelBest[i] = 0;
    Clock = GameFrames;
    LoadLevel();
    InitializeGame();
}

void GameFrame() {
    BeginFrame(1);
    WarningBeep();
    DrawBackground();
    MoveCamera();
    DrawShadows();
    int px = (PlayerTX - CamX) * CellPixels + ViewLeft() + PlayerOX;
    int py = (PlayerTY - CamY) * CellPixels + ViewTop() + PlayerOY;
    DrawCellsAndTouch(px, py);
    DrawPlayer(px, py);
    DrawShield(px, py);
    FrameCount = (FrameCount + 1) % 576;
    if (CameraArrived()) MovePlayer();
    CountDownAndDrawTopLine();
    DrawHealth();
}

// The frame lives in an off-screen target that a present leaves intact, so the title goes straight
// over the last game frame.
void ShowEndPicture() {
    PresentFrame(false);
    SetFont(NamedFont[5]);
    for (int dx = -3; dx <= 3; ++dx)
        for (int dy = -3; dy <= 3; ++dy) {
            ResetDraw();
            SetCol(255, 255, 255, 1);
            DrawGameOverAt(dx, dy);
        }
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy) {
            ResetDraw();
            SetCol(8, 8, 8);
            DrawGameOverAt(dx, dy);
        }
    ResetDraw();
    SetCol(255, 255, 0);
    DrawGameOverAt(0, 0);
    PresentFrame(false);
}

Scores GameRecord() {
    Scores record;
    record.Score = GameScore;
    record.Timestamp = DateStamp("");
    record.Badges = GameBadges;
    record.Name = PlayerName;
    for (size_t i = 1; i <= 30; ++i) record.Best[i] = LevelBest[i];
    record.Level = CurrentLevel;
    record.GameMode = CurrentMode;
    record.GameFlags = CurrentFlags;
    if (EndReason == 99) record.Quit = 1;
    return record;
}

void PlayGame() {
    BeginGame();
    while (EndReason == 0) {
        GameFrame();
        if (ShowFrame(MouseMode) == 99) EndReason = 99;
        if (EndReason != 0) ShowEndPicture();
    }
    SleepMs(1500);
    PlayState = 0;
    EnterName();
    AddScore(GameRecord());
    // Kept on disk at once, so a crash or a killed process later in the run loses no game.
    SaveScores();
}

} // namespace glimmet
