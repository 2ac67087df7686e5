#include <gtest/gtest.h>

#include "display/graphics_mode.h"
#include "display/messages.h"
#include "platform/display.h"
#include "platform/draw_log.h"

namespace glimmet {
namespace {

class Messages : public testing::Test {
  protected:
    void SetUp() override {
        InitializeMessages();
        ScreenH = 960;
        RecordDraws(true);
    }
    void TearDown() override {
        RecordDraws(false);
        InitializeMessages();
    }
    const DrawRecord* TextOf(const std::string& text) { return FindTextDraw(text); }
};

TEST_F(Messages, StackUpwardsAndAgeOut) {
    AddMessage("old", 1);
    for (int i = 0; i < 60; i++) DrawMessages();
    AddMessage("new", 1);
    RecordDraws(true);
    DrawMessages();
    ASSERT_NE(TextOf("old"), nullptr);
    EXPECT_FLOAT_EQ(TextOf("old")->y, 960 - 16);
    EXPECT_FLOAT_EQ(TextOf("new")->y, 960 - 30);
    EXPECT_EQ(TextOf("old")->r, 255); // plain: white on black
    EXPECT_EQ(TextOf("new")->r, 0);   // fresh: black on yellow
    for (int i = 0; i < 119; i++) DrawMessages();
    ASSERT_EQ(MessageList.size(), 1u); // the old one was drawn its 180 times
    EXPECT_EQ(MessageList[0].txt, "new");
    RecordDraws(true);
    DrawMessages();
    EXPECT_FLOAT_EQ(TextOf("new")->y, 960 - 16);
}

TEST_F(Messages, HighlightedForFiftyNineFramesAndAddedTogetherLeaveTogether) {
    AddMessage("a", 1);
    AddMessage("", 7); // an empty text lives its time too
    for (int frame = 1; frame <= 180; frame++) {
        RecordDraws(true);
        DrawMessages();
        const DrawRecord* box = &DrawLog[0];
        EXPECT_EQ(box->kind, DrawKind::Rect);
        EXPECT_EQ(box->r, frame < 60 ? 255 : 0) << frame;
    }
    EXPECT_TRUE(MessageList.empty());
}

} // namespace
} // namespace glimmet
