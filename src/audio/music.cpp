#include "audio/music.h"

#include <cstdint>

#include "audio/patterns.h"
#include "audio/sound_effects.h"
#include "base/random.h"
#include "base/state.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "scores/fields.h"

namespace glimmet {

std::array<int, 50> MusicSound{};
std::array<float, 1300> StepGrid{};
std::array<int, 5> VariantCount{};
std::array<int, 5> CurVariant{};
std::array<int, 10> VariantPair{};
std::array<float, 10> Decay{};
std::array<int, 10> DecaySel{};
std::array<int, 20> VoiceMute{};
std::array<int, 20> VoiceMuteNext{};
std::array<int, 20> VoiceEntry{};
std::array<float, 20> VoiceLevel{};

int MusicOn = 0;
int SongSeed = 0;
int MusicTick = 0;
int StepMs = 0;
int Step = 0;
int Bar = 0;
int Phrase = 0;
int FillMode = 0;
float Spread = 0.3f;
std::string ChordLine;
std::array<std::string, 5> VoiceLine;

namespace {

constexpr int StepsPerBar = 64;
constexpr int GridRow = 70;           // StepGrid entries per voice
constexpr int MusicSlots = 20;        // channel slots 0..19 belong to the music player
constexpr int LateLimitMs = 123456;   // a step due this far ahead is taken for a clock that wrapped
constexpr int FirstStepDelayMs = 250; // from StartSong to the first step

// Clock readings wrap, so they are added and compared in 32-bit unsigned arithmetic.
int ClockPlus(int reading, int ms) {
    return static_cast<int>(static_cast<uint32_t>(reading) + static_cast<uint32_t>(ms));
}
int ClockDifference(int later, int earlier) {
    return static_cast<int>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
}

// seed * 1024 + extra, wrapping in 32 bits.
int32_t SeedFrom(int seed, int extra) {
    return static_cast<int32_t>(static_cast<uint32_t>(seed) * 1024u + static_cast<uint32_t>(extra));
}

size_t At(int index) {
    return static_cast<size_t>(index);
}

void LoadInto(int slot, const std::string& file) {
    FreeSound(MusicSound[At(slot)]);
    MusicSound[At(slot)] = LoadSound(file);
}

// Kit `a` into slots 1..8 and kit `b` into slots 11..18; a missing file leaves its slot empty.
void LoadDrumKits(int a, int b) {
    for (int n = 1; n <= 8; n++) {
        LoadInto(n, "music/d" + std::to_string(a) + "-" + std::to_string(n) + ".wav");
        LoadInto(10 + n, "music/d" + std::to_string(b) + "-" + std::to_string(n) + ".wav");
    }
}

// Stops the channel of a slot and gives it back, leaving the slot empty.
void EmptySlot(int slot) {
    int& channel = ChanSlot[At(slot)];
    if (channel == 0) return;
    if (ChannelPlaying(channel)) StopChannel(channel);
    FreeChannel(channel);
    channel = 0;
}

float MusicLoudness(float level) {
    return MixVolume(Setting[SettingMusicVolume], Setting[SettingMasterVolume], level);
}

float VoicePan(int voice) {
    const float pans[5] = {Spread, -Spread, -Spread / 2, 0, Spread / 2};
    return pans[voice];
}

// Cuts the voice's previous note and starts the sound on a new channel with everything applied.
void PlayNote(int voice, int sound, float rate, float volume) {
    EmptySlot(voice);
    int channel = AllocateChannel();
    ChanSlot[At(voice)] = channel;
    QueueSound(channel, sound);
    SetChannelPan(channel, VoicePan(voice));
    SetChannelRate(channel, rate);
    SetChannelVolume(channel, volume);
    ResumeChannel(channel);
}

// The character at a 0-based position of a line, wrapping round its length; a space for an empty line.
char Wrapped(const std::string& line, int position) {
    if (line.empty()) return ' ';
    return line[At(position % static_cast<int>(line.size()))];
}

void FillStepGrid() {
    for (int s = 0; s < StepsPerBar; s++) {
        for (int v = 0; v <= 1; v++) {
            char c = Wrapped(VoiceLine[At(v)], s);
            StepGrid[At(GridRow * v + s)] = c >= '0' && c <= '9' ? static_cast<float>(c - '0') : 0;
        }
        for (int v = 2; v <= 4; v++) {
            char c = Wrapped(VoiceLine[At(v)], (Bar - 1) * StepsPerBar + s);
            StepGrid[At(GridRow * v + s)] = NoteRate(c);
        }
    }
}

// A new progression: variants and decays, the chord line, the mutes, and the five lines.
void NewProgression() {
    for (int i = 1; i <= 3; i++) {
        int pick = RandInt(0, 1);
        CurVariant[At(i)] = VariantPair[At(2 * i + pick)];
        DecaySel[At(i)] = RandInt(0, 1);
    }
    Bar = 1;
    ChordLine = PickChords(13);
    for (int v = 0; v < 20; v++) {
        VoiceMute[At(v)] = VoiceMuteNext[At(v)];
        VoiceMuteNext[At(v)] = RandInt(0, 1);
        VoiceEntry[At(v)] = RandInt(1, 2);
    }
    // At least one drum voice, and the bass or the melody, always plays.
    if (VoiceMute[0] == 1 && VoiceMute[1] == 1) VoiceMute[At(RandInt(0, 1))] = 0;
    if (VoiceMute[2] == 1 && VoiceMute[3] == 1) VoiceMute[At(RandInt(2, 3))] = 0;
    VoiceLine[0] = PickDrums(3);
    VoiceLine[1] = PickDrums(7);
    VoiceLine[2] = PickBass(13);
    VoiceLine[3] = PickMelody(19);
    VoiceLine[4] = PickAccompany(29);
}

// The chords a progression plays: four per bar, and a chord line shorter than four chords still
// sounds one bar per progression.
int PlayedChords() {
    int bars = static_cast<int>(ChordLine.size()) / 4;
    return 4 * (bars > 0 ? bars : 1);
}

bool VoiceSilent(int v) {
    if (VoiceMute[At(v)] != 1) return false;
    bool enteringNext = VoiceMuteNext[At(v)] == 0;
    return !(enteringNext && ((FillMode == 1 && VoiceEntry[At(v)] == 1) || FillMode == 2));
}

// One step of the schedule: the grid's notes of this step on every voice that is not silent.
void PlayStep() {
    MusicTick = ClockPlus(MusicTick, StepMs);
    Step++;
    if (Step >= StepsPerBar) {
        Step = 0;
        NewPhrase();
    }
    int chords = PlayedChords();
    int chord = Step / 16 + (Bar - 1) * 4; // 0-based
    if (Step / 8 + (Bar - 1) * 8 >= 2 * chords - 1)
        FillMode = 2;
    else if (chord >= chords - 1)
        FillMode = 1;
    else
        FillMode = 0;
    float chordRate =
        chord >= 0 && chord < static_cast<int>(ChordLine.size()) ? NoteRate(ChordLine[At(chord)]) : 0;
    for (int v = 0; v <= 4; v++) {
        if (VoiceSilent(v)) continue;
        float value = StepGrid[At(GridRow * v + Step)];
        if (v <= 1) {
            auto digit = static_cast<int>(value);
            if (digit >= 1 && digit <= 8) PlayNote(v, MusicSound[At(10 * v + digit)], 1, MusicLoudness(1));
            continue;
        }
        float rate = value * chordRate; // 0 for a rest, or while the chord is a rest
        if (rate == 0) continue;
        VoiceLevel[At(v)] = 1;
        PlayNote(v, MusicSound[At(10 * v + CurVariant[At(v - 1)])], rate, MusicLoudness(1));
    }
}

// The pitched voices' notes fade by their instrument's decay rate every frame.
void FadePitchedVoices() {
    for (int v = 2; v <= 4; v++) {
        int channel = ChanSlot[At(v)];
        if (channel == 0 || !ChannelPlaying(channel)) continue;
        float level = VoiceLevel[At(v)] - Decay[At(2 * (v - 1) + DecaySel[At(v - 1)])];
        VoiceLevel[At(v)] = level > 0 ? level : 0;
        SetChannelVolume(channel, MusicLoudness(VoiceLevel[At(v)]));
    }
}

} // namespace

void InitializeMusic() {
    MusicOn = 0;
    StepGrid.fill(0);
    CurVariant.fill(0);
    VariantPair.fill(0);
    Decay.fill(0);
    DecaySel.fill(0);
    VoiceMute.fill(0);
    VoiceMuteNext.fill(0);
    VoiceEntry.fill(0);
    VoiceLevel.fill(0);
    SongSeed = MusicTick = StepMs = Step = Bar = Phrase = FillMode = 0;
    Spread = 0.3f;
    ChordLine.clear();
    for (std::string& line : VoiceLine) line.clear();
    for (std::string& line : PatLines) line.clear();
    PatCount.fill(0);
    PatStretch.fill(0);
}

void LoadInstruments() {
    for (int& sound : MusicSound) { // a reload leaves no sample behind whose file has gone
        FreeSound(sound);
        sound = 0;
    }
    LoadDrumKits(1, 3);
    const char* const names[4] = {"", "music/bass", "music/lead", "music/accompany"};
    for (int instrument = 1; instrument <= 3; instrument++) {
        VariantCount[At(instrument)] = 0;
        for (int n = 1; n <= 8; n++) {
            std::string file = names[instrument] + PadNumber(n, 2) + ".wav";
            if (!FileExists(file)) continue;
            VariantCount[At(instrument)] = n;
            LoadInto(instrument * 10 + 10 + n, file);
        }
    }
}

void StartSong(const std::string& name, int seed, int pace) {
    StopSong(); // a new song starts from a fresh state, also when it cannot start
    ClearPatterns();
    int kitA = 0, kitB = 0;
    do {
        kitA = RandInt(1, 4);
        kitB = RandInt(1, 4);
    } while (kitA == kitB);
    LoadDrumKits(kitA, kitB);
    if (!ReadPatternFile(name)) return;

    if (seed == -1) seed = Millis();
    SeedRandom(SeedFrom(seed, 0));
    SongSeed = seed;
    Spread = 0.3f;
    ChordLine.clear();
    Step = Bar = Phrase = -1;
    MusicTick = Millis();
    StepMs = pace / 2;
    VoiceLevel.fill(0);
    for (int v = 0; v < 20; v++) VoiceMuteNext[At(v)] = RandInt(0, 1);
    for (int i = 1; i <= 3; i++) {
        int count = VariantCount[At(i)];
        int& first = VariantPair[At(2 * i)];
        int& second = VariantPair[At(2 * i + 1)];
        do {
            first = RandInt(1, count);
            second = RandInt(1, count);
        } while (count >= 2 && first == second);
    }
    // The fades in frames: bass about 7 to 11, melody 13 to 18, accompaniment 9 to 12.
    const int order[6] = {2, 4, 6, 3, 5, 7};
    const double low[6] = {0.09, 0.055, 0.08, 0.09, 0.055, 0.08};
    const double high[6] = {0.14, 0.08, 0.11, 0.14, 0.08, 0.11};
    for (int k = 0; k < 6; k++) Decay[At(order[k])] = static_cast<float>(RandReal(low[k], high[k]));
    NewPhrase();
    MusicTick = ClockPlus(Millis(), FirstStepDelayMs);
    MusicOn = 1;
}

void StopSong() {
    MusicOn = 0;
    for (int slot = 0; slot < MusicSlots; slot++) EmptySlot(slot);
}

void SetSpread(float spread) {
    Spread = spread;
}

void SeedFromSong(int salt) {
    auto where = static_cast<uint32_t>(Bar) + static_cast<uint32_t>(Phrase) + static_cast<uint32_t>(salt);
    SeedRandom(SeedFrom(SongSeed, static_cast<int>(where)));
}

void NewPhrase() {
    SeedFromSong(0);
    Phrase++;
    Bar++;
    if (ChordLine.empty() || Bar > static_cast<int>(ChordLine.size()) / 4) NewProgression();
    FillStepGrid();
}

void MusicStep() {
    if (MusicOn == 0) return;
    FadePitchedVoices();
    int ahead = ClockDifference(MusicTick, Millis());
    if (ahead >= 0 && ahead <= LateLimitMs) return;
    PlayStep(); // one step a frame at most: a late player catches up a step a frame
}

} // namespace glimmet
