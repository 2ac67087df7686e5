// The hiscore panel drawn into an open screen and read back from the draw log: ranking, pruning, the
// timeline, the selection by hover and click, the scroll zones and the detail box.
#include "scores/hiscore_tables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "display/assets.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "platform/draw_log.h"
#include "platform/image.h"
#include "platform/input_script.h"
#include "support/screen.h"

namespace glimmet {
namespace {

constexpr int PanelX = 860, PanelW = 415;

Scores Record(int64_t score, int64_t timestamp, const std::string& name = "P", int mode = 0) {
    Scores r;
    r.Score = score;
    r.Timestamp = timestamp;
    r.Name = name;
    r.GameMode = mode;
    return r;
}

class Hiscores : public test::ScreenTest {
  protected:
    void SetUp() override {
        test::ScreenTest::SetUp();
        InitializeHiscoreTables();
        InitializeScores();
        PointAt(0, 0);
        RecordDraws(true);
    }
    void TearDown() override {
        RecordDraws(false);
        InitializeScores();
        InitializeHiscoreTables();
    }
    static void PointAt(int x, int y) {
        MouseXPos = x;
        MouseYPos = y;
    }
    static int Show(int mode = 0, int active = 1) {
        return DrawLocalTable(PanelX, PanelW, mode, 0, 0, active);
    }
    static int RowY(int row) { return ScreenH - 589 + 17 * (row - 1); }
    static std::vector<int64_t> Ranking() {
        std::vector<int64_t> scores;
        for (int i = 1; i <= 25; i++)
            if (TableRows[static_cast<size_t>(i)] != nullptr)
                scores.push_back(TableRows[static_cast<size_t>(i)]->Score);
        return scores;
    }
    // The record shown in the detail box: its name is the text drawn at the box's top line.
    static std::string DetailName() {
        for (const DrawRecord& d : DrawsOfKind(DrawKind::Text))
            if (d.y == static_cast<float>(ScreenH - 725)) return d.text;
        return "";
    }
};

TEST_F(Hiscores, RanksTheTwentyFiveBestOfThirtyRisingScores) {
    for (int i = 1; i <= 30; i++) AddScore(Record(i * 10, i));
    EXPECT_EQ(Show(0, 0), 300);
    std::vector<int64_t> ranking = Ranking();
    ASSERT_EQ(ranking.size(), 25u);
    EXPECT_EQ(ranking.front(), 300);
    EXPECT_EQ(ranking.back(), 60);
    EXPECT_EQ(TopLocal->Score, 300);
    EXPECT_TRUE(DrawLog.empty()) << "an inactive table only ranks";
}

TEST_F(Hiscores, AnEqualScoreRanksBelowTheNewerRecord) {
    AddScore(Record(100, 1, "older"));
    AddScore(Record(100, 2, "newer"));
    AddScore(Record(50, 3, "low"));
    Show();
    EXPECT_EQ(TableRows[1]->Name, "newer");
    EXPECT_EQ(TableRows[2]->Name, "older");
    EXPECT_EQ(TableRows[3]->Name, "low");
}

TEST_F(Hiscores, ShowingATableKeepsItsFiftyNewestAndItsBestAndLeavesOtherTablesAlone) {
    for (int i = 1; i <= 60; i++) AddScore(Record(i <= 3 ? 1000 + i : i, i)); // the 3 oldest are the best
    for (int i = 1; i <= 5; i++) AddScore(Record(1, 100 + i, "other", 1));
    Show(0, 0);
    EXPECT_EQ(ScoreList.size(), 65u) << "an inactive table prunes nothing";
    Show();
    EXPECT_EQ(ScoreList.size(), 50u + 3 + 5);
    int others = 0, oldBest = 0;
    for (const Scores& r : ScoreList) {
        others += r.GameMode == 1 ? 1 : 0;
        oldBest += r.Score > 1000 ? 1 : 0;
        EXPECT_TRUE(r.GameMode == 1 || r.Timestamp > 10 || r.Score > 1000) << r.Timestamp;
    }
    EXPECT_EQ(others, 5);
    EXPECT_EQ(oldBest, 3);
    EXPECT_EQ(Ranking().front(), 1003) << "the ranking still points at live records";
}

TEST_F(Hiscores, AnEmptyTableDrawsNoRowsPointsOrBoxAndKeepsTheTopRecord) {
    AddScore(Record(70, 1));
    Show();
    SelectedMark = 1001;
    RecordDraws(true);
    EXPECT_EQ(Show(4), 0);
    EXPECT_EQ(TopLocal->Score, 70);
    EXPECT_EQ(CountDraws(DrawKind::Text), 0);
    EXPECT_EQ(CountDraws(DrawKind::Image), 0);
}

TEST_F(Hiscores, ALoneZeroSitsOnTheBaseline) {
    AddScore(Record(0, 1));
    Show();
    const DrawRecord* point = FindImageDraw(IconsSmooth, 7);
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->y, static_cast<float>(ScreenH - 10 - 8 + ImageHeight(IconsSmooth) / 2));
}

TEST_F(Hiscores, LongNamesAreCutInTheRankingAndWholeInTheBox) {
    const std::string name = "Abcdefghijklmnopqrstuvwxyz0123";
    AddScore(Record(5, 1, name));
    PointAt(PanelX + 20, RowY(1) + 5);
    Show();
    EXPECT_TRUE(TextDrawn(name.substr(0, 24)));
    EXPECT_EQ(DetailName(), name);
    EXPECT_TRUE(TextDrawn("000000000005"));
}

TEST_F(Hiscores, HoverSelectsAndAClickedMarkSurvivesTheMouseMovingAway) {
    AddScore(Record(300, 1, "first"));
    AddScore(Record(200, 2, "second"));
    PointAt(PanelX + 20, RowY(2) + 5);
    Show();
    EXPECT_EQ(DetailName(), "second") << "hovering selects without a click";
    EXPECT_EQ(SelectedMark, 0);
    PointAt(0, 0);
    RecordDraws(true);
    Show();
    EXPECT_EQ(DetailName(), "");

    PressMouse(1, AtOnce());
    PointAt(PanelX + 20, RowY(1) + 5);
    Show();
    EXPECT_EQ(SelectedMark, 1001);
    ReleaseMouse(1, AtOnce());
    PointAt(0, 0);
    RecordDraws(true);
    Show();
    EXPECT_EQ(DetailName(), "first");
}

TEST_F(Hiscores, ScrollZonesStopAtTheirEnds) {
    AddScore(Record(1, 1));
    PointAt(ScreenW - (PanelW + 32) + 5, ScreenH - 100);
    for (int i = 0; i < 200; i++) Show();
    EXPECT_EQ(GraphScroll, 1000);
    PointAt(ScreenW - 20, ScreenH - 100);
    for (int i = 0; i < 200; i++) Show();
    EXPECT_EQ(GraphScroll, 0);
}

TEST_F(Hiscores, ScoresOfAnySizeStayInsideTheTimeline) {
    AddScore(Record(std::numeric_limits<int64_t>::max(), 1));
    AddScore(Record(std::numeric_limits<int64_t>::min(), 2));
    AddScore(Record(int64_t{1} << 40, 3));
    AddScore(Record(123, 4));
    Show();
    int points = 0;
    for (const DrawRecord& d : DrawsOfKind(DrawKind::Image)) {
        if (d.image != IconsSmooth) continue;
        points++;
        EXPECT_GE(d.y + 8 - ImageHeight(IconsSmooth) / 2, ScreenH - 160);
        EXPECT_LE(d.y + 8 - ImageHeight(IconsSmooth) / 2, ScreenH - 10);
    }
    EXPECT_EQ(points, 4);
}

TEST(TimelineHeight, ScalesOrdinaryScoresAndClampsTheRest) {
    struct Case {
        int64_t score;
        int32_t max;
        int height;
    };
    const Case cases[] = {
        {0, 1, 0},
        {50, 100, 75},
        {100, 100, 150},
        {2147483647, 2147483647, 150},
        {std::numeric_limits<int64_t>::max(), 5, 150},
        {-3, 5, 0},
        {10, -7, 150}, // a maximum that is not positive counts as 1
        {10, 0, 150},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TimelineHeight(c.score, c.max), c.height) << c.score << " / " << c.max;
}

} // namespace
} // namespace glimmet
