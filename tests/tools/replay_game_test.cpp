// replay_game plays a scripted game on a small cave level and prints the frames a person works out by
// hand from the movement rules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "image.h"
#include "support/temp_dir.h"

namespace glimmet {
namespace {

using namespace test;

// Solid white everywhere but a cave of columns 36..43 and rows 22..26, too small for a ledge.
void WriteCaveLevel(const std::string& file) {
    tools::Image lev = tools::MakeImage(512, 512);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            bool cave = x >= 36 && x <= 43 && y >= 22 && y <= 26;
            tools::PutPixel(lev, x, y, cave ? tools::Rgb(0, 0, 0) : tools::Rgb(255, 255, 255));
        }
    ASSERT_TRUE(tools::WritePng(file, lev, false));
}

TEST(ReplayGame, WalksAndJumpsFrameByFrame) {
    TempDir dir;
    MakeFolder("Files/Common");
    MakeFolder("Files/291");
    for (const char* name : {"gfx.png", "wall.png"})
        WriteBytes(std::string("Files/291/") + name,
                   ReadBytes(std::string(GLIMMET_RUN_DIR) + "/Files/291/" + name));
    WriteCaveLevel("Files/291/lev.png");
    std::string cmd = std::string(GLIMMET_TOOLS_DIR) + "/replay_game 36 26 " GLIMMET_FIXTURES
                                                       "/replay_walk_jump.txt > frames.txt 2> errors.txt";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << ReadBytes("errors.txt");
    // frame TX TY OX OY FallSpeed CamX CamY Clock Health GameScore
    EXPECT_EQ(ReadBytes("frames.txt"), "1 36 26 8 0 5 36 26 5399 100 0\n"
                                       "2 36 26 16 0 5 36 26 5398 100 0\n"
                                       "3 36 26 24 0 5 36 26 5397 100 0\n"
                                       "4 36 26 32 0 5 36 26 5396 100 0\n"
                                       "5 37 26 -24 0 5 36 26 5395 100 0\n"
                                       "6 37 26 -24 0 -128 36 26 5394 100 0\n"
                                       "7 37 26 -24 -16 -123 36 26 5393 100 0\n"
                                       "8 37 26 -24 -31 -118 36 26 5392 100 0\n");
}

TEST(ReplayGame, RefusesAMissingScript) {
    TempDir dir;
    std::string cmd = std::string(GLIMMET_TOOLS_DIR) + "/replay_game 1 1 nothing.txt 2> errors.txt";
    EXPECT_NE(std::system(cmd.c_str()), 0);
    EXPECT_NE(ReadBytes("errors.txt").find("nothing.txt"), std::string::npos);
}

} // namespace
} // namespace glimmet
