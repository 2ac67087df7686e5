#pragma once
// The program constants and the state every subsystem reads: the settings table, the play state and
// the folders. This layer sits below every subsystem and includes nothing of the project's headers.

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

// The shared settings, read and written by the setup file under the slot numbers below.
extern std::array<int, 100> Setting;

// Slots of Setting.
constexpr int SettingFullscreen = 1;    // 1 fullscreen, 0 window
constexpr int SettingWidescreen = 2;    // 1 when the display is wider than 4:3
constexpr int SettingBackend = 3;       // 0 OpenGL, 1 Direct3D 9, 2 Direct3D 7
constexpr int SettingModeIndex = 4;     // the display mode picked in the settings panel, 1..ModeCount
constexpr int SettingWidth = 5;         // display width in pixels
constexpr int SettingHeight = 6;        // display height in pixels
constexpr int SettingFrameskip = 7;     // 1: the emergency slow system, every second frame presented
constexpr int SettingMasterVolume = 11; // percent, applies to sound effects and music
constexpr int SettingSoundVolume = 12;  // percent
constexpr int SettingMusicVolume = 13;  // percent
constexpr int SettingAudioDriver = 14;  // index into AudioDriverNames

// The Files folder as an absolute path, recorded at start; empty before. Files kept there (the setup
// file, screenshots) are written there even when the game folder could not be entered.
extern std::string FilesFolder;

// Audio driver names offered by the audio layer, fetched once at start.
extern std::vector<std::string> AudioDriverNames;

extern int GameStartTime;
extern int PlayState; // 0 outside a game, 1 playing, 2 pause menu open
extern int MouseMode; // 0 keyboard and joystick; never changed in this program
extern int BindRows;  // control rows of the settings panel
extern int BadgeCount;
extern int CurrentMode, CurrentLevel, CurrentFlags; // the table a game is played for

std::string BuildGameTitle();
std::string GameFolderName(); // the week number in three digits and "/": "291/"
void EnterGameFolder();
// Changes to the Files folder: the one recorded at start, or one folder up before then.
void EnterFilesFolder();

// Start values: the default settings, and the play state of a program that has not started a game.
void SetDefaultSettings();
void InitializeProgramState();

} // namespace glimmet
