// Driving an instance through process calls for the battery: input signals, block sequences, set-ups.
#pragma once

#include "PluginInstance.h"
#include "ProcessBuffers.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

enum class Signal
{
    Silence,
    Audio,     ///< the demo's drums and bass: ordinary programme material
    Noise,     ///< full-scale white noise
    Impulses,  ///< full-scale clicks, a few per second
    Loud,      ///< noise 12 dB over full scale
    NonFinite, ///< noise strewn with NaN and infinities
};

/// Input samples that continue from one call to the next; the same seed gives the same samples.
class Stimulus
{
public:
    Stimulus(double sampleRate, std::uint32_t seed);
    void setSignal(Signal kind) { signal = kind; }

    template <typename Sample> void fill(ProcessBuffers<Sample>& buffers, int frames)
    {
        for (int n = 0; n < frames; ++n, ++position)
            for (int c = 0; c < buffers.inputCount(); ++c)
                buffers.input(c)[n] = static_cast<Sample>(next(c));
    }

private:
    double next(int channel);

    Signal signal = Signal::Audio;
    double rate;
    std::vector<std::vector<float>> audio; ///< made on first use: most runs never play it
    std::mt19937 random;
    long long position = 0;
    long long impulsePeriod;
};

/// Block sizes from 1 to maxBlock adding up to at least totalFrames: 1 and maxBlock first, then sizes
/// spread evenly over their logarithm.
std::vector<int> randomBlocks(std::mt19937& random, long long totalFrames, int maxBlock);

/// One way a host runs an instance.
struct Setup
{
    double rate;
    bool doublePrecision;
    bool inPlace;
    std::string describe() const;
};

/// Every sample rate from 22050 to 192000 that hosts use, each in single and (when offered) double
/// precision, out of place and (when allowed) in place; none for a process call the plug-in does not have.
std::vector<Setup> everySetup(const PluginInstance& plugin);

/// The value a fraction of the way (0 to 1, or outside for values out of range) through a parameter's
/// range. The unit range takes the fraction as it is, so -0 and subnormals reach the plug-in unchanged.
double withinRange(const ParameterRange& range, double fraction);

constexpr int kLargestBlock = 8192;

/// Calls body with a value of the set-up's sample type (float or double) to pick the template.
template <typename Body> void withSampleType(const Setup& setup, Body body)
{
    if (setup.doublePrecision)
        body(double{});
    else
        body(float{});
}
