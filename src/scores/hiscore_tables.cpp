#include "scores/hiscore_tables.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "base/state.h"
#include "display/assets.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "platform/draw.h"
#include "platform/font.h"
#include "platform/input.h"
#include "scores/dates.h"
#include "scores/fields.h"

namespace glimmet {

std::vector<Scores> OnlineList;
std::array<const Scores*, 50> TableRows{};
std::optional<Scores> TopLocal;
int SelectedMark = 0;
int GraphScroll = 0;

void InitializeHiscoreTables() {
    OnlineList.clear();
    TableRows.fill(nullptr);
    TopLocal.reset();
    SelectedMark = 0;
    GraphScroll = 0;
}

int TimelineHeight(int64_t score, int32_t maxScore) {
    constexpr int64_t Ordinary = std::numeric_limits<int32_t>::max();
    int64_t v = score < 0 ? 0 : score > Ordinary ? 150 : score * 150 / std::max<int32_t>(maxScore, 1);
    return static_cast<int>(std::clamp<int64_t>(v, 0, 150));
}

namespace {

constexpr int RankedRows = 25;
constexpr int KeptNewest = 50;

bool InTable(const Scores& r, int mode, int level, int flags) {
    return r.Level == level && r.GameMode == mode && r.GameFlags == flags;
}

bool Ranked(const Scores* record) {
    for (int i = 1; i <= RankedRows; i++)
        if (TableRows[static_cast<size_t>(i)] == record) return true;
    return false;
}

// Fills TableRows 1..25 best first (equal scores keep list order, newer above older) and returns the
// maximum score as its low 32 bits, at least 1.
int32_t Rank(const std::vector<Scores>& list, int mode, int level, int flags) {
    TableRows.fill(nullptr);
    int32_t maxScore = 0;
    for (const Scores& r : list) {
        if (!InTable(r, mode, level, flags)) continue;
        if (r.Score > maxScore) maxScore = static_cast<int32_t>(static_cast<uint32_t>(r.Score));
        // Slots fill from 1 without gaps, so the first lower score or else the first empty slot is simply
        // the first slot that is empty or lower.
        int slot = 0;
        for (int j = 1; j <= RankedRows && slot == 0; j++) {
            const Scores* held = TableRows[static_cast<size_t>(j)];
            if (held == nullptr || held->Score < r.Score) slot = j;
        }
        if (slot == 0) continue;
        for (int j = RankedRows; j > slot; j--)
            TableRows[static_cast<size_t>(j)] = TableRows[static_cast<size_t>(j - 1)];
        TableRows[static_cast<size_t>(slot)] = &r;
    }
    return maxScore < 1 ? 1 : maxScore;
}

struct Panel {
    int x = 0, w = 0, mode = 0;
    int32_t maxScore = 1;
    const Scores* selected = nullptr;
};

void DrawBackground(const Panel& p, int top) {
    SetScl(1);
    ResetDraw();
    SetCol(0, 0, 0, 0.6f);
    DrawRect(static_cast<float>(p.x + 7), static_cast<float>(top), static_cast<float>(p.w + 2), 575);
    SetCol(0, 0, 80, 1);
    DrawLine(static_cast<float>(p.x + 7), static_cast<float>(ScreenH - 160), static_cast<float>(ScreenW - 8),
             static_cast<float>(ScreenH - 160));
}

// Draws the timeline, newest at the right, and returns the list positions (0-based) to prune.
std::vector<size_t> DrawTimeline(Panel& p, const std::vector<Scores>& list, int level, int flags) {
    const int H = ScreenH;
    std::vector<size_t> pruned;
    int position = 0;
    int prevX = 0, prevY = 0;
    int gx = ScreenW - 24 + GraphScroll;
    for (size_t index = 0; index < list.size(); index++) {
        const Scores& r = list[index];
        if (!InTable(r, p.mode, level, flags)) continue;
        position++;
        if (position == SelectedMark && p.selected == nullptr) p.selected = &r;
        bool prune = position > KeptNewest && !Ranked(&r);
        if (gx > p.x + 1) {
            int v = TimelineHeight(r.Score, p.maxScore);
            int gy = H - 10 - v;
            SetCol(static_cast<float>(255 - v), 255, 80, 1);
            DrawImg(IconsSmooth, gx - 8, gy - 8, 7, 1);
            SetCol(255, static_cast<float>(80 + v), 80, 1);
            if (prevY != 0)
                DrawLine(static_cast<float>(gx), static_cast<float>(gy), static_cast<float>(prevX),
                         static_cast<float>(prevY));
            SetCol(0, 0, 0, 0.3f);
            DrawLine(static_cast<float>(gx - 9), static_cast<float>(H - 160), static_cast<float>(gx - 9),
                     static_cast<float>(H - 11));
            prevX = gx;
            prevY = gy;
            if (MouseOver(gx - 9, H - 160, 19, 150)) {
                p.selected = &r;
                if (MouseDown(1)) SelectedMark = position;
            }
            if (p.selected == &r) {
                SetCol(255, 255, 255, 0.3f);
                DrawRect(static_cast<float>(gx - 9), static_cast<float>(H - 160), 19, 150);
            }
            gx -= 18;
        }
        if (p.selected == &r && MouseDown(1)) SelectedMark = position;
        if (prune) pruned.push_back(index);
    }
    return pruned;
}

void ScrollTimeline(const Panel& p) {
    const int H = ScreenH, W = ScreenW;
    if (MouseOver(W - (p.w + 32), H - 160, 64, 150) && GraphScroll < 1000) GraphScroll += 8;
    if (MouseOver(W - 32, H - 160, 62, 150) && GraphScroll > 0) GraphScroll -= 8;
}

// The ranking rows; returns the best score's low 32 bits (0 for an empty table).
int RankingRows(Panel& p, bool active) {
    int result = 0;
    SetFont(NamedFont[3]);
    int n = 0;
    for (int i = 1; i <= RankedRows; i++) {
        const Scores* r = TableRows[static_cast<size_t>(i)];
        if (r == nullptr) continue;
        if (++n == 1) {
            result = static_cast<int32_t>(static_cast<uint32_t>(r->Score));
            if (p.mode >= 0) TopLocal = *r;
        }
        if (!active) continue;
        if (i == SelectedMark - 1000 && p.selected == nullptr) p.selected = r;
        SetCol(255, 255, 255, 1);
        int rowY = ScreenH - 589 + 17 * (i - 1);
        if (MouseOver(p.x + 9, rowY, p.w, 18)) {
            p.selected = r;
            if (MouseDown(1)) SelectedMark = 1000 + i;
        }
        DrawTxt(p.x + 9, rowY, Left(r->Name, 24), 0, 0);
        DrawTxt(p.x + p.w + 1, rowY, Right("000000000000" + std::to_string(r->Score), 12), 2, 0);
        if (p.selected == r) {
            SetCol(255, 255, 255, 0.3f);
            DrawRect(static_cast<float>(p.x + 9), static_cast<float>(rowY), static_cast<float>(p.w), 17);
        }
    }
    return result;
}

void DrawDetailBox(const Panel& p) {
    const Scores& r = *p.selected;
    const int H = ScreenH;
    if (p.mode < 0) {
        SetCol(125, 180, 125, 1);
    } else {
        SetCol(255, 255, 255, 0.6f);
    }
    DrawRect(static_cast<float>(p.x + 3), static_cast<float>(H - 729), static_cast<float>(p.w), 140);
    SetFont(NamedFont[1]);
    SetCol(80, 80, 0, 1);
    DrawTxt(p.x + 9, H - 725, r.Name, 0, 0);
    SetCol(0, 0, 80);
    DrawTxt(p.x + p.w + 1, H - 704, std::to_string(r.Score), 2, 0);
    SetFont(NamedFont[4]);
    SetCol(0, 80, 0);
    if (r.Best[30] == 1) DrawTxt(p.x + 9, H - 679, "Complete!", 0, 1);
    SetCol(0, 0, 0);
    SetFont(NamedFont[3]);
    DrawTxt(p.x + 9, H - 593, DateText(r.Timestamp) + ", " + TimeText(r.Timestamp), 0, 2);
    SetScl(0.28f);
    SetCol(255, 255, 255);
    for (int b = 1; b <= BadgeCount && b <= 32; b++) {
        if ((static_cast<uint32_t>(r.Badges) >> (b - 1) & 1u) == 0) continue;
        SetCol(255, 255, 255, 1);
        DrawImg(BadgeImage, p.x + 11 + 20 * (b - 1), H - 639, b - 1, 1);
    }
    SetScl(1);
}

void Prune(std::vector<Scores>& list, const std::vector<size_t>& positions) {
    for (auto it = positions.rbegin(); it != positions.rend(); ++it)
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(*it));
}

int DrawTable(std::vector<Scores>& list, int backgroundTop, int x, int w, int mode, int level, int flags,
              int active) {
    Panel p{x, w, mode, Rank(list, mode, level, flags), nullptr};
    if (active == 0) return RankingRows(p, false);
    DrawBackground(p, backgroundTop);
    // Pruned records are removed once the panel is drawn: until then the ranking and the selection
    // point into the list.
    std::vector<size_t> pruned = DrawTimeline(p, list, level, flags);
    ScrollTimeline(p);
    int result = RankingRows(p, true);
    if (p.selected != nullptr) DrawDetailBox(p);
    if (!pruned.empty()) {
        Prune(list, pruned);
        Rank(list, mode, level, flags);
    }
    return result;
}

} // namespace

int DrawLocalTable(int x, int w, int mode, int level, int flags, int active) {
    return DrawTable(ScoreList, ScreenH - 593, x, w, mode, level, flags, active);
}

int DrawOnlineTable(int x, int w, int mode, int level, int flags, int active) {
    return DrawTable(OnlineList, ScreenH - 585, x, w, mode, level, flags, active);
}

} // namespace glimmet
