#include "platform/display.h"

#include <cstdio>

#include "platform/area.h"
#include "platform/draw_log.h"
#include "platform/input.h"
#include "platform/render_state.h"
#include "platform/sanitizer.h"

namespace glimmet {

RenderState Render;

const char* const BackendDrivers[3] = {"opengl", "opengles2", "software"};

namespace {

int WantedBackend = -1;
bool VideoHeld = false; // this module holds a reference on SDL's video subsystem

// Without a window system (DISPLAY unset, or pointing at no running server) SDL falls back to its
// offscreen driver, which "opens" windows that nobody sees. That driver and the dummy one are a
// display only when SDL_VIDEODRIVER asks for them, as the tests and benchmarks do.
bool WindowlessDriverUnasked() {
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (driver == nullptr || (asked != nullptr && *asked != '\0')) return false;
    return std::string(driver) == "offscreen" || std::string(driver) == "dummy";
}

bool StartVideo() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    if (!WindowlessDriverUnasked()) return true;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_SetError("no window system answers (DISPLAY or WAYLAND_DISPLAY is unset or points nowhere)");
    return false;
}

std::string Latin1ToUtf8(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

int DriverIndex(const char* name) {
    int count = SDL_GetNumRenderDrivers();
    for (int i = 0; i < count; i++) {
        SDL_RendererInfo info;
        if (SDL_GetRenderDriverInfo(i, &info) == 0 && std::string(info.name) == name) return i;
    }
    return -1;
}

// The fullscreen mode closest to what was asked, with the asked depth when there is one.
bool PickFullscreenMode(int width, int height, int depth, int refresh, SDL_DisplayMode& chosen) {
    int count = SDL_GetNumDisplayModes(0);
    bool found = false;
    for (int i = 0; i < count; i++) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0 || mode.w != width || mode.h != height) continue;
        if (static_cast<int>(SDL_BYTESPERPIXEL(mode.format)) * 8 != depth) continue;
        if (!found || mode.refresh_rate == refresh) chosen = mode;
        found = true;
    }
    return found;
}

void DestroyDisplayObjects() {
    if (Render.fills != nullptr) SDL_DestroyTexture(Render.fills);
    if (Render.frame != nullptr) SDL_DestroyTexture(Render.frame);
    if (Render.renderer != nullptr) SDL_DestroyRenderer(Render.renderer);
    if (Render.window != nullptr) SDL_DestroyWindow(Render.window);
    Render = RenderState{};
}

// One attempt: a fresh window, a renderer of the given driver index (-1 = SDL's choice) and the frame
// target. A failed attempt leaves nothing behind, so the next one starts clean.
bool TryOpen(int driverIndex, bool wantsGl, int width, int height, int depth, int refresh,
             const std::string& title) {
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (wantsGl) flags |= SDL_WINDOW_OPENGL;
    if (depth != 0) flags |= SDL_WINDOW_FULLSCREEN;
    Render.window = SDL_CreateWindow(Latin1ToUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED,
                                     SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (Render.window == nullptr) return false;
    // The program may have hidden the pointer before the video system was up.
    SDL_ShowCursor(PointerShown() ? SDL_ENABLE : SDL_DISABLE);
    if (depth != 0) {
        SDL_DisplayMode mode;
        if (PickFullscreenMode(width, height, depth, refresh, mode))
            SDL_SetWindowDisplayMode(Render.window, &mode);
    }
    Render.renderer = SDL_CreateRenderer(Render.window, driverIndex, SDL_RENDERER_TARGETTEXTURE);
    if (Render.renderer == nullptr) {
        DestroyDisplayObjects();
        return false;
    }
    Render.frame =
        SDL_CreateTexture(Render.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
    if (Render.frame == nullptr || SDL_SetRenderTarget(Render.renderer, Render.frame) != 0) {
        DestroyDisplayObjects();
        return false;
    }
    SDL_SetTextureBlendMode(Render.frame, SDL_BLENDMODE_NONE);
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(Render.renderer, &info) == 0) Render.rendererName = info.name;
    Render.frameW = width;
    Render.frameH = height;
    SDL_SetRenderDrawColor(Render.renderer, 0, 0, 0, 255);
    SDL_RenderClear(Render.renderer);
    return true;
}

// The back-ends to try for a wanted kind: that one, then the others in order, wrapping around.
bool OpenWithFallback(int width, int height, int depth, int refresh, const std::string& title) {
    int first = WantedBackend;
    if (first < 0 || first > 2) {
        if (TryOpen(-1, false, width, height, depth, refresh, title)) {
            for (int kind = 0; kind < 3; kind++)
                if (Render.rendererName == BackendDrivers[kind]) Render.backend = kind;
            return true;
        }
        first = 0;
    }
    for (int step = 0; step < 3; step++) {
        int kind = (first + step) % 3;
        int index = DriverIndex(BackendDrivers[kind]);
        if (index < 0) continue;
        if (TryOpen(index, kind != 2, width, height, depth, refresh, title)) {
            Render.backend = kind;
            return true;
        }
    }
    return false;
}

} // namespace

