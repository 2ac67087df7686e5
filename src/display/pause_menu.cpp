#include "display/pause_menu.h"

#include <cmath>

#include "base/random.h"
#include "base/state.h"
#include "display/assets.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "input/controls.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/draw.h"
#include "platform/font.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/keys.h"

namespace glimmet {

namespace {

bool AnyPlayerHolds(int control) {
    for (int player = 1; player <= 4; player++)
        if (ControlDown(control, player)) return true;
    return false;
}

bool MenuUp() {
    return AnyPlayerHolds(PadUp) || KeyDown(KeyArrowUp);
}
bool MenuDown() {
    return AnyPlayerHolds(PadDown) || KeyDown(KeyArrowDown);
}
bool MenuChoose() {
    return AnyPlayerHolds(ButtonLower) || AnyPlayerHolds(ButtonRight) || KeyDown(KeySpace);
}

void WaitForEscapeRelease() {
    while (KeyDown(KeyEscape)) SleepMs(1);
}

double SinDegrees(double degrees) {
    return std::sin(degrees * 3.14159265358979323846 / 180.0);
}

void SetWobble(double phase) {
    SetScl(static_cast<float>(0.5 * SinDegrees(phase) + 1.5),
           static_cast<float>(0.5 * SinDegrees(1.3 * phase) + 1.5));
}

// Faint copies of the window title, each turned a little more than the last.
void DrawShower(int first, int last, double angle) {
    for (int i = first; i <= last; i++) {
        SetRot(static_cast<float>(angle + 2 * i));
        int red = RandInt(1, 5);
        int green = RandInt(1, 5);
        int blue = RandInt(1, 5);
        SetCol(static_cast<float>(red * 50), static_cast<float>(green * 50), static_cast<float>(blue * 50),
               0.4f);
        int x = RandInt(0, ScreenW);
        int y = RandInt(0, ScreenH);
        DrawTxt(x, y, GameTitle, 1, 1);
    }
}

} // namespace

int PauseMenu() {
    WaitForEscapeRelease();
    int snapshot = ImageFromPixmap(GrabScreen(0, 0, DisplayW, DisplayH), 0);
    double angle = 0, phase = 0;
    int selected = 0, latch = 1, result = 0;
    while (result == 0) {
        BeginFrame(1);
        ResetDraw();
        SetBlendKind(1);
        phase += 0.4;
        SetWobble(phase);
        angle += 0.1;
        SetRot(static_cast<float>(angle));
        SetFont(NamedFont[7]);
        DrawImage(snapshot, static_cast<float>(ScreenW / 2), static_cast<float>(ScreenH / 2), 0);
        SeedRandom(37171650); // the same shower every frame
        DrawShower(1, 140, angle);
        SetRot(0);
        SetScl(1);
        SetCol(0, 0, 0, 0.5f);
        DrawRect(static_cast<float>(0.1 * ScreenW), static_cast<float>(0.375 * ScreenH),
                 static_cast<float>(ScreenW / 6), static_cast<float>(ScreenH / 4));
        bool up = MenuUp(), down = MenuDown(), choose = MenuChoose();
        if (up && latch == 0) selected -= 1, latch = 1;
        if (down && latch == 0) selected += 1, latch = 1;
        if (!up && !down && !choose) latch = 0;
        int y = static_cast<int>(0.375 * ScreenH);
        SetFont(NamedFont[7]);
        if (selected < 0) selected = 1;
        const char* const items[2] = {"Continue", "Quit"};
        const int results[2] = {1, 99};
        for (int item = 0; item < 2; item++) {
            y += 60;
            int indent = 0;
            SetCol(255, 255, 255, 1);
            if (selected == item) {
                SetCol(255, 255, 0, 1);
                indent = 20;
                if (choose && latch == 0) latch = 1, result = results[item];
            }
            DrawTxt(static_cast<int>(0.1 * ScreenW + indent + 10), y, items[item], 0, 0);
        }
        if (selected > 1) selected = 0;
        SetWobble(phase);
        DrawShower(141, 180, angle);
        ShowFrame(1);
        if (KeyDown(KeyEscape)) result = selected == 1 ? 99 : 1;
    }
    FreeImage(snapshot);
    SeedRandom(Millis());
    WaitForEscapeRelease();
    return result;
}

} // namespace glimmet
