#include "platform/image.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/display.h"
#include "platform/draw.h"
#include "platform/render_state.h"

namespace glimmet {

namespace {

struct ImageRec {
    bool used = false;
    int frameW = 0, frameH = 0, frames = 0;
    float handleX = 0, handleY = 0;
    int flags = 0;
    std::vector<uint32_t> pixels; // frame after frame, each row by row
    SDL_Texture* texture = nullptr;
    int columns = 1;          // frames per row of the texture
    bool textureStale = true; // the pixels changed since the texture was filled
};

// Slot 0 is the empty image.
std::vector<ImageRec> Images(1);
bool CentreOn = false;

// Every frame sits in the texture in a cell one pixel larger on each side, filled with copies of the
// frame's edge pixels, so linear filtering never blends in a neighbouring frame.
constexpr int Gutter = 1;

ImageRec* Find(int image) {
    if (image <= 0 || image >= static_cast<int>(Images.size()) || !Images[static_cast<size_t>(image)].used)
        return nullptr;
    return &Images[static_cast<size_t>(image)];
}

size_t PixelIndex(const ImageRec& rec, int frame, int x, int y) {
    return (static_cast<size_t>(frame) * static_cast<size_t>(rec.frameH) + static_cast<size_t>(y)) *
               static_cast<size_t>(rec.frameW) +
           static_cast<size_t>(x);
}

bool Opaque(const ImageRec& rec, int frame, int x, int y) {
    if (x < 0 || y < 0 || x >= rec.frameW || y >= rec.frameH) return false;
    return AlphaOf(rec.pixels[PixelIndex(rec, frame, x, y)]) != 0;
}

void ApplyMask(ImageRec& rec) {
    if ((rec.flags & ImageMasked) == 0) return;
    for (uint32_t& p : rec.pixels)
        if ((p & 0x00FFFFFFu) == 0) p = 0;
}

// A pixel index from a coordinate in frame pixels, held within -1..limit first so that far-away or
// undefined coordinates convert safely (they land outside the frame).
int PixelFloor(float v, int limit) {
    if (!(v > -1.0f)) return -1;
    return v >= static_cast<float>(limit) ? limit : static_cast<int>(std::floor(v));
}

int PixelCeil(float v, int limit) {
    if (!(v > -1.0f)) return -1;
    return v >= static_cast<float>(limit) ? limit : static_cast<int>(std::ceil(v));
}

int AddImage(ImageRec rec) {
    rec.used = true;
    rec.handleX = CentreOn ? static_cast<float>(rec.frameW) * 0.5f : 0.0f;
    rec.handleY = CentreOn ? static_cast<float>(rec.frameH) * 0.5f : 0.0f;
    ApplyMask(rec);
    for (size_t i = 1; i < Images.size(); i++) {
        if (!Images[i].used) {
            Images[i] = std::move(rec);
            return static_cast<int>(i);
        }
    }
    Images.push_back(std::move(rec));
    return static_cast<int>(Images.size() - 1);
}

void DropTexture(ImageRec& rec) {
    if (rec.texture != nullptr) SDL_DestroyTexture(rec.texture);
    rec.texture = nullptr;
    rec.textureStale = true;
}

// Creates or refreshes the texture that holds every frame.
bool ReadyTexture(SDL_Renderer* renderer, ImageRec& rec) {
    if (rec.texture != nullptr && !rec.textureStale) return true;
    int cellW = rec.frameW + 2 * Gutter, cellH = rec.frameH + 2 * Gutter;
    if (rec.texture == nullptr) {
        rec.columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(rec.frames))));
        int rows = (rec.frames + rec.columns - 1) / rec.columns;
        rec.texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                        rec.columns * cellW, rows * cellH);
        if (rec.texture == nullptr) return false;
        SDL_SetTextureScaleMode(rec.texture, (rec.flags & ImageFiltered) != 0 ? SDL_ScaleModeLinear
                                                                              : SDL_ScaleModeNearest);
    }
    int texW = 0, texH = 0;
    SDL_QueryTexture(rec.texture, nullptr, nullptr, &texW, &texH);
    std::vector<uint32_t> sheet(static_cast<size_t>(texW) * static_cast<size_t>(texH), 0);
    for (int f = 0; f < rec.frames; f++) {
        int left = (f % rec.columns) * cellW, top = (f / rec.columns) * cellH;
        for (int y = 0; y < cellH; y++) {
            int sy = std::clamp(y - Gutter, 0, rec.frameH - 1);
            for (int x = 0; x < cellW; x++) {
                int sx = std::clamp(x - Gutter, 0, rec.frameW - 1);
                sheet[static_cast<size_t>(top + y) * static_cast<size_t>(texW) +
                      static_cast<size_t>(left + x)] = rec.pixels[PixelIndex(rec, f, sx, sy)];
            }
        }
    }
    SDL_UpdateTexture(rec.texture, nullptr, sheet.data(), texW * 4);
    rec.textureStale = false;
    return true;
}

