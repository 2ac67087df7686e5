// The game data made by the build: every file the game loads is there, with the sizes and frame
// counts it cuts them into, the mask rule kept, the frames it names drawn, sounds that are clean, and
// the same bytes when the tools run again.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "image.h"
#include "sound.h"
#include "support/temp_dir.h"

namespace glimmet {
namespace {

using tools::Image;

const std::string Files = GLIMMET_RUN_DIR "/Files";

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

Image Picture(const std::string& name) {
    Image img;
    EXPECT_TRUE(tools::ReadPng(Files + "/" + name, img)) << name;
    return img;
}

// Opaque pixels of frame k in a strip of fw x fh frames.
int Opaque(const Image& img, int k, int fw, int fh) {
    int across = img.w / fw, n = 0;
    for (int y = 0; y < fh; ++y)
        for (int x = 0; x < fw; ++x)
            if (tools::PixelAt(img, (k % across) * fw + x, (k / across) * fh + y) != 0) ++n;
    return n;
}

double Brightness(const Image& img, int k, int fw, int fh) {
    int across = img.w / fw, n = 0;
    double sum = 0;
    for (int y = 0; y < fh; ++y)
        for (int x = 0; x < fw; ++x) {
            uint32_t c = tools::PixelAt(img, (k % across) * fw + x, (k / across) * fh + y);
            if (c == 0) continue;
            sum += 0.3 * RedOf(c) + 0.59 * GreenOf(c) + 0.11 * BlueOf(c);
            ++n;
        }
    return n ? sum / n : 0;
}

struct Strip {
    const char* name;
    int w, h, fw, fh, frames;
};

const Strip Strips[] = {
    {"Common/icons.png", 128, 128, 16, 16, 64}, {"291/gfx.png", 320, 320, 32, 32, 100},
    {"291/menu.png", 256, 64, 64, 64, 4},       {"291/badges.png", 256, 256, 64, 64, 16},
    {"291/wall.png", 512, 512, 512, 512, 1},    {"Common/logo.png", 0, 0, 0, 0, 1},
    {"Common/Brindle.png", 0, 0, 0, 0, 1},      {"291/logo.png", 0, 0, 0, 0, 1},
};

TEST(GameData, PicturesHaveTheirSizesAndFrameCounts) {
    for (const Strip& s : Strips) {
        Image img = Picture(s.name);
        ASSERT_GT(img.w, 0) << s.name;
        if (s.fw == 0) { // a single picture of any size
            EXPECT_GT(Opaque(img, 0, img.w, img.h), img.w * img.h / 20) << s.name;
            continue;
        }
        EXPECT_EQ(img.w, s.w) << s.name;
        EXPECT_EQ(img.h, s.h) << s.name;
        EXPECT_EQ((img.w / s.fw) * (img.h / s.fh), s.frames) << s.name;
    }
    Image lev = Picture("291/lev.png");
    EXPECT_EQ(lev.w, 512);
    EXPECT_EQ(lev.h, 512);
}

// Black is the mask colour: transparent pixels are black and nothing opaque is.
TEST(GameData, MaskColourIsExactlyTheTransparentPixels) {
    for (const Strip& s : Strips) {
        Image img = Picture(s.name);
        ASSERT_EQ(img.alpha.size(), img.px.size()) << s.name;
        size_t bad = 0;
        for (size_t i = 0; i < img.px.size(); ++i)
            if ((img.alpha[i] == 0) != (img.px[i] == 0) || (img.alpha[i] != 0 && img.alpha[i] != 255)) ++bad;
        EXPECT_EQ(bad, 0u) << s.name;
    }
    Image wall = Picture("291/wall.png");
    EXPECT_EQ(std::count(wall.px.begin(), wall.px.end(), 0u), 0) << "the backdrop has no holes";
}

TEST(GameData, EveryNamedFrameIsDrawn) {
    Image icons = Picture("Common/icons.png");
    for (int k : {0, 3, 7, 8, 9, 10, 11, 12, 13, 14, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 63})
        EXPECT_GT(Opaque(icons, k, 16, 16), 20) << "icon " << k;
    Image gfx = Picture("291/gfx.png");
    for (int k : {0, 1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 30, 31, 32, 33})
        EXPECT_GT(Opaque(gfx, k, 32, 32), 60) << "tile " << k;
    Image badges = Picture("291/badges.png");
    for (int k = 0; k < 16; ++k) EXPECT_GT(Opaque(badges, k, 64, 64), 1000) << "badge " << k;
    Image menu = Picture("291/menu.png");
    for (int k = 0; k < 3; ++k) EXPECT_GT(Opaque(menu, k, 64, 64), 400) << "menu layer " << k;
}

TEST(GameData, FramesFitTheirUse) {
    Image icons = Picture("Common/icons.png");
    // The pointer's tip is the frame's top-left corner.
    EXPECT_NE(tools::PixelAt(icons, 7 * 16, 7 * 16), 0u);
    Image gfx = Picture("291/gfx.png");
    auto at = [&gfx](int k, int x, int y) {
        return tools::PixelAt(gfx, (k % 10) * 32 + x, (k / 10) * 32 + y);
    };
    // The player's feet reach the frame's bottom row, so standing on a ledge touches it.
    for (int k : {0, 6, 10, 11, 12, 13}) {
        int feet = 0;
        for (int x = 0; x < 32; ++x) feet += at(k, x, 31) != 0;
        EXPECT_GE(feet, 2) << "player frame " << k;
    }
    // Wall and ledge fill their cell; a lit ledge is clearly brighter than an unlit one.
    EXPECT_EQ(Opaque(gfx, 20, 32, 32), 32 * 32);
    EXPECT_EQ(Opaque(gfx, 21, 32, 32), 32 * 32);
    EXPECT_GT(Brightness(gfx, 20, 32, 32), Brightness(gfx, 21, 32, 32) + 60);
    // The shield is a bubble: clear in the middle, so the player shows through it.
    EXPECT_EQ(at(31, 16, 16), 0u);
    EXPECT_LT(Opaque(gfx, 31, 32, 32), 32 * 32 / 3);
    // The four glimmet looks differ.
    for (int a = 14; a <= 17; ++a)
        for (int b = a + 1; b <= 17; ++b) {
            int diff = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) diff += at(a, x, y) != at(b, x, y);
            EXPECT_GT(diff, 50) << a << " and " << b;
        }
}

// The backdrop repeats: the step across the seam is no larger than a step inside the picture.
TEST(GameData, BackdropRepeatsWithoutSeams) {
    Image wall = Picture("291/wall.png");
    ASSERT_EQ(wall.w, 512);
    auto step = [&wall](int x0, int y0, int x1, int y1) {
        double sum = 0;
        for (int i = 0; i < 512; ++i) {
            uint32_t a = tools::PixelAt(wall, x0 < 0 ? i : x0, y0 < 0 ? i : y0);
            uint32_t b = tools::PixelAt(wall, x1 < 0 ? i : x1, y1 < 0 ? i : y1);
            sum += std::abs(RedOf(a) - RedOf(b)) +
                   std::abs(GreenOf(a) - GreenOf(b)) +
                   std::abs(BlueOf(a) - BlueOf(b));
        }
        return sum / 512;
    };
    double inside = (step(255, -1, 256, -1) + step(-1, 255, -1, 256) + step(100, -1, 101, -1)) / 3;
    EXPECT_LT(step(511, -1, 0, -1), 2.5 * inside + 4);
    EXPECT_LT(step(-1, 511, -1, 0), 2.5 * inside + 4);
}

struct SoundFile {
    const char* name;
    double minSeconds, maxSeconds;
};

TEST(GameData, SoundsAreShortCleanMonoPcm) {
    std::vector<SoundFile> sounds = {
        {"291/001.wav", 0.1, 1},    {"291/002.wav", 0.1, 1},    {"291/003.wav", 0.1, 1},
        {"291/004.wav", 0.1, 1},    {"291/005.wav", 0.1, 1},    {"291/006.wav", 0.05, 0.5},
        {"291/098.wav", 0.03, 0.5}, {"291/099.wav", 0.03, 0.5}, {"Common/badgeget.wav", 0.3, 2}};
    std::vector<std::string> names;
    for (int kit = 1; kit <= 4; ++kit)
        for (int n = 1; n <= 8; ++n)
            names.push_back("291/music/d" + std::to_string(kit) + "-" + std::to_string(n) + ".wav");
    for (const char* kind : {"bass", "lead", "accompany"})
        for (const char* v : {"01", "02"}) names.push_back(std::string("291/music/") + kind + v + ".wav");
    for (const std::string& n : names) sounds.push_back({n.c_str(), 0.02, 2});
    std::vector<tools::Wave> events;
    for (const SoundFile& s : sounds) {
        tools::Wave w;
        int rate = 0;
        ASSERT_TRUE(tools::ReadWav(Files + "/" + s.name, w, rate)) << s.name;
        EXPECT_EQ(rate, tools::SampleRate) << s.name;
        double seconds = static_cast<double>(w.size()) / rate;
        EXPECT_GE(seconds, s.minSeconds) << s.name;
        EXPECT_LE(seconds, s.maxSeconds) << s.name;
        float peak = 0;
        for (float v : w) peak = std::max(peak, std::fabs(v));
        EXPECT_GT(peak, 0.3f) << s.name;
        EXPECT_LT(peak, 0.99f) << s.name << " clips";
        // Faded edges: no click at the start or the end.
        EXPECT_LT(std::fabs(w.front()), 0.01f) << s.name;
        EXPECT_LT(std::fabs(w.back()), 0.01f) << s.name;
        if (events.size() < 6) events.push_back(w);
    }
    for (size_t a = 0; a < events.size(); ++a)
        for (size_t b = a + 1; b < events.size(); ++b)
            EXPECT_NE(events[a], events[b]) << a + 1 << " and " << b + 1;
}

TEST(GameData, PatternFileHasEverySection) {
    std::string text = Slurp(Files + "/291/music/demo.ini");
    for (const char* header : {"[DRUMS]", "[CHORDS]", "[BASS]", "[MELODY]", "[ACCOMPANY]"})
        EXPECT_NE(text.find(header), std::string::npos) << header;
    std::istringstream lines(text);
    int quoted = 0;
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line[0] == '"') ++quoted;
    EXPECT_GE(quoted, 5);
}

