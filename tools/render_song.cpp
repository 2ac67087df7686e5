// Plays a song offline with the game's own music player and mixer, so a person can listen to what the
// player makes: the song runs on the virtual clock at 60 frames a second, one music step per frame as
// the frame loop does it, and the mix goes to a 16-bit stereo WAV at the mixer's rate. Master and
// music volume are at 100, the loudest a player can set, so clipping shows if there is any.
//
// Usage: render_song NAME SEED PACE SECONDS OUT.wav
// Run it in the game folder (the one holding music/) or in the folder holding Files/.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program.h"
#include "audio/music.h"
#include "base/state.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/mixer.h"
#include "sound.h"

namespace glimmet::tools {
namespace {

constexpr int FramesPerSecond = 60;

// What the listener hears from here on: the lines and voices of a new progression.
void PrintProgression(int seconds) {
    const char* const names[5] = {"drums A", "drums B", "bass", "melody", "accompany"};
    std::printf("%3d s  chords \"%s\"\n", seconds, ChordLine.c_str());
    for (int v = 0; v <= 4; v++)
        std::printf("       %-9s %s \"%s\"\n", names[v],
                    VoiceMute[static_cast<size_t>(v)] == 1 ? "muted" : "plays",
                    VoiceLine[static_cast<size_t>(v)].c_str());
}

// The output path as given, anchored to the starting folder before the tool moves to the game folder.
std::string Anchored(const std::string& path) {
    return !path.empty() && path[0] == '/' ? path : CurrentDir() + "/" + path;
}

bool EnterMusicFolder() {
    if (FileType("music") == FileKind::Folder) return true;
    return ChangeDir("Files/" + GameFolderName()) && FileType("music") == FileKind::Folder;
}

int Render(const std::string& name, int seed, int pace, int seconds, const std::string& out) {
    UseVirtualClock(true);
    CreateTables();
    Setting[SettingMasterVolume] = 100;
    Setting[SettingMusicVolume] = 100;
    LoadInstruments();
    StartCapture();
    StartSong(name, seed, pace);
    if (MusicOn == 0) {
        std::fprintf(stderr, "render_song: no song music/%s.ini\n", name.c_str());
        return 1;
    }
    int start = Millis();
    PrintProgression(0);
    for (int frame = 1; frame <= seconds * FramesPerSecond; frame++) {
        int due = start + static_cast<int>(static_cast<long long>(frame) * 1000 / FramesPerSecond);
        AdvanceClock(due - Millis());
        int phrase = Phrase;
        MusicStep();
        if (Phrase != phrase && Bar == 1) PrintProgression((Millis() - start) / 1000);
    }
    StopSong();
    std::vector<float> mix = TakeCapture();
    if (!WriteWav(out, mix, 2, MixRate)) {
        std::fprintf(stderr, "render_song: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("%s: %d s of \"%s\", seed %d, %d ms a step, %zu frames at %d Hz\n", out.c_str(), seconds,
                name.c_str(), SongSeed, StepMs, mix.size() / 2, MixRate);
    return 0;
}

} // namespace
} // namespace glimmet::tools

int main(int argc, char** argv) {
    using namespace glimmet;
    if (argc != 6) {
        std::fprintf(stderr, "usage: render_song NAME SEED PACE SECONDS OUT.wav\n");
        return 2;
    }
    std::string out = tools::Anchored(argv[5]);
    int seconds = std::atoi(argv[4]);
    if (seconds <= 0 || seconds > 3600) {
        std::fprintf(stderr, "render_song: SECONDS must be 1..3600\n");
        return 2;
    }
    if (!tools::EnterMusicFolder()) {
        std::fprintf(stderr, "render_song: no music/ folder here or in Files/%s\n", GameFolderName().c_str());
        return 1;
    }
    return tools::Render(argv[1], std::atoi(argv[2]), std::atoi(argv[3]), seconds, out);
}
