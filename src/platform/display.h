#pragma once
// The display: the list of display modes, the choice of back-end, opening a window or a fullscreen
// display, the virtual resolution that every drawing call uses, presenting a frame and grabbing it.
//
// The frame is drawn into an off-screen target the size of the display; a present copies it to the
// window, so the last frame stays readable (GrabScreen) after it was presented. Images and fonts belong
// to the open display: closing it frees them all.

#include <string>
#include <vector>

#include "platform/pixmap.h"

namespace glimmet {

struct DisplayMode {
    int width = 0;
    int height = 0;
    int depth = 0;   // bits per pixel: 32, 24, 16, ...
    int refresh = 0; // Hz, 0 when unknown
};

// The modes of the first display in SDL's order (starts the video system for the question; empty when
// there is no display at all).
std::vector<DisplayMode> ListDisplayModes();
bool FullscreenModeExists(int width, int height, int depth); // at any refresh rate

// Back-ends: 0, 1, 2 are SDL's render drivers "opengl", "opengles2" and "software"; any other value
// leaves the choice to SDL. Takes effect at the next OpenDisplay.
extern const char* const BackendDrivers[3];
void SelectBackend(int kind);

// Opens a window (depth 0) or a fullscreen display of width x height at that depth and refresh rate.
// When the chosen back-end cannot run here, the next one (in the order 0, 1, 2, then from 0 again)
// is tried; DisplayBackend and DisplayRendererName tell which was taken. Returns false, after a
// message on standard error, when no display can be opened at all. The virtual resolution starts
// equal to the display size.
bool OpenDisplay(int width, int height, int depth, int refresh, const std::string& title);
void CloseDisplay();
bool DisplayIsOpen();
int DisplayBackend();                          // 0..2 as above, -1 when closed or when SDL chose
std::string DisplayRendererName();             // SDL's name of the renderer in use, "" when closed
std::string VideoDriverName();                 // SDL's video driver while a display is open ("x11", "dummy")
void SetWindowTitle(const std::string& title); // Latin-1 text

// Sets the drawing area: from now on drawing coordinates and mouse positions are in width x height,
// scaled to the display.
void SetVirtualResolution(int width, int height);

// Hands the drawing queued so far to the renderer so that it is done while the program waits for the
// next frame, rather than inside the present after the wait.
void FlushDrawing();

// Shows the frame drawn so far, waiting for the vertical blank or not. Counts the present (area.h)
// even when rasterising is switched off or no display is open.
void PresentFrame(bool vsync);

// The region (x, y, width, height) of the frame as last drawn, in display pixels, as ARGB. Parts
// outside the frame, or everything when no display is open, read as 0.
Pixmap GrabScreen(int x, int y, int width, int height);

} // namespace glimmet
