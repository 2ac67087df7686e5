// The music player on the virtual clock, without an audio device: notes are read back from the mixer's
// channels after every frame's step.
#include "audio/music.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/program.h"
#include "audio/patterns.h"
#include "audio/sound_effects.h"
#include "base/random.h"
#include "base/state.h"
#include "display/frame.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "support/screen.h"
#include "support/temp_dir.h"
#include "support/wav.h"

namespace glimmet {
namespace {

// One line per section, never stretched, so every step's notes can be told from the step alone:
// drums on every 4th step, bass every 8th, melody every 4th, accompaniment every 16th; the chord
// line makes progressions of 2 bars.
const char* const StepSong = "[DRUMS]\r\nSTRETCH=FALSE\r\n\"1   \"\r\n"
                             "[CHORDS]\r\n\"qwertyui\"\r\n"
                             "[BASS]\r\nSTRETCH=FALSE\r\n\"q       \"\r\n"
                             "[MELODY]\r\nSTRETCH=FALSE\r\n\"e   \"\r\n"
                             "[ACCOMPANY]\r\nSTRETCH=FALSE\r\n\"t               \"\r\n";
const float ChordRates[8] = {1.0f, 1.122f, 1.26f, 1.335f, 1.498f, 1.682f, 1.888f, 2.0f};
const float NoteRates[5] = {1, 1, 1.0f, 1.26f, 1.498f}; // q, e, t; drums at rate 1
const int NoteEvery[5] = {4, 4, 8, 4, 16};
const float Pans[5] = {0.3f, -0.3f, -0.15f, 0, 0.15f};

struct Note {
    int voice;
    int step; // counted from the song's first step; -1 for a note in a frame where no step was due
    float rate;
    bool operator==(const Note&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Note& n) {
    return out << "{voice " << n.voice << ", step " << n.step << ", rate " << n.rate << "}";
}

class Music : public testing::Test {
  protected:
    void SetUp() override {
        CloseAudio(); // no device: channels play by the virtual clock
        CreateTables();
        test::MakeFolder("music");
        // Drum kit k is k tenths of a second long, so the loaded kit can be told by its length.
        for (int kit = 1; kit <= 4; kit++)
            for (int n = 1; n <= 8; n++)
                test::WriteSilentWav("music/d" + std::to_string(kit) + "-" + std::to_string(n) + ".wav",
                                     2205 * kit);
        for (const char* kind : {"bass", "lead", "accompany"})
            for (const char* variant : {"01", "02"})
                test::WriteSilentWav(std::string("music/") + kind + variant + ".wav", 22050);
        test::WriteBytes("music/steps.ini", StepSong);
    }
    void TearDown() override { StopSong(); }

    int KitIn(int slot) {
        return static_cast<int>(SoundFrames(MusicSound[static_cast<size_t>(slot)]) / 4410);
    }

    void Start(const std::string& name, int seed, int pace) {
        StartSong(name, seed, pace);
        due = Millis() + 250;
        stepMs = pace / 2;
        nextStep = 0;
    }

    // One frame at 60 a second (17, 17, 16 ms); true when a step was due in it.
    bool Frame() {
        frame++;
        AdvanceClock(frame % 3 == 0 ? 16 : 17);
        MusicStep();
        if (Millis() <= due) return false;
        due += stepMs;
        nextStep++;
        return true;
    }

    // The notes started in this frame: channels of the voices' slots that play from their first frame.
    std::vector<Note> NewNotes(int step) {
        std::vector<Note> notes;
        for (int v = 0; v <= 4; v++) {
            ChannelView c = ReadChannel(ChanSlot[static_cast<size_t>(v)]);
            if (c.playing && c.position == 0) notes.push_back({v, step, c.rate});
        }
        return notes;
    }

    // Plays until `steps` steps have sounded; the notes of every frame.
    std::vector<Note> Play(int steps) {
        std::vector<Note> notes;
        while (nextStep < steps) {
            bool stepped = Frame();
            for (const Note& n : NewNotes(stepped ? nextStep - 1 : -1)) notes.push_back(n);
        }
        return notes;
    }

