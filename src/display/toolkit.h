#pragma once
// The drawing toolkit every screen draws through: colour with clamping, scale, rotation and blend,
// fonts from the fixed font tables, text with alignment, images counted against per-frame draw
// budgets, a glowing image draw, the striped backdrop, and the mouse-over test.

#include <array>
#include <string>

namespace glimmet {

// Per-frame draw budgets: slot 1 main sprites, 2 glow sprites, 3 particles. A slot whose limit is 0
// never draws. BeginFrame resets counts 1..10.
extern std::array<int, 20> DrawCount;
extern std::array<int, 20> DrawLimit;

extern int SkipDraw; // 1 on frames that frameskip does not present (toggled by ShowFrame)

// Backdrop tint multipliers (red, green, blue): the current one eases toward the target.
extern std::array<float, 3> BackTint;
extern std::array<float, 3> BackTintTarget;

extern int MouseXPos, MouseYPos; // the mouse in the drawing area, sampled once per frame

// Budgets of 50000 in slots 1 and 2, no draws counted, the start tint of the backdrop.
void InitializeToolkit();

// An omitted alpha of SetCol and an omitted sy of SetScl are carried as these marker values.
constexpr float NoAlpha = 37171648.0f;
constexpr float SameScale = -37171648.0f;

void BeginFrame(int clear);
void ResetDraw();
void SetBlendKind(int kind);
void SetCol(float r, float g, float b, float alpha = NoAlpha);
void SetScl(float sx, float sy = SameScale);
void SetRot(float angle);
void UseFont(int style, int size);
void DrawTxt(int x, int y, const std::string& text, int alignX, int alignY);
void DrawImg(int image, int x, int y, int frame, int slot);
void DrawGlowImg(int image, int x, int y, int frame, int glowImage, float glowScale, float glowAlpha);
void DrawBackdrop();
bool MouseOver(int x, int y, int w, int h);

} // namespace glimmet
