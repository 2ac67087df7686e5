// The test program's main: every test runs headless, on the virtual clock, with the process end caught.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/clock.h"
#include "platform/process.h"

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    glimmet::UseVirtualClock(true);
    glimmet::CatchProcessEnd(true);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
