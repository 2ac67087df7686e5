#pragma once
// A run folder (Files/, Files/Common/, Files/291/) in a temporary folder, every subsystem's state at
// its start values, the log open, the game folder current, and clean input and drawing test state: the
// ground every screen test stands on. OpenScreen() runs the display opening as the program does and
// starts the pacing and the frame count of the scripted keys from there.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace glimmet::test {

class ScreenRun {
  public:
    ScreenRun();
    ~ScreenRun();

    // ApplyGraphics with drawing made expensive, so the engine test ends after its second batch; then
    // frameskip off again, the pacing reset and the frame mark set.
    void OpenScreen();
    void StartFrames();                   // the pacing starts from now and the frame mark is set
    std::vector<std::string> Log() const; // Debug.txt as lines
    std::string FilesPath() const { return dir.path() + "/Files"; }

    TempDir dir;
};

// A test on an open screen: the run folder and the display opened as the program does.
class ScreenTest : public testing::Test {
  protected:
    void SetUp() override { run.OpenScreen(); }
    ScreenRun run;
};

// Scripted keys by frame. Frames count from the mark (the present count when it was set).
void MarkFrame();
long FrameMark();
long FramesSinceMark();
// Pressed once frame `frame` is presented and released about two frames (15 ms each) later. The
// release goes by the clock, so loops that wait for a release without presenting see it too. Leave a
// few frames between taps, so that every input is up before the next press.
void Tap(int code, long frame);
// Held from frame `from` to frame `to` (both counted from the mark).
void Hold(int code, long from, long to);

// Runs the whole program in the current folder with Escape held from the start, so it leaves the title
// screen on its first frame and the farewell screen after its release wait; returns the exit code.
int RunProgramToEnd();

// Runs fn until the program would end; returns the exit code, or -1 when fn returned normally.
template <typename Fn> int UntilProcessEnd(Fn fn);

} // namespace glimmet::test

#include "platform/process.h"

template <typename Fn> int glimmet::test::UntilProcessEnd(Fn fn) {
    try {
        fn();
    } catch (const ProcessEnded& end) {
        return end.code;
    }
    return -1;
}
