#include "platform/audio.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/audio_drivers.h"
#include "platform/clock.h"
#include "platform/mixer.h"
#include "platform/sanitizer.h"

namespace glimmet {

namespace {

constexpr int MaxChannels = 512;

struct Sound {
    std::vector<float> samples; // interleaved stereo at MixRate
    bool used = false;
};

// Which channels are handed out, and when each last took a sound (to pick one to reuse).
struct ChannelBook {
    bool allocated = false;
    int sound = 0;
    long long lastUse = 0;
};

std::vector<Sound> Sounds(1);                     // slot 0: the empty sound
std::array<MixChannel, MaxChannels + 1> Channels; // slot 0 unused; read by the device's thread
std::array<ChannelBook, MaxChannels + 1> Book;
long long UseCounter = 0;
SDL_AudioDeviceID Device = 0;
bool SilentClockStarted = false;
int SilentClock = 0; // the clock reading up to which device-less playback has been advanced
bool Capturing = false;
int CaptureStart = 0;       // the clock reading at StartCapture
std::vector<float> Capture; // what has been mixed since, stereo at MixRate

// The device's thread holds the same lock for the whole of each mix, so the main thread holds it only
// to change a few fields of a channel.
void Lock() {
    if (Device != 0) SDL_LockAudioDevice(Device);
}
void Unlock() {
    if (Device != 0) SDL_UnlockAudioDevice(Device);
}

void Mix(void*, Uint8* stream, int length) {
    int frames = length / static_cast<int>(2 * sizeof(float));
    MixChannels(Channels.data() + 1, MaxChannels, reinterpret_cast<float*>(stream), frames);
}

// An SDL shut down by someone else takes the device with it.
bool DeviceAlive() {
    if (Device != 0 && SDL_WasInit(SDL_INIT_AUDIO) == 0) Device = 0;
    return Device != 0;
}

// While capturing, the channels are mixed up to the clock's reading; the frame count comes from the
// whole time since the capture started, so no rounding adds up.
void MixCapture(int now) {
    auto elapsed = static_cast<long long>(static_cast<unsigned>(now) - static_cast<unsigned>(CaptureStart));
    auto due = static_cast<size_t>(elapsed * MixRate / 1000);
    size_t done = Capture.size() / 2;
    if (due <= done) return;
    Capture.resize(2 * due);
    MixChannels(Channels.data() + 1, MaxChannels, Capture.data() + 2 * done, static_cast<int>(due - done));
}

// Without a device, playing channels advance by the clock, so they end when their sound would.
void AdvanceSilently() {
    int now = Millis();
    if (DeviceAlive() || !SilentClockStarted) {
        SilentClock = now;
        SilentClockStarted = true;
        return;
    }
    if (Capturing) {
        SilentClock = now;
        MixCapture(now);
        return;
    }
    int elapsed = now - SilentClock;
    SilentClock = now;
    if (elapsed <= 0) return;
    for (size_t c = 1; c < Channels.size(); c++) {
        MixChannel& channel = Channels[c];
        if (!channel.active || channel.paused) continue;
        channel.pos += elapsed * (MixRate / 1000.0) * channel.rate;
        if (channel.pos >= static_cast<double>(channel.frames)) channel.active = false;
    }
}

bool ValidChannel(int channel) {
    return channel >= 1 && channel <= MaxChannels && Book[static_cast<size_t>(channel)].allocated;
}
bool ValidSound(int sound) {
    return sound >= 1 && sound < static_cast<int>(Sounds.size()) && Sounds[static_cast<size_t>(sound)].used;
}

// Not-a-number becomes the fallback, everything else is clamped.
float Limit(float value, float low, float high, float fallback) {
    if (std::isnan(value)) return fallback;
    return std::clamp(value, low, high);
}

template <typename Change> void ChangeChannel(int channel, Change change) {
    if (!ValidChannel(channel)) return;
    AdvanceSilently();
    Lock();
    change(Channels[static_cast<size_t>(channel)]);
    Unlock();
}

// The stream the mixer writes. A device opens paused, so nothing is mixed before it is started.
SDL_AudioSpec MixFormat() {
    SDL_AudioSpec want;
    SDL_zero(want);
    want.freq = MixRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = Mix;
    return want;
}

bool OpenDevice() {
    SDL_AudioSpec want = MixFormat();
    SDL_AudioSpec have;
    Device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0); // SDL converts to what the device takes
    if (Device == 0) return false;
    SDL_PauseAudioDevice(Device, 0);
    return true;
}

// An empty driver name means SDL's default. The SDL_AUDIODRIVER environment variable, when set, wins
// over a hint of normal priority.
bool StartAudio(const std::string& driver) {
    if (driver.empty())
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    else
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver.c_str(), SDL_HINT_NORMAL);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    KeepLoadedLibraries(); // the driver's sound library, for the leak check at exit
    if (OpenDevice()) return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

// Bounds that keep a damaged WAV from asking for absurd amounts of memory: the sample rates a real
// recording uses, the longest sound the game takes (in frames at MixRate), the largest file read, and
// the largest buffer SDL converts in (its lengths are int).
constexpr int MinWavRate = 1000;
constexpr int MaxWavRate = 384000;
constexpr long long MaxSoundFrames = 5LL * 60 * MixRate;
constexpr long long MaxWavFileBytes = 1LL << 30;
constexpr long long MaxConvertBytes = 1LL << 30;

Uint32 ReadLe32(const Uint8* bytes) {
    return static_cast<Uint32>(bytes[0]) | static_cast<Uint32>(bytes[1]) << 8 |
           static_cast<Uint32>(bytes[2]) << 16 | static_cast<Uint32>(bytes[3]) << 24;
}

void WriteLe32(Uint8* bytes, Uint32 value) {
    for (int i = 0; i < 4; i++) bytes[i] = static_cast<Uint8>(value >> (8 * i));
}

// SDL reserves the size a WAV's data chunk declares before reading it, so a data chunk that claims
// more than the file holds is cut down to what the file holds.
void FitDataChunkToFile(std::vector<Uint8>& file) {
    long long offset = 12; // after "RIFF", its size and "WAVE"
    const long long size = static_cast<long long>(file.size());
    while (offset + 8 <= size) {
        Uint8* header = file.data() + offset;
        long long length = ReadLe32(header + 4);
        if (std::memcmp(header, "data", 4) == 0) {
            long long held = size - offset - 8;
            if (length > held) WriteLe32(header + 4, static_cast<Uint32>(held));
            return;
        }
        offset += 8 + length + (length & 1); // chunks are padded to an even length
    }
}

// The whole file, or nothing when it cannot be read or is larger than any sound the game takes.
bool ReadWavFile(const std::string& path, std::vector<Uint8>& file) {
    SDL_RWops* in = SDL_RWFromFile(path.c_str(), "rb");
    if (in == nullptr) return false;
    Sint64 size = SDL_RWsize(in);
    bool ok = size > 0 && size <= MaxWavFileBytes;
    if (ok) {
        file.resize(static_cast<size_t>(size));
        ok = SDL_RWread(in, file.data(), 1, file.size()) == file.size();
    }
    SDL_RWclose(in);
    return ok;
}

// The WAV's samples converted to interleaved stereo float at MixRate. Every size is worked out in 64
// bits and checked before anything is allocated: a sample rate no recording has, a sound longer than
// the bound, or a conversion buffer beyond the bound refuses the file.
bool ConvertWav(const SDL_AudioSpec& wavFormat, const Uint8* data, Uint32 length, std::vector<float>& out) {
    if (wavFormat.freq < MinWavRate || wavFormat.freq > MaxWavRate) return false;
    long long frameBytes = SDL_AUDIO_BITSIZE(wavFormat.format) / 8 * wavFormat.channels;
    if (frameBytes <= 0) return false;
    long long frames = length / frameBytes; // a damaged file may end in the middle of a frame
    if (frames * MixRate / wavFormat.freq > MaxSoundFrames) return false;
    long long usable = frames * frameBytes;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, wavFormat.format, wavFormat.channels, wavFormat.freq, AUDIO_F32SYS, 2,
                          MixRate) < 0)
        return false;
    long long workBytes = usable * std::max(cvt.len_mult, 1);
    if (workBytes > MaxConvertBytes) return false;
    std::vector<Uint8> buffer(static_cast<size_t>(workBytes));
    if (usable > 0) std::memcpy(buffer.data(), data, static_cast<size_t>(usable));
    cvt.buf = buffer.data();
    cvt.len = static_cast<int>(usable);
    long long converted = usable;
    if (cvt.needed != 0 && usable > 0) {
        if (SDL_ConvertAudio(&cvt) != 0) return false;
        converted = cvt.len_cvt;
    }
    size_t floats = static_cast<size_t>(converted) / sizeof(float);
    floats -= floats % 2;
    out.resize(floats);
    if (floats > 0) std::memcpy(out.data(), buffer.data(), floats * sizeof(float));
    return true;
}

} // namespace

