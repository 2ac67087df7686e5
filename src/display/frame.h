#pragma once
// The frame step every screen ends its frames with: what lies over every screen (score popups,
// settings panel, overlay, pointer, messages), the global hot keys, pacing to 60 frames per second,
// frameskip, the frame-rate measure, and the shutdown on a window close.

namespace glimmet {

extern int OverlayOn;     // the statistics overlay (F12)
extern int SettingsOpen;  // the settings panel is wanted open (Tab)
extern int LastFrameTime; // clock at the end of the previous frame step
extern int FrameTime;     // milliseconds the last frame took
extern int Fps;           // smoothed frames per second
extern int CollectCount;  // what the memory collection step last returned

void InitializeFrame(); // overlay on, panel closed, pacing from the clock now

// Ends a frame. showCursor 1 draws the mouse pointer. Returns the pause menu's result when it ran in
// this call (99 = quit the game), else 0. Does not return when the window is closed.
int ShowFrame(int showCursor);

// Alt+F4 held, or a request to close the window.
bool QuitRequested();
// The smoothed rate after a frame of frameTime milliseconds.
int NextFps(int fps, int frameTime);

} // namespace glimmet
