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

} // namespace
} // namespace glimmet