bool OpenAudio() {
    if (DeviceAlive()) return true;
    AdvanceSilently();
    const std::string& chosen = SelectedAudioDriver();
    if (!chosen.empty() && StartAudio(chosen)) return true;
    return StartAudio("");
}

bool DriverOpensOutput(const std::string& driver) {
    if (SDL_GetCurrentAudioDriver() != nullptr) return driver == SDL_GetCurrentAudioDriver();
    if (SDL_AudioInit(driver.c_str()) != 0) return false;
    SDL_AudioSpec want = MixFormat();
    SDL_AudioSpec have;
    SDL_AudioDeviceID probe = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (probe != 0) SDL_CloseAudioDevice(probe);
    KeepLoadedLibraries(); // the driver's sound library, for the leak check at exit
    SDL_AudioQuit();
    return probe != 0;
}

void CloseAudio() {
    if (!DeviceAlive()) return;
    SDL_CloseAudioDevice(Device);
    Device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SilentClock = Millis(); // device-less playback goes on from here
}

bool AudioDeviceOpen() {
    return DeviceAlive();
}

std::string AudioDeviceDriver() {
    const char* name = DeviceAlive() ? SDL_GetCurrentAudioDriver() : nullptr;
    return name != nullptr ? name : "";
}

int LoadSound(const std::string& path) {
    std::vector<Uint8> file;
    if (!ReadWavFile(path, file)) return 0;
    FitDataChunkToFile(file);
    SDL_AudioSpec wavFormat;
    Uint8* data = nullptr;
    Uint32 length = 0;
    SDL_RWops* in = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
    if (in == nullptr || SDL_LoadWAV_RW(in, 1, &wavFormat, &data, &length) == nullptr) return 0;
    std::vector<float> samples;
    bool ok = ConvertWav(wavFormat, data, length, samples);
    SDL_FreeWAV(data);
    if (!ok || samples.empty()) return 0;
    size_t slot = 1;
    while (slot < Sounds.size() && Sounds[slot].used) slot++;
    if (slot == Sounds.size()) Sounds.emplace_back();
    Sounds[slot].samples = std::move(samples);
    Sounds[slot].used = true;
    return static_cast<int>(slot);
}

