#include "support/screen.h"

#include "app/debug_log.h"
#include "app/program.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "platform/area.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/draw_log.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/input_script.h"
#include "platform/keys.h"
#include "scores/scramble.h"

namespace glimmet::test {

ScreenRun::ScreenRun() {
    MakeFolder("Files/Common");
    MakeFolder("Files/291");
    GameTitle = BuildGameTitle();
    CreateTables();
    BuildDefaultKey();
    ResetInput();
    ClearScript();
    SkipRasterising(true);
    SetImageDrawCost(0);
    SetPresentCost(0);
    ChangeDir("Files");
    FilesFolder = CurrentDir();
    OpenLog();
    ChangeDir("291");
}

ScreenRun::~ScreenRun() {
    CloseDisplay();
    CloseAudio();
    CloseLog();
    FilesFolder.clear();
    ResetInput();
    ClearScript();
    RecordDraws(false);
    SkipRasterising(false);
    SetImageDrawCost(0);
    SetPresentCost(0);
}

void ScreenRun::OpenScreen() {
    SetImageDrawCost(0.05); // 1000 sprites cost 50 ms: the engine test stops after two batches
    ApplyGraphics();
    SetImageDrawCost(0);
    SetPresentCost(0);
    Setting[SettingFrameskip] = 0; // the costly engine test switched frameskip on: screens start without it
    SkipDraw = 0;
    StartFrames();
}

void ScreenRun::StartFrames() {
    LastFrameTime = Millis();
    MarkFrame();
}

namespace {
long Mark = 0;
}

void MarkFrame() {
    Mark = PresentCount();
}
long FrameMark() {
    return Mark;
}
long FramesSinceMark() {
    return PresentCount() - Mark;
}

void Tap(int code, long frame) {
    PressKey(code, AtFrame(Mark + frame));
    ReleaseKey(code, AtTime(Millis() + static_cast<int>(frame + 2) * 15));
}

void Hold(int code, long from, long to) {
    PressKey(code, AtFrame(Mark + from));
    ReleaseKey(code, AtFrame(Mark + to));
}

int RunProgramToEnd() {
    PressKey(KeyEscape, AtOnce());
    int code = UntilProcessEnd(RunProgram);
    ResetInput();
    ClearScript();
    return code;
}

std::vector<std::string> ScreenRun::Log() const {
    return *ReadTextLines(dir.path() + "/Files/Debug.txt");
}

} // namespace glimmet::test
