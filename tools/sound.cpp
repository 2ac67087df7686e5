#include "sound.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace glimmet::tools {
namespace {

constexpr float TwoPi = 6.2831853f;

void Put16(std::string& out, int v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t Get32(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<size_t>(i)]);
    return v;
}

float Envelope(const Voice& v, float t) {
    if (t < 0) return 0;
    float level;
    if (t < v.attack)
        level = t / v.attack;
    else if (t < v.attack + v.decay)
        level = 1 - (1 - v.sustain) * (t - v.attack) / v.decay;
    else
        level = v.sustain;
    if (t > v.length) level *= std::max(0.0f, 1 - (t - v.length) / v.release);
    return level;
}

} // namespace

bool WriteWav(const std::string& path, const Wave& w) {
    return WriteWav(path, w, 1, SampleRate);
}

bool WriteWav(const std::string& path, const std::vector<float>& samples, int channels, int rate) {
    std::string data;
    for (float s : samples) Put16(data, static_cast<int>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f)));
    std::string out = "RIFF";
    Put32(out, static_cast<uint32_t>(36 + data.size()));
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, channels);
    Put32(out, static_cast<uint32_t>(rate));
    Put32(out, static_cast<uint32_t>(rate * channels * 2));
    Put16(out, channels * 2);
    Put16(out, 16);
    out += "data";
    Put32(out, static_cast<uint32_t>(data.size()));
    out += data;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

bool ReadWav(const std::string& path, Wave& w, int& rate) {
    w.clear();
    rate = 0;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::string s;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) s.append(buf, n);
    std::fclose(f);
    if (s.size() < 44 || s.compare(0, 4, "RIFF") != 0 || s.compare(8, 8, "WAVEfmt ") != 0) return false;
    int format = static_cast<unsigned char>(s[20]) | (static_cast<unsigned char>(s[21]) << 8);
    int channels = static_cast<unsigned char>(s[22]) | (static_cast<unsigned char>(s[23]) << 8);
    int bits = static_cast<unsigned char>(s[34]) | (static_cast<unsigned char>(s[35]) << 8);
    if (format != 1 || channels != 1 || bits != 16 || s.compare(36, 4, "data") != 0) return false;
    size_t size = Get32(s, 40);
    if (44 + size > s.size()) return false;
    rate = static_cast<int>(Get32(s, 24));
    for (size_t i = 44; i + 1 < 44 + size; i += 2) {
        int v = static_cast<unsigned char>(s[i]) | (static_cast<unsigned char>(s[i + 1]) << 8);
        if (v >= 32768) v -= 65536;
        w.push_back(static_cast<float>(v) / 32768.0f);
    }
    return true;
}

Wave Silence(float seconds) {
    return Wave(static_cast<size_t>(seconds * SampleRate), 0.0f);
}

void Add(Wave& w, const Voice& v, uint32_t seed) {
    size_t begin = static_cast<size_t>(v.start * SampleRate);
    size_t count = static_cast<size_t>((v.length + v.release) * SampleRate);
    if (w.size() < begin + count) w.resize(begin + count, 0.0f);
    float phase = v.phase - std::floor(v.phase), lp = 0, held = 0;
    uint32_t rng = seed * 2654435761u + 1;
    float alpha = v.lowpass > 0 ? 1 - std::exp(-TwoPi * v.lowpass / SampleRate) : 1;
    for (size_t i = 0; i < count; ++i) {
        float t = static_cast<float>(i) / SampleRate;
        float k = v.slide > 0 ? std::min(1.0f, t / v.slide) : 1.0f;
        float f = v.f0 * std::pow(v.f1 / v.f0, k);
        if (v.vibrato > 0) f *= 1 + v.vibrato * std::sin(TwoPi * v.vibratoHz * t);
        float before = phase;
        phase += f / SampleRate;
        phase -= std::floor(phase);
        float s = 0;
        switch (v.osc) {
        case Osc::Square:
            s = phase < v.duty ? 1.0f : -1.0f;
            break;
        case Osc::Saw:
            s = 2 * phase - 1;
            break;
        case Osc::Triangle:
            s = phase < 0.5f ? 4 * phase - 1 : 3 - 4 * phase;
            break;
        case Osc::Sine:
            s = std::sin(TwoPi * phase);
            break;
        case Osc::Noise:
            // A new random value each period gives pitched noise; f sets its colour.
            if (phase < before) {
                rng = rng * 1664525u + 1013904223u;
                held = static_cast<float>(rng >> 8) / 8388608.0f - 1.0f;
            }
            s = held;
            break;
        }
        lp += alpha * (s - lp);
        w[begin + i] += lp * v.volume * Envelope(v, t);
    }
}

void Crush(Wave& w, int levels) {
    for (float& s : w) s = std::round(s * static_cast<float>(levels)) / static_cast<float>(levels);
}

void Room(Wave& w, float seconds, float level) {
    const Wave dry = w;
    w.resize(dry.size() + static_cast<size_t>(seconds * SampleRate), 0.0f);
    const float spread[12] = {0.09f, 0.15f, 0.22f, 0.3f,  0.37f, 0.45f,
                              0.52f, 0.61f, 0.69f, 0.77f, 0.86f, 0.95f};
    for (float at : spread) {
        auto delay = static_cast<size_t>(at * seconds * SampleRate);
        float gain = level * std::exp(-4 * at);
        float lp = 0;
        for (size_t i = 0; i < dry.size(); ++i) {
            lp += 0.3f * (dry[i] - lp); // each echo duller than the hit
            w[i + delay] += gain * lp;
        }
    }
}

void Finish(Wave& w, float peak) {
    float top = 0;
    for (float s : w) top = std::max(top, std::fabs(s));
    if (top > 0)
        for (float& s : w) s *= peak / top;
    size_t fade = std::min(w.size() / 2, static_cast<size_t>(SampleRate / 200)); // 5 ms
    for (size_t i = 0; i < fade; ++i) {
        float g = static_cast<float>(i) / static_cast<float>(fade);
        w[i] *= g;
        w[w.size() - 1 - i] *= g;
    }
}

} // namespace glimmet::tools
