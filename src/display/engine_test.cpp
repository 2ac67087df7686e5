#include "display/engine_test.h"

#include <algorithm>
#include <string>

#include "app/debug_log.h"
#include "base/random.h"
#include "base/state.h"
#include "display/assets.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/image.h"

namespace glimmet {

int TargetFps = 60;

namespace {

void DrawLogos(float leftX, float leftY, float rightX, float rightY) {
    SetScl(1.5f);
    DrawImage(FrameworkLogo, leftX, leftY, 0);
    DrawImage(SiteLogo, rightX, rightY, 0);
    SetScl(1);
}

void StartTestFrame() {
    BeginFrame(1);
    ResetDraw();
    DrawBackdrop();
}

// The logos glide in from the left and right edges over 30 frames.
void Intro() {
    const float w = static_cast<float>(ScreenW), h = static_cast<float>(ScreenH);
    for (int k = 500; k <= 15000; k += 500) {
        StartTestFrame();
        float slide = std::clamp(static_cast<float>(k) / 500.0f / 15.0f - 1.0f, -1.0f, 1.0f);
        DrawLogos(0.3f * w * slide, 0.3f * h, w - 0.3f * w * slide, h - 0.3f * h);
        ShowFrame(0);
    }
}

// Ten frames of count invisible sprites each; the sprites cost what visible ones cost.
void MeasureBatch(int count, int spriteScale) {
    const float w = static_cast<float>(ScreenW), h = static_cast<float>(ScreenH);
    for (int frame = 0; frame < 10; frame++) {
        StartTestFrame();
        DrawLogos(0.3f * w, 0.3f * h, 0.7f * w, 0.7f * h);
        for (int i = 0; i <= count; i++) {
            int angle = RandInt(1, 360);
            SetRot(static_cast<float>(angle));
            SetCol(0, 0, 0, 0);
            SetScl(static_cast<float>(spriteScale));
            int x = RandInt(1, ScreenW);
            int y = RandInt(1, ScreenH);
            DrawImage(Icons, static_cast<float>(x), static_cast<float>(y), 0);
        }
        ShowFrame(0);
    }
}

void LogResults(int targetFps) {
    LogLine("");
    LogLine("Engine Test Results");
    LogLine("");
    LogLine("\tMaximum Sprites Allowed for " + std::to_string(targetFps) + " Frames Per Second");
    LogLine("\tMain sprites : " + std::to_string(DrawLimit[1]));
    LogLine("\tGlowy Sprites : " + std::to_string(DrawLimit[2]));
    LogLine("\tParticles : " + std::to_string(DrawLimit[3]));
    LogLine("");
}

} // namespace

void EngineTest(int targetFps, int spriteScale) {
    PresentFrame(true);
    SleepMs(250);
    OverlayOn = 0;
    if (Setting[SettingFrameskip] == 1) targetFps = 30;
    TargetFps = targetFps;
    DrawLimit[1] = 500;
    DrawLimit[2] = 500;
    DrawLimit[3] = 250;
    int best = 0;
    LogLine("Starting Engine Test");
    LogLine("Aiming for " + std::to_string(targetFps) + "," + std::to_string(spriteScale));
    Intro();
    // The first batch only warms up. A batch passes while the rate holds within 6 of the target.
    for (int k = 500; k <= 20000; k += 500) {
        MeasureBatch(k, spriteScale);
        if (k > 500 && Fps >= targetFps - 6) best = k;
        if (k > 500 && Fps <= targetFps - 6) break;
    }
    LogLine("Test Complete");
    DrawLimit[1] = static_cast<int>(best * 0.9);
    DrawLimit[2] = 500;
    DrawLimit[3] = 500;
    LogResults(targetFps);
    if (DrawLimit[1] < 1000) {
        DrawLimit[1] = 1000;
        TargetFps = 30;
        Setting[SettingFrameskip] = 1;
    }
    DrawLimit[2] = std::max(DrawLimit[2], 500);
    DrawLimit[3] = std::max(DrawLimit[3], 250);
    if (TargetFps == 30) LogLine("Settings Overwritten, Set to Default Lower Limits at 30fps.");
    LogLine("");
    OverlayOn = 0;
}

} // namespace glimmet
