#include <gtest/gtest.h>

#include "base/state.h"
#include "display/engine_test.h"
#include "display/frame.h"
#include "display/toolkit.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/draw_log.h"
#include "support/screen.h"

namespace glimmet {
namespace {

// The engine test measures drawing cost; in the test mode each drawn image costs virtual time.
class EngineTestRun : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(OpenDisplay(800, 600, 0, 60, "engine test"));
        run.StartFrames();
    }

    std::vector<std::string> ResultLines() {
        std::vector<std::string> log = run.Log();
        auto start = std::find(log.begin(), log.end(), "Starting Engine Test");
        return std::vector<std::string>(start, log.end());
    }

    test::ScreenRun run;
};

TEST_F(EngineTestRun, FastMachineGetsNineTenthsOfTheLargestBatch) {
    SetImageDrawCost(0);
    EngineTest(60, 2);
    EXPECT_EQ(DrawLimit[1], 18000);
    EXPECT_EQ(DrawLimit[2], 500);
    EXPECT_EQ(DrawLimit[3], 500);
    EXPECT_EQ(Setting[SettingFrameskip], 0);
    EXPECT_EQ(OverlayOn, 0);
    const std::vector<std::string> expected = {"Starting Engine Test",
                                               "Aiming for 60,2",
                                               "Test Complete",
                                               "",
                                               "Engine Test Results",
                                               "",
                                               "\tMaximum Sprites Allowed for 60 Frames Per Second",
                                               "\tMain sprites : 18000",
                                               "\tGlowy Sprites : 500",
                                               "\tParticles : 500",
                                               "",
                                               ""};
    EXPECT_EQ(ResultLines(), expected);
}

TEST_F(EngineTestRun, SlowMachineFallsBackToFrameskip) {
    SetImageDrawCost(0.05); // 1000 sprites: 50 ms a frame
    EngineTest(60, 2);
    EXPECT_EQ(DrawLimit[1], 1000);
    EXPECT_EQ(DrawLimit[3], 500);
    EXPECT_EQ(Setting[SettingFrameskip], 1);
    EXPECT_EQ(TargetFps, 30);
    std::vector<std::string> lines = ResultLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "\tMain sprites : 0"), lines.end());
    EXPECT_EQ(lines[lines.size() - 2], "Settings Overwritten, Set to Default Lower Limits at 30fps.");
}

TEST_F(EngineTestRun, FrameskipAlreadyOnAimsAtThirty) {
    Setting[SettingFrameskip] = 1;
    SetImageDrawCost(0);
    EngineTest(60, 2);
    std::vector<std::string> lines = ResultLines();
    EXPECT_EQ(lines[1], "Aiming for 30,2");
    EXPECT_EQ(lines[lines.size() - 2], "Settings Overwritten, Set to Default Lower Limits at 30fps.");
}

TEST_F(EngineTestRun, MediumMachineKeepsItsBudget) {
    // 0.009 ms a sprite: 1500 sprites still fit in a frame, 2000 do not.
    SetImageDrawCost(0.009);
    EngineTest(60, 2);
    EXPECT_EQ(DrawLimit[1], 1350); // a best of 1500, and no frameskip
    EXPECT_EQ(Setting[SettingFrameskip], 0);
}

TEST_F(EngineTestRun, DrawsInvisibleSpritesAndTheLogos) {
    SetImageDrawCost(0.05);
    RecordDraws(true);
    EngineTest(60, 2);
    int invisible = 0;
    for (const DrawRecord& d : DrawLog)
        if (d.kind == DrawKind::Image && d.alpha == 0 && d.scaleX == 2) invisible++;
    EXPECT_EQ(invisible,
              10 * 501 + 10 * 1001); // the warm-up batch and the failing one, k + 1 sprites a frame
}

} // namespace
} // namespace glimmet
