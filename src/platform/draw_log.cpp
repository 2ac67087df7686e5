#include "platform/draw_log.h"

#include <cstdio>

#include "platform/clock.h"

namespace glimmet {

std::vector<DrawRecord> DrawLog;

namespace {

bool Recording = false;
bool TextsOnly = false; // record text draws only
long Dropped = 0;
bool RasterOff = false;
double CostMs = 0;
double CostOwed = 0; // fractions of a millisecond not yet moved onto the clock
int PresentCostMs = 0;

const char* KindName(DrawKind kind) {
    switch (kind) {
    case DrawKind::Clear:
        return "clear";
    case DrawKind::Image:
        return "image";
    case DrawKind::Rect:
        return "rect";
    case DrawKind::Line:
        return "line";
    case DrawKind::Text:
        return "text";
    }
    return "?";
}

} // namespace

void RecordDraws(bool on) {
    Recording = on;
    TextsOnly = false;
    ClearDrawLog();
}

void ClearDrawLog() {
    DrawLog.clear();
    Dropped = 0;
}

void RecordTextDraws() {
    RecordDraws(true);
    TextsOnly = true;
}

long DrawLogDropped() {
    return Dropped;
}

void LogDraw(const DrawRecord& record) {
    if (!Recording || (TextsOnly && record.kind != DrawKind::Text)) return;
    if (DrawLog.size() < DrawLogLimit) {
        DrawLog.push_back(record);
    } else {
        Dropped++;
    }
}

int CountDraws(DrawKind kind) {
    int count = 0;
    for (const DrawRecord& record : DrawLog) count += record.kind == kind ? 1 : 0;
    return count;
}

int CountImageDraws(int image, int frame) {
    int count = 0;
    for (const DrawRecord& record : DrawLog)
        if (record.kind == DrawKind::Image && record.image == image && (frame < 0 || record.frame == frame))
            count++;
    return count;
}

const DrawRecord* FindTextDraw(const std::string& text) {
    for (const DrawRecord& record : DrawLog)
        if (record.kind == DrawKind::Text && record.text == text) return &record;
    return nullptr;
}

int CountTextDraws(const std::string& text) {
    int count = 0;
    for (const DrawRecord& record : DrawLog)
        count += record.kind == DrawKind::Text && record.text == text ? 1 : 0;
    return count;
}

const DrawRecord* FindImageDraw(int image, int frame) {
    for (const DrawRecord& record : DrawLog)
        if (record.kind == DrawKind::Image && record.image == image && (frame < 0 || record.frame == frame))
            return &record;
    return nullptr;
}

std::vector<DrawRecord> DrawsOfKind(DrawKind kind) {
    std::vector<DrawRecord> found;
    for (const DrawRecord& record : DrawLog)
        if (record.kind == kind) found.push_back(record);
    return found;
}

bool TextDrawn(const std::string& text) {
    return FindTextDraw(text) != nullptr;
}

std::vector<std::string> DrawnTexts() {
    std::vector<std::string> texts;
    for (const DrawRecord& record : DrawLog)
        if (record.kind == DrawKind::Text) texts.push_back(record.text);
    return texts;
}

std::string DescribeDraw(const DrawRecord& record) {
    char where[160];
    switch (record.kind) {
    case DrawKind::Image:
        std::snprintf(where, sizeof where, " %d frame %d at (%g, %g)", record.image, record.frame, record.x,
                      record.y);
        break;
    case DrawKind::Rect:
        std::snprintf(where, sizeof where, " (%g, %g) %g x %g", record.x, record.y, record.w, record.h);
        break;
    case DrawKind::Line:
        std::snprintf(where, sizeof where, " (%g, %g) to (%g, %g)", record.x, record.y, record.x2, record.y2);
        break;
    case DrawKind::Text:
        std::snprintf(where, sizeof where, " font %d at (%g, %g)", record.font, record.x, record.y);
        break;
    case DrawKind::Clear:
        where[0] = '\0';
        break;
    }
    char state[160];
    std::snprintf(state, sizeof state, " colour %d,%d,%d alpha %g scale %g,%g rotation %g blend %d", record.r,
                  record.g, record.b, record.alpha, record.scaleX, record.scaleY, record.rotation,
                  record.blend);
    std::string line = KindName(record.kind);
    if (record.kind == DrawKind::Text) line += " \"" + record.text + "\"";
    return line + where + state;
}

std::string DrawLogText() {
    std::string text;
    for (const DrawRecord& record : DrawLog) text += DescribeDraw(record) + "\n";
    return text;
}

void SkipRasterising(bool on) {
    RasterOff = on;
}
bool RasterisingSkipped() {
    return RasterOff;
}

void SetImageDrawCost(double ms) {
    CostMs = ms > 0 ? ms : 0;
    CostOwed = 0;
}

void ChargeImageDraw() {
    if (CostMs <= 0) return;
    CostOwed += CostMs;
    int whole = static_cast<int>(CostOwed);
    if (whole > 0) {
        AdvanceClock(whole);
        CostOwed -= whole;
    }
}

void SetPresentCost(int ms) {
    PresentCostMs = ms > 0 ? ms : 0;
}

void ChargePresent() {
    if (PresentCostMs > 0) AdvanceClock(PresentCostMs);
}

} // namespace glimmet
