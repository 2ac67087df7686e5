#include "app/shutdown.h"

#include "app/debug_log.h"
#include "app/setup_file.h"
#include "base/state.h"
#include "display/assets.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "input/controls.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/draw.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/process.h"
#include "scores/score_file.h"

namespace glimmet {

namespace {

struct FarewellLine {
    int dy; // below the middle of the screen
    int r, g, b;
    const char* text;
};

constexpr FarewellLine FarewellLines[] = {
    {40, 255, 255, 180, "Why not take the next few minutes to hop back to the site"},
    {80, 255, 255, 180, "where you found this game, and leave a comment."},
    {130, 255, 255, 180, "Good or bad, every little helps."},
    {180, 255, 210, 180, "There are so many wonderful homebrew communities"},
    {220, 255, 210, 180, "and developers out there, who bring you hundreds"},
    {260, 255, 210, 180, "of free games, every month."},
    {320, 255, 255, 180, "Give a little back."},
    {380, 180, 255, 255, "Feedback is King"},
};

void DrawFarewell() {
    ClearScreen();
    BeginFrame(1);
    DrawBackdrop();
    ResetDraw();
    DrawImage(FrameworkLogo, 256, 256, 0);
    DrawImage(SiteLogo, static_cast<float>(ScreenW - 256), 256, 0);
    UseFont(1, 6);
    SetCol(180, 255, 255, 1);
    DrawTxt(ScreenW / 2, ScreenH / 2, "Thanks for Playing", 1, 1);
    UseFont(2, 5);
    for (const FarewellLine& line : FarewellLines) {
        SetCol(static_cast<float>(line.r), static_cast<float>(line.g), static_cast<float>(line.b), 1);
        DrawTxt(40, ScreenH / 2 + line.dy, line.text, 0, 0);
    }
    FlushDrawing();
    PresentFrame(false);
}

bool FarewellInputPressed() {
    return ScanInput() > 0 || MouseDown(1) || MouseDown(2) || QuitRequested();
}

// First up to about 1.9 s for the input that brought us here to be released, then until a new press.
// The press wait sleeps a little between polls to leave the processor to others.
void WaitForFarewellInput() {
    for (int pass = 1; pass <= 120; pass++) {
        bool pressed = FarewellInputPressed();
        SleepMs(16);
        if (!pressed) break;
    }
    while (!FarewellInputPressed()) SleepMs(5);
}

} // namespace

void CloseProgram() {
    RemoveCrashMarker(); // a quit while the display opens is not a crash
    ShowPointer(true);
    SaveSetup();
    SaveScores();
    LogLine("Closing Up");
    LogLine("");
    LogLine("Bye!");
    LogLine("");
    LogLine("Play again, soon!!");
    if (DisplayIsOpen()) {
        DrawFarewell();
        WaitForFarewellInput();
    }
    CloseDisplay();
    CloseAudio();
    CloseLog();
    EndProcess(0);
}

} // namespace glimmet
