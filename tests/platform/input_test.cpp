// Keyboard, mouse, typed characters and the close request, driven by real SDL events: scripted ones
// and, where the script cannot express a case, events pushed into SDL's queue directly.
#include "platform/input.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>

#include "platform/area.h"
#include "platform/clock.h"
#include "platform/input_script.h"
#include "platform/keys.h"

namespace glimmet {
namespace {

class PlatformInput : public testing::Test {
  protected:
    void SetUp() override {
        ResetInput();
        PollInput(); // starts SDL's event queue, so that events pushed straight into it are kept
        SetDrawingArea(1280, 960, 1280, 960);
    }
    void TearDown() override {
        ResetInput();
        SetDrawingArea(1280, 960, 1280, 960);
    }
};

void PushRawText(const char* utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
    SDL_PushEvent(&event);
}

void PushRawKey(SDL_Scancode scancode, bool down, bool repeat) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.scancode = scancode;
    event.key.repeat = repeat ? 1 : 0;
    SDL_PushEvent(&event);
}

TEST_F(PlatformInput, KeyHeldFromPressToRelease) {
    EXPECT_FALSE(KeyDown(KeyZ));
    ASSERT_TRUE(PressKey(KeyZ, AtOnce()));
    EXPECT_TRUE(KeyDown(KeyZ));
    EXPECT_FALSE(KeyDown(KeyX));
    ASSERT_TRUE(ReleaseKey(KeyZ, AtOnce()));
    EXPECT_FALSE(KeyDown(KeyZ));
}

TEST_F(PlatformInput, HitsCountPressesSinceLastAsked) {
    PressKey(KeyReturn, AtOnce());
    ReleaseKey(KeyReturn, AtOnce());
    PressKey(KeyReturn, AtOnce());
    EXPECT_EQ(KeyHit(KeyReturn), 2);
    EXPECT_EQ(KeyHit(KeyReturn), 0);
    EXPECT_TRUE(KeyDown(KeyReturn)) << "asking for hits leaves the held state alone";
    ReleaseKey(KeyReturn, AtOnce());
    PressKey(KeyReturn, AtOnce());
    EXPECT_EQ(KeyHit(KeyReturn), 1);
}

TEST_F(PlatformInput, AutoRepeatIsNoNewHit) {
    PushRawKey(SDL_SCANCODE_BACKSPACE, true, false);
    PushRawKey(SDL_SCANCODE_BACKSPACE, true, true);
    PushRawKey(SDL_SCANCODE_BACKSPACE, true, true);
    PollInput();
    EXPECT_EQ(KeyHit(KeyBackspace), 1);
    EXPECT_TRUE(KeyDown(KeyBackspace));
}

TEST_F(PlatformInput, FlushForgetsHitsAndTypedButNotHeldKeys) {
    PressKey(KeyEscape, AtOnce());
    PressMouse(1, AtOnce());
    TypeText("ab", AtOnce());
    FlushKeys();
    EXPECT_EQ(KeyHit(KeyEscape), 0);
    EXPECT_EQ(MouseHit(1), 0);
    EXPECT_EQ(TypedChar(), 0);
    EXPECT_TRUE(KeyDown(KeyEscape));
    EXPECT_TRUE(MouseDown(1));
}

TEST_F(PlatformInput, ScriptedEventsWaitForTheirFrame) {
    long start = PresentCount();
    PressKey(KeyZ, AtFrame(start + 3));
    ReleaseKey(KeyZ, AtFrame(start + 10));
    for (long frame = start; frame < start + 12; frame++) {
        bool expected = frame >= start + 3 && frame < start + 10;
        EXPECT_EQ(KeyDown(KeyZ), expected) << "frame " << frame - start;
        CountPresent();
    }
    EXPECT_EQ(PendingScriptEvents(), 0);
}

TEST_F(PlatformInput, ScriptedEventsWaitForTheirTime) {
    int start = Millis();
    PressKey(KeySpace, AtTime(start + 100));
    AdvanceClock(99);
    EXPECT_FALSE(KeyDown(KeySpace));
    AdvanceClock(1);
    EXPECT_TRUE(KeyDown(KeySpace));
}

TEST_F(PlatformInput, WaitLoopWithoutPresentSeesTheRelease) {
    PressKey(KeyEscape, AtOnce());
    ReleaseKey(KeyEscape, AtTime(Millis() + 50));
    int waited = 0;
    while (KeyDown(KeyEscape) && waited < 1000) {
        SleepMs(1);
        waited++;
    }
    EXPECT_EQ(waited, 50);
}

TEST_F(PlatformInput, EventsDueTogetherComeInDueOrder) {
    long start = PresentCount();
    ReleaseKey(KeyZ, AtFrame(start + 2)); // queued first, due later
    PressKey(KeyZ, AtFrame(start + 1));
    CountPresent();
    CountPresent();
    EXPECT_FALSE(KeyDown(KeyZ));
    EXPECT_EQ(KeyHit(KeyZ), 1);
}

TEST_F(PlatformInput, TypedCharactersAreLatin1WithQuestionMarksBeyond) {
    TypeText("Ab\xE9", AtOnce()); // é, sent as two UTF-8 bytes
    TypeChar(0x20AC, AtOnce());   // the euro sign
    TypeChar(0x1F600, AtOnce());  // four UTF-8 bytes
    TypeChar(255, AtOnce());
    const int expected[] = {'A', 'b', 0xE9, '?', '?', 255, 0, 0};
    for (int code : expected) EXPECT_EQ(TypedChar(), code);
}

TEST_F(PlatformInput, MalformedTextBecomesQuestionMarks) {
    PushRawText("a\xFF\xC3"); // a stray byte and a cut-off sequence
    PollInput();
    EXPECT_EQ(TypedChar(), 'a');
    EXPECT_EQ(TypedChar(), '?');
    EXPECT_EQ(TypedChar(), '?');
    EXPECT_EQ(TypedChar(), 0);
}

TEST_F(PlatformInput, KeyTableRoundTrips) {
    struct Case {
        SDL_Scancode scancode;
        int code;
    };
    const Case cases[] = {
        {SDL_SCANCODE_A, 65},
        {SDL_SCANCODE_Z, 90},
        {SDL_SCANCODE_0, 48},
        {SDL_SCANCODE_9, 57},
        {SDL_SCANCODE_LEFT, 37},
        {SDL_SCANCODE_DOWN, 40},
        {SDL_SCANCODE_F1, 112},
        {SDL_SCANCODE_F12, 123},
        {SDL_SCANCODE_ESCAPE, 27},
        {SDL_SCANCODE_TAB, 9},
        {SDL_SCANCODE_RETURN, 13},
        {SDL_SCANCODE_BACKSPACE, 8},
        {SDL_SCANCODE_SPACE, 32},
        {SDL_SCANCODE_LSHIFT, 160},
        {SDL_SCANCODE_RSHIFT, 161},
        {SDL_SCANCODE_LCTRL, 162},
        {SDL_SCANCODE_RCTRL, 163},
        {SDL_SCANCODE_LALT, 164},
        {SDL_SCANCODE_RALT, 165},
        {SDL_SCANCODE_KP_0, 96},
        {SDL_SCANCODE_KP_9, 105},
        {SDL_SCANCODE_KP_MULTIPLY, 106},
        {SDL_SCANCODE_KP_DIVIDE, 111},
        {SDL_SCANCODE_SEMICOLON, 186},
        {SDL_SCANCODE_SLASH, 191},
        {SDL_SCANCODE_APOSTROPHE, 192},
        {SDL_SCANCODE_LEFTBRACKET, 219},
        {SDL_SCANCODE_BACKSLASH, 220},
        {SDL_SCANCODE_NONUSHASH, 222},
        {SDL_SCANCODE_GRAVE, 223},
        {SDL_SCANCODE_NONUSBACKSLASH, 226},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyOfScancode(c.scancode), c.code) << SDL_GetScancodeName(c.scancode);
        EXPECT_EQ(ScancodeOfVirtualKey(c.code), c.scancode) << c.code;
    }
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_KP_ENTER), 13);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(VirtualKeyOfScancode(-5), 0);
    EXPECT_EQ(VirtualKeyOfScancode(SDL_NUM_SCANCODES), 0);
    EXPECT_FALSE(PressKey(16, AtOnce())) << "no key has the generic shift code";
}

