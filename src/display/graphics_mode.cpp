#include "display/graphics_mode.h"

#include <cstdio>

#include "app/debug_log.h"
#include "base/state.h"
#include "display/assets.h"
#include "display/messages.h"
#include "platform/files.h"
#include "platform/process.h"

namespace glimmet {

std::array<int, 2500> ModeW{};
std::array<int, 2500> ModeH{};
int ModeCount = 0;
int DisplayW = 800, DisplayH = 600;
int ScreenW = 1280, ScreenH = 960;

namespace {
const char* const CrashMarker = "crash.dat";
std::string CrashMarkerPath; // the marker of the display opening in progress, "" when there is none
} // namespace

void InitializeGraphicsMode() {
    ModeW.fill(0);
    ModeH.fill(0);
    ModeCount = 0;
    DisplayW = 800;
    DisplayH = 600;
    CrashMarkerPath.clear();
}

void RemoveCrashMarker() {
    if (CrashMarkerPath.empty()) return;
    DeleteFile(CrashMarkerPath);
    CrashMarkerPath.clear();
}

namespace {

const char* const BlockLine = "-=-=-=-=-=-=-=-=-=-=-=-=-=-";

bool Listed(int width, int height) {
    for (int i = 1; i <= ModeCount; i++)
        if (ModeW[static_cast<size_t>(i)] == width && ModeH[static_cast<size_t>(i)] == height) return true;
    return false;
}

// Fullscreen wants a mode of the display size at 32, 24 or 16 bits; otherwise a window (depth 0).
int ChooseDepth() {
    if (Setting[SettingFullscreen] != 1) return 0;
    for (int depth : {32, 24, 16})
        if (FullscreenModeExists(DisplayW, DisplayH, depth)) return depth;
    AddMessage("Can't set to fullscreen in this resolution.", 1);
    return 0;
}

void LogBackend() {
    static const char* const Lines[3] = {"\tUsing OpenGL Driver", "\tUsing DirectX 9 Driver",
                                         "\tUsing DirectX 7 Driver"};
    if (Setting[SettingBackend] >= 0 && Setting[SettingBackend] <= 2) LogLine(Lines[Setting[SettingBackend]]);
}

// Without any display the program cannot go on: say so, leave no crash marker behind, and end.
[[noreturn]] void EndWithoutDisplay() {
    std::fprintf(stderr, "Flonder's Glimmet: no display could be opened.\n");
    LogLine("\tNo display could be opened.");
    RemoveCrashMarker();
    CloseLog();
    EndProcess(1);
}

} // namespace

bool UsableShape(int width, int height) {
    return height == width * 10 / 16 || height == width * 9 / 16 || height == width * 3 / 4;
}

void BuildModeList(const std::vector<DisplayMode>& modes) {
    ModeCount = 0;
    for (const DisplayMode& mode : modes) {
        if (!UsableShape(mode.width, mode.height) || Listed(mode.width, mode.height)) continue;
        if (ModeCount + 1 >= static_cast<int>(ModeW.size())) break; // the table is full
        ModeCount++;
        ModeW[static_cast<size_t>(ModeCount)] = mode.width;
        ModeH[static_cast<size_t>(ModeCount)] = mode.height;
        if (mode.width == Setting[SettingWidth] && mode.height == Setting[SettingHeight]) {
            Setting[SettingModeIndex] = ModeCount;
            DisplayW = mode.width;
            DisplayH = mode.height;
        }
    }
    Setting[SettingWidth] = DisplayW;
    Setting[SettingHeight] = DisplayH;
}

void ChooseDrawingArea() {
    Setting[SettingWidescreen] = 0;
    ScreenW = 1280;
    ScreenH = 960;
    if (DisplayH == DisplayW * 9 / 16) {
        Setting[SettingWidescreen] = 1;
        ScreenW = 1600;
        ScreenH = 900;
        LogLine("\tWidescreen mode!");
    }
    if (DisplayH == DisplayW * 10 / 16) {
        Setting[SettingWidescreen] = 1;
        ScreenW = 1440;
        ScreenH = 900;
        LogLine("\tWidescreen mode B (10:16)!");
    }
}

void ApplyGraphics() {
    BuildModeList(ListDisplayModes());
    LogLine("");
    LogLine(BlockLine);
    LogLine("Applying Graphical Settings");
    if (AssetsLoaded == 1) {
        CloseDisplay();
        LogLine("\tChanged Graphics Mode ingame.");
    }
    // A marker left behind means the last attempt died while opening with OpenGL: use the alternative.
    if (FileExists(CrashMarker) && Setting[SettingBackend] == 0) Setting[SettingBackend] = 1;
    SelectBackend(Setting[SettingBackend]);
    LogBackend();
    int depth = ChooseDepth();
    LogLine("\tResolution : " + std::to_string(DisplayW) + "x" + std::to_string(DisplayH) + "," +
            std::to_string(depth));
    CrashMarkerPath = CurrentDir() + "/" + CrashMarker; // the game folder, wherever loading steps to
    WriteTextFile(CrashMarkerPath, {});
    if (!OpenDisplay(DisplayW, DisplayH, depth, 60, GameTitle)) EndWithoutDisplay();
    if (Setting[SettingBackend] >= 0 && Setting[SettingBackend] <= 2 &&
        DisplayBackend() != Setting[SettingBackend])
        LogLine("\tRenderer not available here; using " + DisplayRendererName());
    ChooseDrawingArea();
    SetVirtualResolution(ScreenW, ScreenH);
    LoadCommonAssets();
    LoadGameAssets();
    LogLine(BlockLine);
    RemoveCrashMarker();
}

} // namespace glimmet
