#pragma once
// Sounds and channels over one SDL audio device, mixed by our own mixer (mixer.h).
//
// Sounds are loaded from WAV files and converted at once to the mix format (stereo float, MixRate),
// whatever the device. A sound handle is a positive number; 0 is the empty sound, which is what a
// missing or damaged file gives and which plays nothing. A channel handle is a positive number from
// AllocateChannel; 0 and unknown handles are ignored by every call.
//
// Without a device (none opened, or none could be opened) every call still works and nothing is
// heard: sounds load, channels take sounds and settings, and a started channel counts as playing for
// as long as its sound would last at its rate, measured on the program's clock (virtual in tests), so
// playback state behaves the same with and without a device. With a device, the device's own
// progress decides. A channel counts as playing from the moment a sound is queued on it (also while
// still paused) until the sound ends or the channel is stopped.

#include <string>
#include <vector>

namespace glimmet {

// Opens the device with the selected driver (audio_drivers.h; empty = SDL's default, and an
// SDL_AUDIODRIVER environment variable wins over the selection). Falls back to SDL's default driver
// when the selected one fails; false when no device could be opened, and the program runs silent.
bool OpenAudio();
void CloseAudio();
// Whether the driver, started on its own, opens an output: a driver without a sound server or a sound
// card to play on fails. It restarts SDL's audio, so while audio runs only the driver in use passes.
bool DriverOpensOutput(const std::string& driver);
bool AudioDeviceOpen();
std::string AudioDeviceDriver(); // the driver in use, "" without a device

// 0 (empty) when the file is missing or not a usable WAV, including a header that claims a sample rate
// outside 1000..384000 Hz or a sound longer than five minutes.
int LoadSound(const std::string& path);
void FreeSound(int sound);   // stops the channels that play it
long SoundFrames(int sound); // length in frames at MixRate; 0 for the empty sound

int AllocateChannel();
void FreeChannel(int channel);
void QueueSound(int channel, int sound);          // stops what the channel played; the new sound waits paused
void SetChannelVolume(int channel, float volume); // 0..1
void SetChannelPan(int channel, float pan);       // -1 left .. 1 right
void SetChannelRate(int channel, float rate);     // 0.25..4, 1 = as recorded
void ResumeChannel(int channel);
void StopChannel(int channel);
bool ChannelPlaying(int channel);

// What a channel holds now: its sound, its settings and how far the sound has played. An unknown
// channel reads as empty and not playing.
struct ChannelView {
    int sound = 0;
    float volume = 0;
    float pan = 0;
    float rate = 1;
    double position = 0; // frames of the sound played so far
    bool playing = false;
    bool paused = false;
};
ChannelView ReadChannel(int channel);

// Offline rendering, without a device: while capturing, the channels are mixed into a buffer as the
// clock advances (virtual or real), exactly as a device would mix them. TakeCapture mixes up to the
// clock's present reading, stops capturing and returns the sound (interleaved stereo float at MixRate).
void StartCapture();
std::vector<float> TakeCapture();

} // namespace glimmet