// The frame's rectangle inside the texture.
SDL_Rect FrameRect(const ImageRec& rec, int frame) {
    int cellW = rec.frameW + 2 * Gutter, cellH = rec.frameH + 2 * Gutter;
    return SDL_Rect{(frame % rec.columns) * cellW + Gutter, (frame / rec.columns) * cellH + Gutter,
                    rec.frameW, rec.frameH};
}

// Drawing through geometry: used when a rotation meets a drawing area scaled unequally on its two axes,
// which the rotated copy cannot express.
void DrawImageGeometry(SDL_Renderer* renderer, const ImageRec& rec, const SDL_Rect& src, float x, float y) {
    int texW = 1, texH = 1;
    SDL_QueryTexture(rec.texture, nullptr, nullptr, &texW, &texH);
    Placement place = PlacementAt(x, y);
    SDL_Color color = PenColor();
    float left = -rec.handleX, top = -rec.handleY;
    float right = left + static_cast<float>(rec.frameW), bottom = top + static_cast<float>(rec.frameH);
    float u0 = static_cast<float>(src.x) / static_cast<float>(texW);
    float v0 = static_cast<float>(src.y) / static_cast<float>(texH);
    float u1 = static_cast<float>(src.x + src.w) / static_cast<float>(texW);
    float v1 = static_cast<float>(src.y + src.h) / static_cast<float>(texH);
    SDL_Vertex vertices[4] = {{Place(place, left, top), color, {u0, v0}},
                              {Place(place, right, top), color, {u1, v0}},
                              {Place(place, right, bottom), color, {u1, v1}},
                              {Place(place, left, bottom), color, {u0, v1}}};
    static const int Indices[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(renderer, rec.texture, vertices, 4, Indices, 6);
}

// Maps a point of the drawing area into the frame's pixel coordinates, for a frame with its handle at
// (x, y) under the given placement (the inverse of drawing).
void AreaToFrame(const ImageRec& rec, const Placement& place, float px, float py, float& u, float& v) {
    float dx = px - place.anchorX, dy = py - place.anchorY;
    float rx = dx * place.cosA + dy * place.sinA;
    float ry = -dx * place.sinA + dy * place.cosA;
    u = rx / place.scaleX + rec.handleX;
    v = ry / place.scaleY + rec.handleY;
}

struct Box {
    float left, top, right, bottom;
};

Box Bounds(const ImageRec& rec, const Placement& place) {
    Placement inArea = place;
    inArea.toWindowX = inArea.toWindowY = 1;
    Box box{1e30f, 1e30f, -1e30f, -1e30f};
    const float xs[2] = {-rec.handleX, static_cast<float>(rec.frameW) - rec.handleX};
    const float ys[2] = {-rec.handleY, static_cast<float>(rec.frameH) - rec.handleY};
    for (float cx : xs) {
        for (float cy : ys) {
            SDL_FPoint p = Place(inArea, cx, cy);
            box = Box{std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
                      std::max(box.bottom, p.y)};
        }
    }
    return box;
}

// Upright frames: every pixel is an axis-aligned rectangle, so the test is exact. For each opaque pixel
// of A, the pixels of B under its rectangle are looked up directly.
bool OverlapUpright(const ImageRec& a, int frameA, float xA, float yA, const ImageRec& b, int frameB,
                    float xB, float yB, float sx, float sy) {
    for (int j = 0; j < a.frameH; j++) {
        float y0 = yA + (static_cast<float>(j) - a.handleY) * sy, y1 = y0 + sy;
        // B's pixel rows under this row of A (open intervals: touching edges do not overlap)
        float v0 = (std::min(y0, y1) - yB) / sy + b.handleY, v1 = (std::max(y0, y1) - yB) / sy + b.handleY;
        if (sy < 0) std::swap(v0, v1);
        int rowFirst = std::max(0, PixelFloor(v0, b.frameH));
        int rowLast = std::min(b.frameH - 1, PixelCeil(v1, b.frameH) - 1);
        if (rowFirst > rowLast) continue;
        for (int i = 0; i < a.frameW; i++) {
            if (!Opaque(a, frameA, i, j)) continue;
            float x0 = xA + (static_cast<float>(i) - a.handleX) * sx, x1 = x0 + sx;
            float u0 = (std::min(x0, x1) - xB) / sx + b.handleX,
                  u1 = (std::max(x0, x1) - xB) / sx + b.handleX;
            if (sx < 0) std::swap(u0, u1);
            int colFirst = std::max(0, PixelFloor(u0, b.frameW));
            int colLast = std::min(b.frameW - 1, PixelCeil(u1, b.frameW) - 1);
            for (int v = rowFirst; v <= rowLast; v++)
                for (int u = colFirst; u <= colLast; u++)
                    if (Opaque(b, frameB, u, v)) return true;
        }
    }
    return false;
}

// Turned frames: the shared part of both bounds is sampled on a grid finer than a quarter of the
// smaller pixel, each sample tested against both frames.
bool OverlapSampled(const ImageRec& a, int frameA, const Placement& placeA, const ImageRec& b, int frameB,
                    const Placement& placeB) {
    Box boxA = Bounds(a, placeA), boxB = Bounds(b, placeB);
    Box both{std::max(boxA.left, boxB.left), std::max(boxA.top, boxB.top), std::min(boxA.right, boxB.right),
             std::min(boxA.bottom, boxB.bottom)};
    if (both.left >= both.right || both.top >= both.bottom) return false;
    double step = std::min(std::fabs(placeA.scaleX), std::fabs(placeA.scaleY)) / 4.0;
    double width = static_cast<double>(both.right) - both.left,
           height = static_cast<double>(both.bottom) - both.top;
    constexpr double MaxSamples = 1.0e6;
    if (width / step * height / step > MaxSamples) step = std::sqrt(width * height / MaxSamples);
    // Counted loops: a float stepped by addition would stall far from the origin.
    long columns = std::lround(std::ceil(width / step)), rows = std::lround(std::ceil(height / step));
    for (long row = 0; row < rows; row++) {
        float py = static_cast<float>(both.top + (static_cast<double>(row) + 0.5) * step);
        for (long column = 0; column < columns; column++) {
            float px = static_cast<float>(both.left + (static_cast<double>(column) + 0.5) * step);
            float u, v;
            AreaToFrame(a, placeA, px, py, u, v);
            if (!Opaque(a, frameA, PixelFloor(u, a.frameW), PixelFloor(v, a.frameH))) continue;
            AreaToFrame(b, placeB, px, py, u, v);
            if (Opaque(b, frameB, PixelFloor(u, b.frameW), PixelFloor(v, b.frameH))) return true;
        }
    }
    return false;
}

} // namespace