SDL_Renderer* ActiveRenderer() {
    return RasterisingSkipped() ? nullptr : Render.renderer;
}

std::vector<DisplayMode> ListDisplayModes() {
    std::vector<DisplayMode> modes;
    if (!StartVideo()) return modes;
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; i++) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
        modes.push_back(DisplayMode{mode.w, mode.h, static_cast<int>(SDL_BYTESPERPIXEL(mode.format)) * 8,
                                    mode.refresh_rate});
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return modes;
}

bool FullscreenModeExists(int width, int height, int depth) {
    for (const DisplayMode& mode : ListDisplayModes())
        if (mode.width == width && mode.height == height && mode.depth == depth) return true;
    return false;
}

void SelectBackend(int kind) {
    WantedBackend = kind;
}

bool OpenDisplay(int width, int height, int depth, int refresh, const std::string& title) {
    CloseDisplay();
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "Cannot open a display of %d x %d pixels.\n", width, height);
        return false;
    }
    if (!StartVideo()) {
        std::fprintf(stderr, "No display available: %s\n", SDL_GetError());
        return false;
    }
    VideoHeld = true;
    // Asking for a particular render driver switches SDL's batching off unless this says otherwise.
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    if (!OpenWithFallback(width, height, depth, refresh, title)) {
        std::fprintf(stderr, "No display available: no renderer could be created (%s)\n", SDL_GetError());
        CloseDisplay();
        return false;
    }
    KeepLoadedLibraries(); // the GL driver, for the leak check at exit
    SetDrawingArea(width, height, width, height);
    return true;
}

void CloseDisplay() {
    FreeAllImages();
    FreeAllFonts();
    DestroyDisplayObjects();
    if (VideoHeld) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    VideoHeld = false;
}

bool DisplayIsOpen() {
    return Render.renderer != nullptr;
}
int DisplayBackend() {
    return Render.backend;
}
std::string DisplayRendererName() {
    return Render.rendererName;
}

std::string VideoDriverName() {
    const char* name = Render.window != nullptr ? SDL_GetCurrentVideoDriver() : nullptr;
    return name != nullptr ? name : "";
}

void SetWindowTitle(const std::string& title) {
    if (Render.window != nullptr) SDL_SetWindowTitle(Render.window, Latin1ToUtf8(title).c_str());
}

void SetVirtualResolution(int width, int height) {
    if (width <= 0 || height <= 0) return;
    int displayW = Render.frameW > 0 ? Render.frameW : width;
    int displayH = Render.frameH > 0 ? Render.frameH : height;
    SetDrawingArea(width, height, displayW, displayH);
}

void FlushDrawing() {
    SDL_Renderer* renderer = ActiveRenderer();
    if (renderer == nullptr) return;
    SDL_RenderFlush(renderer);
    // An OpenGL renderer still holds the commands; glFlush starts them without waiting for them.
    if (Render.backend == 0 || Render.backend == 1) {
        using FlushFunction = void (*)();
        auto glFlush = reinterpret_cast<FlushFunction>(SDL_GL_GetProcAddress("glFlush"));
        if (glFlush != nullptr) glFlush();
    }
}

void PresentFrame(bool vsync) {
    CountPresent();
    ChargePresent();
    SDL_Renderer* renderer = ActiveRenderer();
    if (renderer == nullptr) return;
    if (vsync != Render.vsync) {
        SDL_RenderSetVSync(renderer, vsync ? 1 : 0); // not every renderer can wait; then it just flips
        Render.vsync = vsync;
    }
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_RenderCopy(renderer, Render.frame, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    SDL_SetRenderTarget(renderer, Render.frame);
}

Pixmap GrabScreen(int x, int y, int width, int height) {
    Pixmap grab = CreatePixmap(width, height);
    if (Render.renderer == nullptr || PixmapEmpty(grab)) return grab;
    SDL_Rect wanted{x, y, width, height};
    SDL_Rect whole{0, 0, Render.frameW, Render.frameH};
    SDL_Rect part;
    if (!SDL_IntersectRect(&wanted, &whole, &part)) return grab;
    std::vector<uint32_t> rows(static_cast<size_t>(part.w) * static_cast<size_t>(part.h));
    if (SDL_RenderReadPixels(Render.renderer, &part, SDL_PIXELFORMAT_ARGB8888, rows.data(), part.w * 4) != 0)
        return grab;
    for (int row = 0; row < part.h; row++)
        for (int col = 0; col < part.w; col++)
            WritePixel(
                grab, part.x - x + col, part.y - y + row,
                rows[static_cast<size_t>(row) * static_cast<size_t>(part.w) + static_cast<size_t>(col)]);
    return grab;
}

} // namespace glimmet
