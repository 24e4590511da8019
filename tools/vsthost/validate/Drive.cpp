// Input signals, block sequences and the set-ups the battery processes in.
#include "Drive.h"

#include "DemoSynth.h"

#include <cmath>
#include <limits>

Stimulus::Stimulus(double sampleRate, std::uint32_t seed)
    : rate(sampleRate), random(seed), impulsePeriod(static_cast<long long>(sampleRate / 5.0))
{
}

double Stimulus::next(int channel)
{
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    switch (signal)
    {
    case Signal::Silence:
        return 0.0;
    case Signal::Audio:
    {
        if (audio.empty()) audio = synthesizeDemo(rate, 2.0).channels;
        const auto& samples = audio[static_cast<std::size_t>(channel) % audio.size()];
        return samples[static_cast<std::size_t>(position) % samples.size()];
    }
    case Signal::Noise:
        return noise(random);
    case Signal::Impulses:
        return position % impulsePeriod == 0 ? 1.0 : 0.0;
    case Signal::Loud:
        return 4.0 * noise(random);
    case Signal::NonFinite:
    {
        static const double kSpecial[] = {std::numeric_limits<double>::quiet_NaN(),
                                          std::numeric_limits<double>::infinity(),
                                          -std::numeric_limits<double>::infinity()};
        const auto pick = std::uniform_int_distribution<int>(0, 7)(random);
        return pick < 3 ? kSpecial[pick] : noise(random);
    }
    }
    return 0.0;
}

std::vector<int> randomBlocks(std::mt19937& random, long long totalFrames, int maxBlock)
{
    std::vector<int> blocks{1, maxBlock};
    long long sum = 1 + maxBlock;
    std::uniform_real_distribution<double> exponent(0.0, std::log(static_cast<double>(maxBlock)));
    while (sum < totalFrames)
    {
        const int size = std::clamp(static_cast<int>(std::exp(exponent(random))), 1, maxBlock);
        blocks.push_back(size);
        sum += size;
    }
    return blocks;
}

std::string Setup::describe() const
{
    return std::to_string(static_cast<int>(rate)) + " Hz, " + (doublePrecision ? "double" : "float") + ", " +
           (inPlace ? "in place" : "out of place");
}

std::vector<Setup> everySetup(const PluginInstance& plugin)
{
    static const double kRates[] = {22050, 44100, 48000, 88200, 96000, 176400, 192000};
    std::vector<Setup> setups;
    for (const double rate : kRates)
        for (const bool doublePrecision : {false, true})
            for (const bool inPlace : {false, true})
                if ((doublePrecision ? plugin.canProcessDouble() : plugin.canProcessFloat()) &&
                    (!inPlace || plugin.canProcessInPlace()))
                    setups.push_back({rate, doublePrecision, inPlace});
    return setups;
}

double withinRange(const ParameterRange& range, double fraction)
{
    if (range.minimum == 0.0 && range.maximum == 1.0) return fraction;
    return range.minimum + fraction * (range.maximum - range.minimum);
}
