// Images: loading strips and pictures, damaged files, and the pixel-exact overlap test.
#include "platform/image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "support/display.h"
#include "support/temp_dir.h"

namespace glimmet::test {
namespace {

using ImageLoad = DisplayTest;

TEST_F(ImageLoad, StripIsCutLeftToRightThenTopToBottom) {
    int strip = LoadAnimImage(Fixture("strip_2x2.png"), 4, 4, 0, 4, 0);
    ASSERT_NE(strip, 0);
    EXPECT_EQ(ImageWidth(strip), 4);
    EXPECT_EQ(ImageHeight(strip), 4);
    EXPECT_EQ(ImageFrames(strip), 4);
    EXPECT_EQ(ImagePixel(strip, 0, 3, 3), Argb(255, 255, 0, 0));
    EXPECT_EQ(ImagePixel(strip, 1, 3, 3), Argb(255, 0, 255, 0));
    EXPECT_EQ(ImagePixel(strip, 1, 0, 0), Argb(255, 0, 0, 0)); // not masked: black stays
    EXPECT_EQ(ImagePixel(strip, 2, 0, 0), Argb(255, 0, 0, 255));
    EXPECT_EQ(ImagePixel(strip, 3, 1, 1), Argb(255, 255, 255, 255));
    EXPECT_EQ(ImagePixel(strip, 4, 0, 0), 0u); // no frame 4
    EXPECT_EQ(ImagePixel(strip, 0, 4, 0), 0u); // outside the frame
}

TEST_F(ImageLoad, FirstFrameOffsetAndTooManyFramesAreCutDown) {
    int strip = LoadAnimImage(Fixture("strip_2x2.png"), 4, 4, 2, 10, ImageMasked);
    ASSERT_NE(strip, 0);
    EXPECT_EQ(ImageFrames(strip), 2);
    EXPECT_EQ(ImagePixel(strip, 0, 0, 0), Argb(255, 0, 0, 255));
    EXPECT_EQ(ImagePixel(strip, 1, 0, 0), 0u); // black, masked
    EXPECT_EQ(LoadAnimImage(Fixture("strip_2x2.png"), 4, 4, 4, 1, 0), 0);
    EXPECT_EQ(LoadAnimImage(Fixture("strip_2x2.png"), 16, 16, 0, 1, 0), 0);
    EXPECT_EQ(LoadAnimImage(Fixture("strip_2x2.png"), 0, 4, 0, 1, 0), 0);
}

TEST_F(ImageLoad, SinglePictureKeepsItsAlpha) {
    int image = LoadImage(Fixture("alpha_2x1.png"), ImageMasked | ImageFiltered);
    ASSERT_NE(image, 0);
    EXPECT_EQ(ImageWidth(image), 2);
    EXPECT_EQ(ImageHeight(image), 1);
    EXPECT_EQ(ImageFrames(image), 1);
    EXPECT_EQ(ImagePixel(image, 0, 0, 0), Argb(255, 10, 20, 30));
    EXPECT_EQ(ImagePixel(image, 0, 1, 0), Argb(128, 200, 100, 50));
}

TEST_F(ImageLoad, MissingOrDamagedFilesGiveTheEmptyImage) {
    TempDir dir;
    std::string png = ReadBytes(Fixture("strip_2x2.png"));
    WriteBytes("cut.png", png.substr(0, png.size() / 2));
    WriteBytes("text.png", "not a picture at all");
    WriteBytes("empty.png", "");
    OpenDisplayFor(20, 20, 20, 20);
    for (const char* name : {"missing.png", "cut.png", "text.png", "empty.png", ""}) {
        int image = LoadImage(name, 0);
        EXPECT_EQ(image, 0) << name;
        EXPECT_EQ(LoadAnimImage(name, 4, 4, 0, 4, 0), 0) << name;
        EXPECT_EQ(ImageWidth(image), 0);
        EXPECT_EQ(ImageHeight(image), 0);
        EXPECT_EQ(ImageFrames(image), 0);
        DrawImage(image, 0, 0, 0); // draws nothing, and does not fail
    }
    EXPECT_TRUE(ColourNear(PixelAt(0, 0), 0, 0, 0));
}

TEST_F(ImageLoad, HandlesAreReusedAfterFreeAndClearedWithTheDisplay) {
    OpenDisplayFor(20, 20, 20, 20);
    int a = CreateImage(2, 2, 0);
    int b = CreateImage(3, 3, 0);
    EXPECT_NE(a, b);
    FreeImage(a);
    EXPECT_EQ(ImageWidth(a), 0);
    EXPECT_EQ(CreateImage(5, 5, 0), a);
    EXPECT_EQ(ImageWidth(b), 3);
    CloseDisplay();
    EXPECT_EQ(ImageWidth(b), 0); // images belong to the display
}

TEST_F(ImageLoad, StripFramesDrawFromOneTexture) {
    OpenDisplayFor(40, 10, 40, 10);
    int strip = LoadAnimImage(Fixture("strip_2x2.png"), 4, 4, 0, 4, ImageMasked | ImageFiltered);
    SetScale(2, 2);
    for (int f = 0; f < 4; f++) DrawImage(strip, static_cast<float>(f * 10), 0, f);
    EXPECT_TRUE(ColourNear(PixelAt(4, 4), 255, 0, 0));
    EXPECT_TRUE(ColourNear(PixelAt(14, 4), 0, 255, 0));
    EXPECT_TRUE(ColourNear(PixelAt(10, 0), 0, 0, 0)); // the masked corner of frame 1
    EXPECT_TRUE(ColourNear(PixelAt(24, 4), 0, 0, 255));
    EXPECT_TRUE(ColourNear(PixelAt(34, 4), 255, 255, 255));
    EXPECT_TRUE(ColourNear(PixelAt(30, 0), 0, 0, 0));
}

// --- Overlap -------------------------------------------------------------------------------------

// A frame with a shape that has holes and no symmetry, so that mirroring and turning matter.
Pixmap ShapeA() {
    Pixmap p = CreatePixmap(6, 5);
    const char* rows[5] = {"##....", "#..#..", "..###.", ".....#", "#....."};
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 6; x++)
            if (rows[y][x] == '#') WritePixel(p, x, y, Argb(255, 200, 50, 50));
    return p;
}

Pixmap ShapeB() {
    Pixmap p = CreatePixmap(4, 4);
    const char* rows[4] = {".#..", "###.", ".#..", "...#"};
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++)
            if (rows[y][x] == '#') WritePixel(p, x, y, Argb(90, 50, 200, 50)); // half-transparent counts
    return p;
}

