#include "app/program.h"

#include "app/debug_log.h"
#include "app/setup_file.h"
#include "app/shutdown.h"
#include "input/controls.h"
#include "platform/audio_drivers.h"
#include "platform/clock.h"
#include "platform/files.h"
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

void RunProgram() {
    GameTitle = BuildGameTitle();
    ScoreList.clear();
    SetDefaultBindings();
    SetDefaultSettings();
    BuildDefaultKey();

    ChangeDir("Files/");
    FilesFolder = CurrentDir();
    OpenLog();
    WriteLogHeader();
    AudioDriverNames = AudioDriverList();
    LoadSetup();
    LogLine("Grabbing Previous Scores");
    LogLine("");
    EnterGameFolder();

    int loadingStart = Millis();
    LoadScores();
    MouseMode = 0;
    BindRows = 4;
    BadgeCount = 16;
    PlayState = 0;
    LogLine("Finished Loading");
    while (Millis() < loadingStart + 2500) SleepMs(5);

    CloseProgram();
}

} // namespace glimmet
