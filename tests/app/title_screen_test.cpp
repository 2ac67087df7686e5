// The title screen driven frame by frame with scripted input on the virtual clock, read back from the
// draw log: the slide-in, starting a game and its latches, the page keys, and the about page.
#include "app/title_screen.h"

#include <gtest/gtest.h>

#include "audio/sound_effects.h"
#include "base/state.h"
#include "display/assets.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "game/game_loop.h"
#include "input/controls.h"
#include "input/settings_panel.h"
#include "platform/audio.h"
#include "platform/draw_log.h"
#include "platform/font.h"
#include "platform/input.h"
#include "platform/input_script.h"
#include "platform/keys.h"
#include "support/display.h"
#include "support/screen.h"
#include "support/wav.h"

namespace glimmet {
namespace {

using namespace test;

class Title : public testing::Test {
  protected:
    void OpenAt(int width, int height) {
        Setting[SettingWidth] = width;
        Setting[SettingHeight] = height;
        run.OpenScreen();
        WriteBytes("098.wav", Wav(22050, 1, 16, 2000));
        SfxSound[98] = LoadSound("098.wav");
        RecordDraws(true);
    }
    // The title screen's rules are checked with a game that ends at once; the game has its own tests.
    void SetUp() override {
        OpenAt(800, 600);
        GameToPlay = [] { Starts++; };
        Starts = 0;
    }
    void TearDown() override {
        RecordDraws(false);
        GameToPlay = PlayGame;
    }
    static inline int Starts = 0;

    // Runs the title screen until Escape, which is pressed once frame `frame` is presented and held:
    // the screen sees it at the end of that frame and leaves. (A key scripted for frame n is seen from
    // the end of frame n on, so the start decision of frame n + 1 is the first to see it.)
    void RunUntilEscapeAt(long frame) {
        PressKey(KeyEscape, AtFrame(FrameMark() + frame));
        TitleScreen();
    }

    // The panel's left edge, one entry per frame drawn: its dark background is the only rectangle that
    // starts at y 5 and runs down to 5 above the bottom.
    static std::vector<float> PanelXs() {
        std::vector<float> xs;
        for (const DrawRecord& d : DrawsOfKind(DrawKind::Rect))
            if (d.y == 5 && d.h == static_cast<float>(ScreenH - 10)) xs.push_back(d.x);
        return xs;
    }
    static int PanelWidth() { return DisplayW >= 900 ? 335 : 415; }
    static float RestingX() { return static_cast<float>(ScreenW - PanelWidth() - 5); }

    // Frames whose panel starts the slide-in again: the first frame and the first after each game.
    static std::vector<size_t> SlideStarts() {
        std::vector<size_t> starts;
        std::vector<float> xs = PanelXs();
        for (size_t i = 0; i < xs.size(); i++)
            if (xs[i] == RestingX() + 775) starts.push_back(i + 1);
        return starts;
    }

