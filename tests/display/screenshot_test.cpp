#include <gtest/gtest.h>

#include "base/state.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/messages.h"
#include "display/screenshot.h"
#include "display/toolkit.h"
#include "platform/clock.h"
#include "platform/draw.h"
#include "platform/draw_log.h"
#include "platform/files.h"
#include "platform/input_script.h"
#include "platform/keys.h"
#include "platform/pixmap.h"
#include "support/screen.h"

namespace glimmet {
namespace {

TEST(CleanFileName, RemovesTheTwelveCharacters) {
    EXPECT_EQ(CleanFileName("Flonder's Glimmet (Screenshot_10 Dec 2025_14:05:09)"),
              "Flonders Glimmet (Screenshot_10 Dec 2025_140509)");
    EXPECT_EQ(CleanFileName("a.b/c\\d"), "abcd");
    EXPECT_EQ(CleanFileName("#',`.\\/:|*?\""), "");
    EXPECT_EQ(CleanFileName(""), "");
    EXPECT_EQ(CleanFileName("keep (these) - _ !"), "keep (these) - _ !");
}

class Screenshot : public testing::Test {
  protected:
    void SetUp() override {
        SkipRasterising(false);
        run.OpenScreen();
        SetLocalDateTime("10 Dec 2025", "14:05:09");
    }
    void TearDown() override { SetLocalDateTime("", ""); }
    test::ScreenRun run;
};

TEST_F(Screenshot, F11SavesTheFrameAsDrawnInTheFilesFolder) {
    BeginFrame(1);
    SetCol(0, 200, 100, 1);
    DrawRect(0, 0, 640, 480); // the top-left quarter of the area: 400 x 300 display pixels
    PressKey(KeyF11, AtOnce());
    ShowFrame(0);
    const std::string name = run.FilesPath() + "/Flonders Glimmet (Screenshot_10 Dec 2025_140509).png";
    ASSERT_TRUE(FileExists(name));
    Pixmap shot = LoadPixmap(name);
    ASSERT_EQ(shot.width, 800);
    ASSERT_EQ(shot.height, 600);
    EXPECT_EQ(ReadPixel(shot, 10, 10), Argb(255, 0, 200, 100));
    EXPECT_EQ(ReadPixel(shot, 790, 590), Argb(255, 0, 0, 0)); // opaque black, not transparent
    EXPECT_EQ(CurrentDir(), run.dir.path() + "/Files/291");
    ASSERT_FALSE(MessageList.empty());
    EXPECT_EQ(MessageList.back().txt, "Saved Screenshot");
    std::vector<std::string> log = run.Log();
    auto at = std::find(log.begin(), log.end(), "\tScreenshot");
    ASSERT_NE(at, log.end());
    const std::vector<std::string> expected = {
        "\tScreenshot", "\tGrabbing Screenshot",
        "\tSaving Screenshot : Flonders Glimmet (Screenshot_10 Dec 2025_140509).png", "\tSaved Screenshot 1",
        ""};
    EXPECT_EQ(std::vector<std::string>(at, at + 5), expected);
}

TEST_F(Screenshot, HitDuringASkippedFrameIsTakenAtTheNextPresentedOne) {
    Setting[SettingFrameskip] = 1;
    SkipDraw = 1;
    PressKey(KeyF11, AtOnce());
    ShowFrame(0);
    EXPECT_TRUE(MessageList.empty());
    ShowFrame(0);
    ASSERT_FALSE(MessageList.empty());
}

TEST_F(Screenshot, FailedWriteIsLoggedAndTheGameGoesOn) {
    test::MakeFolder(run.FilesPath() + "/Flonders Glimmet (Screenshot_10 Dec 2025_140509).png");
    TakeScreenshot();
    std::vector<std::string> log = run.Log();
    EXPECT_NE(std::find(log.begin(), log.end(), "\tSaved Screenshot 0"), log.end());
    EXPECT_EQ(MessageList.back().txt, "Saved Screenshot");
    EXPECT_EQ(CurrentDir(), run.dir.path() + "/Files/291");
}

} // namespace
} // namespace glimmet
