// Fonts: measures in drawing-area units at different display sizes, drawing, and the stand-ins for a
// font file that cannot be used.
#include "platform/font.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "support/display.h"
#include "support/temp_dir.h"

namespace glimmet::test {
namespace {

const char* const SystemFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The box of lit pixels in the display, or an empty box.
struct Lit {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Lit LitPixels(int width, int height) {
    Pixmap frame = GrabScreen(0, 0, width, height);
    Lit lit;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            if (RedOf(ReadPixel(frame, x, y)) > 100) {
                lit.left = std::min(lit.left, x);
                lit.top = std::min(lit.top, y);
                lit.right = std::max(lit.right, x);
                lit.bottom = std::max(lit.bottom, y);
            }
    return lit;
}

class FontMeasure : public DisplayTest {
  protected:
    void TearDown() override {
        SetFallbackFontFile(SystemFont);
        DisplayTest::TearDown();
    }
};

struct Measured {
    int width, height;
    Lit lit; // in display pixels
};

Measured MeasureAndDraw(const std::string& file, int displayW, int displayH) {
    SelectBackend(2);
    EXPECT_TRUE(OpenDisplay(displayW, displayH, 0, 60, "test"));
    SetVirtualResolution(1280, 960);
    int font = LoadFont(file, 48, true);
    SetFont(font);
    Measured m{TextWidth("Glimmet GETS!"), TextHeight("Glimmet GETS!"), {}};
    DrawText("Glimmet GETS!", 100, 200);
    m.lit = LitPixels(displayW, displayH);
    CloseDisplay();
    return m;
}

TEST_F(FontMeasure, SameMeasuresInAreaUnitsAtTwoDisplaySizes) {
    if (FileType(SystemFont) != FileKind::File) GTEST_SKIP() << "no system font";
    Measured big = MeasureAndDraw(SystemFont, 1280, 960);
    Measured small = MeasureAndDraw(SystemFont, 640, 480);
    EXPECT_EQ(big.width, small.width);
    EXPECT_EQ(big.height, small.height);
    EXPECT_GT(big.width, 48 * 5); // 13 characters at 48 pixels
    EXPECT_LT(big.width, 48 * 13);
    EXPECT_GE(big.height, 48);
    EXPECT_LT(big.height, 48 * 2);
    // The drawn text spans about its measured width, starting at its left edge, at either size.
    for (const auto& [m, scale] : {std::pair{big, 1.0f}, std::pair{small, 0.5f}}) {
        float litLeft = static_cast<float>(m.lit.left) / scale,
              litRight = static_cast<float>(m.lit.right) / scale;
        EXPECT_NEAR(litLeft, 100, 8);
        EXPECT_NEAR(litRight - litLeft, static_cast<float>(m.width), 12);
        EXPECT_GE(static_cast<float>(m.lit.top) / scale, 200);
        EXPECT_LE(static_cast<float>(m.lit.bottom) / scale, 200 + static_cast<float>(m.height));
    }
}

TEST_F(FontMeasure, MissingFontFallsBackToTheSystemFont) {
    if (FileType(SystemFont) != FileKind::File) GTEST_SKIP() << "no system font";
    int real = LoadFont(SystemFont, 20, true);
    int stand = LoadFont("No Such Font.ttf", 20, true);
    EXPECT_FALSE(FontIsFallback(real));
    EXPECT_TRUE(FontIsFallback(stand));
    SetFont(real);
    int width = TextWidth("Quit");
    SetFont(stand);
    EXPECT_EQ(TextWidth("Quit"), width);
}

TEST_F(FontMeasure, BuiltInFontDrawsAndMeasuresWhenNoFontFileWorks) {
    TempDir dir;
    WriteBytes("broken.ttf", "not a font");
    SetFallbackFontFile("");
    OpenDisplayFor(200, 100, 400, 200);
    int font = LoadFont("broken.ttf", 12, true);
    ASSERT_NE(font, 0);
    EXPECT_TRUE(FontIsFallback(font));
    SetFont(font);
    EXPECT_EQ(TextWidth("ABC"), 24); // cells of 4 x 6 units, 2 area units a unit at size 12
    EXPECT_EQ(TextHeight("ABC"), 12);
    SetColor(255, 255, 255);
    DrawText("I", 20, 40); // a 3 x 5 glyph of 2-unit blocks: area 20..26 x 40..50, display 10..12 x 20..24
    Lit lit = LitPixels(200, 100);
    EXPECT_EQ(lit.left, 10);
    EXPECT_EQ(lit.right, 12);
    EXPECT_EQ(lit.top, 20);
    EXPECT_EQ(lit.bottom, 24);
}

TEST_F(FontMeasure, NoFontMeasuresNothingAndDrawsNothing) {
    OpenDisplayFor(50, 50, 50, 50);
    EXPECT_EQ(LoadFont(SystemFont, 0, true), 0);
    SetFont(0);
    EXPECT_EQ(TextWidth("abc"), 0);
    EXPECT_EQ(TextHeight("abc"), 0);
    SetColor(255, 255, 255);
    DrawText("abc", 0, 0);
    EXPECT_EQ(LitPixels(50, 50).right, -1);
}

TEST_F(FontMeasure, ControlCodesTakeNoRoomAndLatin1IsMeasured) {
    int font = LoadFont(SystemFont, 30, true);
    SetFont(font);
    EXPECT_EQ(TextWidth("a\tb\x01"), TextWidth("ab"));
    EXPECT_GT(TextWidth("\xe9"), 0); // e acute
    EXPECT_EQ(TextWidth(""), 0);
}

TEST_F(FontMeasure, RotatedScaledAndColouredText) {
    OpenDisplayFor(200, 200, 200, 200);
    SetFallbackFontFile("");
    int font = LoadFont("missing.ttf", 12, false); // built-in: crisp blocks of 2 pixels
    SetFont(font);
    SetColor(255, 0, 0);
    SetScale(2, 2);
    SetRotation(90); // about the top-left corner: the text now runs down, to the left of x = 100
    DrawText("II", 100, 20);
    Lit lit = LitPixels(200, 200);
    EXPECT_LE(lit.right, 99);
    EXPECT_GE(lit.left, 100 - 24);
    EXPECT_GE(lit.top, 20);
    EXPECT_LE(lit.bottom, 20 + 2 * 24);
    EXPECT_GT(lit.bottom - lit.top, 24);                                     // two glyphs one under the other
    EXPECT_TRUE(ColourNear(PixelAt(lit.right - 1, lit.top + 1), 255, 0, 0)); // the top bar of the first I
}

} // namespace
} // namespace glimmet::test
