#pragma once
// The drawing area: callers draw and read the mouse in a fixed virtual area (ScreenW x ScreenH) that
// the display layer scales to the window. Shared by the display code (which sets it when the display
// opens) and the input code (which maps mouse positions through it).

namespace glimmet {

struct DrawingArea {
    int areaW = 1280, areaH = 960;     // the virtual drawing area
    int windowW = 1280, windowH = 960; // the display's pixels
};

extern DrawingArea Area;

void SetDrawingArea(int areaW, int areaH, int windowW, int windowH);
void WindowToArea(float wx, float wy, float& ax, float& ay);
void AreaToWindow(float ax, float ay, float& wx, float& wy);

// Frames presented since start: the display layer counts each present; scripted test input is due
// at frame numbers.
long PresentCount();
void CountPresent();

} // namespace glimmet
