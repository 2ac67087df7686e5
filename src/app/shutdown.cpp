#include "app/shutdown.h"

#include "app/debug_log.h"
#include "app/setup_file.h"
#include "display/graphics_mode.h"
#include "platform/audio.h"
#include "platform/display.h"
#include "platform/process.h"
#include "scores/score_file.h"

namespace glimmet {

void CloseProgram() {
    RemoveCrashMarker(); // a quit while the display opens is not a crash
    SaveSetup();
    SaveScores();
    LogLine("Closing Up");
    LogLine("");
    LogLine("Bye!");
    LogLine("");
    LogLine("Play again, soon!!");
    CloseDisplay();
    CloseAudio();
    CloseLog();
    EndProcess(0);
}

} // namespace glimmet
