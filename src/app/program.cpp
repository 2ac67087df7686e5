#include "app/program.h"

#include "app/debug_log.h"
#include "app/online_page.h"
#include "app/setup_file.h"
#include "app/shutdown.h"
#include "app/title_screen.h"
#include "audio/music.h"
#include "audio/sound_effects.h"
#include "display/assets.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/messages.h"
#include "display/toolkit.h"
#include "game/game_loop.h"
#include "game/score_popups.h"
#include "input/controls.h"
#include "input/settings_panel.h"
#include "online/score_protocol.h"
#include "platform/audio.h"
#include "platform/audio_drivers.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/input.h"
#include "scores/hiscore_tables.h"
#include "scores/score_file.h"
#include "scores/scramble.h"

namespace glimmet {

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
    InitializeTitleScreen();
    InitializeMusic();
    InitializeFrame();
    InitializeToolkit();
    InitializeGraphicsMode();
    InitializeAssets();
    InitializeScores();
    InitializeOnline();
    InitializeOnlinePage();
    InitializeMessages();
    InitializeScorePopups();
    InitializeGame();
    InitializeHiscoreTables();
    SetDefaultBindings();
    SetDefaultSettings();
    InitializeSoundEffects();
    InitializeSettingsPanel();
    InitializeProgramState();
}

void RunProgram() {
    GameTitle = BuildGameTitle();
    ShowPointer(false);
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
    InitializeProgramState();
    CreateLevelBest();
    LogLine("Finished Loading");
    // The last loading frame stays on screen for at least 2.5 seconds from the start of loading.
    while (Millis() < loadingStart + 2500) SleepMs(5);

    TitleScreen();
    CloseProgram();
}

} // namespace glimmet
