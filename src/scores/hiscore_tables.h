#pragma once
// The hiscore panel of the title screen: a ranking of the 25 best scores of one table (a game mode,
// level and flags), a timeline of every score of the table with the newest at the right, and a detail
// box for the score under the mouse or last clicked. Showing a table also prunes its list: each table
// keeps its 50 newest records plus any older one still among its 25 best.

#include <array>
#include <optional>
#include <vector>

#include "scores/score_file.h"

namespace glimmet {

// Records of the online table, as the last refresh downloaded them (newest first).
extern std::vector<Scores> OnlineList;

// The ranking of the last call, slots 1..25 (slot 1 best); the pointers are valid until the list
// they point into changes.
extern std::array<const Scores*, 50> TableRows;
// A copy of the best record of the last local table that had one; empty until then.
extern std::optional<Scores> TopLocal;
// The last click: 0 none; 1.. a position in the timeline; 1001..1025 ranking row 1..25.
extern int SelectedMark;
extern int GraphScroll; // the timeline's scroll offset, 0..1000

void InitializeHiscoreTables(); // no online records, no ranking, no selection, no scroll

// Rank the table (mode, level, flags) of the list; when active, draw the panel at x with width w, react
// to the mouse and prune the list. Return the best score's low 32 bits, or 0 for an empty table.
int DrawLocalTable(int x, int w, int mode, int level, int flags, int active);
int DrawOnlineTable(int x, int w, int mode, int level, int flags, int active);

// The height of a timeline point, 0..150, for a score against the table's maximum (the low 32 bits of
// the highest score, at least 1). Ordinary scores scale exactly; any other score is clamped inside.
int TimelineHeight(int64_t score, int32_t maxScore);

} // namespace glimmet
