// How many rotated, alpha-blended 32 x 32 sprites the display layer draws in a frame at 60 frames per
// second, beside a bare SDL_RenderCopyEx loop drawing the same sprites in the same run. Measured on the
// software renderer (SDL's dummy video driver) and, when DISPLAY is set, with opengl on that X display.
//
// Both loops draw into an off-screen target and copy it to the window on present, as the layer does.
// A frame's cost is split into a fixed part (clear and present, measured with no sprites) and a part
// per sprite, each the best of three runs (the machine is shared); the figure printed is how many
// sprites fit into 16.7 ms after the fixed part.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/display.h"
#include "platform/draw.h"
#include "platform/image.h"

namespace {

using glimmet::Argb;

constexpr int Width = 800, Height = 600;
constexpr int Sprites = 2000, Frames = 12;
constexpr double FrameMs = 1000.0 / 60.0;

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// A repeatable stream of positions and angles, the same for both loops.
struct Scatter {
    unsigned state = 12345;
    int Next(int range) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 8) % static_cast<unsigned>(range));
    }
};

glimmet::Pixmap SpritePicture() {
    glimmet::Pixmap p = glimmet::CreatePixmap(32, 32);
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++) {
            int dx = x - 16, dy = y - 16;
            bool inside = dx * dx + dy * dy < 256;
            glimmet::WritePixel(p, x, y,
                                inside ? Argb(255, 128 + x * 4, 64 + y * 6, 200) : Argb(255, 0, 0, 0));
        }
    return p;
}

struct Result {
    double fixedMs = 0, perSpriteUs = 0;
    bool ok = false;
};

// Milliseconds per frame drawing count sprites through the layer.
double LayerFrameMs(int image, int count) {
    Scatter scatter;
    double start = NowMs();
    for (int frame = 0; frame < Frames; frame++) {
        glimmet::ClearScreen();
        for (int i = 0; i < count; i++) {
            int x = scatter.Next(Width), y = scatter.Next(Height), angle = scatter.Next(360);
            glimmet::SetRotation(static_cast<float>(angle));
            glimmet::DrawImage(image, static_cast<float>(x), static_cast<float>(y), 0);
        }
        glimmet::PresentFrame(false);
    }
    glimmet::GrabScreen(0, 0, 1, 1); // waits for the renderer to finish
    return (NowMs() - start) / Frames;
}

Result MeasureLayer(int backend) {
    Result result;
    glimmet::SelectBackend(backend);
    if (!glimmet::OpenDisplay(Width, Height, 0, 60, "bench")) return result;
    if (glimmet::DisplayBackend() != backend) {
        glimmet::CloseDisplay();
        return result;
    }
    glimmet::SetCentreHandles(true);
    int image = glimmet::ImageFromPixmap(SpritePicture(), glimmet::ImageMasked | glimmet::ImageFiltered);
    glimmet::ResetPen();
    glimmet::SetAlpha(0.5f);
    LayerFrameMs(image, 200); // warm-up: textures made, caches filled
    result.fixedMs = std::min({LayerFrameMs(image, 0), LayerFrameMs(image, 0), LayerFrameMs(image, 0)});
    double full =
        std::min({LayerFrameMs(image, Sprites), LayerFrameMs(image, Sprites), LayerFrameMs(image, Sprites)});
    result.perSpriteUs = (full - result.fixedMs) * 1000.0 / Sprites;
    result.ok = true;
    glimmet::CloseDisplay();
    return result;
}

struct Bare {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* frame = nullptr;
    SDL_Texture* sprite = nullptr;
};