void FreeSound(int sound) {
    if (!ValidSound(sound)) return;
    AdvanceSilently();
    Lock();
    for (size_t c = 1; c < Channels.size(); c++) {
        if (Book[c].sound != sound) continue;
        Channels[c] = MixChannel{};
        Book[c].sound = 0;
    }
    Unlock();
    Sounds[static_cast<size_t>(sound)] = Sound{};
}

long SoundFrames(int sound) {
    return ValidSound(sound) ? static_cast<long>(Sounds[static_cast<size_t>(sound)].samples.size() / 2) : 0;
}

// A never-used channel if there is one; else the one that took a sound longest ago among those that
// are not playing; else the longest-used one of all, which is stopped.
int AllocateChannel() {
    AdvanceSilently();
    int best = 0;
    bool bestIdle = false;
    Lock();
    for (int c = 1; c <= MaxChannels; c++) {
        const ChannelBook& book = Book[static_cast<size_t>(c)];
        if (!book.allocated) {
            best = c;
            break;
        }
        bool idle = !Channels[static_cast<size_t>(c)].active;
        if (best == 0 || (idle && !bestIdle) ||
            (idle == bestIdle && book.lastUse < Book[static_cast<size_t>(best)].lastUse)) {
            best = c;
            bestIdle = idle;
        }
    }
    Channels[static_cast<size_t>(best)] = MixChannel{};
    Unlock();
    Book[static_cast<size_t>(best)] = ChannelBook{true, 0, ++UseCounter};
    return best;
}

