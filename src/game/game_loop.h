#pragma once
// The game: one run through the arena against the clock, started from the title screen. A game is
// counted in frames at 60 a second: the view shows one room of 18 x 13 cells at a time, the player
// runs, jumps, grabs glimmet, lights ledges and dodges spikes until the clock or the health runs out or
// "Quit" is chosen in the pause menu; then the name is entered and the result becomes a score record.

#include <array>

#include "scores/score_file.h"

namespace glimmet {

// The best results of the level, slots 1..30; created once the display is open.
extern std::array<int, 31> LevelBest;
void CreateLevelBest();

constexpr int RoomW = 18;        // cells of one room across
constexpr int RoomH = 13;        // and down
constexpr int CellPixels = 64;   // a cell is a 32-pixel tile drawn at scale 2
constexpr int GameFrames = 5400; // 90 seconds of clock

// The state of the game in play (all reset by BeginGame).
extern int GameBadges; // badges earned in this game; nothing sets one in this game
extern int Clock;      // frames left
extern int Health;     // 0..100
extern int ShieldTime; // frames of shield left
extern int WarnAt;     // clock value of the next warning beep
extern int FrameCount; // animation counter, modulo 576
extern int BlinkArmed; // a blink is pending
extern int WalkTime;   // frames of walking animation left
extern int GroundTime; // frames during which a jump may start
extern int JumpLatch;  // set until both jump controls are released
extern int Facing;     // 1 right, -1 left
extern int FallSpeed;  // eighths of a pixel per frame, positive is down, -128..128
extern int CamX, CamY; // arena cell shown at the room view's top-left corner
extern int EndReason;  // 0 running, 1 clock or health ran out, 99 quit from the pause menu
void InitializeGame(); // the start values of a game, the camera on the player's cell

// Score, badges, best results and clock cleared, the level loaded, the rest at its start values.
void BeginGame();
// The frame steps before ShowFrame: clear, warning beep, backdrop, camera, shadows, cells with their
// touches, player, shield, movement, clock, top line and health bar.
void GameFrame();
// "Game Over" drawn over the last game frame, presented plainly.
void ShowEndPicture();
// The record of the game just ended, for the current player name and date.
Scores GameRecord();

// Plays one game and returns when it is over and the result has been recorded (and saved).
void PlayGame();

} // namespace glimmet
