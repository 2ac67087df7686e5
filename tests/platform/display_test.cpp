// The display: modes, back-end choice and fallback, opening without a display, present and grab.
#include "platform/display.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <ostream>
#include <string>

#include "platform/area.h"
#include "platform/input.h"
#include "platform/sanitizer.h"
#include "support/display.h"

namespace glimmet::test {
namespace {

using DisplayModes = DisplayTest;

TEST_F(DisplayModes, DummyDriverReportsItsOneMode) {
    std::vector<DisplayMode> modes = ListDisplayModes();
    ASSERT_FALSE(modes.empty());
    EXPECT_EQ(modes[0].width, 1024);
    EXPECT_EQ(modes[0].height, 768);
    EXPECT_EQ(modes[0].depth, 32);
    EXPECT_TRUE(FullscreenModeExists(1024, 768, 32));
    EXPECT_FALSE(FullscreenModeExists(1024, 768, 16)); // right size, other depth
    EXPECT_FALSE(FullscreenModeExists(800, 600, 32));
}

TEST_F(DisplayModes, OpensWindowAndFullscreenAndClosesAgain) {
    ASSERT_TRUE(OpenDisplay(320, 200, 0, 60, "Flonder's Glimmet \xe9"));
    EXPECT_TRUE(DisplayIsOpen());
    EXPECT_EQ(Area.windowW, 320);
    EXPECT_EQ(Area.areaW, 320); // the area starts as the display
    SetWindowTitle("Glimmet \xff");
    CloseDisplay();
    EXPECT_FALSE(DisplayIsOpen());
    EXPECT_EQ(DisplayRendererName(), "");

    ASSERT_TRUE(OpenDisplay(1024, 768, 32, 60, "full"));
    EXPECT_TRUE(DisplayIsOpen());
}

TEST_F(DisplayModes, PointerHiddenBeforeTheDisplayOpensStaysHidden) {
    ShowPointer(false);
    ASSERT_TRUE(OpenDisplay(320, 200, 0, 60, "pointer"));
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    ShowPointer(true);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

struct BackendCase {
    int wanted;
    int taken; // on the dummy driver only the software renderer runs
};

void PrintTo(const BackendCase& c, std::ostream* out) {
    *out << "wanted " << c.wanted << " taken " << c.taken;
}

class BackendFallback : public DisplayTest, public testing::WithParamInterface<BackendCase> {};

TEST_P(BackendFallback, TakesTheNextBackendThatRunsAndSaysWhich) {
    SelectBackend(GetParam().wanted);
    ASSERT_TRUE(OpenDisplay(160, 120, 0, 60, "test"));
    EXPECT_EQ(DisplayBackend(), GetParam().taken);
    EXPECT_EQ(DisplayRendererName(), "software");
}

INSTANTIATE_TEST_SUITE_P(DummyDriver, BackendFallback,
                         testing::Values(BackendCase{0, 2}, BackendCase{1, 2}, BackendCase{2, 2},
                                         BackendCase{-1, 2}, BackendCase{7, 2}));

TEST(DisplayMissing, NoVideoGivesFalseAndAMessage) {
    std::string before = std::getenv("SDL_VIDEODRIVER") != nullptr ? std::getenv("SDL_VIDEODRIVER") : "";
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    testing::internal::CaptureStderr();
    bool opened = OpenDisplay(640, 480, 0, 60, "test");
    std::string message = testing::internal::GetCapturedStderr();
    std::vector<DisplayMode> modes = ListDisplayModes();
    bool fullscreen = FullscreenModeExists(1024, 768, 32);
    setenv("SDL_VIDEODRIVER", before.c_str(), 1);

    EXPECT_FALSE(opened);
    EXPECT_FALSE(DisplayIsOpen());
    EXPECT_NE(message.find("No display available"), std::string::npos) << message;
    EXPECT_TRUE(modes.empty());
    EXPECT_FALSE(fullscreen);
    // Drawing and presenting with no display are harmless.
    long presents = PresentCount();
    DrawRect(0, 0, 10, 10);
    PresentFrame(false);
    EXPECT_EQ(PresentCount(), presents + 1);
    EXPECT_EQ(GrabScreen(0, 0, 2, 2).pixels, std::vector<uint32_t>(4, 0));
}

// Without a window system SDL falls back to its offscreen driver, which would run the program with no
// window anyone sees. Unless SDL_VIDEODRIVER asks for it, that is no display: with DISPLAY unset and
// with a DISPLAY where no server answers.
TEST(DisplayMissing, NoWindowSystemIsNoDisplay) {
    std::map<std::string, std::string> kept;
    for (const char* name : {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (std::getenv(name) != nullptr) kept[name] = std::getenv(name);
        unsetenv(name);
    }
    for (const char* display : {"", ":4987"}) {
        if (*display != '\0') setenv("DISPLAY", display, 1);
        testing::internal::CaptureStderr();
        bool opened = OpenDisplay(640, 480, 0, 60, "test");
        std::string message = testing::internal::GetCapturedStderr();
        std::string driver = VideoDriverName();
        CloseDisplay();
        EXPECT_FALSE(opened && (driver == "offscreen" || driver == "dummy"))
            << "DISPLAY '" << display << "' opened on " << driver;
        if (!opened) {
            EXPECT_NE(message.find("No display available"), std::string::npos) << message;
        }
    }
    unsetenv("DISPLAY");
    for (const auto& [name, value] : kept) setenv(name.c_str(), value.c_str(), 1);
}

using FramePresent = DisplayTest;

TEST_F(FramePresent, LastFrameStaysReadableAfterPresent) {
    OpenDisplayFor(200, 150, 400, 300); // the area is twice the display
    SetColor(10, 200, 30);
    DrawRect(100, 100, 40, 20); // display pixels 50..69 x 50..59
    long presents = PresentCount();
    PresentFrame(false);
    PresentFrame(true); // with vsync (the dummy renderer cannot wait; it still presents)
    EXPECT_EQ(PresentCount(), presents + 2);

    Pixmap grab = GrabScreen(48, 48, 24, 14);
    ASSERT_EQ(grab.width, 24);
    EXPECT_TRUE(ColourNear(ReadPixel(grab, 2, 2), 10, 200, 30));   // (50, 50)
    EXPECT_TRUE(ColourNear(ReadPixel(grab, 21, 11), 10, 200, 30)); // (69, 59)
    EXPECT_TRUE(ColourNear(ReadPixel(grab, 1, 1), 0, 0, 0));       // (49, 49)
    EXPECT_TRUE(ColourNear(ReadPixel(grab, 22, 12), 0, 0, 0));     // (70, 60)
}

TEST_F(FramePresent, GrabOutsideTheFrameReadsZero) {
    OpenDisplayFor(40, 30, 40, 30);
    SetColor(255, 255, 255);
    DrawRect(0, 0, 40, 30);
    Pixmap grab = GrabScreen(35, 25, 10, 10);
    EXPECT_EQ(AlphaOf(ReadPixel(grab, 4, 4)), 255); // (39, 29) is inside
    EXPECT_EQ(ReadPixel(grab, 5, 5), 0u);           // (40, 30) is not
    EXPECT_TRUE(PixmapEmpty(GrabScreen(0, 0, 0, 5)));
}

TEST_F(FramePresent, GrabImageTakesTheFrameAndDrawsItBack) {
    OpenDisplayFor(64, 48, 64, 48);
    SetColor(0, 0, 255);
    DrawRect(0, 0, 8, 8);
    int snapshot = CreateImage(16, 16, 0);
    GrabImage(snapshot, 0, 0);
    EXPECT_TRUE(ColourNear(ImagePixel(snapshot, 0, 7, 7), 0, 0, 255));
    EXPECT_TRUE(ColourNear(ImagePixel(snapshot, 0, 8, 8), 0, 0, 0));
    ClearScreen();
    ResetPen();
    DrawImage(snapshot, 30, 30, 0);
    EXPECT_TRUE(ColourNear(PixelAt(37, 37), 0, 0, 255));
    EXPECT_TRUE(ColourNear(PixelAt(38, 38), 0, 0, 0));
}

// The accelerated back-ends, on the X display that the test script starts (skipped without one). The
// GL drivers that SDL loads are unloaded again when the display closes, and what they leave allocated
// can then no longer be told apart from a leak of ours, so they are tested in the plain build only.
class DisplayOnX : public DisplayTest, public testing::WithParamInterface<int> {
  protected:
    void TearDown() override {
        DisplayTest::TearDown();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
};

TEST_P(DisplayOnX, DrawsIntoTheReadableFrame) {
    const char* x = std::getenv("GLIMMET_E2E_DISPLAY");
    if (x == nullptr || *x == '\0') GTEST_SKIP() << "no X display for this run";
    if (UnderAddressSanitizer()) GTEST_SKIP() << "GL drivers are not checked for leaks";
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("DISPLAY", x, 1);
    SelectBackend(GetParam());
    ASSERT_TRUE(OpenDisplay(320, 240, 0, 60, "test"));
    if (VideoDriverName() != "x11")
        GTEST_SKIP() << "the video system was already started on " << VideoDriverName();
    EXPECT_EQ(DisplayBackend(), GetParam());
    EXPECT_EQ(DisplayRendererName(), BackendDrivers[GetParam()]);
    SetVirtualResolution(640, 480);
    SetColor(255, 128, 0);
    DrawRect(100, 100, 40, 20); // display pixels 50..69 x 50..59
    ResetPen();
    SetCentreHandles(true);
    Pixmap white = CreatePixmap(2, 1);
    WritePixel(white, 0, 0, Argb(255, 255, 255, 255));
    int image = ImageFromPixmap(white, ImageMasked); // the right pixel is transparent
    SetScale(10, 10);
    SetRotation(90);               // the white half now points up
    DrawImage(image, 400, 300, 0); // about display pixel (200, 150)
    PresentFrame(false);
    EXPECT_TRUE(ColourNear(PixelAt(60, 55), 255, 128, 0));
    EXPECT_TRUE(ColourNear(PixelAt(70, 60), 0, 0, 0));
    EXPECT_TRUE(ColourNear(PixelAt(200, 147), 255, 255, 255));
    EXPECT_TRUE(ColourNear(PixelAt(200, 153), 0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Accelerated, DisplayOnX, testing::Values(0, 1));

} // namespace
} // namespace glimmet::test