void SetCentreHandles(bool on) {
    CentreOn = on;
}

int LoadImage(const std::string& file, int flags) {
    Pixmap picture = LoadPixmap(file);
    return ImageFromPixmap(picture, flags);
}

int LoadAnimImage(const std::string& file, int frameW, int frameH, int first, int count, int flags) {
    if (frameW <= 0 || frameH <= 0 || first < 0 || count <= 0) return 0;
    Pixmap picture = LoadPixmap(file);
    int perRow = picture.width / frameW, perColumn = picture.height / frameH;
    int available = perRow * perColumn - first;
    if (available <= 0) return 0;
    ImageRec rec;
    rec.frameW = frameW;
    rec.frameH = frameH;
    rec.frames = std::min(count, available);
    rec.flags = flags;
    rec.pixels.resize(static_cast<size_t>(rec.frames) * static_cast<size_t>(frameW) *
                      static_cast<size_t>(frameH));
    for (int f = 0; f < rec.frames; f++) {
        int left = (first + f) % perRow * frameW, top = (first + f) / perRow * frameH;
        for (int y = 0; y < frameH; y++)
            for (int x = 0; x < frameW; x++)
                rec.pixels[PixelIndex(rec, f, x, y)] = ReadPixel(picture, left + x, top + y);
    }
    return AddImage(std::move(rec));
}

int ImageFromPixmap(const Pixmap& pixmap, int flags) {
    if (PixmapEmpty(pixmap)) return 0;
    ImageRec rec;
    rec.frameW = pixmap.width;
    rec.frameH = pixmap.height;
    rec.frames = 1;
    rec.flags = flags;
    rec.pixels = pixmap.pixels;
    return AddImage(std::move(rec));
}

int CreateImage(int width, int height, int flags) {
    return ImageFromPixmap(CreatePixmap(width, height), flags);
}

void FreeImage(int image) {
    ImageRec* rec = Find(image);
    if (rec == nullptr) return;
    DropTexture(*rec);
    *rec = ImageRec{};
}

void FreeAllImages() {
    for (ImageRec& rec : Images) DropTexture(rec);
    Images.assign(1, ImageRec{});
}

