#include "display/toolkit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/state.h"
#include "display/assets.h"
#include "display/graphics_mode.h"
#include "platform/draw.h"
#include "platform/font.h"
#include "platform/image.h"

namespace glimmet {

std::array<int, 20> DrawCount{};
std::array<int, 20> DrawLimit{};
int SkipDraw = 0;
std::array<float, 3> BackTint{0.2f, 0.0f, 1.0f};
std::array<float, 3> BackTintTarget{0.2f, 0.0f, 1.0f};
int MouseXPos = 0, MouseYPos = 0;

void InitializeToolkit() {
    DrawLimit.fill(0);
    DrawLimit[1] = 50000;
    DrawLimit[2] = 50000;
    DrawCount.fill(0);
    SkipDraw = 0;
    BackTint = BackTintTarget = {0.2f, 0.0f, 1.0f};
    MouseXPos = MouseYPos = 0;
}

namespace {

// Frameskip suppresses image drawing on the frames it will not present.
bool ImageDrawingAllowed() {
    return Setting[SettingFrameskip] == 0 || SkipDraw == 0;
}

bool ValidSlot(int slot) {
    return slot >= 0 && slot < static_cast<int>(DrawCount.size());
}

// Takes one draw from the slot's budget; false when the budget is spent.
bool TakeBudget(int slot) {
    if (!ValidSlot(slot) || DrawCount[static_cast<size_t>(slot)] >= DrawLimit[static_cast<size_t>(slot)])
        return false;
    DrawCount[static_cast<size_t>(slot)]++;
    return true;
}

float Clamp(float v, float low, float high) {
    return std::max(std::min(v, high), low);
}

} // namespace

void BeginFrame(int clear) {
    if (clear == 1) ClearScreen();
    for (int slot = 1; slot <= 10; slot++) DrawCount[static_cast<size_t>(slot)] = 0;
}

void ResetDraw() {
    SetRotation(0);
    SetScale(1, 1);
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(1);
}

void SetBlendKind(int kind) {
    SetBlend(kind);
}

void SetCol(float r, float g, float b, float alpha) {
    SetColor(static_cast<int>(Clamp(r, 0, 255)), static_cast<int>(Clamp(g, 0, 255)),
             static_cast<int>(Clamp(b, 0, 255)));
    if (alpha != NoAlpha) SetAlpha(Clamp(alpha, 0, 1));
}

void SetScl(float sx, float sy) {
    SetScale(sx, sy == SameScale ? sx : sy);
}

void SetRot(float angle) {
    SetRotation(angle);
}

void UseFont(int style, int size) {
    if (style < 1 || style > 3) style = 1;
    if (size < 0 || size > 8) size = 0;
    SetFont(FontSlot[static_cast<size_t>((style - 1) * 10 + size)]);
}

void DrawTxt(int x, int y, const std::string& text, int alignX, int alignY) {
    if (alignX == 1) x -= TextWidth(text) / 2;
    if (alignX == 2) x -= TextWidth(text);
    if (alignY == 1) y -= TextHeight(text) / 2;
    if (alignY == 2) y -= TextHeight(text);
    DrawText(text, static_cast<float>(x), static_cast<float>(y));
}

void DrawImg(int image, int x, int y, int frame, int slot) {
    if (!ImageDrawingAllowed()) return;
    if (!TakeBudget(slot)) return;
    float cx = static_cast<float>(x) + static_cast<float>(ImageWidth(image)) * Pen.scaleX / 2;
    float cy = static_cast<float>(y) + static_cast<float>(ImageHeight(image)) * Pen.scaleY / 2;
    DrawImage(image, cx, cy, frame);
}

void DrawGlowImg(int image, int x, int y, int frame, int glowImage, float glowScale, float glowAlpha) {
    if (!ImageDrawingAllowed()) return;
    const DrawState saved = Pen;
    float cx = static_cast<float>(x) + static_cast<float>(ImageWidth(image)) * saved.scaleX / 2;
    float cy = static_cast<float>(y) + static_cast<float>(ImageHeight(image)) * saved.scaleY / 2;
    if (TakeBudget(1)) DrawImage(image, cx, cy, frame);
    SetScale(glowScale * saved.scaleX, glowScale * saved.scaleY);
    SetAlpha(saved.alpha * glowAlpha);
    SetBlend(3);
    if (TakeBudget(2)) DrawImage(glowImage != 0 ? glowImage : image, cx, cy, frame);
    SetScale(saved.scaleX, saved.scaleY);
    SetAlpha(saved.alpha);
    SetBlend(saved.blend);
}

void DrawBackdrop() {
    ResetDraw();
    for (size_t c = 0; c < 3; c++) {
        BackTint[c] -= (BackTint[c] - BackTintTarget[c]) / 16;
        if (std::fabs(BackTint[c] - BackTintTarget[c]) < 0.005f) BackTint[c] = BackTintTarget[c];
    }
    float brightness = 25.0f;
    SetRot(-45);
    // The stripes go to the platform as one batch: 97 large turned rectangles drawn one by one cost
    // tens of milliseconds on the software renderer.
    std::vector<FilledRect> stripes;
    for (int i = 0; i <= ScreenH; i += 10) {
        brightness += 1.0f;
        SetCol(brightness * BackTint[0], brightness * BackTint[1], brightness * BackTint[2]);
        stripes.push_back(FilledRect{-100, static_cast<float>(3 * i), static_cast<float>(ScreenW + 1800), 30,
                                     Pen.r, Pen.g, Pen.b});
    }
    FillRects(stripes);
    ResetDraw();
}

bool MouseOver(int x, int y, int w, int h) {
    return MouseXPos > x && MouseYPos > y && MouseXPos < x + w && MouseYPos < y + h;
}

} // namespace glimmet
