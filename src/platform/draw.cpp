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

// Narrows [first, last] to the pixels of a row whose centres x + 0.5 give a * x + b >= 0 (> 0 when
// strict): one edge of a shape.
void KeepInsideEdge(double a, double b, bool strict, double& first, double& last) {
    if (a == 0) {
        if (b < 0 || (strict && b == 0)) last = first - 1;
        return;
    }
    double cross = -b / a - 0.5; // where the edge meets the row, in pixel indices
    if (a > 0)
        first = std::max(first, strict ? std::floor(cross) + 1 : std::ceil(cross));
    else
        last = std::min(last, strict ? std::ceil(cross) - 1 : std::floor(cross));
}

// Paints one rectangle into the picture as the software renderer fills its two triangles: the corners
// cut to whole display pixels, a pixel covered when its centre lies inside, and a centre exactly on
// an edge covered only for a top or left edge.
void PaintRect(std::vector<Uint32>& picture, int width, int height, const Placement& place,
               const FilledRect& rect) {
    const float corners[4][2] = {{0, 0}, {rect.width, 0}, {rect.width, rect.height}, {0, rect.height}};
    double px[4], py[4];
    for (int i = 0; i < 4; i++) {
        SDL_FPoint p = Place(place, corners[i][0], corners[i][1]);
        px[i] = static_cast<int>(p.x);
        py[i] = static_cast<int>(p.y);
    }
    double area = 0;
    for (int i = 0; i < 4; i++) area += px[i] * py[(i + 1) % 4] - px[(i + 1) % 4] * py[i];
    if (area == 0) return;
    double turn = area > 0 ? 1 : -1; // inside lies on the same side of every edge
    int firstRow = std::max(0, static_cast<int>(std::floor(*std::min_element(py, py + 4))));
    int lastRow = std::min(height - 1, static_cast<int>(std::ceil(*std::max_element(py, py + 4))));
    Uint32 color = 0xFF000000u | static_cast<Uint32>(rect.r) << 16 | static_cast<Uint32>(rect.g) << 8 |
                   static_cast<Uint32>(rect.b);
    for (int row = firstRow; row <= lastRow; row++) {
        double y = row + 0.5, first = 0, last = width - 1;
        for (int i = 0; i < 4; i++) {
            int j = (i + 1) % 4;
            double ex = px[j] - px[i], ey = py[j] - py[i];
            // Inside: turn * (edge x (point - start)) >= 0, linear in x on this row.
            double a = -turn * ey, b = turn * (ex * (y - py[i]) + ey * px[i]);
            bool topOrLeft = (turn * ey < 0) || (ey == 0 && turn * ex > 0);
            KeepInsideEdge(a, b, !topOrLeft, first, last);
        }
        Uint32* line = picture.data() + static_cast<size_t>(row) * static_cast<size_t>(width);
        for (int x = static_cast<int>(first); x <= static_cast<int>(last); x++) line[x] = color;
    }
}

// What a FillRects picture depends on: the rectangles, the drawing state and the drawing area.
std::vector<float> FillsKey(const std::vector<FilledRect>& rects, const Placement& place) {
    std::vector<float> key{place.scaleX, place.scaleY,    place.cosA,
                           place.sinA,   place.toWindowX, place.toWindowY};
    for (const FilledRect& rect : rects) {
        key.insert(key.end(), {rect.x, rect.y, rect.width, rect.height, static_cast<float>(rect.r),
                               static_cast<float>(rect.g), static_cast<float>(rect.b)});
    }
    return key;
}

// The software renderer: the batch rasterised here into a frame-sized picture (kept while the same
// batch comes again) and copied over the frame; false when the texture cannot be had.
bool DrawFillsPicture(SDL_Renderer* renderer, const std::vector<FilledRect>& rects) {
    Placement place = PlacementAt(0, 0);
    std::vector<float> key = FillsKey(rects, place);
    if (Render.fills != nullptr && key == Render.fillsKey)
        return SDL_RenderCopy(renderer, Render.fills, nullptr, nullptr) == 0;
    if (Render.fills == nullptr) {
        Render.fills = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                         Render.frameW, Render.frameH);
        if (Render.fills == nullptr) return false;
    }
    std::vector<Uint32> picture(static_cast<size_t>(Render.frameW) * static_cast<size_t>(Render.frameH), 0);
    for (const FilledRect& rect : rects) {
        place.anchorX = rect.x;
        place.anchorY = rect.y;
        PaintRect(picture, Render.frameW, Render.frameH, place, rect);
    }
    bool everyPixel = std::all_of(picture.begin(), picture.end(), [](Uint32 p) { return p != 0; });
    SDL_SetTextureBlendMode(Render.fills, everyPixel ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_UpdateTexture(Render.fills, nullptr, picture.data(), Render.frameW * 4);
    Render.fillsKey = std::move(key);
    return SDL_RenderCopy(renderer, Render.fills, nullptr, nullptr) == 0;
}

// The other renderers: every rectangle's two triangles in one geometry call, the same triangles
// DrawRect would hand over one rectangle at a time.
bool DrawFillsGeometry(SDL_Renderer* renderer, const std::vector<FilledRect>& rects) {
    std::vector<SDL_Vertex> vertices;
    std::vector<int> indices;
    Placement place = PlacementAt(0, 0);
    for (const FilledRect& rect : rects) {
        place.anchorX = rect.x;
        place.anchorY = rect.y;
        SDL_Color color{static_cast<Uint8>(rect.r), static_cast<Uint8>(rect.g), static_cast<Uint8>(rect.b),
                        255};
        const float corners[4][2] = {{0, 0}, {rect.width, 0}, {rect.width, rect.height}, {0, rect.height}};
        int first = static_cast<int>(vertices.size());
        for (const auto& corner : corners)
            vertices.push_back(SDL_Vertex{Place(place, corner[0], corner[1]), color, {0, 0}});
        for (int k : {0, 1, 2, 0, 2, 3}) indices.push_back(first + k);
    }
    SDL_SetRenderDrawBlendMode(renderer, BlendModeFor(Pen.blend));
    return SDL_RenderGeometry(renderer, nullptr, vertices.data(), static_cast<int>(vertices.size()),
                              indices.data(), static_cast<int>(indices.size())) == 0;
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

void FillRects(const std::vector<FilledRect>& rects) {
    const DrawState saved = Pen;
    bool opaque = Pen.alpha >= 1.0f && (Pen.blend == 0 || Pen.blend == 1);
    SDL_Renderer* renderer = ActiveRenderer();
    bool drawn = false;
    if (opaque && renderer != nullptr && !rects.empty())
        drawn = Render.backend == 2 ? DrawFillsPicture(renderer, rects) : DrawFillsGeometry(renderer, rects);
    for (const FilledRect& rect : rects) {
        SetColor(rect.r, rect.g, rect.b);
        if (drawn) {
            DrawRecord record = PenRecord(DrawKind::Rect, rect.x, rect.y);
            record.w = rect.width;
            record.h = rect.height;
            LogDraw(record);
        } else {
            DrawRect(rect.x, rect.y, rect.width, rect.height);
        }
    }
    Pen = saved;
}

} // namespace glimmet
