#include <gtest/gtest.h>

#include "app/program.h"
#include "display/assets.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "platform/display.h"
#include "platform/draw.h"
#include "platform/draw_log.h"
#include "platform/font.h"
#include "platform/image.h"
#include "support/temp_dir.h"

namespace glimmet {
namespace {

// A window with a 16 x 32 image and every toolkit state at its start value; the draw log on.
class Toolkit : public testing::Test {
  protected:
    void SetUp() override {
        CreateTables();
        ASSERT_TRUE(OpenDisplay(800, 600, 0, 60, "toolkit"));
        ScreenW = 1280;
        ScreenH = 960;
        SetVirtualResolution(ScreenW, ScreenH);
        SetCentreHandles(true);
        image = CreateImage(16, 32, 0);
        glow = CreateImage(16, 32, 0);
        RecordDraws(true);
    }
    void TearDown() override {
        RecordDraws(false);
        CloseDisplay();
    }

    int image = 0, glow = 0;
};

TEST_F(Toolkit, BudgetsCountPerSlotAndResetWithTheFrame) {
    DrawLimit[1] = 3;
    for (int i = 0; i < 5; i++) DrawImg(image, 0, 0, 0, 1);
    EXPECT_EQ(CountImageDraws(image), 3);
    EXPECT_EQ(DrawCount[1], 3);
    for (int slot : {0, 3, 4, 19, -1, 20}) DrawImg(image, 0, 0, 0, slot); // limits 0 or no such slot
    EXPECT_EQ(CountImageDraws(image), 3);
    BeginFrame(0);
    EXPECT_EQ(DrawCount[1], 0);
    for (int i = 0; i < 5; i++) DrawImg(image, 0, 0, 0, 1);
    EXPECT_EQ(CountImageDraws(image), 6);
}

TEST_F(Toolkit, ImagesLandWithTheirScaledTopLeftCorner) {
    SetScl(2, 3);
    DrawImg(image, 100, 50, 0, 1);
    ASSERT_EQ(DrawLog.size(), 1u);
    EXPECT_FLOAT_EQ(DrawLog[0].x, 100 + 16 * 2 / 2.0f);
    EXPECT_FLOAT_EQ(DrawLog[0].y, 50 + 32 * 3 / 2.0f);
}

TEST_F(Toolkit, FrameskipSuppressesImagesOnSkippedFramesOnly) {
    Setting[SettingFrameskip] = 1;
    SkipDraw = 1;
    DrawImg(image, 0, 0, 0, 1);
    DrawGlowImg(image, 0, 0, 0, glow, 1.1f, 1);
    SetFont(LoadFont("none.ttf", 16, true));
    DrawTxt(0, 0, "still drawn", 0, 0);
    EXPECT_EQ(CountDraws(DrawKind::Image), 0);
    EXPECT_EQ(DrawCount[1], 0);
    EXPECT_EQ(DrawCount[2], 0);
    EXPECT_TRUE(TextDrawn("still drawn"));
    SkipDraw = 0;
    DrawImg(image, 0, 0, 0, 1);
    EXPECT_EQ(CountDraws(DrawKind::Image), 1);
    Setting[SettingFrameskip] = 0;
    SkipDraw = 1;
    DrawImg(image, 0, 0, 0, 1);
    EXPECT_EQ(CountDraws(DrawKind::Image), 2);
}

TEST_F(Toolkit, GlowDrawsBothCopiesWithinBudgetsAndRestoresState) {
    SetScl(2);
    SetCol(10, 20, 30, 0.5f);
    SetBlendKind(2);
    DrawGlowImg(image, 10, 10, 0, glow, 1.5f, 0.4f);
    ASSERT_EQ(DrawLog.size(), 2u);
    EXPECT_EQ(DrawLog[0].image, image);
    EXPECT_EQ(DrawLog[0].blend, 2);
    EXPECT_EQ(DrawLog[1].image, glow);
    EXPECT_EQ(DrawLog[1].blend, 3);
    EXPECT_FLOAT_EQ(DrawLog[1].scaleX, 3);
    EXPECT_FLOAT_EQ(DrawLog[1].alpha, 0.2f);
    EXPECT_FLOAT_EQ(DrawLog[1].x, DrawLog[0].x); // one centre for both copies
    EXPECT_FLOAT_EQ(Pen.scaleX, 2);
    EXPECT_FLOAT_EQ(Pen.alpha, 0.5f);
    EXPECT_EQ(Pen.blend, 2);

    ClearDrawLog();
    DrawLimit[2] = DrawCount[2]; // glow budget spent: main copy only
    DrawGlowImg(image, 0, 0, 0, 0, 1.1f, 1);
    ASSERT_EQ(DrawLog.size(), 1u);
    EXPECT_EQ(DrawLog[0].blend, 2);
    ClearDrawLog();
    DrawLimit[2] = 50000;
    DrawLimit[1] = DrawCount[1]; // main budget spent: glow copy only, of the main image when none given
    DrawGlowImg(image, 0, 0, 0, 0, 1.1f, 1);
    ASSERT_EQ(DrawLog.size(), 1u);
    EXPECT_EQ(DrawLog[0].image, image);
    EXPECT_EQ(DrawLog[0].blend, 3);
}

TEST_F(Toolkit, ColourScaleAndFontChoice) {
    SetCol(0, 0, 0, 0.3f);
    SetCol(300, -5, 128.9f);
    EXPECT_EQ(Pen.r, 255);
    EXPECT_EQ(Pen.g, 0);
    EXPECT_EQ(Pen.b, 128);
    EXPECT_FLOAT_EQ(Pen.alpha, 0.3f);
    SetCol(0, 0, 0, 2);
    EXPECT_FLOAT_EQ(Pen.alpha, 1);
    SetScl(2);
    EXPECT_FLOAT_EQ(Pen.scaleY, 2);
    SetScl(2, 3);
    EXPECT_FLOAT_EQ(Pen.scaleY, 3);
    FontSlot[0] = LoadFont("none.ttf", 12, true);
    FontSlot[13] = LoadFont("none.ttf", 20, true);
    UseFont(0, 9);
    EXPECT_EQ(Pen.font, FontSlot[0]);
    UseFont(4, -1);
    EXPECT_EQ(Pen.font, FontSlot[0]);
    UseFont(2, 3);
    EXPECT_EQ(Pen.font, FontSlot[13]);
}

TEST_F(Toolkit, TextAlignmentUsesItsMeasure) {
    SetFont(LoadFont("none.ttf", 24, true));
    const std::string text = "Align me";
    int w = TextWidth(text), h = TextHeight(text);
    const int alignments[3][2] = {{0, 0}, {1, 1}, {2, 2}};
    for (const auto& a : alignments) DrawTxt(500, 400, text, a[0], a[1]);
    ASSERT_EQ(DrawLog.size(), 3u);
    EXPECT_FLOAT_EQ(DrawLog[0].x, 500);
    EXPECT_FLOAT_EQ(DrawLog[1].x, static_cast<float>(500 - w / 2));
    EXPECT_FLOAT_EQ(DrawLog[1].y, static_cast<float>(400 - h / 2));
    EXPECT_FLOAT_EQ(DrawLog[2].x, static_cast<float>(500 - w));
    EXPECT_FLOAT_EQ(DrawLog[2].y, static_cast<float>(400 - h));
}

TEST_F(Toolkit, MouseOverIsStrictOnEveryEdge) {
    struct Case {
        int x, y;
        bool over;
    };
    const Case cases[] = {{10, 15, false}, {30, 15, false}, {11, 11, true},
                          {29, 29, true},  {20, 10, false}, {20, 30, false}};
    for (const Case& c : cases) {
        MouseXPos = c.x;
        MouseYPos = c.y;
        EXPECT_EQ(MouseOver(10, 10, 20, 20), c.over) << c.x << "," << c.y;
    }
}

TEST_F(Toolkit, BackdropStripesAndTintEasing) {
    BackTint = {0.2f, 0, 1};
    BackTintTarget = {0.2f, 0, 1};
    DrawBackdrop();
    ASSERT_EQ(CountDraws(DrawKind::Rect), 97);
    EXPECT_EQ(DrawLog.front().b, 26);
    EXPECT_EQ(DrawLog.back().b, 122);
    EXPECT_FLOAT_EQ(DrawLog.front().rotation, -45);
    EXPECT_FLOAT_EQ(DrawLog.front().w, 1280 + 1800);
    EXPECT_FLOAT_EQ(Pen.rotation, 0);

    BackTintTarget = {0.201f, 1, 0};
    DrawBackdrop();
    EXPECT_FLOAT_EQ(BackTint[0], 0.201f); // within 0.005: snaps onto the target
    EXPECT_FLOAT_EQ(BackTint[1], 1.0f / 16);
    EXPECT_FLOAT_EQ(BackTint[2], 1 - 1.0f / 16);
}

// The backdrop is drawn as one picture of our own; it must be the picture its 97 logged fills give
// when each goes through the renderer on its own, pixel for pixel, also after the tint has changed.
TEST_F(Toolkit, BackdropPictureMatchesItsFillsDrawnOneByOne) {
    const std::array<float, 3> tints[] = {{0.2f, 0, 1}, {1, 0.5f, 0.25f}};
    for (const std::array<float, 3>& tint : tints) {
        BackTint = BackTintTarget = tint;
        RecordDraws(true);
        BeginFrame(1);
        DrawBackdrop();
        Pixmap batch = GrabScreen(0, 0, 800, 600);
        std::vector<DrawRecord> fills = DrawsOfKind(DrawKind::Rect);
        ASSERT_EQ(fills.size(), 97u);
        BeginFrame(1);
        for (const DrawRecord& fill : fills) {
            SetRotation(fill.rotation);
            SetScale(fill.scaleX, fill.scaleY);
            SetColor(fill.r, fill.g, fill.b);
            SetAlpha(fill.alpha);
            SetBlend(fill.blend);
            DrawRect(fill.x, fill.y, fill.w, fill.h);
        }
        Pixmap single = GrabScreen(0, 0, 800, 600);
        int differing = 0;
        for (size_t i = 0; i < batch.pixels.size(); i++) differing += batch.pixels[i] != single.pixels[i];
        EXPECT_EQ(differing, 0) << "tint " << tint[0] << "," << tint[1] << "," << tint[2];
        EXPECT_NE(batch.pixels[0], 0u); // the corner is covered too
        EXPECT_NE(batch.pixels.back(), 0u);
    }
}

} // namespace
} // namespace glimmet
