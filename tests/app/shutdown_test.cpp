// The way out: files written and the last log lines, then the farewell screen with its release wait
// and its press wait, on the virtual clock.
#include "app/shutdown.h"

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/draw_log.h"
#include "platform/files.h"
#include "platform/input_script.h"
#include "platform/keys.h"
#include "support/screen.h"

namespace glimmet {
namespace {

using namespace test;

class Farewell : public ScreenTest {
  protected:
    // Runs the shutdown with the script already queued; returns how long it took on the clock.
    int CloseAndTime() {
        int start = Millis();
        EXPECT_EQ(UntilProcessEnd(CloseProgram), 0);
        return Millis() - start;
    }
};

TEST_F(Farewell, WritesEverythingAndShowsTheScreenUntilAKeyAfterAQuickRelease) {
    int start = Millis();
    PressKey(KeyEscape, AtOnce()); // the Escape that left the title screen
    ReleaseKey(KeyEscape, AtTime(start + 500));
    PressKey(KeySpace, AtTime(start + 6000));
    RecordDraws(true);
    int took = CloseAndTime();
    EXPECT_GE(took, 6000);
    EXPECT_LT(took, 6100);
    EXPECT_TRUE(TextDrawn("Thanks for Playing"));
    EXPECT_TRUE(TextDrawn("Feedback is King"));
    EXPECT_TRUE(FileExists(run.FilesPath() + "/Setup.ini"));
    EXPECT_TRUE(FileExists(run.FilesPath() + "/291/nuscores.dat"));
    EXPECT_EQ(run.Log().back(), "Play again, soon!!");
}

TEST_F(Farewell, EscapeHeldOnEndsAfterTheReleaseWait) {
    PressKey(KeyEscape, AtOnce());
    int took = CloseAndTime();
    EXPECT_GE(took, 1900);
    EXPECT_LT(took, 2100);
}

TEST_F(Farewell, ScreenshotAndOverlayKeysDoNotEndItButAWindowCloseDoes) {
    int start = Millis();
    PressKey(KeyF11, AtTime(start + 100));
    PressKey(KeyF12, AtTime(start + 100));
    RequestClose(AtTime(start + 8000));
    int took = CloseAndTime();
    EXPECT_GE(took, 8000);
    EXPECT_LT(took, 8100);
}

} // namespace
} // namespace glimmet