double BareFrameMs(Bare& bare, int count) {
    Scatter scatter;
    double start = NowMs();
    for (int f = 0; f < Frames; f++) {
        SDL_SetRenderTarget(bare.renderer, bare.frame);
        SDL_SetRenderDrawColor(bare.renderer, 0, 0, 0, 255);
        SDL_RenderClear(bare.renderer);
        for (int i = 0; i < count; i++) {
            int x = scatter.Next(Width), y = scatter.Next(Height), angle = scatter.Next(360);
            SDL_FRect dst{static_cast<float>(x) - 16, static_cast<float>(y) - 16, 32, 32};
            SDL_RenderCopyExF(bare.renderer, bare.sprite, nullptr, &dst, angle, nullptr, SDL_FLIP_NONE);
        }
        SDL_SetRenderTarget(bare.renderer, nullptr);
        SDL_RenderCopy(bare.renderer, bare.frame, nullptr, nullptr);
        SDL_RenderPresent(bare.renderer);
    }
    SDL_SetRenderTarget(bare.renderer, bare.frame);
    Uint32 pixel;
    SDL_Rect one{0, 0, 1, 1};
    SDL_RenderReadPixels(bare.renderer, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
    return (NowMs() - start) / Frames;
}

Result MeasureBare(const char* driver) {
    Result result;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return result;
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, driver);
    Bare bare;
    Uint32 flags = std::string(driver) == "software" ? 0 : SDL_WINDOW_OPENGL;
    bare.window = SDL_CreateWindow("bench", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, Width, Height,
                                   flags | SDL_WINDOW_SHOWN);
    if (bare.window != nullptr)
        bare.renderer = SDL_CreateRenderer(bare.window, -1, SDL_RENDERER_TARGETTEXTURE);
    if (bare.renderer != nullptr) {
        bare.frame = SDL_CreateTexture(bare.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                       Width, Height);
        bare.sprite =
            SDL_CreateTexture(bare.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 32, 32);
    }
    if (bare.frame != nullptr && bare.sprite != nullptr) {
        glimmet::Pixmap picture = SpritePicture();
        for (uint32_t& p : picture.pixels)
            if ((p & 0xFFFFFF) == 0) p = 0;
        SDL_UpdateTexture(bare.sprite, nullptr, picture.pixels.data(), 32 * 4);
        SDL_SetTextureBlendMode(bare.sprite, SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(bare.sprite, SDL_ScaleModeLinear);
        SDL_SetTextureAlphaMod(bare.sprite, 128);
        BareFrameMs(bare, 200);
        result.fixedMs = std::min({BareFrameMs(bare, 0), BareFrameMs(bare, 0), BareFrameMs(bare, 0)});
        double full =
            std::min({BareFrameMs(bare, Sprites), BareFrameMs(bare, Sprites), BareFrameMs(bare, Sprites)});
        result.perSpriteUs = (full - result.fixedMs) * 1000.0 / Sprites;
        result.ok = true;
    }
    if (bare.sprite != nullptr) SDL_DestroyTexture(bare.sprite);
    if (bare.frame != nullptr) SDL_DestroyTexture(bare.frame);
    if (bare.renderer != nullptr) SDL_DestroyRenderer(bare.renderer);
    if (bare.window != nullptr) SDL_DestroyWindow(bare.window);
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, nullptr);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return result;
}

void Print(const char* what, const Result& r) {
    if (!r.ok) {
        std::printf("  %-24s not available here\n", what);
        return;
    }
    double perSprite = r.perSpriteUs > 0.001 ? r.perSpriteUs : 0.001;
    double fit = (FrameMs - r.fixedMs) * 1000.0 / perSprite;
    std::printf("  %-24s %7.0f sprites a frame  (%.2f us a sprite, %.2f ms a frame fixed)\n", what,
                fit > 0 ? fit : 0, r.perSpriteUs, r.fixedMs);
}

void RunOn(const char* title, int backend, const char* driver) {
    std::printf("%s\n", title);
    Print("display layer", MeasureLayer(backend));
    Print("bare SDL_RenderCopyEx", MeasureBare(driver));
}

} // namespace

int main() {
    std::printf("Rotated 32 x 32 sprites, alpha 0.5, into an %d x %d frame, at 60 frames per second:\n",
                Width, Height);
    const char* x = std::getenv("DISPLAY");
    if (x != nullptr && *x != '\0') {
        unsetenv("SDL_VIDEODRIVER");
        std::string title = std::string("opengl on X display ") + x;
        RunOn(title.c_str(), 0, "opengl");
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    RunOn("software renderer (dummy video)", 2, "software");
    return 0;
}
