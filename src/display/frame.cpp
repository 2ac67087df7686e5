#include "display/frame.h"

#include <algorithm>
#include <string>

#include "app/setup_file.h"
#include "app/shutdown.h"
#include "audio/music.h"
#include "base/state.h"
#include "display/assets.h"
#include "display/messages.h"
#include "display/pause_menu.h"
#include "display/screenshot.h"
#include "display/toolkit.h"
#include "game/score_popups.h"
#include "input/settings_panel.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/font.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "platform/memory.h"

namespace glimmet {

int OverlayOn = 1;
int SettingsOpen = 0;
int LastFrameTime = 0;
int FrameTime = 0;
int Fps = 0;
int CollectCount = 0;
std::array<float, 2> AfterWaitWork{};

void InitializeFrame() {
    OverlayOn = 1;
    SettingsOpen = 0;
    LastFrameTime = Millis();
    FrameTime = 0;
    Fps = 0;
    AfterWaitWork = {0, 0};
}

float PacingMargin(bool presents) {
    return std::clamp(AfterWaitWork[presents ? 1 : 0], MinPacingMargin, MaxPacingMargin);
}

void NoteAfterWaitWork(bool presented, int ms) {
    float& work = AfterWaitWork[presented ? 1 : 0];
    work += (static_cast<float>(ms) - work) / 4;
}

namespace {

std::string Budget(int slot) {
    return std::to_string(DrawCount[static_cast<size_t>(slot)]) + "/" +
           std::to_string(DrawLimit[static_cast<size_t>(slot)]);
}

void DrawOverlay() {
    SetFont(NamedFont[1]);
    DrawTxt(2, 2, std::to_string(Fps), 0, 0);
    SetFont(NamedFont[2]);
    DrawTxt(2, 40, "Collection : " + std::to_string(CollectCount), 0, 0);
    DrawTxt(2, 60, "Used Memory : " + std::to_string(HeapBytesInUse()), 0, 0);
    DrawTxt(2, 80, "Drawn Images : " + Budget(1), 0, 0);
    DrawTxt(2, 100, "Drawn Glow : " + Budget(2), 0, 0);
    DrawTxt(2, 120, "Drawn Particles : " + Budget(3), 0, 0);
    DrawTxt(2, 150, "Hit F12 to remove this", 0, 0);
    SetScl(1.5f);
}

// The pause menu runs inside the frame step; the time spent there is not play time.
int RunPauseMenu() {
    PlayState = 2;
    int opened = Millis();
    int result = PauseMenu();
    PlayState = 1;
    GameStartTime += Millis() - opened;
    return result;
}

// Sleeps in 1 ms steps until 1/60 s after the end of the previous frame, less the margin for the work
// that follows the wait; returns the clock when it woke.
int WaitForNextFrame(float margin) {
    int now;
    do {
        SleepMs(1);
        now = Millis();
    } while (now < LastFrameTime - margin + 1000.0 / 60);
    return now;
}

} // namespace

bool QuitRequested() {
    return (KeyDown(KeyF4) && (KeyDown(KeyLeftAlt) || KeyDown(KeyRightAlt))) || CloseRequested();
}

int NextFps(int fps, int frameTime) {
    return (1000 / (frameTime > 0 ? frameTime : 1) + 2 * fps) / 3;
}

int ShowFrame(int showCursor) {
    DrawOres();
    if (KeyHit(KeyTab) > 0) {
        SettingsOpen = 1 - SettingsOpen;
        SaveSetup();
    }
    if (SkipDraw == 1) CollectCount = CollectMemory();
    bool presented = SkipDraw == 0 || Setting[SettingFrameskip] == 0;
    int result = 0;
    if (presented) {
        if (KeyHit(KeyF11) > 0) TakeScreenshot();
        if (KeyDown(KeyEscape) && PlayState == 1) result = RunPauseMenu();
    }
    SettingsPanel();
    ResetDraw();
    SetScl(1.5f);
    SetFont(NamedFont[1]);
    if (KeyHit(KeyF12) > 0) OverlayOn = 1 - OverlayOn;
    if (OverlayOn == 1) DrawOverlay();
    if (showCursor == 1 || SettingsOpen == 1) DrawImage(IconsSmooth, MouseX() + 12, MouseY() + 12, 63);
    MouseXPos = static_cast<int>(MouseX());
    MouseYPos = static_cast<int>(MouseY());
    FlushDrawing();
    int woke = WaitForNextFrame(PacingMargin(presented));
    MusicStep();
    DrawMessages();
    if (presented) PresentFrame(false);
    int now = Millis();
    NoteAfterWaitWork(presented, now - woke);
    FrameTime = now - LastFrameTime;
    Fps = NextFps(Fps, FrameTime);
    LastFrameTime = now;
    SkipDraw = 1 - SkipDraw;
    if (QuitRequested()) CloseProgram();
    return result;
}

} // namespace glimmet
