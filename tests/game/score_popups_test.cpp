#include <gtest/gtest.h>

#include "display/toolkit.h"
#include "game/score_popups.h"
#include "platform/draw_log.h"

namespace glimmet {
namespace {

class ScorePopups : public testing::Test {
  protected:
    void SetUp() override {
        InitializeScorePopups();
        RecordDraws(true);
    }
    void TearDown() override {
        RecordDraws(false);
        InitializeScorePopups();
    }
};

TEST_F(ScorePopups, PointsCountAtOnceAndThePopupRisesAndFades) {
    AddOre(50, 132, 400, 255, 255, 0);
    EXPECT_EQ(GameScore, 50);
    std::vector<DrawRecord> drawn;
    for (int frame = 1; frame <= 121; frame++) {
        ClearDrawLog();
        DrawOres();
        for (const DrawRecord& d : DrawsOfKind(DrawKind::Text)) drawn.push_back(d);
    }
    ASSERT_EQ(drawn.size(), 120u); // drawn 120 times, then gone
    EXPECT_TRUE(OreList.empty());
    EXPECT_EQ(drawn.front().text, "50");
    EXPECT_FLOAT_EQ(drawn.front().alpha, 119.0f / 120);
    EXPECT_FLOAT_EQ(drawn.back().alpha, 0);
    EXPECT_EQ(drawn.front().r, 255);
    EXPECT_EQ(drawn.front().b, 0);
}

TEST_F(ScorePopups, RemovingOneLeavesTheOthersInPlace) {
    AddOre(20, 0, 0, 255, 255, 0);
    for (int i = 0; i < 60; i++) DrawOres();
    AddOre(150, 0, 0, 255, 255, 0);
    AddOre(50, 0, 0, 255, 255, 0); // two in one frame: both shown
    for (int i = 0; i < 60; i++) DrawOres();
    ASSERT_EQ(OreList.size(), 2u);
    EXPECT_EQ(OreList[0].n, 150);
    EXPECT_FLOAT_EQ(OreList[0].y, -15);
    EXPECT_EQ(GameScore, 220);
}

} // namespace
} // namespace glimmet
