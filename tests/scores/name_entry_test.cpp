// The editing step on its own, and the name entry screen driven by typed text and keys.
#include "scores/name_entry.h"

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/draw_log.h"
#include "platform/input.h"
#include "platform/input_script.h"
#include "platform/keys.h"
#include "scores/score_file.h"
#include "support/screen.h"

namespace glimmet {
namespace {

using namespace test;

class NameEntry : public ScreenTest {
  protected:
    void TearDown() override { PlayerName = "Player"; }
};

TEST_F(NameEntry, EditLineTypesAndBacksSpace) {
    struct Case {
        const char* text;
        int typed;      // 0: nothing typed
        bool backspace; // Backspace hit
        const char* result;
    };
    const Case cases[] = {
        {"Bo", 'b', false, "Bob"},     {"A", 0, true, ""},           {"", 0, true, ""},
        {"Player", 0, true, "Playe"},  {"Ab", 7, false, "Ab"},       {"x", '|', false, "x|"},
        {"Ab", 0xE9, false, "Ab\xE9"}, {"Ab", 0x263A, false, "Ab?"}, // above 255: stored as "?"
    };
    for (const Case& c : cases) {
        FlushKeys();
        if (c.typed != 0) TypeChar(c.typed, AtOnce());
        if (c.backspace) PressKey(KeyBackspace, AtOnce());
        EXPECT_EQ(EditLine(c.text), c.result) << c.text << " + " << c.typed;
        if (c.backspace) ReleaseKey(KeyBackspace, AtOnce());
        PollInput();
    }
}

TEST_F(NameEntry, ReturnAtOnceKeepsTheName) {
    PlayerName = "Ada";
    Tap(KeyReturn, 1);
    EnterName();
    EXPECT_EQ(PlayerName, "Ada");
}

TEST_F(NameEntry, TypedNameConfirmedWithEscapeLikeReturn) {
    PlayerName = "Player";
    for (int i = 0; i < 6; i++) Tap(KeyBackspace, 1 + 4 * i);
    TypeText("Zed", AtFrame(FrameMark() + 30));
    Tap(KeyEscape, 40); // released by the clock: the screen waits for it without drawing
    RecordDraws(true);
    EnterName();
    EXPECT_EQ(PlayerName, "Zed");
    EXPECT_TRUE(TextDrawn("Enter Your Name"));
    EXPECT_FALSE(KeyDown(KeyEscape)) << "the screen waits for the confirming key to be released";
}

TEST_F(NameEntry, ReturnHeldFromTheGameDoesNotConfirm) {
    PlayerName = "Ada";
    PressKey(KeyReturn, AtOnce());
    ReleaseKey(KeyReturn, AtTime(Millis() + 200));
    TypeText("m", AtTime(Millis() + 300));
    PressKey(KeyReturn, AtTime(Millis() + 500));
    ReleaseKey(KeyReturn, AtTime(Millis() + 600));
    EnterName();
    EXPECT_EQ(PlayerName, "Adam");
}

} // namespace
} // namespace glimmet
