#pragma once
// The test mode of the drawing layer: a log of every draw call, a switch that skips rasterising while
// still logging, and a virtual cost per drawn image.
//
// Typical use in a screen test:
//     RecordDraws(true);            // start a fresh log
//     ... run a frame ...
//     EXPECT_EQ(CountImageDraws(tileSheet, 5), 1);
//     const DrawRecord* hit = FindTextDraw("Continue");
//     ASSERT_NE(hit, nullptr); EXPECT_EQ(hit->g, 255);
// DrawLogText() prints the log one draw a line, for failure messages.

#include <string>
#include <vector>

namespace glimmet {

enum class DrawKind { Clear, Image, Rect, Line, Text };

// One draw call with the drawing state it was made in. Positions are in drawing-area units as passed.
struct DrawRecord {
    DrawKind kind = DrawKind::Clear;
    int image = 0; // Image: handle and frame
    int frame = 0;
    std::string text; // Text: the string; font is the font handle
    int font = 0;
    float x = 0, y = 0;   // Image: handle position; Rect, Text: top-left; Line: start
    float w = 0, h = 0;   // Rect: width and height
    float x2 = 0, y2 = 0; // Line: end
    int r = 255, g = 255, b = 255;
    float alpha = 1;
    float scaleX = 1, scaleY = 1;
    float rotation = 0;
    int blend = 1;
};

// At most DrawLogLimit records are kept (a start-up engine test alone draws millions of sprites);
// later draws are only counted in DrawLogDropped. Record around the frames a test checks.
extern std::vector<DrawRecord> DrawLog;
constexpr size_t DrawLogLimit = 100000;
long DrawLogDropped();

void RecordDraws(bool on); // switching on (or off) also empties the log
// Records only text draws, so that a whole program run (whose engine test draws millions of sprites)
// keeps every text its screens drew.
void RecordTextDraws();
void ClearDrawLog();
void LogDraw(const DrawRecord& record); // used by the drawing code; appends only while recording

// Queries over the log.
int CountDraws(DrawKind kind);
int CountImageDraws(int image, int frame = -1);          // frame -1: any frame
const DrawRecord* FindTextDraw(const std::string& text); // first text draw of exactly this text
int CountTextDraws(const std::string& text);
const DrawRecord* FindImageDraw(int image, int frame = -1); // first draw of the image (frame -1: any)
std::vector<DrawRecord> DrawsOfKind(DrawKind kind);         // in drawing order
bool TextDrawn(const std::string& text);
std::vector<std::string> DrawnTexts(); // every text drawn, in order
std::string DrawLogText();             // the whole log, one readable line a draw
std::string DescribeDraw(const DrawRecord& record);

// With rasterising skipped, draw calls are logged (and cost) but nothing reaches the display; presents
// are still counted.
void SkipRasterising(bool on);
bool RasterisingSkipped();

// Each drawn image advances the virtual clock (clock.h) by this many milliseconds; fractions add up
// across draws. 0 (the default) costs nothing.
void SetImageDrawCost(double ms);
void ChargeImageDraw(); // used by the drawing code

// Each present advances the virtual clock by this many whole milliseconds, as a slow present into a
// window would. 0 (the default) costs nothing.
void SetPresentCost(int ms);
void ChargePresent(); // used by the display code

} // namespace glimmet
