// What a frame costs on each back-end, beside a bare SDL loop doing the same in the same run:
//   - ShowFrame alone: median and 99th percentile FrameTime, and the Fps it settles at (pacing in);
//     the bare loop is clear, copy of the frame target to the window and present;
//   - BeginFrame(1) + DrawBackdrop, steady (same tint) and fading (new tint every frame); the bare loop
//     is the 97 stripes as one SDL_RenderGeometry batch;
//   - a title-like frame (backdrop, 100 text lines, 300 sprites) and a game-like frame (12 full-area
//     wall pictures, 900 cells at scale 2, 250 shadows): drawing submitted and presented, no pacing.
// Each figure is the median of several runs (the machine is shared); every frame ends by reading one
// pixel back, so the renderer's queued work is inside the time.
//
// Run from build/run (the fonts come from Files/Common). Software runs under the dummy video driver;
// opengl and opengles2 need DISPLAY. Usage: display_frame [software|opengl|opengles2]...
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program.h"
#include "base/state.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/draw.h"
#include "platform/font.h"
#include "platform/image.h"

namespace {

using namespace glimmet;

constexpr int Width = 800, Height = 600, Runs = 5, Frames = 40;

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double Percentile99(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, static_cast<size_t>(std::ceil(0.99 * v.size())) - 1)];
}

void WaitForRenderer() {
    GrabScreen(0, 0, 1, 1);
}

// Median over Runs of the mean time of Frames calls of frame().
template <typename Fn> double MedianFrameMs(Fn frame) {
    std::vector<double> runs;
    frame(); // warm-up: textures made, caches filled
    for (int run = 0; run < Runs; run++) {
        double start = NowMs();
        for (int i = 0; i < Frames; i++) frame();
        runs.push_back((NowMs() - start) / Frames);
    }
    return Median(runs);
}

