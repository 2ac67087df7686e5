#include "base/state.h"

#include "platform/files.h"

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
    std::string digits = "000" + std::to_string(WeekNumber);
    return digits.substr(digits.size() - 3) + "/";
}

void EnterGameFolder() {
    ChangeDir(GameFolderName());
}

void EnterFilesFolder() {
    ChangeDir(FilesFolder.empty() ? ".." : FilesFolder);
}

void SetDefaultSettings() {
    Setting.fill(0);
    Setting[SettingWidth] = 800;
    Setting[SettingHeight] = 600;
    Setting[SettingFullscreen] = 0;
    Setting[SettingFrameskip] = 0;
    Setting[SettingMasterVolume] = 50;
    Setting[SettingSoundVolume] = 50;
    Setting[SettingMusicVolume] = 50;
}

void InitializeProgramState() {
    GameStartTime = 0;
    PlayState = 0;
    MouseMode = 0;
    BindRows = 4;
    BadgeCount = 16;
    CurrentMode = CurrentLevel = CurrentFlags = 0;
}

} // namespace glimmet
