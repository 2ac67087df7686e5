// Synthesises every sound of the game data: the six game events, the two menu sounds, the badge
// fanfare, and the music player's drum kits and instruments with a demonstration pattern file.
// Usage: make_sounds COMMON_FOLDER GAME_FOLDER
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "image.h"
#include "sound.h"

namespace glimmet::tools {
namespace {

float Note(int semitonesFromA4) {
    return 440.0f * std::pow(2.0f, static_cast<float>(semitonesFromA4) / 12.0f);
}

Voice Tone(Osc osc, float f, float start, float length, float volume) {
    Voice v;
    v.osc = osc;
    v.f0 = v.f1 = f;
    v.start = start;
    v.length = length;
    v.volume = volume;
    return v;
}

// 1: a ledge lights up: a bright upward "ting".
Wave LedgeLit() {
    Wave w;
    Voice v = Tone(Osc::Square, 700, 0, 0.06f, 0.5f);
    v.f1 = 1400;
    v.slide = 0.05f;
    v.duty = 0.25f;
    v.decay = 0.12f;
    v.sustain = 0.3f;
    v.release = 0.12f;
    v.lowpass = 5000;
    Add(w, v);
    Voice ring = Tone(Osc::Sine, 2100, 0.04f, 0.05f, 0.35f);
    ring.decay = 0.15f;
    ring.sustain = 0.2f;
    ring.release = 0.12f;
    Add(w, ring);
    Finish(w, 0.7f);
    return w;
}

// 2: a glimmet: a two-note crystal chime with a shimmer.
Wave Glimmet() {
    Wave w;
    const int notes[] = {19, 26, 31}; // E6, B6, E7
    for (int i = 0; i < 3; ++i) {
        Voice v = Tone(Osc::Triangle, Note(notes[i]), 0.045f * static_cast<float>(i), 0.04f, 0.5f);
        v.vibratoHz = 28;
        v.vibrato = 0.006f;
        v.decay = 0.12f;
        v.sustain = 0.35f;
        v.release = 0.18f;
        Add(w, v);
    }
    Voice air = Tone(Osc::Noise, 9000, 0, 0.03f, 0.08f);
    air.release = 0.12f;
    air.lowpass = 7000;
    Add(w, air, 2);
    Finish(w, 0.75f);
    return w;
}

// 3: spikes hurt: a harsh falling buzz with a crunch.
Wave Hurt() {
    Wave w;
    Voice v = Tone(Osc::Saw, 420, 0, 0.22f, 0.6f);
    v.f1 = 70;
    v.slide = 0.3f;
    v.decay = 0.1f;
    v.sustain = 0.7f;
    v.release = 0.15f;
    v.lowpass = 2500;
    Add(w, v);
    Voice crunch = Tone(Osc::Noise, 4000, 0, 0.06f, 0.5f);
    crunch.f1 = 800;
    crunch.slide = 0.15f;
    crunch.release = 0.12f;
    Add(w, crunch, 3);
    Crush(w, 12);
    Finish(w, 0.8f);
    return w;
}

// 4: shield: a rising, wobbling power-up sweep.
Wave Shield() {
    Wave w;
    for (int i = 0; i < 2; ++i) {
        Voice v = Tone(Osc::Square, 260 * (1 + 0.5f * static_cast<float>(i)), 0, 0.32f, 0.35f);
        v.f1 = v.f0 * 4;
        v.slide = 0.35f;
        v.duty = 0.5f - 0.25f * static_cast<float>(i);
        v.vibratoHz = 14;
        v.vibrato = 0.05f;
        v.attack = 0.02f;
        v.decay = 0.1f;
        v.sustain = 0.8f;
        v.release = 0.15f;
        v.lowpass = 3500;
        Add(w, v);
    }
    Finish(w, 0.75f);
    return w;
}

// 5: time bonus: a quick major arpeggio up to the octave.
Wave TimeBonus() {
    Wave w;
    const int notes[] = {3, 7, 10, 15, 19}; // C5 E5 G5 C6 E6
    for (int i = 0; i < 5; ++i) {
        Voice v = Tone(Osc::Square, Note(notes[i]), 0.06f * static_cast<float>(i), 0.05f, 0.4f);
        v.duty = 0.5f;
        v.decay = 0.05f;
        v.sustain = 0.5f;
        v.release = i == 4 ? 0.25f : 0.04f;
        v.lowpass = 4500;
        Add(w, v);
    }
    Finish(w, 0.75f);
    return w;
}

// 6: the warning beep of the last seconds: one clean, urgent tone.
Wave Warning() {
    Wave w;
    Voice v = Tone(Osc::Square, 988, 0, 0.11f, 0.5f);
    v.duty = 0.5f;
    v.attack = 0.004f;
    v.decay = 0.02f;
    v.sustain = 0.9f;
    v.release = 0.03f;
    v.lowpass = 3000;
    Add(w, v);
    Finish(w, 0.7f);
    return w;
}

// 98: the menu blip; 99: a softer, lower bloop.
Wave MenuBlip() {
    Wave w;
    Voice v = Tone(Osc::Square, 520, 0, 0.05f, 0.5f);
    v.f1 = 820;
    v.slide = 0.05f;
    v.duty = 0.3f;
    v.release = 0.05f;
    v.lowpass = 4000;
    Add(w, v);
    Finish(w, 0.6f);
    return w;
}

Wave MenuBloop() {
    Wave w;
    Voice v = Tone(Osc::Triangle, 330, 0, 0.08f, 0.6f);
    v.f1 = 190;
    v.slide = 0.1f;
    v.release = 0.06f;
    Add(w, v);
    Finish(w, 0.6f);
    return w;
}

// The badge fanfare, also the start-up sound.
Wave Fanfare() {
    Wave w;
    const int notes[] = {3, 7, 10, 15};
    const float at[] = {0, 0.1f, 0.2f, 0.3f};
    for (int i = 0; i < 4; ++i) {
        float len = i == 3 ? 0.45f : 0.08f;
        Voice lead = Tone(Osc::Square, Note(notes[i]), at[i], len, 0.35f);
        lead.duty = 0.25f;
        lead.vibratoHz = i == 3 ? 6 : 0;
        lead.vibrato = i == 3 ? 0.01f : 0;
        lead.release = 0.2f;
        lead.lowpass = 4000;
        Add(w, lead);
        Voice body = Tone(Osc::Triangle, Note(notes[i] - 12), at[i], len, 0.35f);
        body.release = 0.2f;
        Add(w, body);
    }
    Finish(w, 0.75f);
    return w;
}

// Drum kits: 1 kick, 2 snare, 3 closed hat, 4 open hat, 5 low tom, 6 high tom, 7 clap, 8 cymbal.
// Kit 1 is clean, kit 2 chip-style, kit 3 soft and deep, kit 4 crunchy. The music player plays up to
// five samples at once at the loudness the player sets, so each drum peaks at its place in the mix
// (the hats well below the kick) and the sum of a full band stays below clipping at full volume.
Wave Drum(int kit, int n) {
    Wave w;
    float pitch = kit == 3 ? 0.8f : (kit == 2 ? 1.2f : 1.0f);
    uint32_t seed = static_cast<uint32_t>(kit * 10 + n);
    Osc body = kit == 2 ? Osc::Square : (kit == 3 ? Osc::Sine : Osc::Triangle);
    auto hit = [&](Osc osc, float f0, float f1, float slide, float len, float release, float vol, float lp) {
        Voice v = Tone(osc, f0 * pitch, 0, len, vol);
        v.f1 = f1 * pitch;
        v.slide = slide;
        v.attack = n == 3 || n == 4 ? 0.007f : 0.002f; // hats peak after the 5 ms fade-in
        v.decay = len;
        v.sustain = 0.3f;
        v.release = release;
        v.lowpass = lp;
        Add(w, v, seed);
    };
    const float peaks[9] = {0, 0.38f, 0.36f, 0.31f, 0.31f, 0.36f, 0.35f, 0.33f, 0.31f};
    switch (n) {
    case 1:
        hit(body, 150, 45, 0.12f, 0.05f, 0.22f, 0.9f, 0);
        break;
    case 2:
        hit(body, 260, 180, 0.05f, 0.03f, 0.1f, 0.5f, 0);
        hit(Osc::Noise, 9000, 6000, 0.1f, 0.05f, 0.18f, 0.6f, kit == 3 ? 3000 : 7000);
        break;
    case 3:
        hit(Osc::Noise, 16000, 16000, 0, 0.015f, 0.07f, 0.5f, 0);
        break;
    case 4:
        hit(Osc::Noise, 14000, 12000, 0.2f, 0.08f, 0.25f, 0.45f, 0);
        break;
    case 5:
        hit(body, 140, 90, 0.2f, 0.1f, 0.2f, 0.8f, 0);
        break;
    case 6:
        hit(body, 240, 160, 0.15f, 0.08f, 0.16f, 0.8f, 0);
        break;
    case 7:
        for (int i = 0; i < 3; ++i) {
            Voice v = Tone(Osc::Noise, 7000, 0.012f * static_cast<float>(i), 0.01f, 0.5f);
            v.release = i == 2 ? 0.15f : 0.01f;
            v.lowpass = 5000;
            Add(w, v, seed + static_cast<uint32_t>(i));
        }
        break;
    default:
        hit(Osc::Noise, 12000, 9000, 0.6f, 0.2f, 0.6f, 0.4f, 9000);
        break;
    }
    if (kit == 4) Crush(w, 8);
    Room(w, 0.35f, 0.4f);
    Finish(w, peaks[n]);
    return w;
}

// Instruments play at their own pitch for the note 'q': bass at C3, lead at C5, accompaniment at C4.
// The chord lines transpose down by up to a fifth, so the bass reaches F2. Peaks as for the drums.
Wave Instrument(const std::string& kind, int variant) {
    Wave w;
    if (kind == "bass") {
        Voice v = Tone(variant == 1 ? Osc::Saw : Osc::Square, Note(-21), 0, 0.35f, 0.7f);
        v.lowpass = variant == 1 ? 900 : 700;
        v.duty = 0.4f;
        v.attack = 0.025f; // swells in as the kick that often falls with it dies away
        v.decay = 0.3f;
        v.sustain = 0.5f;
        v.release = 0.2f;
        Add(w, v);
        Voice sub = Tone(Osc::Sine, Note(-33), 0, 0.35f, 0.35f);
        sub.attack = 0.025f;
        sub.release = 0.2f;
        Add(w, sub);
        Finish(w, 0.37f);
    } else if (kind == "lead") {
        Voice v = Tone(variant == 1 ? Osc::Square : Osc::Triangle, Note(3), 0, 0.4f, 0.6f);
        v.duty = 0.25f;
        v.vibratoHz = 5.5f;
        v.vibrato = 0.008f;
        v.decay = 0.2f;
        v.sustain = 0.6f;
        v.release = 0.2f;
        v.lowpass = variant == 1 ? 3500 : 0;
        v.phase = 0.25f; // out of step with the bass, which starts with it
        Add(w, v);
        if (variant == 2) {
            Voice bell = Tone(Osc::Sine, Note(15), 0, 0.1f, 0.25f);
            bell.decay = 0.2f;
            bell.sustain = 0.1f;
            bell.release = 0.3f;
            Add(w, bell);
        }
        Finish(w, 0.36f);
    } else {
        // Accompaniment: a soft detuned pad, or a pluck.
        for (int i = 0; i < 2; ++i) {
            Voice v = Tone(variant == 1 ? Osc::Saw : Osc::Square,
                           Note(-9) * (1 + 0.004f * static_cast<float>(i)), 0, 0.45f, 0.35f);
            v.attack = variant == 1 ? 0.04f : 0.015f;
            v.decay = variant == 1 ? 0.2f : 0.12f;
            v.sustain = variant == 1 ? 0.7f : 0.2f;
            v.release = 0.25f;
            v.duty = 0.5f;
            v.lowpass = variant == 1 ? 1500 : 2200;
            v.phase = 0.5f + 0.25f * static_cast<float>(i); // out of step with the bass and each other
            Add(w, v);
        }
        Finish(w, 0.36f);
    }
    return w;
}

// A pattern file that exercises every section and stretch option. One step is a sixteenth note and a
// chord lasts one 4/4 bar of 16 steps. Every drum line is a whole groove, since either drum voice may
// play alone; bass and melody lines are relative to the chord, which transposes them.
const char* DemoPattern =
    "; Demonstration song for the music player: one line per candidate, picked at random.\r\n"
    "[DRUMS]\r\n"
    "STRETCH=FALSE\r\n"
    "\"1 3 2 3 1 3 2 3 1 3 2 3 1 3 2 4 1 3 2 3 1 3 2 3 1 1 2 3 1 3 2 7 \"\r\n"
    "\"1 3 3 1 2 3 3 3 1 3 1 3 2 3 4 3 \"\r\n"
    "\"3 3 3 3 3 3 3 4 3 3 3 3 3 3 3 4 3 3 3 3 3 3 3 4 3 3 3 7 3 3 3 8 \"\r\n"
    "\"3 3 7 3 3 3 7 3 3 3 7 3 3 7 7 3 \"\r\n"
    "\"1 3 2 3 1 3 2 3 1 3 2 3 1 3 2 3 1 3 2 3 1 3 2 3 1 3 2 3 5 5 6 6 \"\r\n"
    "[CHORDS]\r\n"
    "\"qbnvqbnb\"\r\n"
    "\"qqvvnnbb\"\r\n"
    "\"nvqbnvqb\"\r\n"
    "[BASS]\r\n"
    "STRETCH=RANDOM\r\n"
    "\"q qiq qiq qiq qi\"\r\n"
    "\"q   q t q   q t \"\r\n"
    "\"q q q q t t i t \"\r\n"
    "[MELODY]\r\n"
    "STRETCH=RANDOM+\r\n"
    "\"e t y t e w q   e t y i y t e   \"\r\n"
    "\"i   y   t   e   t   y   i   y   \"\r\n"
    "\"q e t i t e q w e   e   w   q   \"\r\n"
    "[ACCOMPANY]\r\n"
    "STRETCH=DOUBLE\r\n"
    "\"qeti\"\r\n"
    "\"qtet\"\r\n";

} // namespace
} // namespace glimmet::tools

