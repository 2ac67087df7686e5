// Drawing state and calls, read back as pixels on the software renderer, and the draw log.
#include "platform/draw.h"

#include <gtest/gtest.h>

#include <ostream>

#include "platform/area.h"
#include "platform/clock.h"
#include "support/display.h"

namespace glimmet::test {
namespace {

// A 4 x 2 picture: the left half red, the right half blue, all opaque.
int RedBlueImage(int flags) {
    Pixmap pixmap = CreatePixmap(4, 2);
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 4; x++)
            WritePixel(pixmap, x, y, x < 2 ? Argb(255, 255, 0, 0) : Argb(255, 0, 0, 255));
    return ImageFromPixmap(pixmap, flags);
}

void FillArea(int r, int g, int b, int w, int h) {
    ResetPen();
    SetBlend(0);
    SetColor(r, g, b);
    DrawRect(0, 0, static_cast<float>(w), static_cast<float>(h));
    ResetPen();
}

using DrawPixels = DisplayTest;

TEST_F(DrawPixels, RotatedScaledAlphaImageLandsWhereExpected) {
    OpenDisplayFor(400, 300, 800, 600); // the area is scaled by one half
    FillArea(0, 255, 0, 800, 600);
    SetCentreHandles(true);
    int image = RedBlueImage(0);
    SetScale(10, 10); // 40 x 20 area units = 20 x 10 display pixels
    SetRotation(90);  // clockwise: the red left half now points up
    SetAlpha(0.5f);
    DrawImage(image, 400, 300, 0); // centre on display pixel (200, 150)

    EXPECT_TRUE(ColourNear(PixelAt(200, 141), 128, 128, 0, 3)); // red over green, half and half
    EXPECT_TRUE(ColourNear(PixelAt(200, 158), 0, 128, 128, 3)); // blue over green
    EXPECT_TRUE(ColourNear(PixelAt(196, 150), 0, 128, 128, 3)); // just below the middle: blue
    EXPECT_TRUE(ColourNear(PixelAt(193, 150), 0, 255, 0));      // the turned frame is 10 pixels wide
    EXPECT_TRUE(ColourNear(PixelAt(200, 138), 0, 255, 0));      // and 20 high
    EXPECT_TRUE(ColourNear(PixelAt(200, 162), 0, 255, 0));
}

TEST_F(DrawPixels, NegativeScaleMirrorsAboutTheHandle) {
    OpenDisplayFor(100, 100, 100, 100);
    SetCentreHandles(true);
    int image = RedBlueImage(0);
    SetScale(-5, 5); // 20 x 10, mirrored: blue on the left
    DrawImage(image, 50, 50, 0);
    EXPECT_TRUE(ColourNear(PixelAt(41, 50), 0, 0, 255));
    EXPECT_TRUE(ColourNear(PixelAt(58, 50), 255, 0, 0));
    EXPECT_TRUE(ColourNear(PixelAt(39, 50), 0, 0, 0));
    EXPECT_TRUE(ColourNear(PixelAt(60, 50), 0, 0, 0));
}

TEST_F(DrawPixels, TopLeftHandleWhenCentreHandlesAreOff) {
    OpenDisplayFor(100, 100, 100, 100);
    int image = RedBlueImage(0);
    SetScale(2, 2);
    DrawImage(image, 10, 20, 0); // covers 10..17 x 20..23
    EXPECT_TRUE(ColourNear(PixelAt(10, 20), 255, 0, 0));
    EXPECT_TRUE(ColourNear(PixelAt(17, 23), 0, 0, 255));
    EXPECT_TRUE(ColourNear(PixelAt(9, 20), 0, 0, 0));
    EXPECT_TRUE(ColourNear(PixelAt(10, 24), 0, 0, 0));
}

TEST_F(DrawPixels, RotationWithUnevenAreaScaleStillTurnsAboutTheHandle) {
    OpenDisplayFor(200, 100, 100, 100); // x doubled, y kept
    SetCentreHandles(true);
    int image = RedBlueImage(0);
    SetScale(5, 5);
    SetRotation(180);            // red now on the right
    DrawImage(image, 50, 50, 0); // 20 x 10 area units = 40 x 10 display pixels about (100, 50)
    EXPECT_TRUE(ColourNear(PixelAt(85, 50), 0, 0, 255));
    EXPECT_TRUE(ColourNear(PixelAt(115, 50), 255, 0, 0));
    EXPECT_TRUE(ColourNear(PixelAt(78, 50), 0, 0, 0));
}

struct BlendCase {
    int kind;
    float alpha;
    int r, g, b; // expected over a background of (100, 150, 200) after drawing (200, 100, 50)
};

void PrintTo(const BlendCase& c, std::ostream* out) {
    *out << "kind " << c.kind << " alpha " << c.alpha;
}

class BlendKinds : public DisplayTest, public testing::WithParamInterface<BlendCase> {};

TEST_P(BlendKinds, RectangleAndImageMixAsTheKindSays) {
    const BlendCase& c = GetParam();
    OpenDisplayFor(40, 20, 40, 20);
    FillArea(100, 150, 200, 40, 20);
    SetBlend(c.kind);
    SetAlpha(c.alpha);
    SetColor(200, 100, 50);
    DrawRect(0, 0, 20, 20);
    // The same through a white image tinted by the colour.
    Pixmap white = CreatePixmap(1, 1);
    WritePixel(white, 0, 0, Argb(255, 255, 255, 255));
    int image = ImageFromPixmap(white, 0);
    SetScale(20, 20);
    DrawImage(image, 20, 0, 0);
    EXPECT_TRUE(ColourNear(PixelAt(10, 10), c.r, c.g, c.b, 3)) << "rectangle, kind " << c.kind;
    EXPECT_TRUE(ColourNear(PixelAt(30, 10), c.r, c.g, c.b, 3)) << "image, kind " << c.kind;
}

INSTANTIATE_TEST_SUITE_P(AllKinds, BlendKinds,
                         testing::Values(BlendCase{0, 0.5f, 200, 100, 50},    // solid ignores alpha
                                         BlendCase{1, 1.0f, 200, 100, 50},    // alpha, opaque
                                         BlendCase{1, 0.5f, 150, 125, 125},   // alpha, half
                                         BlendCase{1, 0.0f, 100, 150, 200},   // alpha 0 leaves all
                                         BlendCase{2, 1.0f, 78, 59, 39},      // shade: multiply
                                         BlendCase{2, 0.5f, 89, 104, 120},    // half-way to the multiply
                                         BlendCase{3, 1.0f, 255, 250, 250},   // light: add
                                         BlendCase{3, 0.5f, 200, 200, 225})); // add, weighted by alpha

TEST_F(DrawPixels, BlendKindOutsideTheFourChangesNothing) {
    SetBlend(3);
    SetBlend(4);
    SetBlend(-1);
    EXPECT_EQ(Pen.blend, 3);
}

TEST_F(DrawPixels, MaskedBlackIsTransparentUnmaskedBlackIsDrawn) {
    OpenDisplayFor(40, 20, 40, 20);
    FillArea(255, 0, 0, 40, 20);
    Pixmap pixmap = CreatePixmap(2, 1);
    WritePixel(pixmap, 0, 0, Argb(255, 0, 0, 0));
    WritePixel(pixmap, 1, 0, Argb(255, 255, 255, 255));
    int masked = ImageFromPixmap(pixmap, ImageMasked);
    int plain = ImageFromPixmap(pixmap, 0);
    SetScale(10, 10);
    DrawImage(masked, 0, 0, 0);
    DrawImage(plain, 0, 10, 0);
    EXPECT_TRUE(ColourNear(PixelAt(5, 5), 255, 0, 0)); // masked black: background shows
    EXPECT_TRUE(ColourNear(PixelAt(15, 5), 255, 255, 255));
    EXPECT_TRUE(ColourNear(PixelAt(5, 15), 0, 0, 0)); // unmasked black is drawn
    EXPECT_EQ(ImagePixel(masked, 0, 0, 0), 0u);
    EXPECT_EQ(ImagePixel(plain, 0, 0, 0), Argb(255, 0, 0, 0));
}

TEST_F(DrawPixels, FilteredScalingBlendsNeighboursUnfilteredKeepsBlocks) {
    OpenDisplayFor(80, 20, 80, 20);
    Pixmap pixmap = CreatePixmap(2, 1);
    WritePixel(pixmap, 0, 0, Argb(255, 0, 0, 0));
    WritePixel(pixmap, 1, 0, Argb(255, 255, 255, 255));
    int smooth = ImageFromPixmap(pixmap, ImageFiltered);
    int blocky = ImageFromPixmap(pixmap, 0);
    SetScale(20, 20);
    DrawImage(smooth, 0, 0, 0);
    DrawImage(blocky, 40, 0, 0);
    int middleSmooth = RedOf(PixelAt(20, 10));
    EXPECT_GT(middleSmooth, 40);
    EXPECT_LT(middleSmooth, 215);
    EXPECT_TRUE(ColourNear(PixelAt(59, 10), 0, 0, 0));
    EXPECT_TRUE(ColourNear(PixelAt(60, 10), 255, 255, 255));
    // The frame's own edge pixels stay pure: no neighbour bleeds in.
    EXPECT_TRUE(ColourNear(PixelAt(0, 10), 0, 0, 0, 3));
    EXPECT_TRUE(ColourNear(PixelAt(39, 10), 255, 255, 255, 3));
}

TEST_F(DrawPixels, RotatedRectangleAndLine) {
    OpenDisplayFor(100, 100, 100, 100);
    SetColor(255, 255, 0);
    SetRotation(90); // turns about (50, 10): the 30 x 4 bar now runs down, to the left of x = 50
    DrawRect(50, 10, 30, 4);
    EXPECT_TRUE(ColourNear(PixelAt(48, 25), 255, 255, 0));
    EXPECT_TRUE(ColourNear(PixelAt(52, 25), 0, 0, 0));
    EXPECT_TRUE(ColourNear(PixelAt(48, 45), 0, 0, 0));
    ResetPen();
    SetColor(0, 255, 255);
    DrawLine(10, 80, 40, 80);
    for (int x : {10, 25, 40}) EXPECT_TRUE(ColourNear(PixelAt(x, 80), 0, 255, 255)) << x;
    for (int x : {9, 41}) EXPECT_TRUE(ColourNear(PixelAt(x, 80), 0, 0, 0)) << x;
    EXPECT_TRUE(ColourNear(PixelAt(25, 79), 0, 0, 0));
    EXPECT_TRUE(ColourNear(PixelAt(25, 81), 0, 0, 0));
}

TEST_F(DrawPixels, StateSettersClamp) {
    SetColor(300, -5, 128);
    EXPECT_EQ(Pen.r, 255);
    EXPECT_EQ(Pen.g, 0);
    EXPECT_EQ(Pen.b, 128);
    SetAlpha(2);
    EXPECT_EQ(Pen.alpha, 1.0f);
    SetAlpha(-1);
    EXPECT_EQ(Pen.alpha, 0.0f);
    SetFont(7);
    ResetPen();
    EXPECT_EQ(Pen.r, 255);
    EXPECT_EQ(Pen.alpha, 1.0f);
    EXPECT_EQ(Pen.blend, 1);
    EXPECT_EQ(Pen.font, 7); // the font is not part of a reset
}

using DrawLogTest = DisplayTest;

TEST_F(DrawLogTest, RecordsEveryCallWithItsState) {
    OpenDisplayFor(100, 100, 100, 100);
    int image = RedBlueImage(0);
    int font = LoadFont("no-such-font.ttf", 12, true);
    RecordDraws(true);
    ClearScreen();
    SetColor(1, 2, 3);
    SetAlpha(0.25f);
    SetScale(2, -3);
    SetRotation(45);
    SetBlend(3);
    DrawImage(image, 10, 20, 0);
    DrawRect(1, 2, 3, 4);
    DrawLine(5, 6, 7, 8);
    SetFont(font);
    DrawText("Quit", 30, 40);

    ASSERT_EQ(DrawLog.size(), 5u) << DrawLogText();
    EXPECT_EQ(DrawLog[0].kind, DrawKind::Clear);
    const DrawRecord& img = DrawLog[1];
    EXPECT_EQ(img.kind, DrawKind::Image);
    EXPECT_EQ(img.image, image);
    EXPECT_EQ(img.frame, 0);
    EXPECT_EQ(img.x, 10);
    EXPECT_EQ(img.y, 20);
    EXPECT_EQ(img.r, 1);
    EXPECT_EQ(img.g, 2);
    EXPECT_EQ(img.b, 3);
    EXPECT_EQ(img.alpha, 0.25f);
    EXPECT_EQ(img.scaleX, 2);
    EXPECT_EQ(img.scaleY, -3);
    EXPECT_EQ(img.rotation, 45);
    EXPECT_EQ(img.blend, 3);
    EXPECT_EQ(DrawLog[2].w, 3);
    EXPECT_EQ(DrawLog[2].h, 4);
    EXPECT_EQ(DrawLog[3].x2, 7);
    EXPECT_EQ(DrawLog[3].y2, 8);
    const DrawRecord* text = FindTextDraw("Quit");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->font, font);
    EXPECT_EQ(text->x, 30);
    EXPECT_EQ(CountDraws(DrawKind::Image), 1);
    EXPECT_EQ(CountImageDraws(image), 1);
    EXPECT_EQ(CountImageDraws(image, 1), 0);
    EXPECT_TRUE(TextDrawn("Quit"));
    EXPECT_FALSE(TextDrawn("Qui"));
    EXPECT_EQ(DrawnTexts(), std::vector<std::string>{"Quit"});
    EXPECT_NE(DrawLogText().find("text \"Quit\""), std::string::npos);