// Brute force: paints each frame's opaque pixels into unit cells of the area by testing every cell's
// centre against the frame, and looks for a cell painted by both. Exact when the pixel edges fall on
// whole units, which holds for whole positions, whole scales and quarter turns.
bool CoveredAt(const Pixmap& p, float handleX, float handleY, float x, float y, float cx, float cy) {
    float rad = Pen.rotation * 3.14159265358979f / 180.0f;
    float dx = cx - x, dy = cy - y;
    float rx = dx * std::cos(rad) + dy * std::sin(rad), ry = -dx * std::sin(rad) + dy * std::cos(rad);
    float u = rx / Pen.scaleX + handleX, v = ry / Pen.scaleY + handleY;
    return AlphaOf(ReadPixel(p, static_cast<int>(std::floor(u)), static_cast<int>(std::floor(v)))) != 0 &&
           u >= 0 && v >= 0;
}

bool BruteOverlap(const Pixmap& a, float xA, float yA, const Pixmap& b, float xB, float yB, bool centre) {
    float haX = centre ? a.width / 2.0f : 0, haY = centre ? a.height / 2.0f : 0;
    float hbX = centre ? b.width / 2.0f : 0, hbY = centre ? b.height / 2.0f : 0;
    for (int cy = -32; cy < 32; cy++)
        for (int cx = -32; cx < 32; cx++)
            if (CoveredAt(a, haX, haY, xA, yA, cx + 0.5f, cy + 0.5f) &&
                CoveredAt(b, hbX, hbY, xB, yB, cx + 0.5f, cy + 0.5f))
                return true;
    return false;
}

struct Placing {
    float scaleX, scaleY, rotation;
    bool centre;
};

void PrintTo(const Placing& p, std::ostream* out) {
    *out << "scale " << p.scaleX << "," << p.scaleY << " turn " << p.rotation
         << (p.centre ? " centred" : " top-left");
}

class ImageOverlap : public testing::TestWithParam<Placing> {
  protected:
    void TearDown() override {
        FreeAllImagesForTest();
        ResetDrawingTestMode();
    }
    static void FreeAllImagesForTest() { CloseDisplay(); }
};

TEST_P(ImageOverlap, AgreesWithBruteForceOverEveryOffset) {
    const Placing& placing = GetParam();
    SetCentreHandles(placing.centre);
    Pixmap a = ShapeA(), b = ShapeB();
    int imageA = ImageFromPixmap(a, 0), imageB = ImageFromPixmap(b, ImageMasked);
    SetScale(placing.scaleX, placing.scaleY);
    SetRotation(placing.rotation);
    int touching = 0, apart = 0;
    for (int dy = -16; dy <= 16; dy++) {
        for (int dx = -16; dx <= 16; dx++) {
            bool expected =
                BruteOverlap(a, 0, 0, b, static_cast<float>(dx), static_cast<float>(dy), placing.centre);
            ASSERT_EQ(
                ImagesOverlap(imageA, 0, 0, 0, imageB, 0, static_cast<float>(dx), static_cast<float>(dy)),
                expected)
                << "B at (" << dx << ", " << dy << ")";
            // The test is symmetric.
            ASSERT_EQ(
                ImagesOverlap(imageB, 0, static_cast<float>(dx), static_cast<float>(dy), imageA, 0, 0, 0),
                expected);
            (expected ? touching : apart)++;
        }
    }
    EXPECT_GT(touching, 0);
    EXPECT_GT(apart, 0);
}

