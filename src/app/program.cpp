#include "app/program.h"

#include "app/debug_log.h"
#include "app/setup_file.h"
#include "app/shutdown.h"
#include "audio/sound_effects.h"
#include "display/assets.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/messages.h"
#include "display/toolkit.h"
#include "game/score_popups.h"
#include "input/controls.h"
#include "input/settings_panel.h"
#include "platform/audio.h"
#include "platform/audio_drivers.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/input.h"
#include "scores/fields.h"
#include "scores/score_file.h"
#include "scores/scramble.h"

namespace glimmet {

std::string GameTitle;
std::array<int, 100> Setting{};
std::vector<std::string> AudioDriverNames;
std::string FilesFolder;
int GameStartTime = 0;
int PlayState = 0;
int MouseMode = 0;
int BindRows = 4;
int BadgeCount = 16;
int CurrentMode = 0, CurrentLevel = 0, CurrentFlags = 0;

std::string BuildGameTitle() {
    return "#" + std::to_string(WeekNumber) + " : " + TitleLine1 + " " + TitleLine2;
}

std::string GameFolderName() {
    return Right("000" + std::to_string(WeekNumber), 3) + "/";
}

void EnterGameFolder() {
    ChangeDir(GameFolderName());
}

void EnterFilesFolder() {
    ChangeDir(FilesFolder.empty() ? ".." : FilesFolder);
}

void SetDefaultSettings() {
    Setting.fill(0);
    Setting[5] = 800; // width
    Setting[6] = 600; // height
    Setting[1] = 0;   // windowed
    Setting[7] = 0;   // no frameskip
    Setting[11] = 50; // master volume
    Setting[12] = 50; // sound volume
    Setting[13] = 50; // music volume
}

void WriteLogHeader() {
    const std::string dashes(28, '-');
    LogLine("Marrowind's Tindervale Engine");
    LogLine(dashes);
    LogLine("Week #" + std::to_string(WeekNumber));
    LogLine(dashes);
    LogLine(GameTitle);
    LogLine(dashes);
    LogLine("");
    LogLine("Loading");
}

void CreateTables() {
    DrawLimit.fill(0);
    DrawLimit[1] = 50000;
    DrawLimit[2] = 50000;
    DrawCount.fill(0);
    ModeW.fill(0);
    ModeH.fill(0);
    ModeCount = 0;
    DisplayW = 800;
    DisplayH = 600;
    NamedFont.fill(0);
    FontSlot.fill(0);
    ScoreList.clear();
    ScoresLoaded = false;
    MessageList.clear();
    OreList.clear();
    ChanSlot.fill(0);
    SfxSound.fill(0);
    NextSfxSlot = 20;
    AssetsLoaded = 0;
    OverlayOn = 1;
    SettingsOpen = 0;
    SkipDraw = 0;
    Fps = 0;
    PanelY = -300;
    BackTint = BackTintTarget = {0.2f, 0.0f, 1.0f};
    SetDefaultBindings();
    SetDefaultSettings();
}

void RunProgram() {
    GameTitle = BuildGameTitle();
    ShowPointer(false);
    LastFrameTime = Millis();
    CreateTables();
    JoystickCensus();
    BuildDefaultKey();

    ChangeDir("Files/");
    FilesFolder = CurrentDir();
    OpenLog();
    WriteLogHeader();
    AudioDriverNames = AudioDriverList();
    LoadSetup();
    OpenAudio();
    LogLine("Grabbing Previous Scores");
    LogLine("");
    EnterGameFolder();

    int loadingStart = Millis();
    ApplyGraphics();
    MouseMode = 0;
    BindRows = 4;
    BadgeCount = 16;
    PlayState = 0;
    LogLine("Finished Loading");
    // The last loading frame stays on screen for at least 2.5 seconds from the start of loading.
    while (Millis() < loadingStart + 2500) SleepMs(5);

    CloseProgram();
}

} // namespace glimmet