void FreeChannel(int channel) {
    if (!ValidChannel(channel)) return;
    AdvanceSilently();
    Lock();
    Channels[static_cast<size_t>(channel)] = MixChannel{};
    Unlock();
    Book[static_cast<size_t>(channel)] = ChannelBook{};
}

void QueueSound(int channel, int sound) {
    if (!ValidChannel(channel)) return;
    const float* samples = ValidSound(sound) ? Sounds[static_cast<size_t>(sound)].samples.data() : nullptr;
    long frames = SoundFrames(sound);
    ChangeChannel(channel, [&](MixChannel& c) {
        c.samples = samples;
        c.frames = frames;
        c.pos = 0;
        c.active = frames > 0;
        c.paused = true;
        c.fresh = true;
    });
    ChannelBook& book = Book[static_cast<size_t>(channel)];
    book.sound = ValidSound(sound) ? sound : 0;
    book.lastUse = ++UseCounter;
}

void SetChannelVolume(int channel, float volume) {
    float v = Limit(volume, 0.0f, 1.0f, 0.0f);
    ChangeChannel(channel, [v](MixChannel& c) { c.volume = v; });
}

void SetChannelPan(int channel, float pan) {
    float p = Limit(pan, -1.0f, 1.0f, 0.0f);
    ChangeChannel(channel, [p](MixChannel& c) { c.pan = p; });
}

void SetChannelRate(int channel, float rate) {
    float r = Limit(rate, 0.25f, 4.0f, 1.0f);
    ChangeChannel(channel, [r](MixChannel& c) { c.rate = r; });
}

void ResumeChannel(int channel) {
    ChangeChannel(channel, [](MixChannel& c) { c.paused = false; });
}

void StopChannel(int channel) {
    ChangeChannel(channel, [](MixChannel& c) { c.active = false; });
}

bool ChannelPlaying(int channel) {
    if (!ValidChannel(channel)) return false;
    AdvanceSilently();
    Lock();
    bool playing = Channels[static_cast<size_t>(channel)].active;
    Unlock();
    return playing;
}

ChannelView ReadChannel(int channel) {
    ChannelView view;
    if (!ValidChannel(channel)) return view;
    AdvanceSilently();
    Lock();
    const MixChannel& c = Channels[static_cast<size_t>(channel)];
    view.volume = c.volume;
    view.pan = c.pan;
    view.rate = c.rate;
    view.position = c.pos;
    view.playing = c.active;
    view.paused = c.paused;
    Unlock();
    view.sound = Book[static_cast<size_t>(channel)].sound;
    return view;
}

void StartCapture() {
    if (DeviceAlive()) return;
    AdvanceSilently(); // channels already playing advance up to now without being heard
    Capture.clear();
    CaptureStart = Millis();
    SilentClock = CaptureStart;
    SilentClockStarted = true;
    Capturing = true;
}

std::vector<float> TakeCapture() {
    if (Capturing) MixCapture(Millis());
    Capturing = false;
    std::vector<float> sound;
    sound.swap(Capture);
    return sound;
}

} // namespace glimmet
