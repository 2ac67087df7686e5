#include "scores/name_entry.h"

#include "base/random.h"
#include "display/assets.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "scores/score_file.h"

namespace glimmet {

std::string EditLine(const std::string& text) {
    std::string edited = text;
    int typed = TypedChar();
    if (typed >= 32) edited += static_cast<char>(typed);
    if (KeyHit(KeyBackspace) > 0 && !edited.empty()) edited.pop_back();
    return edited;
}

namespace {

bool ConfirmHeld() {
    return KeyDown(KeyEscape) || KeyDown(KeyReturn) || MouseDown(1);
}

// Waits without drawing until Escape, Return and mouse button 1 are all up.
void WaitForConfirmRelease() {
    while (ConfirmHeld()) SleepMs(5);
}

void DrawNameFrame() {
    const int W = ScreenW, H = ScreenH;
    SetCol(0, 255, 0);
    SetFont(NamedFont[6]);
    DrawTxt(W / 2, H / 2 - 100, "Enter Your Name", 1, 1);
    SetFont(NamedFont[5]);
    // Centred on the name alone, so the blinking cursor does not move it.
    std::string cursor = Millis() % 600 < 300 ? "_" : " ";
    DrawTxt(W / 2 - TextWidth(PlayerName) / 2, H / 2, PlayerName + cursor, 0, 1);
}

} // namespace

void EnterName() {
    FlushKeys();
    WaitForConfirmRelease();
    bool confirmed = false;
    while (!confirmed) {
        BeginFrame(1);
        DrawBackdrop();
        PlayerName = EditLine(PlayerName);
        DrawNameFrame();
        confirmed = KeyHit(KeyReturn) > 0 || MouseDown(1) || KeyDown(KeyEscape);
        ShowFrame(1);
    }
    SeedRandom(Millis());
    WaitForConfirmRelease();
}

} // namespace glimmet