    ScreenRun run;
};

TEST_F(Title, PanelAndArtSlideInOverThirtyTwoFrames) {
    float my = static_cast<float>(ScreenH - MouseWindowY());
    RunUntilEscapeAt(40);
    std::vector<float> xs = PanelXs();
    ASSERT_GE(xs.size(), 40u);
    EXPECT_EQ(ScreenW - 415 - 5, RestingX());
    EXPECT_EQ(xs[0], RestingX() + 775);
    EXPECT_EQ(xs[30], RestingX() + 25);
    EXPECT_EQ(xs[31], RestingX());
    EXPECT_EQ(xs[39], RestingX());
    // The first art layer starts 50 x 32 units above its place.
    const DrawRecord* art = nullptr;
    for (const DrawRecord& d : DrawLog)
        if (d.kind == DrawKind::Image && d.scaleX == 24) {
            art = &d;
            break;
        }
    ASSERT_NE(art, nullptr);
    EXPECT_EQ(art->y, static_cast<int>(my / 150 + ScreenH / 2.0 - 32 * 24 - 50 * 32));
}

TEST_F(Title, NarrowerPanelOnALargerDisplay) {
    CloseDisplay();
    OpenAt(1024, 768);
    RunUntilEscapeAt(33);
    ASSERT_EQ(DisplayW, 1024);
    EXPECT_EQ(PanelXs().back(), static_cast<float>(ScreenW - 335 - 5));
}

TEST_F(Title, StartHeldAtEntryStartsOnTheSecondFrameThenWaitsForARelease) {
    PressKey(KeyReturn, AtOnce());
    ReleaseKey(KeyReturn, AtFrame(FrameMark() + 6));
    PressKey(KeyReturn, AtFrame(FrameMark() + 8));
    RunUntilEscapeAt(12);
    // The game starts in frame 2 (the slide-in restarts in frame 3); Return still held after it starts
    // nothing; released and pressed again (seen from frame 9 on), it starts the next game in frame 10.
    EXPECT_EQ(SlideStarts(), (std::vector<size_t>{1, 3, 11}));
    EXPECT_EQ(Starts, 2);
    EXPECT_EQ(PlayState, 0);
}

TEST_F(Title, PlayerControlsStartButUpAndDownOnlyChangeTheMode) {
    PressKey(KeyZ, AtFrame(FrameMark() + 2));
    ReleaseKey(KeyZ, AtFrame(FrameMark() + 3));
    PressKey(KeyArrowUp, AtFrame(FrameMark() + 6));
    ReleaseKey(KeyArrowUp, AtFrame(FrameMark() + 9));
    int sounds = NextSfxSlot;
    RunUntilEscapeAt(12);
    EXPECT_EQ(SlideStarts(), (std::vector<size_t>{1, 5})); // Z seen from frame 3, the game in frame 4
    EXPECT_EQ(CurrentMode, 0);
    EXPECT_EQ(NextSfxSlot - sounds, 2) << "the start sound and the mode sound";
}

TEST_F(Title, NothingStartsWhileTheSettingsPanelIsDown) {
    SettingsOpen = 1;
    PanelY = 20;
    PressKey(KeyReturn, AtOnce());
    RunUntilEscapeAt(8);
    EXPECT_EQ(SlideStarts(), (std::vector<size_t>{1}));
}

TEST_F(Title, EscapeHeldWhenAGameEndsDoesNotQuit) {
    PressKey(KeyReturn, AtOnce());
    PressKey(KeyEscape, AtFrame(FrameMark() + 2)); // seen at the end of frame 2, whose game just ended
    ReleaseKey(KeyEscape, AtFrame(FrameMark() + 5));
    RunUntilEscapeAt(8);
    EXPECT_EQ(FramesSinceMark(), 8);
}

TEST_F(Title, PageKeysPlayOnceAndTheOnlinePageIsNotOffered) {
    int sounds = NextSfxSlot;
    Hold(KeyDigit1, 2, 20); // many frames: one page sound
    Hold(KeyDigit2, 22, 25);
    Hold(KeyF2, 27, 30);
    RunUntilEscapeAt(34);
    EXPECT_EQ(NextSfxSlot - sounds, 1);
    EXPECT_FALSE(TextDrawn("2.Online"));
    EXPECT_FALSE(TextDrawn("Online"));
    EXPECT_TRUE(TextDrawn("1.Hiscore"));
    EXPECT_TRUE(TextDrawn("Hiscores"));
}

TEST_F(Title, ThreeShowsTheAboutPage) {
    Hold(KeyDigit3, 2, 5);
    RunUntilEscapeAt(8);
    EXPECT_TRUE(TextDrawn("About"));
    EXPECT_TRUE(TextDrawn("Don't touch the Spikey things!"));
    EXPECT_EQ(BackTintTarget, (std::array<float, 3>{0.0f, 0.2f, 1.0f}));
}

TEST_F(Title, StartPromptNamesTheBoundKey) {
    KeyBind[10] = 0;
    RunUntilEscapeAt(2);
    EXPECT_TRUE(TextDrawn("Press Start (None) To Begin"));
}

// Every about line fits inside the panel, in the face and size the page draws it in at 800 x 600
// (the small-display face, 1280-wide area, panel 415) and at 1920 x 1080 (1600-wide area, panel 335).
using AboutPage = DisplayTest;

TEST_F(AboutPage, EveryLineFitsInsideThePanel) {
    struct Case {
        const char* font;
        double size;
        int panel;
    };
    const Case cases[] = {{"SVBasicManual.ttf", 18 * 1.2, 415}, {"November.ttf", 18, 335}};
    OpenDisplayFor(800, 600, 1280, 960);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.font);
        FillAboutLines();
        ASSERT_EQ(AboutCount, 32);
        int font = LoadFont(std::string(GLIMMET_RUN_DIR) + "/Files/Common/" + c.font,
                            static_cast<int>(c.size), true);
        ASSERT_FALSE(FontIsFallback(font));
        SetFont(font);
        ASSERT_GT(TextWidth("Credits"), 20);
        for (int k = 1; k < AboutCount; k++)
            EXPECT_LE(TextWidth(AboutLines[k]), c.panel - 10) << AboutLines[k];
    }
}

} // namespace
} // namespace glimmet
