// Pixmaps: PNG load, pixels, and saving at a zlib level.
#include "platform/pixmap.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "support/display.h"
#include "support/temp_dir.h"

namespace glimmet::test {
namespace {

// Every alpha and colour channel takes many values, so a swapped channel or a lost alpha shows.
Pixmap Gradient(int width, int height) {
    Pixmap p = CreatePixmap(width, height);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            WritePixel(p, x, y, Argb(x * 16 + 15, y * 20, x * 7 + y, 255 - x * 3));
    return p;
}

TEST(PixmapPng, SaveThenLoadGivesTheSamePixels) {
    TempDir dir;
    Pixmap original = Gradient(16, 12);
    for (int level : {0, 6, 9}) {
        std::string name = "shot" + std::to_string(level) + ".png";
        ASSERT_TRUE(SavePixmapPng(original, name, level));
        Pixmap loaded = LoadPixmap(name);
        EXPECT_EQ(loaded.width, 16);
        EXPECT_EQ(loaded.height, 12);
        EXPECT_EQ(loaded.pixels, original.pixels) << "level " << level;
    }
}

TEST(PixmapPng, HigherLevelWritesASmallerFile) {
    TempDir dir;
    Pixmap flat = CreatePixmap(200, 200);
    for (uint32_t& p : flat.pixels) p = Argb(255, 30, 60, 90);
    ASSERT_TRUE(SavePixmapPng(flat, "store.png", 0));
    ASSERT_TRUE(SavePixmapPng(flat, "packed.png", 9));
    EXPECT_LT(ReadBytes("packed.png").size() * 10, ReadBytes("store.png").size());
}

TEST(PixmapPng, LoadsAFileMadeElsewhere) {
    Pixmap p = LoadPixmap(Fixture("alpha_2x1.png"));
    ASSERT_EQ(p.width, 2);
    EXPECT_EQ(ReadPixel(p, 0, 0), Argb(255, 10, 20, 30));
    EXPECT_EQ(ReadPixel(p, 1, 0), Argb(128, 200, 100, 50));
    Pixmap rgb = LoadPixmap(Fixture("strip_2x2.png"));
    ASSERT_EQ(rgb.width, 8);
    EXPECT_EQ(ReadPixel(rgb, 7, 0), Argb(255, 0, 255, 0)); // no alpha in the file: opaque
}

TEST(PixmapPng, FailuresGiveEmptyPixmapsOrFalse) {
    TempDir dir;
    WriteBytes("bad.png", "\x89PNG\r\n\x1a\n garbage");
    EXPECT_TRUE(PixmapEmpty(LoadPixmap("bad.png")));
    EXPECT_TRUE(PixmapEmpty(LoadPixmap("missing.png")));
    EXPECT_TRUE(PixmapEmpty(LoadPixmap(".")));
    EXPECT_FALSE(SavePixmapPng(Gradient(2, 2), "no/such/folder/x.png", 9));
    EXPECT_FALSE(SavePixmapPng(Pixmap{}, "empty.png", 9));
    EXPECT_FALSE(FileExists("empty.png"));
}

TEST(PixmapPixels, ReadAndWriteInsideOnly) {
    Pixmap p = CreatePixmap(3, 2);
    ASSERT_EQ(p.pixels.size(), 6u);
    WritePixel(p, 2, 1, 0xFF123456u);
    WritePixel(p, 3, 1, 0xFFFFFFFFu); // outside: ignored
    WritePixel(p, -1, 0, 0xFFFFFFFFu);
    EXPECT_EQ(ReadPixel(p, 2, 1), 0xFF123456u);
    EXPECT_EQ(ReadPixel(p, 0, 0), 0u);
    EXPECT_EQ(ReadPixel(p, 0, 2), 0u);
    EXPECT_EQ(RedOf(0xFF123456u), 0x12);
    EXPECT_EQ(GreenOf(0xFF123456u), 0x34);
    EXPECT_EQ(BlueOf(0xFF123456u), 0x56);
    EXPECT_TRUE(PixmapEmpty(CreatePixmap(0, 4)));
    EXPECT_TRUE(PixmapEmpty(CreatePixmap(-3, 4)));
}

} // namespace
} // namespace glimmet::test
