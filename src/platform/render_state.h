#pragma once
// What the display, drawing, image and font code of this layer share about the open display. Only
// files in src/platform include this header, since it brings in SDL.

#include <SDL.h>

#include <string>
#include <vector>

namespace glimmet {

struct RenderState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* frame = nullptr; // render target: the frame being drawn, still readable after a present
    int frameW = 0, frameH = 0;   // its size in display pixels
    int backend = -1;             // 0 opengl, 1 opengles2, 2 software, -1 SDL's own choice or closed
    std::string rendererName;     // SDL's name of the renderer in use
    bool vsync = false;           // what the renderer was last set to
    SDL_Texture* fills = nullptr; // the last FillRects picture, frame-sized
    std::vector<float> fillsKey;  // what that picture was made from
};

extern RenderState Render;

// The renderer, when a display is open and rasterising is on; null otherwise.
SDL_Renderer* ActiveRenderer();

// Release everything that belongs to the open display (called when it closes).
void FreeAllImages();
void FreeAllFonts();

} // namespace glimmet

#include "platform/draw_log.h"

namespace glimmet {

// Where a shape lands: points are given relative to an anchor in drawing-area units before scale and
// rotation, and come out in display pixels.
struct Placement {
    float anchorX = 0, anchorY = 0;
    float scaleX = 1, scaleY = 1;
    float cosA = 1, sinA = 0;
    float toWindowX = 1, toWindowY = 1;
};

Placement PlacementAt(float x, float y);   // under the current drawing state and drawing area
Placement AreaPlacement(float x, float y); // only the anchor and the drawing area's scale (no turn)

inline SDL_FPoint Place(const Placement& p, float dx, float dy) {
    float ux = dx * p.scaleX, uy = dy * p.scaleY;
    float rx = ux * p.cosA - uy * p.sinA;
    float ry = ux * p.sinA + uy * p.cosA;
    return SDL_FPoint{(p.anchorX + rx) * p.toWindowX, (p.anchorY + ry) * p.toWindowY};
}

SDL_BlendMode BlendModeFor(int kind);
SDL_Color PenColor(); // colour and alpha of the drawing state

// A log record of this kind at (x, y) carrying the current drawing state.
DrawRecord PenRecord(DrawKind kind, float x, float y);

} // namespace glimmet