INSTANTIATE_TEST_SUITE_P(Placements, ImageOverlap,
                         testing::Values(Placing{1, 1, 0, false},
                                         Placing{2, 2, 0, true}, // the game's touch test
                                         Placing{2, 2, 0, false}, Placing{3, 1, 0, false},
                                         Placing{-2, 2, 0, true}, Placing{2, -3, 0, false},
                                         Placing{2, 2, 90, true}, Placing{1, 2, 180, false},
                                         Placing{2, 2, 270, true}));

TEST(ImageOverlapCases, EdgesTouchingIsNotOverlap) {
    Pixmap block = CreatePixmap(2, 2);
    for (uint32_t& p : block.pixels) p = Argb(255, 1, 1, 1);
    int a = ImageFromPixmap(block, 0);
    SetScale(2, 2);
    EXPECT_TRUE(ImagesOverlap(a, 0, 0, 0, a, 0, 3.9f, 0));
    EXPECT_FALSE(ImagesOverlap(a, 0, 0, 0, a, 0, 4, 0)); // side by side
    EXPECT_FALSE(ImagesOverlap(a, 0, 0, 0, a, 0, 4, 4)); // corner to corner
    EXPECT_TRUE(ImagesOverlap(a, 0, 0, 0, a, 0, -3.5f, 3.5f));
    EXPECT_FALSE(ImagesOverlap(a, 0, 0, 0, a, 1, 0, 0)); // no frame 1
    EXPECT_FALSE(ImagesOverlap(a, 0, 0, 0, 0, 0, 0, 0)); // the empty image
    SetScale(0, 2);
    EXPECT_FALSE(ImagesOverlap(a, 0, 0, 0, a, 0, 0, 0)); // nothing covered at scale 0
    SetRotation(30);
    SetScale(2, 2);
    EXPECT_TRUE(ImagesOverlap(a, 0, 0, 0, a, 0, 1, 1));
    EXPECT_FALSE(ImagesOverlap(a, 0, 0, 0, a, 0, 7, 0));
    CloseDisplay();
    ResetDrawingTestMode();
}

TEST(ImageOverlapCases, FarAwayAndUndefinedPlacesAreSafe) {
    Pixmap block = CreatePixmap(4, 4);
    for (uint32_t& p : block.pixels) p = Argb(255, 1, 1, 1);
    int a = ImageFromPixmap(block, 0);
    for (float rotation : {0.0f, 30.0f}) {
        ResetPen();
        SetRotation(rotation);
        EXPECT_TRUE(ImagesOverlap(a, 0, 1e6f, 1e6f, a, 0, 1e6f + 3, 1e6f)) << rotation;
        ImagesOverlap(a, 0, 1e9f, 1e9f, a, 0, 1e9f, 1e9f); // beyond float precision: only has to end
        EXPECT_FALSE(ImagesOverlap(a, 0, -3e38f, 0, a, 0, 3e38f, 0)) << rotation;
        EXPECT_FALSE(ImagesOverlap(a, 0, NAN, 0, a, 0, 0, 0)) << rotation;
        SetScale(INFINITY, 1);
        EXPECT_FALSE(ImagesOverlap(a, 0, 0, 0, a, 0, 0, 0)) << rotation;
        SetScale(1e-30f, 1e-30f);
        EXPECT_FALSE(ImagesOverlap(a, 0, 0, 0, a, 0, 5, 5)) << rotation;
    }
    CloseDisplay();
    ResetDrawingTestMode();
}

TEST(ImageOverlapCases, TransparentPixelsNeverTouch) {
    Pixmap ring = CreatePixmap(3, 3);
    for (uint32_t& p : ring.pixels) p = Argb(255, 0, 0, 0); // black: masked away below
    WritePixel(ring, 0, 0, Argb(255, 9, 9, 9));
    int masked = ImageFromPixmap(ring, ImageMasked);
    int plain = ImageFromPixmap(ring, 0);
    SetScale(1, 1);
    EXPECT_FALSE(ImagesOverlap(masked, 0, 0, 0, masked, 0, 1, 1));
    EXPECT_TRUE(ImagesOverlap(plain, 0, 0, 0, plain, 0, 1, 1));
    EXPECT_TRUE(ImagesOverlap(masked, 0, 0, 0, plain, 0, 0, 0));
    CloseDisplay();
    ResetDrawingTestMode();
}

} // namespace
} // namespace glimmet::test
