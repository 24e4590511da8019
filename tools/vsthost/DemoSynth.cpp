// Drum and bass voices mixed into a stereo loop.
#include "DemoSynth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr double kStepSeconds = 0.125; // sixteenth notes at 120 beats per minute
constexpr int kStepsPerLoop = 32;      // two bars

/// Integer noise, so the hits sound the same on every platform and every run.
class Noise
{
public:
    double next()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }

private:
    std::uint32_t state = 0x2545F491u;
};

struct Mix
{
    std::vector<float>& left;
    std::vector<float>& right;
    double rate;

    /// Adds sample i of a voice with a pan from -1 (left) to 1 (right).
    void add(std::size_t i, double value, double pan)
    {
        if (i >= left.size()) return;
        left[i] += static_cast<float>(value * (1.0 - pan) * 0.5);
        right[i] += static_cast<float>(value * (1.0 + pan) * 0.5);
    }
};

void kick(Mix& mix, std::size_t start, Noise& noise)
{
    const auto length = static_cast<std::size_t>(0.35 * mix.rate);
    for (std::size_t n = 0; n < length; ++n)
    {
        const double t = static_cast<double>(n) / mix.rate;
        // The pitch falls from 150 Hz to 50 Hz; the phase is the integral of that sweep.
        const double phase = 2.0 * kPi * (50.0 * t + 4.0 * (1.0 - std::exp(-t / 0.04)));
        const double click = t < 0.002 ? 0.3 * noise.next() : 0.0;
        mix.add(start + n, 1.6 * (std::sin(phase) * std::exp(-t / 0.18) + click), 0.0);
    }
}

void snare(Mix& mix, std::size_t start, Noise& noise)
{
    const auto length = static_cast<std::size_t>(0.25 * mix.rate);
    for (std::size_t n = 0; n < length; ++n)
    {
        const double t = static_cast<double>(n) / mix.rate;
        const double tone = 0.4 * std::sin(2.0 * kPi * 185.0 * t) * std::exp(-t / 0.05);
        mix.add(start + n, 1.2 * (tone + 0.5 * noise.next() * std::exp(-t / 0.08)), -0.3);
    }
}

void hat(Mix& mix, std::size_t start, Noise& noise, bool open)
{
    const double decay = open ? 0.09 : 0.015;
    const auto length = static_cast<std::size_t>(6.0 * decay * mix.rate);
    double previous = 0.0;
    for (std::size_t n = 0; n < length; ++n)
    {
        const double t = static_cast<double>(n) / mix.rate;
        const double white = noise.next();
        // A first difference tilts white noise towards the highs, which is all a hi-hat needs.
        mix.add(start + n, 0.25 * (white - previous) * std::exp(-t / decay), 0.4);
        previous = white;
    }
}

void bassNote(Mix& mix, std::size_t start, double frequency, double seconds)
{
    const auto length = static_cast<std::size_t>(seconds * mix.rate);
    const int harmonics = std::min(12, static_cast<int>(0.45 * mix.rate / frequency));
    for (std::size_t n = 0; n < length; ++n)
    {
        const double t = static_cast<double>(n) / mix.rate;
        double saw = 0.0;
        for (int h = 1; h <= harmonics; ++h)
            saw += std::sin(2.0 * kPi * frequency * h * t) / h;
        const double gate = std::min({1.0, t / 0.005, (seconds - t) / 0.01});
        mix.add(start + n, 0.45 * saw * gate * (0.6 + 0.4 * std::exp(-t / 0.06)), 0.0);
    }
}

void playStep(Mix& mix, int step, std::size_t start, Noise& noise)
{
    static constexpr int kBassSemitones[16] = {0, 0, 12, 0, 3, 0, 7, 5, 0, 0, 12, 10, 7, 5, 3, 2};
    const int inBar = step % 16;
    if (inBar % 4 == 0 || step == 30) kick(mix, start, noise);
    if (inBar == 4 || inBar == 12) snare(mix, start, noise);
    if (inBar % 2 == 0) hat(mix, start, noise, inBar == 14);
    if (step % 2 == 0)
    {
        // E1 (41.2 Hz) in the first bar, a fourth higher in the second.
        const double semitones = kBassSemitones[step / 2 % 16] + (step >= 16 ? 5 : 0);
        bassNote(mix, start, 41.2034 * std::pow(2.0, semitones / 12.0), 0.22);
    }
}

void normalise(AudioClip& clip, double peak)
{
    float largest = 0.0f;
    for (const auto& channel : clip.channels)
        for (float x : channel)
            largest = std::max(largest, std::fabs(x));
    if (largest == 0.0f) return;
    const auto gain = static_cast<float>(peak / largest);
    for (auto& channel : clip.channels)
        for (float& x : channel)
            x *= gain;
}
} // namespace

AudioClip synthesizeDemo(double sampleRate, double seconds)
{
    AudioClip clip;
    clip.sampleRate = sampleRate;
    const auto frames = static_cast<std::size_t>(std::max(0.0, seconds * sampleRate));
    clip.channels.assign(2, std::vector<float>(frames));
    Mix mix{clip.channels[0], clip.channels[1], sampleRate};
    Noise noise;
    for (int step = 0; step * kStepSeconds < seconds; ++step)
        playStep(mix, step % kStepsPerLoop, static_cast<std::size_t>(step * kStepSeconds * sampleRate),
                 noise);
    normalise(clip, std::pow(10.0, -1.0 / 20.0));
    return clip;
}
