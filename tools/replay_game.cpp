// Replays a game headless on the virtual clock with the game's own code: the level of Files/291 with
// the start cell given instead of the random one, player 1's controls held as a script says, and one
// line per frame after that frame's steps:
//   frame PlayerTX PlayerTY PlayerOX PlayerOY FallSpeed CamX CamY Clock Health GameScore
//
// Usage, from the folder that holds Files/: replay_game X Y SCRIPT
// SCRIPT lines are "FROM TO CONTROLS": the comma-separated control numbers of player 1 (or nothing)
// held during frames FROM to TO inclusive; '#' starts a comment. The replay stops after the last frame
// the script names or when the game ends. Controls are pressed through their default keys.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "game/game_loop.h"
#include "game/level.h"
#include "game/score_popups.h"
#include "input/controls.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/draw_log.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/input_script.h"

namespace glimmet::tools {
namespace {

struct ScriptLine {
    long from = 0;
    long to = 0;
    std::set<int> controls;
};

bool ReadScript(const std::string& file, std::vector<ScriptLine>& script) {
    std::ifstream in(file);
    if (!in) return false;
    for (std::string line; std::getline(in, line);) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        ScriptLine s;
        if (!(words >> s.from >> s.to)) continue;
        std::string list;
        words >> list;
        std::istringstream items(list);
        for (std::string item; std::getline(items, item, ',');)
            if (!item.empty()) s.controls.insert(std::atoi(item.c_str()));
        script.push_back(s);
    }
    return true;
}

std::set<int> HeldAt(const std::vector<ScriptLine>& script, long frame) {
    std::set<int> held;
    for (const ScriptLine& s : script)
        if (frame >= s.from && frame <= s.to) held.insert(s.controls.begin(), s.controls.end());
    return held;
}

// Presses and releases the keys bound to player 1's controls so that exactly `held` are down.
void HoldControls(const std::set<int>& held) {
    for (int control = 0; control < 20; ++control) {
        int code = KeyBind[static_cast<size_t>(BindSlot(control, 1))];
        if (code <= 0 || code > 255) continue;
        if (held.count(control) != 0)
            PressKey(code, AtOnce());
        else
            ReleaseKey(code, AtOnce());
    }
    PollInput();
}

// The display opened headless as the game opens it, drawing logged but not rasterised.
void OpenHeadless() {
    CreateTables();
    ChangeDir("Files");
    FilesFolder = CurrentDir();
    EnterGameFolder();
    SkipRasterising(true);
    SetImageDrawCost(0.05); // lets the engine test finish at once on the virtual clock
    ApplyGraphics();
    SetImageDrawCost(0);
    Setting[SettingFrameskip] = 0;
    SkipDraw = 0;
    LastFrameTime = Millis();
}

} // namespace
} // namespace glimmet::tools

int main(int argc, char** argv) {
    using namespace glimmet;
    using namespace glimmet::tools;
    if (argc != 4) {
        std::fprintf(stderr, "usage: replay_game X Y SCRIPT\n");
        return 2;
    }
    std::vector<ScriptLine> script;
    if (!ReadScript(argv[3], script)) {
        std::fprintf(stderr, "replay_game: cannot read %s\n", argv[3]);
        return 1;
    }
    long last = 0;
    for (const ScriptLine& s : script) last = std::max(last, s.to);

    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    UseVirtualClock(true);
    OpenHeadless();

    GameScore = 0;
    BuildLevelFromPicture("lev.png");
    PlayerTX = std::atoi(argv[1]);
    PlayerTY = std::atoi(argv[2]);
    ClearStart();
    InitializeGame();
    PlayState = 1;
    for (long frame = 1; frame <= last && EndReason == 0; ++frame) {
        HoldControls(HeldAt(script, frame));
        GameFrame();
        if (ShowFrame(MouseMode) == 99) EndReason = 99;
        std::printf("%ld %d %d %d %d %d %d %d %d %d %d\n", frame, PlayerTX, PlayerTY, PlayerOX, PlayerOY,
                    FallSpeed, CamX, CamY, Clock, Health, GameScore);
    }
    CloseDisplay();
    CloseAudio();
    return 0;
}
