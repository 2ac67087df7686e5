#pragma once
// Program start and main flow: the program constants, the settings table and the start-up sequence.

#include <array>
#include <string>
#include <vector>

namespace glimmet {

constexpr int WeekNumber = 291;
inline const std::string TitleLine1 = "Flonder's";
inline const std::string TitleLine2 = "Glimmet";
constexpr int OnlineEnabled = 0;

// "#291 : Flonder's Glimmet": window title, log header, pause menu.
extern std::string GameTitle;

// The shared settings (slot: 1 fullscreen, 2 widescreen, 3 graphics back-end, 4 resolution index,
// 5 width, 6 height, 7 frameskip, 11 master, 12 sound, 13 music volume, 14 audio driver index).
extern std::array<int, 100> Setting;

// The Files folder as an absolute path, recorded at start; empty before. Files kept there (the setup
// file, screenshots) are written there even when the game folder could not be entered.
extern std::string FilesFolder;

// Audio driver names offered by the audio layer, fetched once at start.
extern std::vector<std::string> AudioDriverNames;

extern int GameStartTime;
extern int PlayState; // 0 outside a game, 1 playing, 2 pause menu open
extern int MouseMode; // 0 keyboard and joystick; never changed in this program
extern int BindRows;
extern int BadgeCount;
extern int CurrentMode, CurrentLevel, CurrentFlags;

std::string BuildGameTitle();
std::string GameFolderName(); // the week number in three digits and "/": "291/"
void EnterGameFolder();
// Changes to the Files folder: the one recorded at start, or one folder up before then.
void EnterFilesFolder();
void SetDefaultSettings();
// Every global table at its size and start value, with the default settings and bindings.
void CreateTables();
void WriteLogHeader();

[[noreturn]] void RunProgram();

} // namespace glimmet
