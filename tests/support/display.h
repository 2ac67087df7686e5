#pragma once
// Shared set-up for tests that draw: a software display on SDL's dummy video driver, a clean drawing
// state and test mode, and a few pixel helpers.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/display.h"
#include "platform/draw.h"
#include "platform/draw_log.h"
#include "platform/font.h"
#include "platform/image.h"
#include "platform/pixmap.h"

namespace glimmet::test {

inline void ResetDrawingTestMode() {
    RecordDraws(false);
    SkipRasterising(false);
    SetImageDrawCost(0);
    SetCentreHandles(false);
    ResetPen();
    SetFont(0);
}

// A test with an open window of displayW x displayH showing a drawing area of areaW x areaH.
class DisplayTest : public testing::Test {
  protected:
    void OpenDisplayFor(int displayW, int displayH, int areaW, int areaH) {
        SelectBackend(2);
        ASSERT_TRUE(OpenDisplay(displayW, displayH, 0, 60, "test"));
        SetVirtualResolution(areaW, areaH);
    }
    void SetUp() override { ResetDrawingTestMode(); }
    void TearDown() override {
        CloseDisplay();
        ResetDrawingTestMode();
        SelectBackend(-1);
    }
};

// The colour of one display pixel of the frame drawn so far.
inline uint32_t PixelAt(int x, int y) {
    return ReadPixel(GrabScreen(x, y, 1, 1), 0, 0);
}

inline std::string Rgb(uint32_t argb) {
    return std::to_string(RedOf(argb)) + "," + std::to_string(GreenOf(argb)) + "," +
           std::to_string(BlueOf(argb));
}

// Whether the pixel is within tolerance of (r, g, b) on every channel.
inline testing::AssertionResult ColourNear(uint32_t argb, int r, int g, int b, int tolerance = 2) {
    if (std::abs(RedOf(argb) - r) <= tolerance && std::abs(GreenOf(argb) - g) <= tolerance &&
        std::abs(BlueOf(argb) - b) <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "pixel is " << Rgb(argb) << ", expected " << r << "," << g << "," << b;
}

inline std::string Fixture(const std::string& name) {
    return std::string(GLIMMET_FIXTURES) + "/" + name;
}

} // namespace glimmet::test