int ImageWidth(int image) {
    const ImageRec* rec = Find(image);
    return rec != nullptr ? rec->frameW : 0;
}

int ImageHeight(int image) {
    const ImageRec* rec = Find(image);
    return rec != nullptr ? rec->frameH : 0;
}

int ImageFrames(int image) {
    const ImageRec* rec = Find(image);
    return rec != nullptr ? rec->frames : 0;
}

uint32_t ImagePixel(int image, int frame, int x, int y) {
    const ImageRec* rec = Find(image);
    if (rec == nullptr || frame < 0 || frame >= rec->frames || x < 0 || y < 0 || x >= rec->frameW ||
        y >= rec->frameH)
        return 0;
    return rec->pixels[PixelIndex(*rec, frame, x, y)];
}

void GrabImage(int image, int x, int y) {
    ImageRec* rec = Find(image);
    if (rec == nullptr) return;
    Pixmap grab = GrabScreen(x, y, rec->frameW, rec->frameH);
    if (PixmapEmpty(grab)) return;
    std::copy(grab.pixels.begin(), grab.pixels.end(), rec->pixels.begin());
    ApplyMask(*rec);
    rec->textureStale = true;
}

void DrawImage(int image, float x, float y, int frame) {
    DrawRecord record = PenRecord(DrawKind::Image, x, y);
    record.image = image;
    record.frame = frame;
    LogDraw(record);
    ChargeImageDraw();
    SDL_Renderer* renderer = ActiveRenderer();
    ImageRec* rec = Find(image);
    if (renderer == nullptr || rec == nullptr || frame < 0 || frame >= rec->frames) return;
    if (!ReadyTexture(renderer, *rec)) return;
    SDL_Color color = PenColor();
    SDL_SetTextureBlendMode(rec->texture, BlendModeFor(Pen.blend));
    SDL_SetTextureColorMod(rec->texture, color.r, color.g, color.b);
    SDL_SetTextureAlphaMod(rec->texture, color.a);
    SDL_Rect src = FrameRect(*rec, frame);
    Placement place = AreaPlacement(x, y);
    if (Pen.rotation != 0.0f && std::fabs(place.toWindowX - place.toWindowY) > 1e-4f) {
        DrawImageGeometry(renderer, *rec, src, x, y);
        return;
    }
    // The rotated copy: mirroring flips the frame inside its rectangle, so the handle is measured from
    // the far edge on a mirrored axis.
    float sx = std::fabs(Pen.scaleX), sy = std::fabs(Pen.scaleY);
    float handleX = Pen.scaleX < 0 ? static_cast<float>(rec->frameW) - rec->handleX : rec->handleX;
    float handleY = Pen.scaleY < 0 ? static_cast<float>(rec->frameH) - rec->handleY : rec->handleY;
    SDL_FPoint centre{handleX * sx * place.toWindowX, handleY * sy * place.toWindowY};
    SDL_FRect dst{x * place.toWindowX - centre.x, y * place.toWindowY - centre.y,
                  static_cast<float>(rec->frameW) * sx * place.toWindowX,
                  static_cast<float>(rec->frameH) * sy * place.toWindowY};
    int flip = (Pen.scaleX < 0 ? SDL_FLIP_HORIZONTAL : 0) | (Pen.scaleY < 0 ? SDL_FLIP_VERTICAL : 0);
    SDL_RenderCopyExF(renderer, rec->texture, &src, &dst, Pen.rotation, &centre,
                      static_cast<SDL_RendererFlip>(flip));
}

bool ImagesOverlap(int imageA, int frameA, float xA, float yA, int imageB, int frameB, float xB, float yB) {
    const ImageRec* a = Find(imageA);
    const ImageRec* b = Find(imageB);
    if (a == nullptr || b == nullptr || frameA < 0 || frameA >= a->frames || frameB < 0 ||
        frameB >= b->frames)
        return false;
    if (!std::isfinite(Pen.scaleX) || !std::isfinite(Pen.scaleY) || !std::isfinite(Pen.rotation) ||
        Pen.scaleX == 0.0f || Pen.scaleY == 0.0f || !std::isfinite(xA) || !std::isfinite(yA) ||
        !std::isfinite(xB) || !std::isfinite(yB))
        return false;
    Placement placeA = PlacementAt(xA, yA), placeB = PlacementAt(xB, yB);
    if (Pen.rotation == 0.0f)
        return OverlapUpright(*a, frameA, xA, yA, *b, frameB, xB, yB, Pen.scaleX, Pen.scaleY);
    return OverlapSampled(*a, frameA, placeA, *b, frameB, placeB);
}

} // namespace glimmet