TEST_F(PlatformInput, MouseButtonsAreNotKeys) {
    PressMouse(1, AtOnce());
    PressMouse(2, AtOnce());
    EXPECT_TRUE(MouseDown(1));
    EXPECT_TRUE(MouseDown(2));
    EXPECT_FALSE(MouseDown(3));
    for (int code = 0; code <= 3; code++) EXPECT_FALSE(KeyDown(code));
    EXPECT_EQ(MouseHit(2), 1);
    EXPECT_EQ(MouseHit(2), 0);
    ReleaseMouse(2, AtOnce());
    EXPECT_FALSE(MouseDown(2));
    EXPECT_FALSE(MouseDown(0));
    EXPECT_FALSE(MouseDown(4));
}

TEST_F(PlatformInput, MousePositionGoesThroughTheDrawingArea) {
    SetDrawingArea(1280, 960, 640, 480);
    MoveMouseTo(200, 100, AtOnce());
    EXPECT_FLOAT_EQ(MouseX(), 200);
    EXPECT_FLOAT_EQ(MouseY(), 100);
    EXPECT_EQ(MouseWindowX(), 100);
    EXPECT_EQ(MouseWindowY(), 50);

    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = 320;
    event.motion.y = 240;
    SDL_PushEvent(&event);
    PollInput();
    EXPECT_FLOAT_EQ(MouseX(), 640);
    EXPECT_FLOAT_EQ(MouseY(), 480);

    MoveMouse(1280, 960); // no window: the position is still taken
    EXPECT_FLOAT_EQ(MouseX(), 1280);
    EXPECT_EQ(MouseWindowY(), 480);
}