Pixmap Picture(int w, int h, int seed) {
    Pixmap p = CreatePixmap(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            WritePixel(p, x, y,
                       Argb(255, (x * 3 + seed) & 255, (y * 5 + seed) & 255, ((x ^ y) + seed) & 255));
    return p;
}

void ShowFrameAlone() {
    OverlayOn = 0;
    for (int i = 0; i < 30; i++) ShowFrame(0);
    for (int run = 0; run < Runs; run++) {
        std::vector<double> times;
        for (int i = 0; i < 120; i++) {
            ShowFrame(0);
            times.push_back(FrameTime);
        }
        std::printf(
            "  ShowFrame alone, run %d: FrameTime median %.0f ms, 99th %.0f ms, Fps %d, margin %.1f ms\n",
            run + 1, Median(times), Percentile99(times), Fps, PacingMargin(true));
    }
}

void LayerFigures() {
    ShowFrameAlone();
    double steady = MedianFrameMs([] {
        BeginFrame(1);
        DrawBackdrop();
        WaitForRenderer();
    });
    int step = 0;
    double fading = MedianFrameMs([&step] {
        BackTint = BackTintTarget = {0.2f + 0.001f * static_cast<float>(step++ % 500), 0.3f, 1.0f};
        BeginFrame(1);
        DrawBackdrop();
        WaitForRenderer();
    });
    std::printf("  BeginFrame(1) + DrawBackdrop: %.2f ms steady, %.2f ms fading\n", steady, fading);

    int font = LoadFont("Files/Common/SVBasicManual.ttf", 18, true);
    int sprite = ImageFromPixmap(Picture(32, 32, 7), ImageMasked | ImageFiltered);
    double title = MedianFrameMs([font, sprite] {
        BeginFrame(1);
        DrawBackdrop();
        SetFont(font);
        for (int i = 0; i < 100; i++) DrawTxt(40 + (i % 4) * 300, (i / 4) * 36, "Line of the table", 0, 0);
        for (int i = 0; i < 300; i++) {
            SetRot(static_cast<float>(i * 7 % 360));
            DrawImg(sprite, (i * 37) % ScreenW, (i * 53) % ScreenH, 0, 1);
        }
        ResetDraw();
        PresentFrame(false);
        WaitForRenderer();
    });
    std::vector<int> walls;
    for (int i = 0; i < 12; i++)
        walls.push_back(ImageFromPixmap(Picture(ScreenW, ScreenH, i * 20), ImageMasked));
    int shadow = ImageFromPixmap(Picture(32, 32, 99), ImageMasked);
    double game = MedianFrameMs([&walls, sprite, shadow] {
        BeginFrame(1);
        ResetDraw();
        for (int wall : walls) DrawImg(wall, 0, 0, 0, 1);
        SetScl(2);
        for (int i = 0; i < 900; i++) DrawImg(sprite, (i % 30) * 42, (i / 30) * 32, 0, 1);
        SetBlendKind(2);
        SetScl(1);
        for (int i = 0; i < 250; i++) DrawImg(shadow, (i * 41) % ScreenW, (i * 29) % ScreenH, 0, 1);
        ResetDraw();
        PresentFrame(false);
        WaitForRenderer();
    });
    std::printf("  title-like frame: %.2f ms   game-like frame: %.2f ms\n", title, game);
}

// The bare SDL loops: a target texture copied to the window on present, as the layer does.
void BareFigures(const char* driver) {
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, driver);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    Uint32 flags = std::string(driver) == "software" ? 0 : SDL_WINDOW_OPENGL;
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, Width,
                                          Height, flags | SDL_WINDOW_SHOWN);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_TARGETTEXTURE) : nullptr;
    SDL_Texture* frame = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                                      SDL_TEXTUREACCESS_TARGET, Width, Height)
                                  : nullptr;
    if (frame != nullptr) {
        SDL_SetRenderTarget(renderer, frame);
        auto readBack = [renderer] {
            Uint32 pixel;
            SDL_Rect one{0, 0, 1, 1};
            SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
        };
        double present = MedianFrameMs([&] {
            SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
            SDL_RenderClear(renderer);
            SDL_SetRenderTarget(renderer, nullptr);
            SDL_RenderCopy(renderer, frame, nullptr, nullptr);
            SDL_RenderPresent(renderer);
            SDL_SetRenderTarget(renderer, frame);
            readBack();
        });
        // The 97 stripes of the backdrop, as one batch of triangles.
        std::vector<SDL_Vertex> vertices;
        std::vector<int> indices;
        const float c = std::cos(-45 * 3.14159265f / 180), s = std::sin(-45 * 3.14159265f / 180);
        const float toWindow = static_cast<float>(Width) / 1280.0f;
        for (int i = 0, n = 0; i <= 960; i += 10, n++) {
            Uint8 b = static_cast<Uint8>(26 + n);
            const float corners[4][2] = {{0, 0}, {3080, 0}, {3080, 30}, {0, 30}};
            int base = static_cast<int>(vertices.size());
            for (const auto& corner : corners) {
                float x = -100 + corner[0] * c - corner[1] * s, y = 3.0f * i + corner[0] * s + corner[1] * c;
                vertices.push_back(SDL_Vertex{{x * toWindow, y * toWindow}, {0, 0, b, 255}, {0, 0}});
            }
            for (int k : {0, 1, 2, 0, 2, 3}) indices.push_back(base + k);
        }
        double backdrop = MedianFrameMs([&] {
            SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
            SDL_RenderClear(renderer);
            SDL_RenderGeometry(renderer, nullptr, vertices.data(), static_cast<int>(vertices.size()),
                               indices.data(), static_cast<int>(indices.size()));
            readBack();
        });
        std::printf("  bare SDL: clear + present %.2f ms; 97 stripes as one geometry batch %.2f ms\n",
                    present, backdrop);
    }
    if (frame != nullptr) SDL_DestroyTexture(frame);
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    if (window != nullptr) SDL_DestroyWindow(window);
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, nullptr);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void RunOn(const std::string& driver) {
    int backend = driver == "opengl" ? 0 : driver == "opengles2" ? 1 : 2;
    if (backend == 2) setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::printf("%s at %d x %d:\n", driver.c_str(), Width, Height);
    CreateTables();
    SelectBackend(backend);
    if (!OpenDisplay(Width, Height, 0, 60, "bench") || DisplayBackend() != backend) {
        std::printf("  not available here\n");
        CloseDisplay();
        return;
    }
    ScreenW = 1280;
    ScreenH = 960;
    SetVirtualResolution(ScreenW, ScreenH);
    SetCentreHandles(true);
    LayerFigures();
    CloseDisplay();
    BareFigures(driver.c_str());
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> drivers(argv + 1, argv + argc);
    if (drivers.empty()) drivers = {"software"};
    for (const std::string& driver : drivers) RunOn(driver);
    return 0;
}
