#pragma once
// A run folder (Files/, Files/Common/, Files/291/) in a temporary folder, the program's tables at their
// start values, the log open, the game folder current, and clean input and drawing test state: the
// ground every screen test stands on. OpenScreen() runs the display opening as the program does.

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace glimmet::test {

class ScreenRun {
  public:
    ScreenRun();
    ~ScreenRun();

    // ApplyGraphics with drawing made expensive, so the engine test ends after its second batch; then
    // frameskip off again.
    void OpenScreen();
    std::vector<std::string> Log() const; // Debug.txt as lines
    std::string FilesPath() const { return dir.path() + "/Files"; }

    TempDir dir;
};

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
