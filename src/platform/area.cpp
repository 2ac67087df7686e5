#include "platform/area.h"

namespace glimmet {

DrawingArea Area;

namespace {
long Presents = 0;

float Ratio(int a, int b) {
    return b > 0 ? static_cast<float>(a) / static_cast<float>(b) : 1.0f;
}
} // namespace

void SetDrawingArea(int areaW, int areaH, int windowW, int windowH) {
    Area = DrawingArea{areaW, areaH, windowW, windowH};
}

void WindowToArea(float wx, float wy, float& ax, float& ay) {
    ax = wx * Ratio(Area.areaW, Area.windowW);
    ay = wy * Ratio(Area.areaH, Area.windowH);
}

void AreaToWindow(float ax, float ay, float& wx, float& wy) {
    wx = ax * Ratio(Area.windowW, Area.areaW);
    wy = ay * Ratio(Area.windowH, Area.areaH);
}

long PresentCount() {
    return Presents;
}
void CountPresent() {
    Presents++;
}

} // namespace glimmet
