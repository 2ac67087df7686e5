#pragma once
// The drawing state and the plain drawing calls: clear, filled rectangle, line. Images (image.h) and
// text (font.h) obey the same state.
//
// Every position is in drawing-area units (display.h: SetVirtualResolution). Scale and rotation turn a
// shape about its anchor: a rectangle about its top-left corner (x, y), a line about its start, an
// image about its handle, a text about its top-left corner. A negative scale mirrors. Rotation is in
// degrees, clockwise on the screen.
//
// Blend kinds: 0 solid (the source replaces the destination), 1 alpha (the source laid over the
// destination, weighted by alpha), 2 shade (the destination multiplied by the source colour), 3 light
// (the source, weighted by alpha, added to the destination).

#include <vector>

namespace glimmet {

struct DrawState {
    int r = 255, g = 255, b = 255; // 0..255
    float alpha = 1;               // 0..1
    float scaleX = 1, scaleY = 1;
    float rotation = 0; // degrees
    int blend = 1;      // 0..3
    int font = 0;       // font handle (font.h), 0 = none
};

extern DrawState Pen;

void SetColor(int r, int g, int b); // each clamped to 0..255
void SetAlpha(float alpha);         // clamped to 0..1
void SetScale(float scaleX, float scaleY);
void SetRotation(float degrees);
void SetBlend(int kind); // 0..3; any other value changes nothing
void ResetPen();         // white, alpha 1, scale 1, rotation 0, blend 1; keeps the font

void ClearScreen();                                         // the whole frame to black
void DrawRect(float x, float y, float width, float height); // filled, in the current colour and state
void DrawLine(float x1, float y1, float x2, float y2);

// One rectangle of a FillRects batch: its top-left corner and size as for DrawRect, and its colour.
struct FilledRect {
    float x = 0, y = 0, width = 0, height = 0;
    int r = 0, g = 0, b = 0;
};

// Many opaque rectangles under the current scale and rotation, each in its own colour, later ones over
// earlier ones: pixel for pixel the picture a DrawRect of each would give, in one hand-over to the
// renderer. On the software renderer the batch is rasterised here, by that renderer's own rules, and
// copied over the frame as one picture that is kept while the same batch comes again (large turned
// triangles cost the software renderer their whole bounding box); on the others every triangle goes in
// one geometry call. Each rectangle is logged as a DrawRect. With an alpha below 1 or a blend kind other
// than solid or alpha it is exactly a DrawRect of each.
void FillRects(const std::vector<FilledRect>& rects);

} // namespace glimmet
