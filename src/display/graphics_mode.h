#pragma once
// Turning the display settings into an open display: the mode list the settings panel offers, the
// back-end, window or fullscreen, the virtual drawing area by display shape, and the asset reload.

#include <array>
#include <vector>

#include "platform/display.h"

namespace glimmet {

// Usable display sizes (4:3, 16:10, 16:9), slots 1..ModeCount.
extern std::array<int, 2500> ModeW;
extern std::array<int, 2500> ModeH;
extern int ModeCount;
extern int DisplayW, DisplayH; // the display opened; 800 x 600 until a requested size matches
extern int ScreenW, ScreenH;   // the virtual drawing area every screen draws in

void InitializeGraphicsMode(); // an empty mode list, 800 x 600 until a display opens

bool UsableShape(int width, int height);
// Fills the mode table from the platform's modes, notes the requested size (Setting[SettingWidth] x
// Setting[SettingHeight]) when it is listed and replaces the request by the size in use otherwise.
void BuildModeList(const std::vector<DisplayMode>& modes);
// 1280 x 960, or 1600 x 900 for a 16:9 display, 1440 x 900 for 16:10; logs the widescreen line.
void ChooseDrawingArea();

// Opens (or reopens) the display and loads every asset, guarded by the crash marker crash.dat.
void ApplyGraphics();
// Deletes the crash marker of a display opening still in progress. The marker is there to catch a
// process that dies while the display opens; a deliberate quit at that time removes it first.
void RemoveCrashMarker();

} // namespace glimmet
