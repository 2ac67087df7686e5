#pragma once
// The frame step every screen ends its frames with: what lies over every screen (score popups,
// settings panel, overlay, pointer, messages), the global hot keys, pacing to 60 frames per second,
// frameskip, the frame-rate measure, and the shutdown on a window close.

#include <array>

namespace glimmet {

extern int OverlayOn;     // the statistics overlay (F12)
extern int SettingsOpen;  // the settings panel is wanted open (Tab)
extern int LastFrameTime; // clock at the end of the previous frame step
extern int FrameTime;     // milliseconds the last frame took
extern int Fps;           // smoothed frames per second
extern int CollectCount;  // what the memory collection step last returned

// The pacing wakes early enough for the work after its wait (music step, messages, present) to end
// the frame on time. That work is measured every frame and smoothed, separately for frames that are
// presented [1] and frames that are not [0]; the margin is the smoothed time, at least 2 ms and at
// most 8 ms, so a slow present (an X window costs 2 to 5 ms) no longer stretches every frame.
extern std::array<float, 2> AfterWaitWork;
constexpr float MinPacingMargin = 2, MaxPacingMargin = 8;
float PacingMargin(bool presents);
void NoteAfterWaitWork(bool presented, int ms); // ms from the end of the wait to the end of the present

void InitializeFrame(); // overlay on, panel closed, pacing from the clock now

// Ends a frame. showCursor 1 draws the mouse pointer. Returns the pause menu's result when it ran in
// this call (99 = quit the game), else 0. Does not return when the window is closed.
int ShowFrame(int showCursor);

// Alt+F4 held, or a request to close the window.
bool QuitRequested();
// The smoothed rate after a frame of frameTime milliseconds.
int NextFps(int fps, int frameTime);

} // namespace glimmet