    RecordDraws(false);
    DrawRect(0, 0, 1, 1);
    EXPECT_TRUE(DrawLog.empty());
}

TEST_F(DrawLogTest, EmptyAndInvisibleDrawsAreStillLogged) {
    RecordDraws(true);
    SetAlpha(0);
    DrawImage(0, 1, 1, 0);  // the empty image
    DrawImage(99, 1, 1, 3); // no such image
    EXPECT_EQ(CountDraws(DrawKind::Image), 2);
}

TEST_F(DrawLogTest, KeepsAtMostItsLimitAndCountsTheRest) {
    RecordDraws(true);
    for (size_t i = 0; i < DrawLogLimit + 5; i++) DrawImage(0, 0, 0, 0);
    EXPECT_EQ(DrawLog.size(), DrawLogLimit);
    EXPECT_EQ(DrawLogDropped(), 5);
    ClearDrawLog();
    EXPECT_EQ(DrawLogDropped(), 0);
    EXPECT_TRUE(DrawLog.empty());
}

TEST_F(DrawLogTest, SkippingRasterisingKeepsPixelsButLogs) {
    OpenDisplayFor(20, 20, 20, 20);
    SkipRasterising(true);
    RecordDraws(true);
    SetColor(255, 255, 255);
    DrawRect(0, 0, 20, 20);
    long presents = PresentCount();
    PresentFrame(false);
    EXPECT_EQ(PresentCount(), presents + 1);
    EXPECT_EQ(CountDraws(DrawKind::Rect), 1);
    EXPECT_TRUE(ColourNear(PixelAt(5, 5), 0, 0, 0));
    SkipRasterising(false);
    DrawRect(0, 0, 20, 20);
    EXPECT_TRUE(ColourNear(PixelAt(5, 5), 255, 255, 255));
}

TEST_F(DrawLogTest, ImageCostMovesTheVirtualClock) {
    ASSERT_TRUE(VirtualClockOn());
    SetImageDrawCost(0.25);
    int start = Millis();
    for (int i = 0; i < 10; i++) DrawImage(0, 0, 0, 0);
    EXPECT_EQ(Millis() - start, 2); // 2.5 ms owed, whole milliseconds reach the clock
    for (int i = 0; i < 2; i++) DrawImage(0, 0, 0, 0);
    EXPECT_EQ(Millis() - start, 3);
    DrawRect(0, 0, 1, 1); // only images cost
    EXPECT_EQ(Millis() - start, 3);
    SetImageDrawCost(0);
    DrawImage(0, 0, 0, 0);
    EXPECT_EQ(Millis() - start, 3);
}

} // namespace
} // namespace glimmet::test
