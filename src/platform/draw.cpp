#include "platform/draw.h"

#include <algorithm>
#include <cmath>

#include "platform/area.h"
#include "platform/render_state.h"

namespace glimmet {

DrawState Pen;

namespace {

constexpr float DegreesToRadians = 3.14159265358979f / 180.0f;

float Ratio(int a, int b) {
    return b > 0 ? static_cast<float>(a) / static_cast<float>(b) : 1.0f;
}

// Four corners given relative to the anchor, filled with the pen colour as two triangles.
void FillQuad(SDL_Renderer* renderer, const Placement& place, const float corners[4][2]) {
    SDL_Color color = PenColor();
    SDL_Vertex vertices[4];
    for (int i = 0; i < 4; i++)
        vertices[i] = SDL_Vertex{Place(place, corners[i][0], corners[i][1]), color, {0, 0}};
    static const int Indices[6] = {0, 1, 2, 0, 2, 3};
    SDL_SetRenderDrawBlendMode(renderer, BlendModeFor(Pen.blend));
    SDL_RenderGeometry(renderer, nullptr, vertices, 4, Indices, 6);
}

} // namespace

Placement AreaPlacement(float x, float y) {
    Placement place;
    place.anchorX = x;
    place.anchorY = y;
    place.toWindowX = Ratio(Area.windowW, Area.areaW);
    place.toWindowY = Ratio(Area.windowH, Area.areaH);
    return place;
}

Placement PlacementAt(float x, float y) {
    Placement place = AreaPlacement(x, y);
    place.scaleX = Pen.scaleX;
    place.scaleY = Pen.scaleY;
    place.cosA = std::cos(Pen.rotation * DegreesToRadians);
    place.sinA = std::sin(Pen.rotation * DegreesToRadians);
    return place;
}

SDL_BlendMode BlendModeFor(int kind) {
    switch (kind) {
    case 0:
        return SDL_BLENDMODE_NONE;
    case 2:
        return SDL_BLENDMODE_MUL; // multiplies, and leaves transparent source pixels out
    case 3:
        return SDL_BLENDMODE_ADD;
    default:
        return SDL_BLENDMODE_BLEND;
    }
}

SDL_Color PenColor() {
    // Shade multiplies by (colour x alpha + 1 - alpha): SDL's multiply mode adds dst x (1 - alpha) by
    // itself, so weighting the colour by alpha makes alpha fade between no change and the full multiply.
    float weight = Pen.blend == 2 ? Pen.alpha : 1.0f;
    auto channel = [weight](int v) {
        return static_cast<Uint8>(std::lround(static_cast<float>(v) * weight));
    };
    return SDL_Color{channel(Pen.r), channel(Pen.g), channel(Pen.b),
                     static_cast<Uint8>(std::lround(Pen.alpha * 255.0f))};
}

DrawRecord PenRecord(DrawKind kind, float x, float y) {
    DrawRecord record;
    record.kind = kind;
    record.x = x;
    record.y = y;
    record.r = Pen.r;
    record.g = Pen.g;
    record.b = Pen.b;
    record.alpha = Pen.alpha;
    record.scaleX = Pen.scaleX;
    record.scaleY = Pen.scaleY;
    record.rotation = Pen.rotation;
    record.blend = Pen.blend;
    record.font = Pen.font;
    return record;
}

void SetColor(int r, int g, int b) {
    Pen.r = std::clamp(r, 0, 255);
    Pen.g = std::clamp(g, 0, 255);
    Pen.b = std::clamp(b, 0, 255);
}

void SetAlpha(float alpha) {
    Pen.alpha = std::isnan(alpha) ? 0.0f : std::clamp(alpha, 0.0f, 1.0f);
}

void SetScale(float scaleX, float scaleY) {
    Pen.scaleX = scaleX;
    Pen.scaleY = scaleY;
}

void SetRotation(float degrees) {
    Pen.rotation = degrees;
}

void SetBlend(int kind) {
    if (kind >= 0 && kind <= 3) Pen.blend = kind;
}

void ResetPen() {
    int font = Pen.font;
    Pen = DrawState{};
    Pen.font = font;
}

void ClearScreen() {
    LogDraw(PenRecord(DrawKind::Clear, 0, 0));
    SDL_Renderer* renderer = ActiveRenderer();
    if (renderer == nullptr) return;
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
}

void DrawRect(float x, float y, float width, float height) {
    DrawRecord record = PenRecord(DrawKind::Rect, x, y);
    record.w = width;
    record.h = height;
    LogDraw(record);
    SDL_Renderer* renderer = ActiveRenderer();
    if (renderer == nullptr) return;
    Placement place = PlacementAt(x, y);
    if (Pen.rotation == 0.0f) {
        // Upright: the renderer's own rectangle fill is the fastest way.
        SDL_FPoint a = Place(place, 0, 0), b = Place(place, width, height);
        SDL_FRect rect{std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y)};
        SDL_Color color = PenColor();
        SDL_SetRenderDrawBlendMode(renderer, BlendModeFor(Pen.blend));
        SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
        SDL_RenderFillRectF(renderer, &rect);
        return;
    }
    const float corners[4][2] = {{0, 0}, {width, 0}, {width, height}, {0, height}};
    FillQuad(renderer, place, corners);
}

void DrawLine(float x1, float y1, float x2, float y2) {
    DrawRecord record = PenRecord(DrawKind::Line, x1, y1);
    record.x2 = x2;
    record.y2 = y2;
    LogDraw(record);
    SDL_Renderer* renderer = ActiveRenderer();
    if (renderer == nullptr) return;
    // A line is a thin quad along its direction, one drawing-area unit wide but never thinner than a
    // display pixel, so it stays visible when the area is scaled down. It runs through the middle of the
    // units it names, so a line from (10, 80) to (40, 80) covers the units 10..40 of row 80.
    Placement place = PlacementAt(x1 + 0.5f, y1 + 0.5f);
    float dx = x2 - x1, dy = y2 - y1;
    float length = std::sqrt(dx * dx + dy * dy);
    float toWindow = std::min(place.toWindowX, place.toWindowY);
    float half = 0.5f * std::max(1.0f, 1.0f / (toWindow > 0 ? toWindow : 1.0f));
    float nx = length > 0 ? -dy / length * half : 0, ny = length > 0 ? dx / length * half : half;
    float ex = length > 0 ? dx / length * half : half, ey = length > 0 ? dy / length * half : 0;
    const float corners[4][2] = {{-ex + nx, -ey + ny},
                                 {dx + ex + nx, dy + ey + ny},
                                 {dx + ex - nx, dy + ey - ny},
                                 {-ex - nx, -ey - ny}};
    FillQuad(renderer, place, corners);
}

} // namespace glimmet
