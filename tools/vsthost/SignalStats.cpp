// Peak, RMS and sample-by-sample differences.
#include "SignalStats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

Levels measureLevels(const AudioClip& clip)
{
    Levels levels;
    double sumOfSquares = 0.0;
    std::size_t count = 0;
    for (const auto& channel : clip.channels)
        for (float sample : channel)
        {
            const double x = sample;
            levels.peak = std::fmax(levels.peak, std::fabs(x));
            sumOfSquares += x * x;
            ++count;
        }
    levels.rms = count ? std::sqrt(sumOfSquares / static_cast<double>(count)) : 0.0;
    return levels;
}

std::string formatDecibels(double linear)
{
    if (!(linear > 0.0)) return "-inf";
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", 20.0 * std::log10(linear));
    return text;
}

std::int64_t ulpDistance(float a, float b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b) ? 0 : std::numeric_limits<std::int64_t>::max();
    // Mapping the sign-magnitude bit patterns onto a monotonic integer line makes neighbours differ by one.
    auto ordered = [](float x)
    {
        std::int32_t bits;
        std::memcpy(&bits, &x, sizeof(bits));
        return bits < 0 ? -static_cast<std::int64_t>(bits & 0x7fffffff) : static_cast<std::int64_t>(bits);
    };
    const std::int64_t distance = ordered(a) - ordered(b);
    return distance < 0 ? -distance : distance;
}

Difference compareClips(const AudioClip& a, const AudioClip& b)
{
    Difference diff;
    diff.sameShape = a.channels.size() == b.channels.size() && a.frames() == b.frames();
    if (!diff.sameShape) return diff;
    for (std::size_t c = 0; c < a.channels.size(); ++c)
        for (std::size_t i = 0; i < a.frames(); ++i)
        {
            const float x = a.channels[c][i];
            const float y = b.channels[c][i];
            if (std::memcmp(&x, &y, sizeof(float)) != 0) ++diff.differing;
            diff.maxAbsolute = std::fmax(diff.maxAbsolute, std::fabs(static_cast<double>(x) - y));
            diff.maxUlps = std::max(diff.maxUlps, ulpDistance(x, y));
        }
    return diff;
}
