#pragma once
// The mixer's arithmetic, free of any device: channels of stereo float sound mixed into one buffer.
//
// Sounds are held as interleaved stereo float frames at MixRate. A channel plays its sound from a
// fractional position that advances by its rate per output frame (0.25..4), reading between frames by
// linear interpolation, so rate 2 plays a sound in half its length, an octave up. Volume (0..1) and
// pan (-1 left .. 1 right, a balance: the far side is turned down, the centre leaves both at full)
// become a left and a right gain; when they change, the gains slide from their old values to the new
// ones across the buffer, so no step is heard. Channels are summed in float and the sum is clamped to
// -1..1 once, at the output.

namespace glimmet {

constexpr int MixRate = 44100;

struct MixChannel {
    const float* samples = nullptr; // the sound: frames * 2 floats, left then right
    long frames = 0;
    double pos = 0;      // playback position in frames
    bool active = false; // a sound is queued that has not ended or been stopped
    bool paused = true;
    float volume = 1;
    float pan = 0;
    float rate = 1;
    float gainL = 0; // the gains reached at the end of the previous buffer
    float gainR = 0;
    bool fresh = true; // nothing mixed since the sound was queued: start at the set gains
};

void PanGains(float volume, float pan, float& left, float& right);

// Mixes the channels into out (frames * 2 floats, overwritten), advancing each playing channel; a
// channel whose sound runs out becomes inactive.
void MixChannels(MixChannel* channels, int count, float* out, int frames);

} // namespace glimmet
