#include <gtest/gtest.h>

#include "base/state.h"
#include "display/assets.h"
#include "display/graphics_mode.h"
#include "display/messages.h"
#include "platform/display.h"
#include "platform/files.h"
#include "support/screen.h"

namespace glimmet {
namespace {

// The default settings, the display in use at 800 x 600, and a request for width x height.
void Request(int width, int height) {
    SetDefaultSettings();
    DisplayW = 800;
    DisplayH = 600;
    Setting[SettingWidth] = width;
    Setting[SettingHeight] = height;
}

TEST(ModeList, KeepsUsableShapesOnceInReportedOrder) {
    Request(1280, 720);
    BuildModeList({{1920, 1080, 32, 60},
                   {1280, 1024, 32, 60}, // 5:4: never listed
                   {1920, 1080, 16, 75}, // the same size again
                   {1280, 720, 24, 60},
                   {1680, 1050, 32, 60},
                   {1366, 768, 32, 60}, // 1366 * 9 / 16 = 768
                   {1024, 768, 32, 60},
                   {1280, 720, 32, 60}});
    ASSERT_EQ(ModeCount, 5);
    const int widths[6] = {0, 1920, 1280, 1680, 1366, 1024};
    for (int i = 1; i <= 5; i++) EXPECT_EQ(ModeW[static_cast<size_t>(i)], widths[i]);
    EXPECT_EQ(Setting[SettingModeIndex], 2);
    EXPECT_EQ(DisplayW, 1280);
    EXPECT_EQ(DisplayH, 720);
}

TEST(ModeList, UnlistedRequestFallsBackToTheSizeInUse) {
    Request(1280, 1024);
    BuildModeList({{1280, 1024, 32, 60}, {1024, 768, 32, 60}});
    EXPECT_EQ(Setting[SettingWidth], 800);
    EXPECT_EQ(Setting[SettingHeight], 600);
    BuildModeList({});
    EXPECT_EQ(ModeCount, 0);
    EXPECT_EQ(Setting[SettingWidth], 800);
}

TEST(ModeList, NeverWritesPastTheTable) {
    std::vector<DisplayMode> many;
    for (int w = 4; w < 4 * 3000; w += 4) many.push_back({w, w * 3 / 4, 32, 60});
    BuildModeList(many);
    EXPECT_EQ(ModeCount, 2499);
}

TEST(DrawingArea, FollowsTheDisplayShape) {
    struct Case {
        int w, h, areaW, areaH, wide;
    };
    const Case cases[] = {{1680, 1050, 1440, 900, 1}, {1920, 1080, 1600, 900, 1}, {1366, 768, 1600, 900, 1},
                          {1024, 768, 1280, 960, 0},  {800, 600, 1280, 960, 0},   {1280, 800, 1440, 900, 1}};
    test::TempDir dir;
    for (const Case& c : cases) {
        DisplayW = c.w;
        DisplayH = c.h;
        ChooseDrawingArea();
        EXPECT_EQ(ScreenW, c.areaW) << c.w << "x" << c.h;
        EXPECT_EQ(ScreenH, c.areaH) << c.w << "x" << c.h;
        EXPECT_EQ(Setting[SettingWidescreen], c.wide) << c.w << "x" << c.h;
    }
}

class ApplyGraphicsRun : public testing::Test {
  protected:
    test::ScreenRun run;
};

// The block the display opening adds to the log, from the dashes to the closing dashes.
std::vector<std::string> Block(const std::vector<std::string>& log, size_t from) {
    auto start = std::find(log.begin() + static_cast<long>(from), log.end(), "-=-=-=-=-=-=-=-=-=-=-=-=-=-");
    auto end = std::find(start + 1, log.end(), "-=-=-=-=-=-=-=-=-=-=-=-=-=-");
    return std::vector<std::string>(start, end == log.end() ? end : end + 1);
}

TEST_F(ApplyGraphicsRun, SecondOpeningAppendsItsBlockAndPlaysNoStartupSound) {
    run.OpenScreen();
    EXPECT_EQ(AssetsLoaded, 1);
    EXPECT_FALSE(FileExists("crash.dat"));
    size_t firstLength = run.Log().size();
    run.OpenScreen();
    std::vector<std::string> second = Block(run.Log(), firstLength);
    ASSERT_GE(second.size(), 4u);
    EXPECT_EQ(second[1], "Applying Graphical Settings");
    EXPECT_EQ(second[2], "\tChanged Graphics Mode ingame.");
    EXPECT_EQ(second[3], "\tUsing OpenGL Driver");
    EXPECT_EQ(std::count(second.begin(), second.end(), "Finished Loading"), 0);
    EXPECT_EQ(CurrentDir(), run.dir.path() + "/Files/291");
    EXPECT_TRUE(DisplayIsOpen());
}

TEST_F(ApplyGraphicsRun, CrashMarkerSwitchesOpenGlToTheAlternative) {
    struct Case {
        int backend;
        int expected;
        std::string line;
    };
    const Case cases[] = {{0, 1, "\tUsing DirectX 9 Driver"},
                          {2, 2, "\tUsing DirectX 7 Driver"},
                          {1, 1, "\tUsing DirectX 9 Driver"}};
    for (const Case& c : cases) {
        WriteTextFile("crash.dat", {});
        Setting[SettingBackend] = c.backend;
        size_t before = run.Log().size();
        run.OpenScreen();
        EXPECT_EQ(Setting[SettingBackend], c.expected);
        std::vector<std::string> block = Block(run.Log(), before);
        EXPECT_NE(std::find(block.begin(), block.end(), c.line), block.end()) << c.backend;
        EXPECT_FALSE(FileExists("crash.dat"));
    }
}

TEST_F(ApplyGraphicsRun, FullscreenImpossibleOpensAWindowWithAMessage) {
    Setting[SettingFullscreen] = 1; // the dummy display has no 800 x 600 mode
    run.OpenScreen();
    EXPECT_EQ(Setting[SettingFullscreen], 1);
    auto log = run.Log();
    EXPECT_NE(std::find(log.begin(), log.end(), "\tResolution : 800x600,0"), log.end());
    ASSERT_FALSE(MessageList.empty());
    EXPECT_EQ(MessageList[0].txt, "Can't set to fullscreen in this resolution.");
    EXPECT_EQ(MessageList[0].c, 1);
}

} // namespace
} // namespace glimmet