TEST_F(PlatformInput, CloseRequestComesFromTheWindowOrSdlQuit) {
    long start = PresentCount();
    RequestClose(AtFrame(start + 1));
    EXPECT_FALSE(CloseRequested());
    CountPresent();
    EXPECT_TRUE(CloseRequested());
    EXPECT_TRUE(CloseRequested()) << "the request stays";

    ResetInput();
    EXPECT_FALSE(CloseRequested());
    SDL_Event quit{};
    quit.type = SDL_QUIT; // what SIGTERM and SIGINT become
    SDL_PushEvent(&quit);
    PollInput();
    EXPECT_TRUE(CloseRequested());
}

TEST_F(PlatformInput, LosingTheFocusReleasesEverything) {
    PressKey(KeyLeftAlt, AtOnce());
    PressMouse(1, AtOnce());
    EXPECT_TRUE(KeyDown(KeyLeftAlt));
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&event);
    PollInput();
    EXPECT_FALSE(KeyDown(KeyLeftAlt));
    EXPECT_FALSE(MouseDown(1));
}

// With a window open (as in the game), typed text still arrives and moving the pointer warps it in
// that window.
TEST_F(PlatformInput, WorksWithAWindowOpen) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("input test", 0, 0, 640, 480, 0);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SetDrawingArea(1280, 960, 640, 480);
    PollInput(); // takes the window's own events
    TypeText("ok", AtOnce());
    EXPECT_EQ(TypedChar(), 'o');
    EXPECT_EQ(TypedChar(), 'k');
    MoveMouse(640, 480);
    PollInput();
    EXPECT_FLOAT_EQ(MouseX(), 640);
    EXPECT_EQ(MouseWindowX(), 320);
    EXPECT_EQ(MouseWindowY(), 240);
    ShowPointer(false);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    ShowPointer(true);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST_F(PlatformInput, PointerVisibilityIsKept) {
    ShowPointer(false);
    EXPECT_FALSE(PointerShown());
    ShowPointer(true);
    EXPECT_TRUE(PointerShown());
}

} // namespace
} // namespace glimmet