    test::TempDir dir;
    int frame = 0;
    int due = 0;
    int stepMs = 0;
    int nextStep = 0;
};

// The mutes of voices 0..4 as "mute/next/entry" digits.
std::string Mutes() {
    std::string text;
    for (int v = 0; v <= 4; v++)
        text += std::to_string(VoiceMute[v]) + std::to_string(VoiceMuteNext[v]) +
                std::to_string(VoiceEntry[v]) + " ";
    return text;
}

TEST_F(Music, FixedSeedGivesKnownNotesOverTwoProgressions) {
    LoadInstruments();
    Start("steps", 7, 250);
    ASSERT_EQ(MusicOn, 1);
    EXPECT_EQ(StepMs, 125);
    std::vector<std::string> mutes;
    int notes = 0;
    while (nextStep < 256) {
        bool stepped = Frame();
        int k = nextStep - 1;
        std::vector<Note> expected;
        if (stepped) {
            if (k % 128 == 0) mutes.push_back(Mutes());
            int s = k % 64, chord = (k / 64 % 2) * 4 + s / 16;
            int fill = k % 128 >= 120 ? 2 : (chord == 7 ? 1 : 0);
            for (int v = 0; v <= 4; v++) {
                bool entering = VoiceMuteNext[v] == 0 && ((fill == 1 && VoiceEntry[v] == 1) || fill == 2);
                if ((VoiceMute[v] == 1 && !entering) || s % NoteEvery[v] != 0) continue;
                expected.push_back({v, k, v <= 1 ? 1.0f : NoteRates[v] * ChordRates[chord]});
            }
        }
        ASSERT_EQ(NewNotes(stepped ? k : -1), expected) << "frame " << frame;
        for (const Note& n : expected) {
            ChannelView c = ReadChannel(ChanSlot[n.voice]);
            EXPECT_FLOAT_EQ(c.pan, Pans[n.voice]);
            EXPECT_FLOAT_EQ(c.volume, 0.25f); // music 50 x master 50, a fresh note at full level
            int variant = n.voice <= 1 ? 1 : CurVariant[n.voice - 1];
            EXPECT_EQ(c.sound, MusicSound[10 * n.voice + variant]);
        }
        notes += static_cast<int>(expected.size());
    }
    // The seed's own choices, the same on every run: in the first progression drums B enter for the
    // last 8 steps; in the second drums A enter for the last chord and the bass for the last 8 steps.
    EXPECT_EQ(mutes, (std::vector<std::string>{"011 102 012 002 002 ", "101 012 102 012 002 "}));
    EXPECT_EQ(notes, 90 + 77);
    EXPECT_EQ(Phrase, 3);
}

TEST_F(Music, VoicesEnteringNextComeInForTheLastChordOrTheLastEightSteps) {
    LoadInstruments();
    Start("steps", 7, 250);
    // Both drum voices silent in this progression and playing in the next, one for each entry.
    VoiceMute[0] = VoiceMute[1] = 1;
    VoiceMuteNext[0] = VoiceMuteNext[1] = 0;
    VoiceEntry[0] = 1;
    VoiceEntry[1] = 2;
    std::vector<int> strikes[2];
    for (const Note& n : Play(128))
        if (n.voice <= 1) strikes[n.voice].push_back(n.step);
    EXPECT_EQ(strikes[0], (std::vector<int>{112, 116, 120, 124})); // the last chord: steps 112..127
    EXPECT_EQ(strikes[1], (std::vector<int>{120, 124}));           // the last 8 steps

    // Six chords play as one bar of four: the fills fall in the last chord that is played.
    std::string song = StepSong;
    test::WriteBytes("music/six.ini", song.replace(song.find("qwertyui"), 8, "qwerty"));
    Start("six", 7, 250);
    VoiceMute[0] = VoiceMute[1] = 1;
    VoiceMuteNext[0] = VoiceMuteNext[1] = 0;
    strikes[0].clear();
    strikes[1].clear();
    for (const Note& n : Play(64))
        if (n.voice <= 1) strikes[n.voice].push_back(n.step);
    EXPECT_EQ(strikes[0], (std::vector<int>{48, 52, 56, 60}));
    EXPECT_EQ(strikes[1], (std::vector<int>{56, 60}));
}

TEST_F(Music, PitchedNotesFadeEveryFrameAndMusicVolumeZeroStillStartsNotes) {
    LoadInstruments();
    test::WriteSilentWav("001.wav", 22050);
    SfxSound[1] = LoadSound("001.wav");
    Setting[SettingMasterVolume] = 100;
    Setting[SettingMusicVolume] = 100;
    Start("steps", 7, 250);
    Play(1); // step 0: the melody (voice 3) plays in the first progression
    int channel = ChanSlot[3];
    ASSERT_TRUE(ReadChannel(channel).playing);
    EXPECT_FLOAT_EQ(ReadChannel(channel).volume, 1);
    float decay = Decay[4 + DecaySel[2]];
    EXPECT_GE(decay, 0.055f);
    EXPECT_LT(decay, 0.08f);
    for (int f = 1; f <= 3; f++) {
        Frame();
        EXPECT_NEAR(ReadChannel(channel).volume, 1 - f * decay, 1e-5) << "frame " << f;
    }
    for (int f = 0; f < 20; f++) Frame();
    EXPECT_EQ(VoiceLevel[3], 0); // never below 0
    EXPECT_EQ(ReadChannel(channel).volume, 0);

    Setting[SettingMusicVolume] = 0;
    std::vector<Note> notes = Play(nextStep + 4);
    ASSERT_FALSE(notes.empty());
    for (const Note& n : notes) EXPECT_EQ(ReadChannel(ChanSlot[n.voice]).volume, 0);
    PlaySfx(1, 1, 1, 0);
    EXPECT_FLOAT_EQ(ReadChannel(ChanSlot[21]).volume, 0.5f); // sound 50 x master 100
}

TEST_F(Music, StopSilencesEveryMusicChannelAndAStartAgainBeginsAfresh) {
    LoadInstruments();
    Start("steps", 7, 250);
    std::vector<Note> first = Play(70);
    std::vector<int> channels;
    for (int slot = 0; slot < 20; slot++)
        if (ChanSlot[slot] != 0) channels.push_back(ChanSlot[slot]);
    ASSERT_FALSE(channels.empty());
    StopSong();
    EXPECT_EQ(MusicOn, 0);
    for (int slot = 0; slot < 20; slot++) EXPECT_EQ(ChanSlot[slot], 0) << slot;
    for (int channel : channels) EXPECT_FALSE(ReadChannel(channel).playing);
    for (int f = 0; f < 30; f++) Frame();
    for (int slot = 0; slot < 20; slot++) EXPECT_EQ(ChanSlot[slot], 0) << "stopped stays stopped";

    SetSpread(0.8f);
    Start("steps", 7, 250);
    EXPECT_FLOAT_EQ(Spread, 0.3f);
    EXPECT_EQ(Play(70), first);
    StartSong("steps", 7, 250); // a start while playing stops the song first
    for (int slot = 0; slot < 20; slot++) EXPECT_FALSE(ReadChannel(ChanSlot[slot]).playing) << slot;
}

TEST_F(Music, SameSeedSameMusicOnlyTheDrumKitsFollowTheGenerator) {
    LoadInstruments();
    test::WriteBytes("music/demo.ini", test::ReadBytes(GLIMMET_RUN_DIR "/Files/291/music/demo.ini"));
    struct Run {
        std::vector<std::string> lines;
        int kitA, kitB;
    };
    auto run = [&](int generatorSeed) {
        SeedRandom(generatorSeed);
        int kitA = 0, kitB = 0;
        do {
            kitA = RandInt(1, 4);
            kitB = RandInt(1, 4);
        } while (kitA == kitB);
        SeedRandom(generatorSeed);
        Start("demo", 12345, 250);
        Run r{{}, KitIn(1), KitIn(11)};
        EXPECT_EQ(r.kitA, kitA);
        EXPECT_EQ(r.kitB, kitB);
        Play(1);
        for (int progression = 0; progression < 3; progression++) {
            std::string state = ChordLine;
            for (const std::string& line : VoiceLine) state += "|" + line;
            state += "|" + Mutes();
            for (int i = 1; i <= 3; i++)
                state += std::to_string(CurVariant[i]) + std::to_string(DecaySel[i]) +
                         std::to_string(Decay[2 * i]) + std::to_string(Decay[2 * i + 1]) + " ";
            r.lines.push_back(state);
            Play(nextStep + 64 * static_cast<int>(ChordLine.size() / 4));
        }
        return r;
    };
    Run a = run(1), b = run(2);
    EXPECT_EQ(a.lines, b.lines);
    EXPECT_NE(a.lines[0], a.lines[1]) << "progressions differ";
    EXPECT_TRUE(a.kitA != b.kitA || a.kitB != b.kitB)
        << "the kits follow the generator's state before the seed";

    StartSong("missing", 5, 250); // no file: no song, but both kits are drawn and loaded again
    EXPECT_EQ(MusicOn, 0);
    EXPECT_NE(KitIn(1), KitIn(11));
}

TEST_F(Music, EmptySectionsShortChordLinesAndMissingSamplesNeverStopThePlayer) {
    for (int n = 1; n <= 8; n++) DeleteFile("music/d2-" + std::to_string(n) + ".wav");
    DeleteFile("music/bass01.wav");
    DeleteFile("music/bass02.wav");
    LoadInstruments();
    EXPECT_EQ(VariantCount[1], 0);
    EXPECT_EQ(MusicSound[21], 0);
    const std::vector<std::pair<const char*, const char*>> songs = {
        {"headers only", "[DRUMS]\r\n[CHORDS]\r\n[BASS]\r\n[MELODY]\r\n[ACCOMPANY]\r\n"},
        {"short chord line",
         "[DRUMS]\r\n\"\"\r\n\"1\"\r\n[CHORDS]\r\n\"qw\"\r\n[BASS]\r\n\"q\"\r\n[MELODY]\r\n\"\"\r\n"},
        {"six chords",
         "[DRUMS]\r\n\"12345678\"\r\n[CHORDS]\r\n\"qwerty\"\r\n[BASS]\r\n\"q\"\r\n[MELODY]\r\n\"e\"\r\n"},
        {"nothing at all", ""},
    };
    for (auto [what, text] : songs) {
        test::WriteBytes("music/thin.ini", text);
        for (int seed : {1, 2, 3}) {
            Start("thin", seed, 250);
            ASSERT_EQ(MusicOn, 1) << what;
            Play(3 * 64 + 5);
            EXPECT_EQ(MusicOn, 1) << what;
            EXPECT_EQ(Phrase, 3) << what;
            EXPECT_EQ(Bar, 1) << what << ": a progression lasts one bar"; // "qwerty" uses only "qwer"
        }
    }
}

TEST(MusicDormant, NoSongLeavesTheMusicSlotsUntouched) {
    test::ScreenRun run;
    test::MakeFolder("music");
    for (int n = 1; n <= 8; n++) test::WriteSilentWav("music/d1-" + std::to_string(n) + ".wav", 2205);
    test::WriteSilentWav("music/bass01.wav", 2205);
    test::WriteSilentWav("001.wav", 2205);
    run.OpenScreen();
    ASSERT_NE(MusicSound[1], 0);
    SfxSound[1] = LoadSound("001.wav");
    for (int frame = 0; frame < 240; frame++) {
        if (frame % 10 == 0) PlaySfx(1, 1, 1, 0);
        ShowFrame(0);
    }
    EXPECT_EQ(MusicOn, 0);
    for (int slot = 0; slot <= 4; slot++) EXPECT_EQ(ChanSlot[slot], 0) << slot;
}

} // namespace
} // namespace glimmet