int main(int argc, char** argv) {
    using namespace glimmet::tools;
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_sounds COMMON_FOLDER GAME_FOLDER\n");
        return 2;
    }
    std::string common = argv[1], game = argv[2], music = game + "/music";
    if (!MakeFolders(common) || !MakeFolders(music)) {
        std::fprintf(stderr, "make_sounds: cannot make the folders\n");
        return 1;
    }
    int status = 0;
    auto write = [&status](const std::string& path, const Wave& w) {
        if (WriteWav(path, w)) return;
        std::fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
        status = 1;
    };
    write(game + "/001.wav", LedgeLit());
    write(game + "/002.wav", Glimmet());
    write(game + "/003.wav", Hurt());
    write(game + "/004.wav", Shield());
    write(game + "/005.wav", TimeBonus());
    write(game + "/006.wav", Warning());
    write(game + "/098.wav", MenuBlip());
    write(game + "/099.wav", MenuBloop());
    write(common + "/badgeget.wav", Fanfare());
    for (int kit = 1; kit <= 4; ++kit)
        for (int n = 1; n <= 8; ++n)
            write(music + "/d" + std::to_string(kit) + "-" + std::to_string(n) + ".wav", Drum(kit, n));
    for (const char* kind : {"bass", "lead", "accompany"})
        for (int variant = 1; variant <= 2; ++variant)
            write(music + "/" + kind + "0" + std::to_string(variant) + ".wav", Instrument(kind, variant));
    std::ofstream pattern(music + "/demo.ini", std::ios::binary);
    pattern << DemoPattern;
    if (!pattern) status = 1;
    return status;
}