TEST(GameData, FontsAreCopiedWithTheirLicences) {
    std::string credits = Slurp(Files + "/Common/credits.txt");
    for (const char* name : {"SVBasicManual", "November", "Blue Highway", "Acknowledge TT BRK"}) {
        std::string font = Slurp(Files + "/Common/" + name + ".ttf");
        ASSERT_GT(font.size(), 10000u) << name;
        std::string magic = font.substr(0, 4);
        EXPECT_TRUE(magic == std::string("\0\1\0\0", 4) || magic == "OTTO" || magic == "true") << name;
        std::string licence = Slurp(Files + "/Common/" + std::string(name) + " licence.txt");
        EXPECT_NE(licence.find("Copyright"), std::string::npos) << name;
        EXPECT_NE(credits.find(std::string(name) + ".ttf"), std::string::npos) << name;
    }
    // Four different faces, not one file four times.
    EXPECT_NE(Slurp(Files + "/Common/SVBasicManual.ttf"), Slurp(Files + "/Common/November.ttf"));
    EXPECT_NE(Slurp(Files + "/Common/Blue Highway.ttf"), Slurp(Files + "/Common/Acknowledge TT BRK.ttf"));
}

// Running the tools again gives the same bytes.
TEST(GameData, ToolsAreDeterministic) {
    test::TempDir dir;
    const std::string tools = GLIMMET_TOOLS_DIR;
    std::string cmd = "\"" + tools + "/make_pictures\" again/Common again/291 && \"" + tools +
                      "/make_sounds\" again/Common again/291 && \"" + tools +
                      "/make_level\" \"" GLIMMET_TOOLS_SOURCE "/level/arena.txt\" again/291/lev.png";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    for (const char* name :
         {"Common/icons.png", "Common/logo.png", "Common/Brindle.png", "Common/badgeget.wav", "291/gfx.png",
          "291/menu.png", "291/wall.png", "291/badges.png", "291/logo.png", "291/lev.png", "291/002.wav",
          "291/music/d3-2.wav", "291/music/demo.ini"}) {
        std::string made = Slurp(Files + "/" + name);
        EXPECT_FALSE(made.empty()) << name;
        EXPECT_TRUE(made == Slurp(std::string("again/") + name)) << name;
    }
}

} // namespace
} // namespace glimmet
